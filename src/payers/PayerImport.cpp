#include "payers/PayerImport.h"

#include "checks/IbanCheck.h"
#include "checks/TaxCode.h"
#include "checks/VatNumber.h"
#include "data/CodePage.h"
#include "data/LayoutArchive.h"
#include "data/RecordArchive.h"
#include "lists/ListArchive.h"
#include "lists/ListLines.h"
#include "payers/PayerArchive.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <array>

namespace PayerImport {
namespace {

// Header names, written as normalise() leaves them, that call for a target: the editor's captions,
// the payer export's headings and the names offices give their columns.
struct Alias {
    const char* control; // or "nascita" for the date of birth, "ricontatta" for the recontact box
    const char* names;   // separated by "|"
};
const Alias kAliases[] = {
    {"txtEsecutore",
     "cognomeenome|cognomenome|cognomeenomeesecutore|cognomeenomeoragionesociale|nominativo|"
     "nome|ragionesociale|denominazione|esecutore|cliente|nomeecognome"},
    {"txtGG", "giornodinascita|giornonascita|gg|giorno"},
    {"txtMM", "mesedinascita|mesenascita|mm|mese"},
    {"txtAA", "annodinascita|annonascita|aa|anno|annodinascitaduecifre"},
    {"nascita", "datadinascita|datanascita|natoil|natail|nascita"},
    {"txtComuneNasc",
     "comunedinascita|comunenascita|luogodinascita|luogonascita|natoa|nataa|"
     "comunestatoesterodinascita|comuneostatoesterodinascita"},
    {"txtProvNasc", "provinciadinascita|provnascita|provdinascita|provincianascita"},
    {"txtSesso", "sesso|genere|mf"},
    {"txtRecapito", "recapito|recapitopreferenziale|recapitotelpreferenziale|recapitotelefonicopreferenziale"},
    {"txtIndirizzoRes",
     "indirizzo|indirizzodiresidenza|indirizzoresidenza|via|viapiazzaenumerocivico|"
     "residenzaviapiazzaenumerocivico|residentein"},
    {"txtProvRes", "provincia|prov|pr|provinciadiresidenza|provres|provinciaresidenza|sigla"},
    {"txtComuneRes", "comune|citta|comunediresidenza|comuneresidenza|localita|cittadiresidenza"},
    {"txtCapRes", "cap|codicepostale|capresidenza|capres"},
    {"txtCategoria", "categoria|categoriadiappartenenza"},
    {"txtTelCasa", "telefono|tel|telcasa|telefonocasa|telefonoabitazione|telabitazione"},
    {"txtTelUff", "telufficio|telefonoufficio|teluff|telefonolavoro"},
    {"txtTelCel", "cellulare|cell|telcellulare|telefonocellulare|mobile|telcel"},
    {"txtFax", "fax|telefax"},
    {"txtEmail", "email|mail|posta|postaelettronica|indirizzoemail"},
    {"txtCodFisc", "codicefiscale|cf|codfisc|codfiscale|codfis"},
    {"txtCarta", "cartadicredito|cartadicreditono|carta|numerocarta|cartadicreditonumero"},
    {"txtScadeCarta", "scadenzacarta|scadenza|scadecarta|scadenzacartadicredito"},
    {"txtPartitaIva", "partitaiva|piva|iva|partitaivano"},
    {"txtIban", "iban|codiceiban|contocorrenteiban"},
    {"txtTipoDoc", "tipodocumento|tipodoc|documento"},
    {"txtNumDoc", "numerodocumento|numdoc|ndocumento|nrdocumento"},
    {"txtEnteRil", "entedirilascio|enterilascio|rilasciatoda|enterilasciante"},
    {"txtDataRil", "datarilascio|datadirilascio|rilasciatoil"},
    {"txtDataSca", "datascadenza|datadiscadenza|scadenzadocumento|datascadenzadocumento"},
    {"txtCodTariffa", "codicetariffa|codtariffa|tariffa|codicevoceditariffa"},
    {"txtQuestioni", "questioni|questioniinsospeso"},
    {"ricontatta", "daricontattare|ricontattare|ricontatta"},
    {"txtNote", "note|annotazioni|nota"},
};

// Lower case, accents taken off, only letters and digits kept: "Città" and "CITTA'" are "citta".
QString normalise(const QString& text)
{
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            out.append(c.toLower());
    return out;
}

int fieldIndex(const char* control)
{
    const auto fields = PayerTyping::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (qstrcmp(fields[i].control, control) == 0)
            return int(i);
    return kNone;
}

int targetOf(const char* control)
{
    if (qstrcmp(control, "nascita") == 0)
        return kBirthDate;
    if (qstrcmp(control, "ricontatta") == 0)
        return kRecontact;
    return fieldIndex(control);
}

// Normalised name to target: the aliases, the editor's captions and the record field names.
const QHash<QString, int>& names()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> t;
        for (const Alias& alias : kAliases)
            for (const QString& name : QString::fromLatin1(alias.names).split(QLatin1Char('|')))
                t.insert(name, targetOf(alias.control));
        const auto fields = PayerTyping::fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            t.insert(normalise(QString::fromUtf8(fields[i].caption)), int(i));
            t.insert(normalise(PayerTyping::recordName(fields[i])), int(i));
        }
        return t;
    }();
    return table;
}

