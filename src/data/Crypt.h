#pragma once
// The scrambling that keeps the password in the password file: one byte per character, masked by
// a 16-bit key stream, written as two capital hexadecimal digits per character.

#include <QString>
#include <optional>

namespace Crypt {

// Only the low byte of each character code is used; the result has 2 digits per character.
QString scramble(const QString& text);

// Reads the digits in pairs from the left (a lone digit at the end is ignored) and gives back
// characters with codes 0 to 255; nothing when a pair is not hexadecimal.
std::optional<QString> unscramble(const QString& digits);

} // namespace Crypt
