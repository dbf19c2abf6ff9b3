#pragma once
// Texts in the archives are single bytes in the Windows-1252 code page.

#include <QByteArray>
#include <QString>
#include <string_view>

namespace CodePage {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined stand for the control
// characters of the same code (0x81 <-> U+0081) both ways, as Windows maps them.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

// One archive byte as its character.
inline QChar decodeByte(unsigned char b)
{
    return QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
}

// Characters the code page cannot hold become "?".
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// True when every character of text has a byte of its own, so that decode(encode(text)) == text.
bool holds(QStringView text);
// The text as the archive gives it back once stored: decode(encode(text)), in the time of a scan
// when the code page holds it as it is.
QString stored(const QString& text);

// Removes the characters with codes 0 to 32 at both ends, as every stored or compared text is.
QString trimmed(const QString& text);
QStringView trimmed(QStringView text);

// Upper-cases the letters a to z only: accented letters stay as they are ("è" stays "è").
QString upperAscii(const QString& text);
QString lowerAscii(const QString& text);

// The searches' match, on stored bytes: true when lowerKey (a to z in lower case) occurs in text
// with its A to Z taken as a to z and nothing else folded. An empty key occurs everywhere.
bool containsFolded(std::string_view text, std::string_view lowerKey);

} // namespace CodePage
