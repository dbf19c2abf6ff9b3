#include "checks/CardCheck.h"

#include "data/CodePage.h"

#include <QList>

namespace CardCheck {
namespace {

constexpr qsizetype kCounted = 20;

const QString kEmpty =
    QStringLiteral("Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.");
const QString kWrong =
    QStringLiteral("Attenzione: il numero digitato risulta ERRATO!\r\n\r\nNon è quindi possibile fornire informazioni "
                   "relative al tipo di carta di credito.");

struct Prefix {
    const char* prefix;
    const char* issuer;
};

// Numbers beginning with 3 are told apart by their first two characters.
constexpr Prefix kPrefixes[] = {
    {"30", "Diner's Club / Carte Blanche"},
    {"36", "Diner's Club / Carte Blanche"},
    {"38", "Diner's Club / Carte Blanche"},
    {"34", "American Express"},
    {"37", "American Express"},
    {"31", "JCB"},
    {"33", "JCB"},
    {"35", "JCB"},
};

} // namespace

int resultCode(const QString& text)
{
    QList<int> digits;
    for (const QChar c : text.left(kCounted))
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c.unicode() - u'0');
    if (digits.isEmpty())
        return 0;

    // From the second-to-last digit back to the first, doubling every other one starting there.
    int sum = 0;
    bool doubled = true;
    for (qsizetype i = digits.size() - 2; i >= 0; --i, doubled = !doubled) {
        int value = doubled ? 2 * digits[i] : digits[i];
        if (value >= 10)
            value -= 9;
        sum += value;
    }
    if ((10 - sum % 10) % 10 != digits.last())
        return 0;
    return digits.first() - 2;
}

QString issuer(int code, const QString& text)
{
    switch (code) {
    case 1: {
        const QString first = CodePage::trimmed(text).left(2);
        for (const Prefix& known : kPrefixes)
            if (first == QLatin1String(known.prefix))
                return QString::fromLatin1(known.issuer);
        return {};
    }
    case 2: return QStringLiteral("Visa");
    case 3: return QStringLiteral("MasterCard");
    case 4: return QStringLiteral("Discover");
    default: return {};
    }
}

CheckAnswer check(const QString& text)
{
    const QString number = CodePage::trimmed(text);
    if (number.isEmpty())
        return {{MessageKind::Warning, kEmpty}, true};
    const int code = resultCode(text);
    if (code < 1 || code > 4)
        return {{MessageKind::Warning, kWrong}, false};
    const QString name = issuer(code, text);
    if (name.isEmpty())
        return {}; // a number of the 3 group that no issuer claims: nothing to say
    const QString message = QStringLiteral("Il numero di carta di credito ") + number
        + QStringLiteral(" risulta valido.\r\n\r\nLa carta di credito è del tipo ") + name + QLatin1Char('.');
    return {{MessageKind::Information, message}, false};
}

} // namespace CardCheck
