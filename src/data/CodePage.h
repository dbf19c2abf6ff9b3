#pragma once
// Texts in the archives are single bytes in the Windows-1252 code page.

#include <QByteArray>
#include <QString>

namespace CodePage {

// Characters the code page cannot hold become "?".
QByteArray encode(const QString& text);
QString decode(const QByteArray& bytes);

// Removes the characters with codes 0 to 32 at both ends, as every stored or compared text is.
QString trimmed(const QString& text);

// Upper-cases the letters a to z only: accented letters stay as they are ("è" stays "è").
QString upperAscii(const QString& text);
QString lowerAscii(const QString& text);

} // namespace CodePage
