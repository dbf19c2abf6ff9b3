#pragma once
// The order of the sorted list boxes: character by character by the character's code in the
// archives' code page (Windows-1252, so "€" at 0x80 comes before "à" at 0xE0), with the letters
// a to z taken as A to Z and nothing else folded; a line that is the start of another comes first.
// Slip lines begin with the due date written day first, so they sort by day, month, then year.

#include <QString>
#include <QStringList>

namespace ListSort {

// The character's sort code: its Windows-1252 byte, a-z folded to A-Z; a character the code page
// lacks sorts as "?", as it would be stored.
unsigned char code(QChar c);
// The sort code of every Windows-1252 byte as a list stores it: 256 codes, indexed by the byte.
const unsigned char* byteCodes();
// Negative, zero or positive as a sorts before, with or after b.
int compare(QStringView a, QStringView b);
inline bool lessThan(const QString& a, const QString& b)
{
    return compare(a, b) < 0;
}

} // namespace ListSort
