#include "payers/PayerEditor.h"

#include "data/CodePage.h"

namespace PayerEditor {
namespace {
const char* const kName = "txtEsecutore";
}

QStringList provinces()
{
    // "EE" stands for a foreign state. The list only helps: any two characters may be typed.
    return QStringLiteral(
               "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ "
               "EE EN FC FE FG FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT "
               "NA NO NU OG OR OT PA PC PD PE PG PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO "
               "SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE VI VR VT VV")
        .split(QLatin1Char(' '));
}

QString insertedText()
{
    return QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.");
}

QString changedText()
{
    return QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
}

Message accessError()
{
    return {MessageKind::Error, RecordEditor::accessText()};
}

Decision checkName(const QString& name)
{
    if (!CodePage::trimmed(name).isEmpty())
        return {};
    return {.message = {MessageKind::Warning,
                        QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il nome "
                                       "dell'Esecutore.")},
            .focus = QLatin1String(kName)};
}

Message clearRequest(const QString& position)
{
    if (CodePage::trimmed(position).isEmpty())
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: la cancellazione dei campi di una scheda pu\u00f2 avvenire soltanto dopo "
                               "che questa \u00e8 stata inserita in archivio.")};
    return {MessageKind::Confirmation,
            QStringLiteral("Per ottenere la cancellazione dei dati, \u00e8 necessario sovrascrivere la scheda con "
                           "nuove informazioni e premere Salva.\r\n\r\nSi vuole sovrascrivere la scheda corrente?")};
}

Decision cleared(const QString& position)
{
    return {.message = {MessageKind::Information,
                        QStringLiteral("Inserire i nuovi dati e premere Salva per sovrascrivere la scheda n. ")
                            + CodePage::trimmed(position) + QLatin1Char('.')},
            .focus = QLatin1String(kName)};
}

Decision move(Move move, const QString& position, qint64 count)
{
    if (count > 0)
        return RecordEditor::move(move, position, count);
    const Message empty{MessageKind::Information, RecordEditor::emptyArchiveText()};
    switch (move) {
    case Move::First:
    case Move::Last: return {.message = empty};
    case Move::Next:
        // The editor becomes a new payer.
        return {.message = empty, .position = QString()};
    case Move::Previous:
        if (CodePage::trimmed(position) == QLatin1String("1"))
            return {};
        return {.message = empty};
    }
    return {};
}

} // namespace PayerEditor
