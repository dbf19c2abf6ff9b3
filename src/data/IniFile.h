#pragma once
// One string value by section and key in an INI file, read and written the way the Windows
// settings API does it, so that files written by either side stay readable by the other:
// section and key names match without regard to case, CR LF and LF line ends are both read,
// and writing keeps every other section, key, comment and blank line as it was. Values are
// stored as they stand (no quoting, no escapes) in the Windows-1252 code page. Every line keeps its
// own line end; lines the program adds take the file's first one, and a new file has CR LF.
// A write holds a lock beside the file and replaces it as a whole once the new content is on disk,
// so a failed write (a full disk) leaves the old file byte for byte (see SafeWrite::replaceFile).
//
// (QSettings cannot be used here: it escapes blanks in section names and rewrites the file.)

#include <QString>

namespace IniFile {

// The trimmed value of key in section, or defaultValue when the file, the section or the key is
// missing. ok (optional) becomes false when the file exists but cannot be read.
QString readString(const QString& path, const QString& section, const QString& key, const QString& defaultValue = {},
                   bool* ok = nullptr);

// Sets key in section to value, adding the key, the section or the file when missing.
// Returns false when the file could not be read or written; the old file then stays as it was.
bool writeString(const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace IniFile
