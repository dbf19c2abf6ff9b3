#pragma once
// The payer record of the payer archive "Esecutori.pro": 38 short strings, 2685 bytes.

#include "data/RecordLayout.h"

namespace PayerRecord {

inline constexpr int kSize = 2685;

// Field names are the payer editor's control names without their prefix.
const RecordLayout& layout();

// The program folder followed by "Esecutori.pro".
QString archivePath();

} // namespace PayerRecord
