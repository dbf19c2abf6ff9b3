#include "slips/AmountInWords.h"

namespace AmountInWords {
namespace {

const char* const kUnits[] = {"", "uno", "due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove"};
const char* const kTeens[] = {"dieci",    "undici", "dodici",      "tredici",  "quattordici",
                              "quindici", "sedici", "diciassette", "diciotto", "diciannove"};
const char* const kTens[] = {"",          "",         "venti",    "trenta",  "quaranta",
                             "cinquanta", "sessanta", "settanta", "ottanta", "novanta"};
const char* const kElided[] = {"",           "",           "ventuno",   "trentuno", "quarantuno", "cinquantuno",
                               "sessantuno", "settantuno", "ottantuno", "novantuno"};
const char* const kHundreds[] = {"",         "cento",      "duecento",  "trecento", "quattrocento", "cinquecento",
                                 "seicento", "settecento", "ottocento", "novecento"};

// 0..999 in lower case, empty for 0. Only the unit 1 elides after a ten: 28 is "ventiotto".
QString group(unsigned n)
{
    const unsigned h = n / 100;
    const unsigned t = (n / 10) % 10;
    const unsigned u = n % 10;
    QString word;
    if (t == 1)
        word = QLatin1String(kTeens[u]);
    else if (t >= 2 && u == 1)
        word = QLatin1String(kElided[t]);
    else
        word = QLatin1String(kTens[t]) + QLatin1String(kUnits[u]);
    return QLatin1String(kHundreds[h]) + word;
}

} // namespace

QString spell(quint32 amount)
{
    if (amount == 0)
        return QStringLiteral("ZERO");
    const unsigned units = amount % 1000;
    const unsigned thousands = (amount / 1000) % 1000;
    const unsigned millions = (amount / 1000000) % 1000;

    QString result = group(units);
    if (thousands == 1)
        result.prepend(QLatin1String("mille"));
    else if (thousands > 1)
        result.prepend(group(thousands) + QLatin1String("mila"));
    if (millions == 1)
        result.prepend(QLatin1String("unmilione"));
    else if (millions > 1)
        result.prepend(group(millions) + QLatin1String("milioni"));
    return result.toUpper();
}

QString spellDigits(const QString& digits)
{
    const QString trimmed = digits.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 8)
        return {};
    for (QChar c : trimmed)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
    return spell(trimmed.toUInt());
}

} // namespace AmountInWords
