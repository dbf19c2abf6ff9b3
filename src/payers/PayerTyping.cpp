#include "payers/PayerTyping.h"

#include "data/CodePage.h"
#include "payers/PayerRecord.h"

#include <cstring>

namespace PayerTyping {
namespace {

using namespace Behaviour;

constexpr unsigned kProvince = Highlight | TrimUpper | ClearSelection;

// U upper-case, TU trim and upper-case, D digits, T trim on leaving.
constexpr Field kFields[] = {
    {"txtEsecutore", Highlight | Upper, "txtGG", Exit::None, "Cognome e nome o ragione sociale"},
    {"txtGG", Highlight | Upper, "txtMM", Exit::None, "Giorno di nascita"},
    {"txtMM", Highlight | Upper, "txtAA", Exit::None, "Mese di nascita"},
    {"txtAA", Highlight | Upper, "txtComuneNasc", Exit::None, "Anno di nascita (due cifre)"},
    {"txtComuneNasc", Highlight | Upper, "txtProvNasc", Exit::None, "Comune di nascita"},
    {"txtProvNasc", kProvince, "txtSesso", Exit::TrimUpper, "Provincia di nascita"},
    {"txtSesso", Highlight | Upper, "txtRecapito", Exit::None, "Sesso"},
    {"txtRecapito", Highlight, "txtIndirizzoRes", Exit::None, "Recapito preferenziale"},
    {"txtIndirizzoRes", Highlight | Upper, "txtProvRes", Exit::None, "Via / Piazza e numero civico"},
    {"txtProvRes", kProvince, "txtComuneRes", Exit::TrimUpper, "Provincia di residenza"},
    {"txtComuneRes", Highlight | Upper, "txtCapRes", Exit::None, "Comune di residenza"},
    {"txtCapRes", Highlight | Upper, "txtCategoria", Exit::None, "CAP"},
    {"txtCategoria", Highlight, "txtTelCasa", Exit::None, "Categoria di appartenenza"},
    {"txtTelCasa", Highlight, "txtTelUff", Exit::None, "Tel. casa"},
    {"txtTelUff", Highlight, "txtTelCel", Exit::None, "Tel. ufficio"},
    {"txtTelCel", Highlight, "txtFax", Exit::None, "Tel. cellulare"},
    {"txtFax", Highlight, "txtEmail", Exit::None, "Fax"},
    {"txtEmail", Highlight, "txtCodFisc", Exit::Trim, "E-mail"},
    {"txtCodFisc", Highlight | TrimUpper, "txtCarta", Exit::TrimUpper, "Codice fiscale"},
    {"txtCarta", Highlight | Digits, "txtScadeCarta", Exit::None, "Carta di credito n."},
    {"txtScadeCarta", Highlight, "txtPartitaIva", Exit::None, "Scadenza carta"},
    {"txtPartitaIva", Highlight | Digits, "txtIban", Exit::None, "Partita IVA"},
    {"txtIban", Highlight | TrimUpper, "txtTipoDoc", Exit::TrimUpper, "IBAN"},
    {"txtTipoDoc", Highlight, "txtNumDoc", Exit::None, "Tipo documento"},
    {"txtNumDoc", Highlight, "txtEnteRil", Exit::None, "Numero documento"},
    {"txtEnteRil", Highlight, "txtDataRil", Exit::None, "Ente di rilascio"},
    {"txtDataRil", Highlight, "txtDataSca", Exit::None, "Data rilascio"},
    {"txtDataSca", Highlight, "txtCodTariffa", Exit::None, "Data scadenza"},
    {"txtCodTariffa", Highlight | Upper, "txtQuestioni", Exit::None, "Codice tariffa"},
    // Enter passes over the recontact box; Tab stops on it.
    {"txtQuestioni", Highlight, "txtNote", Exit::None, "Questioni in sospeso"},
    {"txtNote", Highlight, "txtEsecutore", Exit::None, "Note"},
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Types text key by key into a field holding at most max characters (-1: no limit).
QString typeInto(const Field& field, const QString& text, int max)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString key(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            key.append(text.at(++i)); // one character, as one key types it
        if (key == QLatin1String("\r") || key == QLatin1String("\n") || key == QLatin1String("\t"))
            key = QStringLiteral(" ");
        else if (key.size() == 1 && key.at(0).unicode() < 32)
            continue;
        if ((field.rules & Behaviour::Digits) && !isDigit(key.at(0)))
            continue;
        if (max >= 0 && out.size() + key.size() > max)
            continue; // a full field takes no more
        out = Behaviour::applyRule(field.rules, out + key);
    }
    return Behaviour::applyExit(field.exit, out);
}

} // namespace

std::span<const Field> fields()
{
    return kFields;
}

QString recordName(const Field& field)
{
    return QString::fromLatin1(field.control + 3);
}

int recordIndex(const Field& field)
{
    return PayerRecord::layout().indexOf(field.control + 3);
}

int limit(const Field& field)
{
    return PayerRecord::layout().capacity(recordIndex(field));
}

const Field* find(const char* control)
{
    for (const Field& field : kFields)
        if (std::strcmp(field.control, control) == 0)
            return &field;
    return nullptr;
}

Typed typed(const Field& field, const QString& text)
{
    Typed result;
    result.text = typeInto(field, text, limit(field));
    // Cut: the limit took away more than the blanks that saving trims anyway.
    result.cut = CodePage::trimmed(result.text) != CodePage::trimmed(typeInto(field, text, -1));
    return result;
}

} // namespace PayerTyping
