#pragma once
// The slip record of a yearly slip archive "<year>.bol": 33 short strings, 2443 bytes.

#include "data/RecordLayout.h"

namespace SlipRecord {

inline constexpr int kSize = 2443;

// Field names are the slip editor's control names without their prefix.
const RecordLayout& layout();

// The archive of a year: the program folder followed by "<year>.bol".
QString archivePath(const QString& year);

} // namespace SlipRecord
