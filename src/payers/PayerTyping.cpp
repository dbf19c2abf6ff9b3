#include "payers/PayerTyping.h"

#include "data/CodePage.h"
#include "payers/PayerRecord.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <iterator>

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

bool isBlank(QChar c)
{
    return c.unicode() <= 32;
}

// A key as typing it reaches the field: a line break or tab, which moves on in the editor, as a
// blank; another control character not at all (null).
QChar keyOf(QChar c)
{
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
        return QLatin1Char(' ');
    return c.unicode() < 32 ? QChar() : c;
}

// Whether a key would add anything the saved text keeps: not filtered out, not a blank (blanks
// after the last kept character are trimmed on saving, and a TU field drops them as they come).
bool keeps(const Field& field, QChar c)
{
    const QChar key = keyOf(c);
    if (key.isNull() || isBlank(key))
        return false;
    return !(field.rules & Behaviour::Digits) || isDigit(key);
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
    // Found once: the import asks for every cell of a file.
    static const std::array<int, std::size(kFields)> limits = [] {
        std::array<int, std::size(kFields)> list{};
        for (size_t i = 0; i < list.size(); ++i)
            list[i] = PayerRecord::layout().capacity(recordIndex(kFields[i]));
        return list;
    }();
    if (!std::less<>()(&field, std::begin(kFields)) && std::less<>()(&field, std::end(kFields)))
        return limits[size_t(&field - kFields)];
    return PayerRecord::layout().capacity(recordIndex(field));
}

const Field* find(const char* control)
{
    for (const Field& field : kFields)
        if (std::strcmp(field.control, control) == 0)
            return &field;
    return nullptr;
}

Typed typed(const Field& field, QStringView text)
{
    // Key by key, as the editor takes them: the typing rule shapes the field after each key, a full
    // field refuses more. Each key costs the same whatever came before, and once the field is full
    // the rest is only looked at for what it would have added. The field's text is built in place:
    // a large file types every cell of every row.
    const qsizetype max = limit(field);
    Typed result;
    // A key adds at most the units it came in.
    QString out(std::min(max, text.size()), Qt::Uninitialized);
    QChar* const data = out.data();
    qsizetype size = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar key = keyOf(text.at(i));
        if (key.isNull())
            continue;
        // A character outside the first 65 536 takes two units and comes as one key.
        const bool pair = key.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const qsizetype units = pair ? 2 : 1;
        if ((field.rules & Behaviour::Digits) && !isDigit(key)) {
            i += units - 1;
            continue;
        }
        if (size + units > max) {
            if (!isBlank(key))
                result.cut = true; // refused: something the field would have kept is lost
            if (size >= max) {
                for (qsizetype j = i + units; j < text.size() && !result.cut; ++j)
                    result.cut = keeps(field, text.at(j));
                break;
            }
            i += units - 1;
            continue;
        }
        if (const std::optional<QChar> typedKey = Behaviour::keyTyped(field.rules, key))
            data[size++] = *typedKey;
        if (pair)
            data[size++] = text.at(++i);
    }
    out.truncate(size);
    result.text = Behaviour::applyExit(field.exit, out);
    return result;
}

} // namespace PayerTyping
