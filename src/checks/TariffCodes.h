#pragma once
// The 23 tariff codes of the government concession taxes, in their fixed order: the code, "  -  "
// and the description (plain ASCII).

#include <span>

namespace TariffCodes {

std::span<const char* const> entries();

} // namespace TariffCodes
