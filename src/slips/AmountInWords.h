#pragma once
// The Italian spelling of a whole amount of euros, upper case, words written together as on
// postal slips: 121 is CENTOVENTUNO, 1000 is MILLE, 1000000 UNMILIONE.

#include <QString>

namespace AmountInWords {

// amount: 0 to 99 999 999.
QString spell(quint32 amount);

// The digits typed in the amount field (leading zeros allowed); empty when nothing is typed
// or the text is not all digits.
QString spellDigits(const QString& digits);

} // namespace AmountInWords