bool allDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// "gg/mm/aaaa" (also with "-" or "." and one-digit day or month, or a two-digit year) and
// "aaaa-mm-gg": day, month and the year's last two digits as they are written.
std::optional<std::array<QString, 3>> splitDate(const QString& text)
{
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})$"));
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QString date = CodePage::trimmed(text).section(QLatin1Char(' '), 0, 0); // a time after it goes
    if (const auto m = dmy.match(date); m.hasMatch())
        return std::array<QString, 3>{m.captured(1), m.captured(2), m.captured(3).right(2)};
    if (const auto m = ymd.match(date); m.hasMatch())
        return std::array<QString, 3>{m.captured(3), m.captured(2), m.captured(1).right(2)};
    return std::nullopt;
}

std::optional<bool> yesNo(const QString& text)
{
    const QString value = normalise(text);
    if (value.isEmpty())
        return std::nullopt;
    static const QStringList yes = {QStringLiteral("si"),  QStringLiteral("s"),    QStringLiteral("x"),
                                    QStringLiteral("1"),   QStringLiteral("vero"), QStringLiteral("true"),
                                    QStringLiteral("yes"), QStringLiteral("y")};
    return yes.contains(value);
}

Value value(const PayerTyping::Field& field, const QString& cell)
{
    const QString original = CodePage::trimmed(cell);
    const PayerTyping::Typed typed = PayerTyping::typed(field, original);
    Value v;
    v.original = cell;
    v.text = CodePage::trimmed(typed.text);
    v.cut = typed.cut;
    // What is stored, read back: the code page's "?" counts as a change too.
    v.changed = CodePage::decode(CodePage::encode(v.text)) != original;
    return v;
}

// The checks of the Italian numbers: a tax code of 16 characters carries its check letter, one of
// 11 digits (a body's) and a VAT number their check digit, an IBAN of 27 characters its check digits.
QStringList checks(const Row& row)
{
    QStringList problems;
    const auto text = [&row](const char* control) {
        const int i = fieldIndex(control);
        return row.values[size_t(i)].text;
    };
    const QString code = text("txtCodFisc");
    if (!code.isEmpty()) {
        if (code.size() == 11 && allDigits(code)) {
            if (!VatNumber::hasValidCheckDigit(code))
                problems << QStringLiteral("codice fiscale numerico errato");
        } else if (code.size() != 16) {
            problems << QStringLiteral("codice fiscale di lunghezza errata");
        } else if (TaxCode::checkCharacter(code) != code.at(15)) {
            problems << QStringLiteral("codice fiscale errato");
        }
    }
    const QString vat = text("txtPartitaIva");
    if (!vat.isEmpty() && !VatNumber::hasValidCheckDigit(vat))
        problems << QStringLiteral("partita IVA errata");
    const QString iban = text("txtIban");
    if (!iban.isEmpty() && (iban.size() != 27 || IbanCheck::remainder(iban) != 1))
        problems << QStringLiteral("IBAN errato");
    return problems;
}

} // namespace

// ---- The file ----

bool needsOffice(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ods") || suffix == QLatin1String("xlsx") || suffix == QLatin1String("xls");
}

QString officeProgram()
{
    for (const char* name : {"soffice", "libreoffice"}) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!program.isEmpty())
            return program;
    }
    return {};
}

