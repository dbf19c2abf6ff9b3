#pragma once
// One string value by section and key in an INI file, read and written the way the Windows
// settings API does it, so that files written by either side stay readable by the other:
// section and key names match without regard to case, CR LF and LF line ends are both read,
// and writing keeps every other section, key, comment and blank line as it was. Values are
// stored as they stand (no quoting, no escapes) in the Windows-1252 code page. A new file is
// written with CR LF. The file is replaced as a whole, so a failed write leaves the old one.
//
// (QSettings cannot be used here: it escapes blanks in section names and rewrites the file.)

#include <QString>

namespace IniFile {

// The trimmed value of key in section, or defaultValue when the file, the section or the key is
// missing. ok (optional) becomes false when the file exists but cannot be read.
QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue = {}, bool* ok = nullptr);

// Sets key in section to value, adding the key, the section or the file when missing.
// Returns false when the file could not be read or written; the old file then stays as it was.
bool writeString(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace IniFile
