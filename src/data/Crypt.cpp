#include "data/Crypt.h"

namespace Crypt {
namespace {
constexpr quint16 kStartKey = 61027;

quint16 nextKey(quint16 key, quint8 scrambled)
{
    return static_cast<quint16>((static_cast<quint32>(key) + scrambled) * 39517u + 30851u);
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}
} // namespace

QString scramble(const QString& text)
{
    static const char kDigits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 2);
    quint16 key = kStartKey;
    for (const QChar ch : text) {
        const auto plain = static_cast<quint8>(ch.unicode() & 0xFF);
        const auto c = static_cast<quint8>(plain ^ (key >> 8));
        out += QLatin1Char(kDigits[c >> 4]);
        out += QLatin1Char(kDigits[c & 0x0F]);
        key = nextKey(key, c);
    }
    return out;
}

std::optional<QString> unscramble(const QString& digits)
{
    QString out;
    out.reserve(digits.size() / 2);
    quint16 key = kStartKey;
    for (qsizetype i = 0; i + 1 < digits.size(); i += 2) {
        const int high = hexValue(digits.at(i));
        const int low = hexValue(digits.at(i + 1));
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto c = static_cast<quint8>(high * 16 + low);
        out += QChar(static_cast<char16_t>(c ^ (key >> 8)));
        key = nextKey(key, c);
    }
    return out;
}

} // namespace Crypt
