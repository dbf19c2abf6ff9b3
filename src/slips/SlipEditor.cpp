#include "slips/SlipEditor.h"

#include "data/CodePage.h"
#include "data/Formats.h"

namespace SlipEditor {

Amount tidyAmount(const QString& amountText, const QString& centsText)
{
    Amount out;
    out.amount = CodePage::trimmed(amountText).isEmpty() ? QStringLiteral("0") : amountText;
    QString cents = centsText.left(2);
    if (CodePage::trimmed(cents).isEmpty())
        cents = QStringLiteral("00");
    else if (cents.size() == 1)
        cents = CodePage::trimmed(cents) + QLatin1Char('0');
    out.cents = cents;
    out.centsInWords = cents;
    out.whole = CodePage::trimmed(out.amount) + Formats::decimalSeparator + CodePage::trimmed(cents);
    return out;
}

std::optional<Message> checkYear(const QString& year)
{
    if (year.size() == 4)
        return std::nullopt;
    return Message{MessageKind::Warning,
                   QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.")};
}

std::optional<Message> checkDueDate(const QString& dueDate)
{
    const QString due = CodePage::trimmed(dueDate);
    if (due.isEmpty())
        return Message{MessageKind::Warning,
                       QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario "
                                      "indicare la data di scadenza del versamento.")};
    if (!Formats::textToDate(due))
        return Message{MessageKind::Warning,
                       QStringLiteral("Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                                      "\u00e8 necessario indicare una data valida nel formato gg/mm/anno.")};
    return std::nullopt;
}

std::optional<Message> checkDuplicate(const QString& position)
{
    if (!CodePage::trimmed(position).isEmpty())
        return std::nullopt;
    return Message{MessageKind::Warning,
                   QStringLiteral("Attenzione: la duplicazione di una scheda pu\u00f2 avvenire "
                                  "soltanto dopo che questa \u00e8 stata inserita in archivio.")};
}

QString insertedText()
{
    return QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.");
}
QString changedText()
{
    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
}
QString duplicatedText()
{
    return QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                          "premere Salva per inserire la scheda in archivio.");
}
QString readyText()
{
    return QStringLiteral("Pronto per archiviare una nuova scheda...");
}

} // namespace SlipEditor
