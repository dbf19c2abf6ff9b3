#pragma once
// The check character of an Italian tax code (codice fiscale of a person).

#include "checks/CheckAnswer.h"

#include <QString>
#include <optional>

namespace TaxCode {

// The check character that the first fifteen characters of code call for (always a capital
// letter), or nothing when code is shorter or one of them lies outside "0" to "Z". Letters
// replacing digits (omocodia) are letters like any other and need nothing special.
std::optional<QChar> checkCharacter(const QString& code);

// What "Controlla" says about the text of the field: a length warning (refused) or the verdict.
CheckAnswer check(const QString& text);

} // namespace TaxCode
