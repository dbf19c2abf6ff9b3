#include "batch/BatchIssue.h"

#include "slips/SlipFromPayer.h"
#include "checks/TariffCodes.h"
#include "checks/TaxCode.h"
#include "checks/VatNumber.h"
#include "data/CodePage.h"
#include "data/RecordArchive.h"
#include "data/RecordScan.h"
#include "payers/PayerRecord.h"
#include "slips/AmountInWords.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"

#include <algorithm>
#include <memory>

namespace BatchIssue {
namespace {

int slotOf(const char* name)
{
    const auto fields = SlipFromPayer::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (qstrcmp(fields[i], name) == 0)
            return int(i);
    return -1;
}

bool allDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

QString key(const QString& tariff, const QString& year, const QString& taxCode, const QString& name)
{
    const QString payer = taxCode.isEmpty() ? QStringLiteral("N:") + CodePage::upperAscii(name)
                                            : QStringLiteral("C:") + CodePage::upperAscii(taxCode);
    return CodePage::upperAscii(tariff) + QLatin1Char('|') + year + QLatin1Char('|') + payer;
}

} // namespace

QString Payer::field(int slot) const
{
    qsizetype at = 0;
    for (int i = 0; at < m_fields.size(); ++i) {
        const qsizetype length = quint8(m_fields.at(at));
        if (i == slot)
            return CodePage::decode(m_fields.mid(at + 1, length));
        at += 1 + length;
    }
    return {};
}

QString Payer::field(const char* name) const
{
    const int slot = slotOf(name);
    return slot < 0 ? QString() : field(slot);
}

void Payer::setFields(const std::array<QString, 13>& texts)
{
    m_fields.clear();
    for (const QString& text : texts) {
        const QByteArray bytes = CodePage::encode(text).left(255);
        m_fields.append(char(quint8(bytes.size())));
        m_fields.append(bytes);
    }
    m_fields.squeeze();
}

void Payer::setField(int slot, const QString& text)
{
    std::array<QString, 13> texts;
    for (int i = 0; i < 13; ++i)
        texts[size_t(i)] = i == slot ? text : field(i);
    setFields(texts);
}

Payers choose(const QString& path, const Selection& selection)
{
    const RecordLayout& layout = PayerRecord::layout();
    static const int recontact = RecordScan::field(layout, "Ricontatta");
    static const int tariffField = RecordScan::field(layout, "CodTariffa");
    const QString tariff = CodePage::upperAscii(CodePage::trimmed(selection.tariff));

    // The criteria are matched as the payer search matches them: on stored bytes, A to Z folded,
    // every filled criterion must occur.
    struct Wanted {
        int field;
        QByteArray bytes;
    };
    std::vector<Wanted> keys;
    int filled = 0;
    if (selection.choice == Choice::Search) {
        filled = RecordScan::countCriteria(selection.criteria);
        for (const RecordScan::Criterion& criterion : selection.criteria) {
            const QString lower = CodePage::lowerAscii(criterion.text);
            const QByteArray bytes = CodePage::encode(lower);
            if (!lower.isEmpty() && CodePage::decode(bytes) == lower)
                keys.push_back({RecordScan::field(layout, criterion.field), bytes});
        }
    }

    std::vector<int> places;
    for (const char* name : SlipFromPayer::fields())
        places.push_back(RecordScan::field(layout, name));

    Payers result;
    result.ok = RecordScan::scan(
        path, layout.size(),
        [&](const char* record, qint64 number) {
            bool take = true;
            switch (selection.choice) {
            case Choice::All: break;
            case Choice::Tariff:
                take = CodePage::upperAscii(RecordScan::fieldText(layout, record, tariffField)) == tariff;
                break;
            case Choice::Recontact: take = RecordScan::fieldIs(layout, record, recontact, "S\xEC"); break;
            case Choice::Search: {
                int score = 0;
                for (const Wanted& k : keys)
                    if (RecordScan::fieldContains(layout, record, k.field, k.bytes))
                        ++score;
                take = score >= filled;
                break;
            }
            }
            if (!take)
                return true;
            Payer payer;
            payer.number = number;
            std::array<QString, 13> texts;
            for (size_t i = 0; i < places.size(); ++i)
                texts[i] = RecordScan::fieldText(layout, record, places[i]);
            payer.setFields(texts);
            payer.problem = problem(payer);
            result.payers.push_back(std::move(payer));
            return true;
        },
        &result.error);
    std::stable_sort(result.payers.begin(), result.payers.end(), [](const Payer& a, const Payer& b) {
        return a.name().compare(b.name(), Qt::CaseInsensitive) < 0;
    });
    return result;
}

QString problem(const Payer& payer)
{
    const QString code = CodePage::upperAscii(payer.taxCode());
    const bool body = code.size() == 11 && allDigits(code);
    QString codeProblem;
    if (code.isEmpty())
        codeProblem = QStringLiteral("codice fiscale mancante");
    else if (body)
        codeProblem = VatNumber::hasValidCheckDigit(code) ? QString() : QStringLiteral("partita IVA errata");
    else if (code.size() != 16)
        codeProblem = QStringLiteral("codice fiscale di lunghezza errata");
    else if (TaxCode::checkCharacter(code) != code.at(15))
        codeProblem = QStringLiteral("codice fiscale errato");

    struct Need {
        const char* field;
        const char* what;
        bool personOnly;
    };
    static constexpr Need kNeeds[] = {
        {"Esecutore", "cognome e nome", false},
        {"Sesso", "sesso", true},
        {"GG", "data di nascita", true},
        {"ComuneNasc", "comune di nascita", true},
        {"IndirizzoRes", "indirizzo", false},
        {"ComuneRes", "comune di residenza", false},
        {"ProvRes", "provincia di residenza", false},
        {"CapRes", "CAP", false},
    };
    QStringList missing;
    for (const Need& need : kNeeds) {
        if (need.personOnly && body)
            continue;
        bool empty = payer.field(need.field).isEmpty();
        // The date of birth is three fields: any of them missing leaves it incomplete.
        if (qstrcmp(need.field, "GG") == 0)
            empty = empty || payer.field("MM").isEmpty() || payer.field("AA").isEmpty();
        if (empty)
            missing << QString::fromLatin1(need.what);
    }
    QStringList parts;
    if (!codeProblem.isEmpty())
        parts << codeProblem;
    if (!missing.isEmpty())
        parts << QStringLiteral("mancano: ") + missing.join(QStringLiteral(", "));
    QString text = parts.join(QStringLiteral("; "));
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString tariffProblem(const Payer& payer)
{
    const QString code = CodePage::upperAscii(CodePage::trimmed(payer.field("CodTariffa")));
    if (code.isEmpty())
        return QStringLiteral("codice tariffa mancante");
    for (const char* entry : TariffCodes::entries())
        if (QLatin1String(entry, 4) == code)
            return {};
    return QStringLiteral("codice tariffa %1 non in elenco").arg(code);
}

QString warning(const Payer& payer, bool ownTariff)
{
    const QString tariff = ownTariff ? tariffProblem(payer) : QString();
    if (tariff.isEmpty())
        return payer.problem;
    if (payer.problem.isEmpty())
        return tariff.left(1).toUpper() + tariff.mid(1);
    return payer.problem + QStringLiteral("; ") + tariff;
}

std::optional<Message> check(const SlipData& data)
{
    const QString amount = CodePage::trimmed(data.amount);
    if (!amount.isEmpty() && (!allDigits(amount) || amount.size() > 8))
        return Message{MessageKind::Warning,
                       QStringLiteral("Attenzione: l'importo deve essere composto da non pi\u00f9 di otto cifre.")};
    const QString cents = CodePage::trimmed(data.cents);
    if (!cents.isEmpty() && !allDigits(cents))
        return Message{MessageKind::Warning,
                       QStringLiteral("Attenzione: i centesimi devono essere composti da cifre.")};
    return SlipEditor::checkDueDate(data.dueDate);
}

Record slip(const SlipData& data, const Payer& payer)
{
    Record record(SlipRecord::layout());
    const auto fields = SlipFromPayer::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        record.setText(fields[i], payer.field(int(i)));
    if (!CodePage::trimmed(data.tariff).isEmpty())
        record.setText("CodTariffa", data.tariff);

    // Typing the amount spells it (from the text as typed); Salva then tidies amount and cents.
    const SlipEditor::Amount amount = SlipEditor::tidyAmount(data.amount, data.cents);
    record.setText("Importo", amount.amount);
    record.setText("Cents", amount.cents);
    record.setText("ImpLettere", AmountInWords::spellDigits(data.amount));
    record.setText("CentLettere", amount.centsInWords);
    record.setText("Intero", amount.whole);
    // The year field takes its leading zero when the focus leaves it.
    const QString year = data.tariffYear;
    record.setText("AnnoTariffa", year.size() == 1 ? QLatin1Char('0') + year : year);
    record.setText("DataScade", data.dueDate);
    record.setText("DataPaga", QString());
    record.setText("Causale", data.reason);
    record.setText("Note", data.notes);
    record.setFlag("Saldato", false);
    record.setFlag("Rilascio", data.issue);
    record.setFlag("Annuale", data.yearly);
    record.setFlag("Integrazione", data.topUp);
    return record;
}

Slips::Slips(const SlipData& data, std::vector<Payer> payers)
    : count(qint64(payers.size()))
    , at([data, payers = std::make_shared<const std::vector<Payer>>(std::move(payers))](qint64 i) {
        return slip(data, (*payers)[size_t(i)]);
    })
{}

Slips::Slips(const std::vector<Record>& records)
    : count(qint64(records.size()))
    , at([&records](qint64 i) { return records[size_t(i)]; })
{}

QString issueKey(const Record& slip)
{
    return key(slip.text("CodTariffa"), slip.text("AnnoTariffa"), slip.text("CodFisc"), slip.text("Esecutore"));
}

Duplicates duplicates(const QString& path, const Slips& slips)
{
    const RecordLayout& layout = SlipRecord::layout();
    static const int tariff = RecordScan::field(layout, "CodTariffa");
    static const int year = RecordScan::field(layout, "AnnoTariffa");
    static const int taxCode = RecordScan::field(layout, "CodFisc");
    static const int name = RecordScan::field(layout, "Esecutore");

    // The batch's keys by their hash, with the slip each belongs to: sixteen bytes a slip, however
    // long the batch. A hash that matches is confirmed on the key itself, made again.
    using Entry = std::pair<size_t, qint64>;
    std::vector<Entry> wanted;
    wanted.reserve(size_t(slips.count));
    for (qint64 i = 0; i < slips.count; ++i)
        wanted.emplace_back(qHash(issueKey(slips.at(i))), i);
    std::sort(wanted.begin(), wanted.end());
    const auto slipsWith = [&](const QString& k) {
        std::vector<qint64> same;
        const auto range = std::equal_range(wanted.begin(), wanted.end(), Entry{qHash(k), -1},
                                            [](const Entry& a, const Entry& b) { return a.first < b.first; });
        for (auto it = range.first; it != range.second; ++it)
            if (issueKey(slips.at(it->second)) == k)
                same.push_back(it->second);
        return same;
    };

    Duplicates result;
    result.found.assign(size_t(slips.count), false);
    result.ok = RecordScan::scan(
        path, layout.size(),
        [&](const char* record, qint64) {
            const QString k =
                key(RecordScan::fieldText(layout, record, tariff), RecordScan::fieldText(layout, record, year),
                    RecordScan::fieldText(layout, record, taxCode), RecordScan::fieldText(layout, record, name));
            for (qint64 i : slipsWith(k))
                result.found[size_t(i)] = true;
            return true;
        },
        &result.error);
    result.inArchive = int(std::count(result.found.begin(), result.found.end(), true));
    // A payer chosen twice: the later slips repeat the first. The entries of one hash lie together,
    // in slip order. Those the archive holds already are counted once, as the archive's.
    for (auto from = wanted.begin(); from != wanted.end();) {
        const auto to = std::find_if(from, wanted.end(), [from](const Entry& e) { return e.first != from->first; });
        if (to - from > 1) {
            std::vector<QString> seen;
            for (auto it = from; it != to; ++it) {
                const QString k = issueKey(slips.at(it->second));
                if (std::find(seen.begin(), seen.end(), k) == seen.end()) {
                    seen.push_back(k);
                } else if (!result.found[size_t(it->second)]) {
                    result.found[size_t(it->second)] = true;
                    ++result.inBatch;
                }
            }
        }
        from = to;
    }
    result.count = result.inArchive + result.inBatch;
    return result;
}

Message duplicateQuestion(const Duplicates& found)
{
    QStringList parts;
    if (found.inArchive == 1)
        parts << QStringLiteral(
            "per 1 Esecutore l'archivio contiene gi\u00e0 un bollettino con lo stesso codice tariffa "
            "e lo stesso anno");
    else if (found.inArchive > 1)
        parts << QStringLiteral("per %1 Esecutori l'archivio contiene gi\u00e0 un bollettino con lo stesso codice "
                                "tariffa e lo stesso anno")
                     .arg(found.inArchive);
    if (found.inBatch == 1)
        parts << QStringLiteral("in questo elenco 1 bollettino ne ripete un altro (stesso Esecutore, codice tariffa "
                                "e anno)");
    else if (found.inBatch > 1)
        parts << QStringLiteral("in questo elenco %1 bollettini ne ripetono altri (stesso Esecutore, codice tariffa "
                                "e anno)")
                     .arg(found.inBatch);
    const QString question = found.inArchive + found.inBatch == 1
        ? QStringLiteral("Inserirlo comunque? Scegliendo No verr\u00e0 escluso.")
        : QStringLiteral("Inserirli comunque? Scegliendo No verranno esclusi.");
    Message message{MessageKind::Confirmation,
                    QStringLiteral("Attenzione: ") + parts.join(QStringLiteral(", e ")) + QStringLiteral(".\n\r\n\r")
                        + question};
    message.noByDefault = true;
    return message;
}

Message nothingSaved()
{
    return {MessageKind::Information,
            QStringLiteral("Nessun bollettino \u00e8 stato inserito in archivio: tutti quelli selezionati erano "
                           "gi\u00e0 presenti.")};
}

Message saveQuestion(qint64 count)
{
    if (count == 1)
        return {MessageKind::Confirmation, QStringLiteral("Si vuole inserire in archivio 1 bollettino?")};
    return {MessageKind::Confirmation, QStringLiteral("Si vogliono inserire in archivio %1 bollettini?").arg(count)};
}

Saved append(const QString& path, const Slips& slips)
{
    Saved saved;
    if (slips.count == 0) {
        saved.ok = true;
        return saved;
    }
    RecordArchive archive(path, SlipRecord::kSize);
    const std::optional<qint64> last = archive.append(slips.count, [&slips](qint64 i) { return slips.at(i).bytes(); });
    if (!last) {
        saved.error = archive.errorString();
        return saved;
    }
    saved.ok = true;
    saved.count = slips.count;
    saved.first = *last - saved.count + 1;
    saved.notice = archive.notice();
    return saved;
}

Message savedMessage(const Saved& saved)
{
    if (saved.count == 1)
        return {MessageKind::Information,
                QStringLiteral("\u00c8 stata inserita in archivio 1 scheda, con il numero %1.").arg(saved.first)};
    return {MessageKind::Information,
            QStringLiteral("Sono state inserite in archivio %1 schede, dalla numero %2 alla numero %3.")
                .arg(saved.count)
                .arg(saved.first)
                .arg(saved.first + saved.count - 1)};
}

Message nothingChosen()
{
    return {MessageKind::Warning, QStringLiteral("Attenzione: nessun Esecutore \u00e8 selezionato.")};
}

} // namespace BatchIssue
