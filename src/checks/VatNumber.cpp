#include "checks/VatNumber.h"

#include "data/CodePage.h"

namespace VatNumber {
namespace {

const QString kLength = QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kWrong = QStringLiteral(
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\nNon è quindi possibile fornire "
    "informazioni relative all'Ufficio IVA che lo ha rilasciato.");
const QString kValid = QStringLiteral(
    "Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del Comune di ");

} // namespace

bool hasValidCheckDigit(const QString& number)
{
    if (number.size() != 11)
        return false;
    int digits[11];
    for (int i = 0; i < 11; ++i) {
        const QChar c = number.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        digits[i] = c.unicode() - u'0';
    }
    int sum = 0;
    for (int i = 0; i < 10; ++i) {
        if (i % 2 == 0) {
            sum += digits[i]; // positions 1, 3, 5, 7, 9
        } else {
            const int doubled = 2 * digits[i];
            sum += doubled / 10 + doubled % 10;
        }
    }
    return (10 - sum % 10) % 10 == digits[10];
}

CheckAnswer check(const QString& text)
{
    const QString number = CodePage::upperAscii(text);
    if (number.size() != 11)
        return {{MessageKind::Warning, kLength}, true};
    if (!hasValidCheckDigit(number))
        return {{MessageKind::Warning, kWrong}, false};
    return {{MessageKind::Information, kValid + officeName(number.mid(7, 3)) + QLatin1Char('.')}, false};
}

} // namespace VatNumber
