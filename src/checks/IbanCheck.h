#pragma once
// The IBAN check of ISO 13616 (ISO 7064 MOD 97-10) on IBANs of the Italian length.

#include "checks/CheckAnswer.h"

#include <QString>

namespace IbanCheck {

// The remainder modulo 97 of the IBAN (1 for a correct one): the letters a to z made capitals,
// a first "IBAN" dropped, the first four characters moved to the end and each letter read as
// 10 to 35. Any character that is neither a digit nor a letter makes the remainder 0.
int remainder(const QString& iban);

// What "Controlla" says about the text of the field: a length warning (refused) or the verdict.
CheckAnswer check(const QString& text);

} // namespace IbanCheck
