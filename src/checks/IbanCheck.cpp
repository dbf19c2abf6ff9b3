#include "checks/IbanCheck.h"

#include "data/CodePage.h"

namespace IbanCheck {
namespace {

constexpr qsizetype kLength = 27;

const QString kLengthWarning = QStringLiteral("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
const QString kValid = QStringLiteral("L'IBAN digitato è VALIDO.");
const QString kWrong = QStringLiteral("Attenzione: l'IBAN digitato è ERRATO!");

} // namespace

int remainder(const QString& iban)
{
    QString text = CodePage::upperAscii(iban);
    if (const qsizetype at = text.indexOf(QLatin1String("IBAN")); at >= 0)
        text.remove(at, 4);
    const qsizetype head = std::min<qsizetype>(4, text.size());
    text = text.mid(head) + text.left(head);

    QString digits;
    digits.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits += c;
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            digits += QString::number(c.unicode() - 55);
        else
            return 0; // not a number: such an IBAN cannot be right
    }

    // Piece by piece, so that no number read has more than nine digits.
    QString carry;
    qsizetype at = 0;
    qsizetype piece = 9;
    int rest = 0;
    while (at < digits.size()) {
        carry += QStringView(digits).mid(at, piece);
        at += piece;
        rest = static_cast<int>(carry.toLongLong() % 97);
        carry = QString::number(rest);
        piece = 9 - carry.size();
    }
    return rest;
}

CheckAnswer check(const QString& text)
{
    const QString iban = CodePage::trimmed(text);
    // Blanks inside count towards the length; the test runs without them.
    if (iban.size() != kLength)
        return {{MessageKind::Warning, kLengthWarning}, true};
    if (remainder(QString(iban).remove(QLatin1Char(' '))) == 1)
        return {{MessageKind::Information, kValid}, false};
    return {{MessageKind::Warning, kWrong}, false};
}

} // namespace IbanCheck
