#include "payers/PayerImport.h"

#include "checks/IbanCheck.h"
#include "checks/TaxCode.h"
#include "checks/VatNumber.h"
#include "data/CodePage.h"
#include "data/LayoutArchive.h"
#include "data/RecordArchive.h"
#include "data/RecordEditor.h"
#include "data/RecordScan.h"
#include "payers/PayerArchive.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStringView>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <array>
#include <thread>

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

// The fields each row's checks look at, found once: every row of a large file asks for them.
struct Fields {
    int name = fieldIndex("txtEsecutore");
    int taxCode = fieldIndex("txtCodFisc");
    int vat = fieldIndex("txtPartitaIva");
    int iban = fieldIndex("txtIban");
    int sex = fieldIndex("txtSesso");
    int day = fieldIndex("txtGG");
    int month = fieldIndex("txtMM");
    int year = fieldIndex("txtAA");
    int postcode = fieldIndex("txtCapRes");
    int card = fieldIndex("txtCarta");
    std::array<int, 4> phones = {fieldIndex("txtTelCasa"), fieldIndex("txtTelUff"), fieldIndex("txtTelCel"),
                                 fieldIndex("txtFax")};
};
const Fields& known()
{
    static const Fields fields;
    return fields;
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

// The cell as the preview's tooltip tells it: a long one by its start.
QString shown(QStringView cell)
{
    constexpr qsizetype kShown = 300;
    return cell.size() <= kShown ? cell.toString() : cell.left(kShown).toString() + QChar(0x2026);
}

// The cell typed into the field as it stands, blanks at the start included: they take room in the
// field as in the editor, and saving trims them afterwards.
Value value(const PayerTyping::Field& field, QStringView cell)
{
    const PayerTyping::Typed typed = PayerTyping::typed(field, cell);
    const QStringView original = CodePage::trimmed(QStringView(cell));
    Value v;
    v.text = CodePage::trimmed(typed.text);
    v.cut = typed.cut;
    // What is stored, read back: the code page's "?" counts as a change too.
    v.changed = CodePage::stored(v.text) != original;
    if (v.cut || v.changed)
        v.original = shown(original);
    return v;
}

// Codes a spreadsheet took for numbers when it opened the file: leading zeros dropped ("00100"
// became 100) or, for long ones, the number written with an exponent (the digits are lost). A code
// given back its zeros is stored so, with a note; a lost one is a problem.
QString zeros(int count)
{
    return QString(count, QLatin1Char('0'));
}

void mendNumbers(Row& row, const QStringList& cells, const QList<int>& mapping)
{
    static const QRegularExpression exponent(QStringLiteral("^\\d+([.,]\\d+)?[eE]\\+?\\d+$"));
    const auto fields = PayerTyping::fields();
    const Fields& f = known();
    const auto complete = [&row, &fields](int field, const QString& text, const QString& note) {
        Value& v = row.values[size_t(field)];
        row.notes << note.arg(QString::fromUtf8(fields[size_t(field)].caption)).arg(v.text.size()).arg(text);
        if (v.original.isEmpty())
            v.original = v.text;
        v.text = text;
        v.completed = true;
        v.changed = true;
    };
    for (qsizetype c = 0; c < cells.size() && c < mapping.size(); ++c) {
        const int field = mapping.at(c);
        const bool phone = std::find(f.phones.begin(), f.phones.end(), field) != f.phones.end();
        if (!phone && field != f.postcode && field != f.vat && field != f.taxCode && field != f.card)
            continue;
        const QString text = row.values[size_t(field)].text;
        const QString cell = CodePage::trimmed(cells.at(c));
        const bool maybeExponent = cell.contains(QLatin1Char('e'), Qt::CaseInsensitive);
        if (maybeExponent && exponent.match(cell).hasMatch()) {
            row.problems << QStringLiteral("%1: numero con esponente (%2), cifre perse")
                                .arg(QString::fromUtf8(fields[size_t(field)].caption), cell);
            continue;
        }
        if (!allDigits(text))
            continue;
        if (field == f.postcode && text.size() < 5) {
            complete(field, zeros(5 - int(text.size())) + text, QStringLiteral("%1 di %2 cifre, completato in %3"));
        } else if ((field == f.vat || field == f.taxCode) && text.size() < 11) {
            // Only when the zeros make a right number: otherwise the check says it is wrong.
            const QString padded = zeros(11 - int(text.size())) + text;
            if (VatNumber::hasValidCheckDigit(padded))
                complete(field, padded,
                         field == f.vat ? QStringLiteral("%1 di %2 cifre, completata in %3")
                                        : QStringLiteral("%1 di %2 cifre, completato in %3"));
        } else if (phone && text.size() >= 5 && text.size() <= 10 && !text.startsWith(QLatin1Char('0'))
                   && !text.startsWith(QLatin1Char('3')) && !text.startsWith(QLatin1String("800"))
                   && !text.startsWith(QLatin1String("803")) && !text.startsWith(QLatin1String("89"))) {
            // Italian landlines start with 0, mobiles with 3, free and premium numbers with 80 and
            // 89: anything else of this length lost its 0.
            complete(field, QLatin1Char('0') + text,
                     QStringLiteral("%1 senza lo 0 iniziale (%2 cifre), completato in %3"));
        }
    }
}

// The sex and date of birth the file leaves empty, read from a right tax code. The date only when
// none of its three fields has a value: a date half from the file, half from the code would be
// neither.
void derive(Row& row)
{
    const auto fields = PayerTyping::fields();
    const Fields& f = known();
    const std::optional<TaxCode::Birth> birth = TaxCode::birth(row.values[size_t(f.taxCode)].text);
    if (!birth)
        return;
    const auto fill = [&](int field, const QString& text) {
        Value& v = row.values[size_t(field)];
        v = value(fields[size_t(field)], text);
        v.derived = true;
        v.changed = false;
        v.original.clear();
    };
    if (row.values[size_t(f.sex)].text.isEmpty())
        fill(f.sex, birth->sex);
    const bool noDate = row.values[size_t(f.day)].text.isEmpty() && row.values[size_t(f.month)].text.isEmpty()
        && row.values[size_t(f.year)].text.isEmpty();
    if (noDate) {
        fill(f.day, birth->day);
        fill(f.month, birth->month);
        fill(f.year, birth->year);
    }
}

// The checks of the Italian numbers: a tax code of 16 characters carries its check letter, one of
// 11 digits (a body's) and a VAT number their check digit, an IBAN of 27 characters its check digits.
QStringList checks(const Row& row)
{
    QStringList problems;
    const Fields& f = known();
    const auto text = [&row](int field) { return row.values[size_t(field)].text; };
    const QString code = text(f.taxCode);
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
    const QString vat = text(f.vat);
    if (!vat.isEmpty() && !VatNumber::hasValidCheckDigit(vat))
        problems << QStringLiteral("partita IVA errata");
    const QString iban = text(f.iban);
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
    sheet.csv = file.readAll();
    sheet.table = CsvFile::read(sheet.csv);
    sheet.ok = true;
    return sheet;
}

const std::vector<Separator>& separators()
{
    static const std::vector<Separator> list = {
        {QLatin1Char(';'), QStringLiteral("Punto e virgola ( ; )")},
        {QLatin1Char(','), QStringLiteral("Virgola ( , )")},
        {QLatin1Char('\t'), QStringLiteral("Tabulazione")},
    };
    return list;
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
    // As the record holds it, whether or not the record is made yet.
    const int field = known().taxCode;
    if (values.size() <= size_t(field))
        return record.text("CodFisc");
    return CodePage::trimmed(CodePage::stored(values[size_t(field)].text));
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
    parts << problems << notes;
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

namespace {

// prepare without the record: what the preview needs of every row.
Row prepareValues(const QStringList& cells, const QList<int>& mapping, int line, qsizetype headerWidth)
{
    const auto fields = PayerTyping::fields();
    // The record is made only when the row is saved: until then every row shares one empty record.
    static const Record empty(PayerRecord::layout());
    Row row{.line = line, .values = std::vector<Value>(fields.size()), .record = empty};
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
        const int parts[] = {known().day, known().month, known().year};
        for (int p = 0; p < 3; ++p) {
            Value& v = row.values[size_t(parts[p])];
            if (v.text.isEmpty())
                v = value(fields[size_t(parts[p])], (*birth)[size_t(p)]);
        }
    }
    mendNumbers(row, cells, mapping);
    derive(row);

    if (!PayerEditor::checkName(row.values[size_t(known().name)].text).focus.isEmpty())
        row.error = QStringLiteral("manca il nome");
    // More cells than header names: most likely a separator inside a value moved the cells after it.
    if (headerWidth >= 0) {
        qsizetype width = cells.size();
        while (width > headerWidth && CodePage::trimmed(cells.at(width - 1)).isEmpty())
            --width;
        if (width > headerWidth)
            row.problems << QStringLiteral("la riga ha %1 celle, l'intestazione %2").arg(width).arg(headerWidth);
    }
    row.problems << checks(row);
    if (birthUnread)
        row.problems << QStringLiteral("data di nascita non riconosciuta");
    return row;
}

// Stored as the editor's Salva stores its controls: every field, the box, the empty attachments.
void fillRecord(Row& row)
{
    const auto fields = PayerTyping::fields();
    row.record = PayerArchive::blank();
    for (size_t i = 0; i < fields.size(); ++i)
        row.record.setText(PayerTyping::recordIndex(fields[i]), row.values[i].text);
    row.record.setFlag("Ricontatta", row.recontact.value_or(false));
}

bool hasValue(const QStringList& cells, const QList<int>& mapping)
{
    for (qsizetype c = 0; c < cells.size() && c < mapping.size(); ++c)
        if (mapping.at(c) != kNone && !CodePage::trimmed(cells.at(c)).isEmpty())
            return true;
    return false;
}

} // namespace

Row prepare(const QStringList& cells, const QList<int>& mapping, int line, qsizetype headerWidth)
{
    Row row = prepareValues(cells, mapping, line, headerWidth);
    fillRecord(row);
    return row;
}

std::vector<Row> prepareAll(const QList<QStringList>& sheet, bool header, const QList<int>& mapping)
{
    std::vector<Row> rows;
    const qsizetype headerWidth = header && !sheet.isEmpty() ? sheet.first().size() : -1;
    for (qsizetype r = header ? 1 : 0; r < sheet.size(); ++r)
        if (hasValue(sheet.at(r), mapping))
            rows.push_back(prepare(sheet.at(r), mapping, int(r + 1), headerWidth));
    return rows;
}

Registry registry(const QString& path)
{
    Registry result;
    const RecordLayout& layout = PayerRecord::layout();
    static const int taxCode = RecordScan::field(layout, "CodFisc");
    result.ok = RecordScan::scan(
        path, layout.size(),
        [&](const char* record, qint64 number) {
            const QString code = CodePage::upperAscii(RecordScan::fieldText(layout, record, taxCode));
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

bool tickedAtFirst(const Brief& brief, bool update)
{
    if (!brief.importable || !brief.clean || brief.repeatOf > 0)
        return false;
    return brief.existing.isEmpty() || update;
}

namespace {

// What the preview keeps of a prepared row, and its tax code for the duplicates.
struct Prepared {
    qsizetype record = 0;
    int line = 0;
    bool importable = true;
    bool clean = true;
    quint64 fields = 0;
    QString code;
};

// Rows first to last of the sheet, each prepared on its own: the rows share nothing but the
// sheet, which is only read, so that slices of a large file are prepared side by side.
std::vector<Prepared> prepareSlice(const CsvFile::Records& sheet, const QList<int>& mapping, qsizetype first,
                                   qsizetype last, qsizetype headerWidth)
{
    std::vector<Prepared> out;
    out.reserve(size_t(last - first));
    for (qsizetype r = first; r < last; ++r) {
        const QStringList cells = sheet.row(r);
        if (!hasValue(cells, mapping))
            continue;
        const Row row = prepareValues(cells, mapping, int(r + 1), headerWidth);
        Prepared p{.record = r, .line = row.line, .importable = row.error.isEmpty(), .clean = row.problems.isEmpty()};
        for (size_t f = 0; f < row.values.size(); ++f)
            if (!row.values[f].text.isEmpty())
                p.fields |= quint64(1) << f;
        p.code = CodePage::upperAscii(row.taxCode());
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace

Preview::Preview(std::shared_ptr<const CsvFile::Records> sheet, bool header, QList<int> mapping,
                 const Registry& registry)
    : m_sheet(std::move(sheet))
    , m_header(header)
    , m_mapping(std::move(mapping))
{
    const qsizetype headerWidth = header && !m_sheet->isEmpty() ? m_sheet->cellCount(0) : -1;
    const qsizetype first = header ? 1 : 0;
    const qsizetype count = std::max<qsizetype>(0, m_sheet->size() - first);
    // A large file is prepared in slices, one per processor; a small one in this thread.
    constexpr qsizetype kSliceAtLeast = 2000;
    const qsizetype slices =
        std::clamp<qsizetype>(count / kSliceAtLeast, 1, std::max(1, int(std::thread::hardware_concurrency())));
    std::vector<std::vector<Prepared>> prepared(static_cast<size_t>(slices));
    {
        std::vector<std::thread> workers;
        for (qsizetype s = 0; s < slices; ++s) {
            const qsizetype from = first + count * s / slices;
            const qsizetype to = first + count * (s + 1) / slices;
            const auto work = [&, s, from, to] {
                prepared[size_t(s)] = prepareSlice(*m_sheet, m_mapping, from, to, headerWidth);
            };
            if (s + 1 == slices)
                work();
            else
                workers.emplace_back(work);
        }
        for (std::thread& worker : workers)
            worker.join();
    }
    // The registry's records and the earlier line of each tax code (as its code page bytes: a row
    // costs what its code does), in the file's order.
    QHash<QByteArray, int> seen;
    for (std::vector<Prepared>& slice : prepared) {
        for (Prepared& p : slice) {
            Brief brief{.record = p.record, .importable = p.importable, .clean = p.clean};
            m_fields |= p.fields;
            if (!p.code.isEmpty()) {
                brief.existing = registry.taxCodes.value(p.code);
                const QByteArray key = CodePage::encode(p.code);
                if (const auto it = seen.constFind(key); it != seen.constEnd())
                    brief.repeatOf = it.value();
                else
                    seen.insert(key, p.line);
            }
            m_briefs.push_back(std::move(brief));
        }
        slice = {};
    }
    m_briefs.shrink_to_fit();
}

Row Preview::row(qsizetype r) const
{
    const Brief& b = m_briefs[size_t(r)];
    const qsizetype headerWidth = m_header && !m_sheet->isEmpty() ? m_sheet->cellCount(0) : -1;
    Row row = prepare(m_sheet->row(b.record), m_mapping, int(b.record + 1), headerWidth);
    row.existing = b.existing;
    row.repeatOf = b.repeatOf;
    return row;
}

std::vector<int> Preview::fields() const
{
    std::vector<int> list;
    for (int f = 0; f < int(PayerTyping::fields().size()); ++f)
        if (m_fields & (quint64(1) << f))
            list.push_back(f);
    return list;
}

// ---- Saving ----

Record updated(const Record& stored, const Row& row)
{
    // Loading writes every field, trimmed, into the controls; Salva stores them all again.
    Record record = PayerArchive::blank();
    const RecordLayout& layout = PayerRecord::layout();
    for (int i = 0; i < layout.fieldCount(); ++i)
        record.setText(i, stored.text(i));
    // What the tax code gave goes only where the stored payer has nothing (the date only whole).
    const auto fields = PayerTyping::fields();
    const int sex = stored.layout().indexOf("Sesso");
    const bool storedDate =
        !stored.text("GG").isEmpty() || !stored.text("MM").isEmpty() || !stored.text("AA").isEmpty();
    for (size_t i = 0; i < fields.size(); ++i) {
        const Value& v = row.values[i];
        const int index = PayerTyping::recordIndex(fields[i]);
        if (v.text.isEmpty())
            continue;
        if (v.derived && (index == sex ? !stored.text(index).isEmpty() : storedDate))
            continue;
        record.setText(index, v.text);
    }
    if (row.recontact)
        record.setFlag("Ricontatta", *row.recontact);
    else if (stored.flag("Ricontatta") != Record::Flag::Unknown)
        record.setFlag("Ricontatta", stored.flag("Ricontatta") == Record::Flag::Yes);
    return record;
}

Saved save(const QString& path, qint64 addCount, const RowAt& add, qint64 updateCount, const RowAt& update)
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
    for (qint64 u = 0; u < updateCount; ++u) {
        const Row row = update(u);
        for (qint64 n : row.existing) {
            const std::optional<QByteArray> old = archive.read(n);
            if (!old) {
                failed();
                undo();
                return saved;
            }
            const Record record = updated(Record(PayerRecord::layout(), *old), row);
            if (!archive.overwrite(n, record.bytes())) {
                failed();
                undo();
                return saved;
            }
            done.emplace_back(n, *old);
        }
    }
    if (addCount > 0) {
        const std::optional<qint64> last = archive.append(addCount, [&add](qint64 i) { return add(i).record.bytes(); });
        if (!last) {
            failed();
            undo();
            return saved;
        }
        saved.added = addCount;
        saved.first = *last - saved.added + 1;
    }
    saved.updated = qint64(done.size());
    saved.ok = true;
    saved.notice = archive.notice();
    return saved;
}

Saved save(const QString& path, const std::vector<const Row*>& add, const std::vector<const Row*>& update)
{
    return save(
        path, qint64(add.size()), [&add](qint64 i) { return *add[size_t(i)]; }, qint64(update.size()),
        [&update](qint64 i) { return *update[size_t(i)]; });
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
    QString text = RecordEditor::accessText();
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
    // The verb agrees with what comes first: "Si vuole inserire … 1 nuovo Esecutore", "Si vogliono
    // inserire … 3 nuovi Esecutori".
    const qint64 first = add > 0 ? add : update;
    const QString verb = first == 1 ? QStringLiteral("Si vuole") : QStringLiteral("Si vogliono");
    return {MessageKind::Confirmation, QStringLiteral("%1 %2?").arg(verb, parts.join(QStringLiteral(" e ")))};
}

Message nothingChosen()
{
    return {MessageKind::Warning, QStringLiteral("Attenzione: nessuna riga è selezionata per l'importazione.")};
}

} // namespace PayerImport