Message officeMissing()
{
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: per leggere i fogli di calcolo .ods, .xlsx e .xls è necessario LibreOffice, "
                           "che non risulta installato.\n\r\n\rInstallare LibreOffice Calc, oppure aprire il file "
                           "con il proprio foglio di calcolo, salvarlo in formato CSV e importare quello.")};
}

Sheet read(const QString& path)
{
    Sheet sheet;
    const Message unreadable{MessageKind::Error,
                             QStringLiteral("Attenzione: non è stato possibile leggere il file\n\r\n\r%1")
                                 .arg(QDir::toNativeSeparators(path))};
    QString csvPath = path;
    QTemporaryDir work;
    if (needsOffice(path)) {
        const QString office = officeProgram();
        if (office.isEmpty()) {
            sheet.error = officeMissing();
            return sheet;
        }
        // A private profile: the user's own LibreOffice, open or not, is left alone. The sheet is
        // saved with ";", quotes around text and UTF-8, each cell as the sheet shows it.
        QProcess process;
        process.start(office,
                      {QStringLiteral("-env:UserInstallation=")
                           + QUrl::fromLocalFile(work.filePath(QStringLiteral("profilo"))).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):59,34,76,1,,1040,false,true,true"),
                       QStringLiteral("--outdir"), work.path(), path});
        if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            sheet.error = unreadable;
            return sheet;
        }
        csvPath = work.filePath(QFileInfo(path).completeBaseName() + QStringLiteral(".csv"));
    }
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly)) {
        sheet.error = unreadable;
        return sheet;
    }
    sheet.rows = CsvFile::read(file.readAll()).rows;
    sheet.ok = true;
    return sheet;
}

// ---- Columns and fields ----

const std::vector<Target>& targets()
{
    static const std::vector<Target> list = [] {
        std::vector<Target> t{{kNone, QStringLiteral("(non importare)")}};
        const auto fields = PayerTyping::fields();
        for (size_t i = 0; i < fields.size(); ++i) {
            t.push_back({int(i), QString::fromUtf8(fields[i].caption)});
            if (qstrcmp(fields[i].control, "txtAA") == 0)
                t.push_back({kBirthDate, QStringLiteral("Data di nascita (gg/mm/aaaa)")});
            if (qstrcmp(fields[i].control, "txtQuestioni") == 0)
                t.push_back({kRecontact, QStringLiteral("Da ricontattare (Sì/No)")});
        }
        return t;
    }();
    return list;
}

QString captionOf(int id)
{
    for (const Target& target : targets())
        if (target.id == id)
            return target.caption;
    return {};
}

QList<int> guess(const QStringList& header)
{
    QList<int> mapping;
    QSet<int> taken;
    for (const QString& name : header) {
        const int target = names().value(normalise(name), kNone);
        if (target == kNone || taken.contains(target)) {
            mapping.append(kNone);
            continue;
        }
        taken.insert(target);
        mapping.append(target);
    }
    return mapping;
}

bool looksLikeHeader(const QStringList& firstRow)
{
    const QList<int> mapping = guess(firstRow);
    return std::any_of(mapping.begin(), mapping.end(), [](int t) { return t != kNone; });
}

// ---- Rows ----

QString Row::taxCode() const
{
    return record.text("CodFisc");
}

QString Row::status() const
{
    QStringList parts;
    if (!error.isEmpty())
        parts << error;
    if (!existing.isEmpty()) {
        QStringList numbers;
        for (qint64 n : existing)
            numbers << QString::number(n);
        parts << (existing.size() == 1 ? QStringLiteral("già in archivio (scheda n. %1)")
                                       : QStringLiteral("già in archivio (schede n. %1)"))
                     .arg(numbers.join(QStringLiteral(", ")));
    }
    if (repeatOf > 0)
        parts << QStringLiteral("stesso codice fiscale della riga %1").arg(repeatOf);
    parts << problems;
    QStringList cut;
    const auto fields = PayerTyping::fields();
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i].cut)
            cut << QString::fromUtf8(fields[i].caption);
    if (!cut.isEmpty())
        parts << QStringLiteral("tagliati: ") + cut.join(QStringLiteral(", "));
    if (parts.isEmpty())
        return QStringLiteral("Nuovo");
    QString text = parts.join(QStringLiteral("; "));
    text[0] = text[0].toUpper();
    return text;
}

