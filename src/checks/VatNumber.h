#pragma once
// The Italian VAT number (partita IVA): its check digit and the VAT office that issued it.

#include "checks/CheckAnswer.h"

#include <QString>
#include <span>

namespace VatNumber {

// True when number has exactly 11 characters, all digits, and the 11th is the check digit of the
// first ten.
bool hasValidCheckDigit(const QString& number);

struct Office {
    const char16_t* code;
    const char16_t* name;
};

// The 104 offices, in the order of their codes (001 to 102, then 120 and 121).
std::span<const Office> offices();

// The name of the office with the three-digit code, or an empty text for a code that has none.
QString officeName(const QString& code);

// What "Controlla" says about the text of the field: a length warning (refused) or the verdict,
// naming the office that issued a valid number.
CheckAnswer check(const QString& text);

} // namespace VatNumber
