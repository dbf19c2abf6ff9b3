#pragma once
// The check digit of a payment card number (Luhn, ISO/IEC 7812) and its issuer.

#include "checks/CheckAnswer.h"

#include <QString>

namespace CardCheck {

// The result of the card test: 0 when the number fails it (or holds no digit), otherwise the first
// digit minus 2, so 1 to 4 for numbers beginning with 3 to 6 and other values for the rest. Only
// the digits among the first 20 characters of text count.
int resultCode(const QString& text);

// The issuer a text with that result code belongs to ("Visa", ...), or an empty text when none
// does. Code 1 needs the first two characters of the trimmed text to tell the issuers apart.
QString issuer(int code, const QString& text);

// What "Controlla" says about the text of the field: a warning for an empty field (refused), the
// issuer, ERRATO, or nothing at all for a valid number of a code-1 prefix outside the groups.
CheckAnswer check(const QString& text);

} // namespace CardCheck