Row prepare(const QStringList& cells, const QList<int>& mapping, int line)
{
    const auto fields = PayerTyping::fields();
    Row row{.line = line, .values = std::vector<Value>(fields.size()), .record = PayerArchive::blank()};
    std::optional<std::array<QString, 3>> birth;
    bool birthUnread = false;
    for (qsizetype c = 0; c < cells.size() && c < mapping.size(); ++c) {
        const int target = mapping.at(c);
        if (target >= 0 && target < int(fields.size())) {
            row.values[size_t(target)] = value(fields[size_t(target)], cells.at(c));
        } else if (target == kBirthDate && !CodePage::trimmed(cells.at(c)).isEmpty()) {
            birth = splitDate(cells.at(c));
            birthUnread = !birth;
        } else if (target == kRecontact) {
            row.recontact = yesNo(cells.at(c));
        }
    }
    // The date in one cell fills the three fields that no column of their own fills.
    if (birth) {
        const char* parts[] = {"txtGG", "txtMM", "txtAA"};
        for (int p = 0; p < 3; ++p) {
            Value& v = row.values[size_t(fieldIndex(parts[p]))];
            if (v.text.isEmpty())
                v = value(fields[size_t(fieldIndex(parts[p]))], (*birth)[size_t(p)]);
        }
    }
    // Stored as the editor's Salva stores its controls: every field, the box, the empty attachments.
    for (size_t i = 0; i < fields.size(); ++i)
        row.record.setText(PayerTyping::recordIndex(fields[i]), row.values[i].text);
    row.record.setFlag("Ricontatta", row.recontact.value_or(false));

    if (!PayerEditor::checkName(row.values[size_t(fieldIndex("txtEsecutore"))].text).focus.isEmpty())
        row.error = QStringLiteral("manca il nome");
    row.problems = checks(row);
    if (birthUnread)
        row.problems << QStringLiteral("data di nascita non riconosciuta");
    return row;
}

std::vector<Row> prepareAll(const QList<QStringList>& sheet, bool header, const QList<int>& mapping)
{
    std::vector<Row> rows;
    for (qsizetype r = header ? 1 : 0; r < sheet.size(); ++r) {
        const QStringList& cells = sheet.at(r);
        bool any = false;
        for (qsizetype c = 0; c < cells.size() && c < mapping.size() && !any; ++c)
            any = mapping.at(c) != kNone && !CodePage::trimmed(cells.at(c)).isEmpty();
        if (any)
            rows.push_back(prepare(cells, mapping, int(r + 1)));
    }
    return rows;
}

Registry registry(const QString& path)
{
    Registry result;
    const RecordLayout& layout = PayerRecord::layout();
    static const int taxCode = ListLines::field(layout, "CodFisc");
    result.ok = ListArchive::scan(
        path, layout.size(),
        [&](const char* record, qint64 number) {
            const QString code = CodePage::upperAscii(ListLines::fieldText(layout, record, taxCode));
            if (!code.isEmpty())
                result.taxCodes[code].append(number);
            return true;
        },
        &result.error);
    return result;
}

void markDuplicates(std::vector<Row>& rows, const Registry& registry)
{
    QHash<QString, int> seen;
    for (Row& row : rows) {
        const QString code = CodePage::upperAscii(row.taxCode());
        row.existing.clear();
        row.repeatOf = 0;
        if (code.isEmpty())
            continue;
        row.existing = registry.taxCodes.value(code);
        if (seen.contains(code))
            row.repeatOf = seen.value(code);
        else
            seen.insert(code, row.line);
    }
}

bool tickedAtFirst(const Row& row, bool update)
{
    if (!row.error.isEmpty() || !row.problems.isEmpty() || row.repeatOf > 0)
        return false;
    return row.existing.isEmpty() || update;
}

// ---- Saving ----

