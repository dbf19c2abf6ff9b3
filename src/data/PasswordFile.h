#pragma once
// The password that guards the start, kept scrambled in the password file "unins000.dll" of the
// program folder (despite its name an INI file: section "Accesso", key "Valore").

#include <QString>
#include <optional>

namespace PasswordFile {

inline const QString fileName = QStringLiteral("unins000.dll");
inline const QString section = QStringLiteral("Accesso");
inline const QString key = QStringLiteral("Valore");

// The password the installed password file holds until the user changes it.
inline const QString initial = QStringLiteral("TASSELLA");

// The password fields take at most this many characters: the scrambling counts in one byte.
constexpr int maxLength = 255;

// What is compared and stored of a typed password: a to z in capitals, trimmed.
QString normalise(const QString& typed);

// True when every character fits in one byte; any other character could never be matched.
bool storable(const QString& password);

// The stored password, unscrambled and trimmed; empty when the file, section or key is missing.
// Nothing when the file cannot be read or the value is not hexadecimal.
std::optional<QString> read(const QString& path);

// True while the password file holds the initial password: the user has not changed it yet.
bool holdsInitial(const QString& path);

// Writes the normalised form of password, scrambled; false when the file could not be written.
bool write(const QString& path, const QString& password);

} // namespace PasswordFile
