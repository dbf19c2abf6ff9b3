#include "data/CodePage.h"

namespace CodePage {

namespace {
char encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    // The five undefined bytes decode to the control characters of the same code: back to themselves.
    if (c < 0xA0 && kHigh[c - 0x80] == c)
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}
} // namespace

// The table kHigh is used both ways rather than the system's codec tables, so that a character outside
// the code page always becomes exactly one "?" (a surrogate pair is one character to the user, too) and
// the five undefined bytes read back as the same bytes.
QByteArray encode(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        out.append(encodeChar(c.unicode()));
    }
    return out;
}

QString decode(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(decodeByte(static_cast<unsigned char>(b)));
    return out;
}

bool holds(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            continue;
        if (encodeChar(u) == '?')
            return false;
    }
    return true;
}

QString stored(const QString& text)
{
    return holds(text) ? text : decode(encode(text));
}

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString trimmed(const QString& text)
{
    const QStringView view = trimmed(QStringView(text));
    return view.size() == text.size() ? text : view.toString();
}

QString upperAscii(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    return out;
}

QString lowerAscii(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

bool containsFolded(std::string_view text, std::string_view lowerKey)
{
    const size_t n = lowerKey.size();
    for (size_t i = 0; i + n <= text.size(); ++i) {
        size_t j = 0;
        while (j < n) {
            unsigned char c = static_cast<unsigned char>(text[i + j]);
            if (c >= 'A' && c <= 'Z')
                c = static_cast<unsigned char>(c + 32);
            if (c != static_cast<unsigned char>(lowerKey[j]))
                break;
            ++j;
        }
        if (j == n)
            return true;
    }
    return false;
}

} // namespace CodePage