Record updated(const Record& stored, const Row& row)
{
    // Loading writes every field, trimmed, into the controls; Salva stores them all again.
    Record record = PayerArchive::blank();
    const RecordLayout& layout = PayerRecord::layout();
    for (int i = 0; i < layout.fieldCount(); ++i)
        record.setText(i, stored.text(i));
    const auto fields = PayerTyping::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (!row.values[i].text.isEmpty())
            record.setText(PayerTyping::recordIndex(fields[i]), row.values[i].text);
    if (row.recontact)
        record.setFlag("Ricontatta", *row.recontact);
    else if (stored.flag("Ricontatta") != Record::Flag::Unknown)
        record.setFlag("Ricontatta", stored.flag("Ricontatta") == Record::Flag::Yes);
    return record;
}

Saved save(const QString& path, const std::vector<const Row*>& add, const std::vector<const Row*>& update)
{
    Saved saved;
    RecordArchive archive(path, PayerRecord::kSize);
    const auto failed = [&saved, &archive] {
        saved.error = archive.errorString();
        saved.busy = archive.busy();
        saved.busyHost = archive.busyHost();
    };
    // The records overwritten so far, with their former bytes, to put back should a later write fail.
    std::vector<std::pair<qint64, QByteArray>> done;
    const auto undo = [&] {
        for (auto it = done.rbegin(); it != done.rend(); ++it)
            if (!archive.overwrite(it->first, it->second, RecordArchive::Check::None))
                saved.restored = false;
    };
    for (const Row* row : update) {
        for (qint64 n : row->existing) {
            const std::optional<QByteArray> old = archive.read(n);
            if (!old) {
                failed();
                undo();
                return saved;
            }
            const Record record = updated(Record(PayerRecord::layout(), *old), *row);
            if (!archive.overwrite(n, record.bytes())) {
                failed();
                undo();
                return saved;
            }
            done.emplace_back(n, *old);
        }
    }
    if (!add.empty()) {
        QByteArray block;
        block.reserve(qsizetype(add.size()) * PayerRecord::kSize);
        for (const Row* row : add)
            block.append(row->record.bytes());
        const std::optional<qint64> last = archive.append(block);
        if (!last) {
            failed();
            undo();
            return saved;
        }
        saved.added = qint64(add.size());
        saved.first = *last - saved.added + 1;
    }
    saved.updated = qint64(done.size());
    saved.ok = true;
    saved.notice = archive.notice();
    return saved;
}

Message savedMessage(const Saved& saved)
{
    QStringList parts;
    if (saved.added == 1)
        parts << QStringLiteral("È stato inserito in archivio 1 nuovo Esecutore, con il numero %1.").arg(saved.first);
    else if (saved.added > 1)
        parts << QStringLiteral("Sono stati inseriti in archivio %1 nuovi Esecutori, dal numero %2 al numero %3.")
                     .arg(saved.added)
                     .arg(saved.first)
                     .arg(saved.first + saved.added - 1);
    if (saved.updated == 1)
        parts << QStringLiteral("È stata aggiornata 1 scheda già in archivio.");
    else if (saved.updated > 1)
        parts << QStringLiteral("Sono state aggiornate %1 schede già in archivio.").arg(saved.updated);
    return {MessageKind::Information, parts.join(QStringLiteral("\n\r\n\r"))};
}

Message failedMessage(const Saved& saved)
{
    QString text = ListArchive::accessText();
    text += saved.restored ? QStringLiteral("\n\r\n\rNessun Esecutore è stato importato: l'archivio è rimasto com'era.")
                           : QStringLiteral("\n\r\n\rAlcune schede aggiornate potrebbero non essere tornate come "
                                            "erano: controllarle con Verifica archivi.");
    return {MessageKind::Error, text};
}

Message question(qint64 add, qint64 update)
{
    QStringList parts;
    if (add == 1)
        parts << QStringLiteral("inserire in archivio 1 nuovo Esecutore");
    else if (add > 1)
        parts << QStringLiteral("inserire in archivio %1 nuovi Esecutori").arg(add);
    if (update == 1)
        parts << QStringLiteral("aggiornare 1 Esecutore già in archivio");
    else if (update > 1)
        parts << QStringLiteral("aggiornare %1 Esecutori già in archivio").arg(update);
    return {MessageKind::Confirmation, QStringLiteral("Si vuole %1?").arg(parts.join(QStringLiteral(" e ")))};
}

Message nothingChosen()
{
    return {MessageKind::Warning, QStringLiteral("Attenzione: nessuna riga è selezionata per l'importazione.")};
}

} // namespace PayerImport
