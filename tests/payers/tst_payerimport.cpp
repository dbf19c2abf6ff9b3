// Payers from a spreadsheet: what each value becomes in its field, the columns guessed from their
// names, the checks, codes a spreadsheet took for numbers, the sex and date of birth read from the
// tax code, the registry's payers with the same tax code (skipped or updated) and the write, which
// leaves the archive as it was when it fails; cells and files far larger than any payer list.

#include "CoreSupport.h"
#include "FailDevice.h"

#include "data/CsvFile.h"
#include "payers/PayerArchive.h"
#include "payers/PayerImport.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"

#include <QFileInfo>
#include <QTest>

using namespace PayerImport;

namespace {

const char* const kRossi = "RSSMRA80A01H501U"; // a right check letter
const char* const kVerdi = "VRDLGU75C12F205Z";

int target(const char* control)
{
    const auto fields = PayerTyping::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        if (qstrcmp(fields[i].control, control) == 0)
            return int(i);
    return kNone;
}

// A record as the editor stores a new payer whose fields hold these texts.
QByteArray editorRecord(std::initializer_list<std::pair<const char*, const char*>> values, bool recontact = false)
{
    Record record = PayerArchive::blank();
    for (const auto& [name, text] : values)
        record.setText(name, QString::fromUtf8(text));
    record.setFlag("Ricontatta", recontact);
    return record.bytes();
}

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList cells(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << u(text);
    return list;
}

QList<QStringList> sheet(std::initializer_list<std::initializer_list<const char*>> rows)
{
    QList<QStringList> list;
    for (const auto& row : rows)
        list << cells(row);
    return list;
}

const QList<int> kMapping = {target("txtEsecutore"), target("txtCodFisc"), target("txtComuneRes"), target("txtCapRes")};

std::vector<Row> rowsOf(std::initializer_list<std::initializer_list<const char*>> rows)
{
    return prepareAll(sheet(rows), false, kMapping);
}

std::vector<const Row*> pointers(const std::vector<Row>& rows)
{
    std::vector<const Row*> all;
    for (const Row& row : rows)
        all.push_back(&row);
    return all;
}

} // namespace

class TestPayerImport : public QObject {
    Q_OBJECT
private slots:
    // What a value becomes in each kind of field: the typing rule, the digit filter, the length
    // limit (cut, unless only blanks saving trims anyway were refused), line breaks.
    void typedValues_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("cut");
        const auto row = [](const char* name, const char* control, const char* cell, const char* text, bool cut) {
            QTest::newRow(name) << u(control) << u(cell) << u(text) << cut;
        };
        row("upper-cased", "txtEsecutore", "mario rossi", "MARIO ROSSI", false);
        row("accents stay", "txtComuneRes", "forlì", "FORLì", false);
        row("cut at 23", "txtEsecutore", "abcdefghij abcdefghij abcdefghij", "ABCDEFGHIJ ABCDEFGHIJ A", true);
        row("blanks past the end are no cut", "txtEsecutore", "abcdefghij abcdefghij a   ", "ABCDEFGHIJ ABCDEFGHIJ A",
            false);
        row("tax code loses its blanks", "txtCodFisc", "rss mra 80a01 h501u", kRossi, false);
        row("IBAN in groups", "txtIban", "it60 x054 2811 1010 0000 0123 456", "IT60X0542811101000000123456", false);
        row("IBAN too long", "txtIban", "IT60X05428111010000001234567", "IT60X0542811101000000123456", true);
        row("digits only", "txtPartitaIva", "IT 0123456789-7", "01234567897", false);
        row("card digits", "txtCarta", "4111-1111 1111-1111", "4111111111111111", false);
        row("leading zeros", "txtCapRes", "00184", "00184", false);
        row("province trimmed", "txtProvRes", " rm ", "RM", false);
        row("province too long", "txtProvRes", "Roma", "RO", true);
        row("e-mail keeps its case", "txtEmail", " Mario.Rossi@Example.it ", "Mario.Rossi@Example.it", false);
        row("line break is a blank", "txtNote", "prima riga\nseconda", "prima riga seconda", false);
        row("euro sign", "txtNote", "€ 5,00", "€ 5,00", false);
    }
    void typedValues()
    {
        QFETCH(QString, control);
        QFETCH(QString, cell);
        QFETCH(QString, text);
        QFETCH(bool, cut);
        const PayerTyping::Field* field = PayerTyping::find(qPrintable(control));
        QVERIFY(field);
        const PayerTyping::Typed typed = PayerTyping::typed(*field, cell);
        QCOMPARE(typed.text.trimmed(), text);
        QCOMPARE(typed.cut, cut);
    }

    // A cell with blanks before an over-long value: the blanks take room in the field as they do
    // in the editor (its limit counts them), and saving trims them; a TU field drops them as they
    // come; an e-mail is trimmed on leaving, after the limit did its work.
    void leadingBlanksTakeRoom_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("stored");
        QTest::newRow("name") << "txtEsecutore"
                              << "   bianchi giovanna maria luisa"
                              << "BIANCHI GIOVANNA MAR"; // 3 blanks + 20 letters = 23
        QTest::newRow("street") << "txtIndirizzoRes"
                                << " viale della repubblica 1234"
                                << "VIALE DELLA REPUBBL";
        QTest::newRow("tax code") << "txtCodFisc"
                                  << "    rssmra80a01h501u" << kRossi;
        QTest::newRow("e-mail") << "txtEmail" << QString(QString(5, QLatin1Char(' ')) + QString(60, QLatin1Char('m')))
                                << QString(45, QLatin1Char('m'));
    }
    void leadingBlanksTakeRoom()
    {
        QFETCH(QString, control);
        QFETCH(QString, cell);
        QFETCH(QString, stored);
        const int field = target(qPrintable(control));
        const Row row = prepare({QStringLiteral("A"), cell},
                                {target("txtEsecutore") == field ? kNone : target("txtEsecutore"), field}, 1);
        QCOMPARE(row.record.text(qPrintable(control.mid(3))), stored);
    }

    // Codes a spreadsheet took for numbers: the zeros it dropped are given back (and said), where
    // the result can only be that; digits lost to an exponent are a problem; codes it left alone
    // pass untouched.
    void spreadsheetNumbers_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("ticked");
        const auto row = [](const char* name, const char* control, const char* cell, const char* stored,
                            const char* status, bool ticked) {
            QTest::newRow(name) << u(control) << u(cell) << u(stored) << u(status) << ticked;
        };
        row("CAP 100", "txtCapRes", "100", "00100", "CAP di 3 cifre, completato in 00100", true);
        row("CAP 4 digits", "txtCapRes", "6100", "06100", "CAP di 4 cifre, completato in 06100", true);
        row("CAP whole", "txtCapRes", "00184", "00184", "Nuovo", true);
        row("CAP with letters", "txtCapRes", "SW1A", "SW1A", "Nuovo", true);
        row("VAT lost a zero", "txtPartitaIva", "1234567897", "01234567897",
            "Partita IVA di 10 cifre, completata in 01234567897", true);
        row("VAT short and wrong", "txtPartitaIva", "1234567890", "1234567890", "Partita IVA errata", false);
        row("numeric tax code lost a zero", "txtCodFisc", "1234567897", "01234567897",
            "Codice fiscale di 10 cifre, completato in 01234567897", true);
        row("landline lost its 0", "txtTelCasa", "612345678", "0612345678",
            "Tel. casa senza lo 0 iniziale (9 cifre), completato in 0612345678", true);
        row("office line lost its 0", "txtTelUff", "543123456", "0543123456",
            "Tel. ufficio senza lo 0 iniziale (9 cifre), completato in 0543123456", true);
        row("landline whole", "txtTelCasa", "0612345678", "0612345678", "Nuovo", true);
        row("mobile", "txtTelCel", "3331234567", "3331234567", "Nuovo", true);
        row("free number", "txtTelCasa", "800123456", "800123456", "Nuovo", true);
        row("phone as typed", "txtTelCasa", "06 1234567", "06 1234567", "Nuovo", true);
        row("short number", "txtTelCasa", "112", "112", "Nuovo", true);
        row("card in exponent", "txtCarta", "4,11111E+15", "41111115",
            "Carta di credito n.: numero con esponente (4,11111E+15), cifre perse", false);
        row("VAT in exponent", "txtPartitaIva", "1.23457E+10", "12345710",
            "Partita IVA: numero con esponente (1.23457E+10), cifre perse; partita IVA errata", false);
    }
    void spreadsheetNumbers()
    {
        QFETCH(QString, control);
        QFETCH(QString, cell);
        QFETCH(QString, stored);
        QFETCH(QString, status);
        QFETCH(bool, ticked);
        const int field = target(qPrintable(control));
        const Row row = prepare({QStringLiteral("A"), cell}, {target("txtEsecutore"), field}, 1);
        QCOMPARE(row.record.text(qPrintable(control.mid(3))), stored);
        QCOMPARE(row.values[size_t(field)].completed, status.contains(QLatin1String("completat")));
        QCOMPARE(row.status(), status);
        QCOMPARE(tickedAtFirst(row, false), ticked);
    }

    // The sex and date of birth a file leaves empty come from a right tax code, marked as read from
    // it; what the file gives stays; a date is never made half from each; a wrong code gives nothing.
    void sexAndBirthFromTaxCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QStringList>("stored"); // sex, day, month, year
        QTest::addColumn<bool>("derivedSex");
        QTest::addColumn<bool>("derivedDate");
        QTest::newRow("man") << kRossi << ""
                             << "" << QStringList{"M", "01", "01", "80"} << true << true;
        QTest::newRow("woman, day + 40") << "BNCGNN90E55L219N"
                                         << ""
                                         << "" << QStringList{"F", "15", "05", "90"} << true << true;
        QTest::newRow("letters for digits") << "RSSMRA8LA01H501F"
                                            << ""
                                            << "" << QStringList{"M", "01", "01", "80"} << true << true;
        QTest::newRow("lower case code") << "vrdnna75c52f205x"
                                         << ""
                                         << "" << QStringList{"F", "12", "03", "75"} << true << true;
        QTest::newRow("the file's sex stays") << kRossi << "F"
                                              << "" << QStringList{"F", "01", "01", "80"} << false << true;
        QTest::newRow("a day in the file: no date from the code")
            << kRossi << ""
            << "7" << QStringList{"M", "7", "", ""} << true << false;
        QTest::newRow("wrong check letter") << "RSSMRA80A01H501A"
                                            << ""
                                            << "" << QStringList{"", "", "", ""} << false << false;
        QTest::newRow("a body's number") << "01234567897"
                                         << ""
                                         << "" << QStringList{"", "", "", ""} << false << false;
    }
    void sexAndBirthFromTaxCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, sex);
        QFETCH(QString, day);
        QFETCH(QStringList, stored);
        QFETCH(bool, derivedSex);
        QFETCH(bool, derivedDate);
        const Row row = prepare({QStringLiteral("Rossi"), code, sex, day},
                                {target("txtEsecutore"), target("txtCodFisc"), target("txtSesso"), target("txtGG")}, 1);
        const char* names[] = {"Sesso", "GG", "MM", "AA"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(row.record.text(names[i]), stored.at(i));
        QCOMPARE(row.values[size_t(target("txtSesso"))].derived, derivedSex);
        QCOMPARE(row.values[size_t(target("txtMM"))].derived, derivedDate);
        QCOMPARE(row.values[size_t(target("txtGG"))].derived, derivedDate);
        QCOMPARE(tickedAtFirst(row, false), code.size() != 16 || code.back() != QLatin1Char('A'));
    }

    // Under a header line, a row with values beyond the header's names is told: a separator inside
    // a value moved the cells after it. Empty cells beyond them are nothing.
    void moreCellsThanTheHeader()
    {
        const QList<QStringList> rows = sheet({{"Cognome e nome", "CAP", "Comune"},
                                               {"Rossi Mario", "00184", "Roma"},
                                               {"Verdi Anna", "20121", "Milano", "", " "},
                                               {"Bianchi", "Luca", "00100", "Roma"}});
        const std::vector<Row> prepared = prepareAll(rows, true, guess(rows.first()));
        QCOMPARE(prepared.size(), size_t(3));
        QCOMPARE(prepared[0].status(), QStringLiteral("Nuovo"));
        QCOMPARE(prepared[1].status(), QStringLiteral("Nuovo"));
        QCOMPARE(prepared[2].status(), QStringLiteral("La riga ha 4 celle, l'intestazione 3"));
        QVERIFY(!tickedAtFirst(prepared[2], false));
    }

    // The question before the write, in the singular and the plural.
    void question_data()
    {
        QTest::addColumn<qint64>("add");
        QTest::addColumn<qint64>("update");
        QTest::addColumn<QString>("text");
        QTest::newRow("one new") << qint64(1) << qint64(0) << u("Si vuole inserire in archivio 1 nuovo Esecutore?");
        QTest::newRow("three new") << qint64(3) << qint64(0)
                                   << u("Si vogliono inserire in archivio 3 nuovi Esecutori?");
        QTest::newRow("one update") << qint64(0) << qint64(1) << u("Si vuole aggiornare 1 Esecutore già in archivio?");
        QTest::newRow("four updates") << qint64(0) << qint64(4)
                                      << u("Si vogliono aggiornare 4 Esecutori già in archivio?");
        QTest::newRow("both") << qint64(2) << qint64(1)
                              << u("Si vogliono inserire in archivio 2 nuovi Esecutori e aggiornare 1 Esecutore già "
                                   "in archivio?");
    }
    void question()
    {
        QFETCH(qint64, add);
        QFETCH(qint64, update);
        QFETCH(QString, text);
        QCOMPARE(PayerImport::question(add, update).text, text);
        QCOMPARE(PayerImport::question(add, update).kind, MessageKind::Confirmation);
    }

    // A cell of a megabyte, and a 500 KB file whose quote never closes (its last cell runs to the
    // end), are read and prepared as any other: the field takes what it holds, the rest is cut.
    void hugeCells()
    {
        QString name = QString(1 << 20, QLatin1Char('x'));
        name.prepend(QStringLiteral("Rossi "));
        QString code = QString(1 << 20, QLatin1Char(' ')) + u(kRossi); // blanks a TU field drops, then the code
        const Row row = prepare({name, code}, {target("txtEsecutore"), target("txtCodFisc")}, 1);
        QCOMPARE(row.record.text("Esecutore"), QStringLiteral("ROSSI XXXXXXXXXXXXXXXXX"));
        QVERIFY(row.values[size_t(target("txtEsecutore"))].cut);
        QCOMPARE(row.record.text("CodFisc"), u(kRossi));
        QVERIFY(!row.values[size_t(target("txtCodFisc"))].cut);
        QVERIFY(row.values[size_t(target("txtEsecutore"))].original.size() < 1000); // the tooltip's start only

        QByteArray file("Cognome e nome;Note\r\nRossi Mario;\"prima riga\r\n");
        while (file.size() < 500 * 1024)
            file += "Verdi Anna;altra riga\r\n";
        const CsvFile::Table table = CsvFile::read(file);
        QCOMPARE(table.separator, QLatin1Char(';'));
        QCOMPARE(table.rows.size(), 2);
        const auto records = std::make_shared<const CsvFile::Records>(table.rows);
        const Preview preview(records, true, guess(table.rows.row(0)), Registry{});
        QCOMPARE(preview.size(), 1);
        const Row note = preview.row(0);
        const QString expected = QStringLiteral("prima riga Verdi Anna;altra riga Verdi Anna;altra riga ");
        QVERIFY2(note.record.text("Note").startsWith(expected), qPrintable(note.record.text("Note")));
        QCOMPARE(note.record.text("Note").size(), 250);
        QVERIFY(note.values[size_t(target("txtNote"))].cut);
        QCOMPARE(note.status(), QStringLiteral("Tagliati: Note"));
    }

    // Every field's limit is its record field's capacity.
    void limitsAreTheCapacities()
    {
        const RecordLayout& layout = PayerRecord::layout();
        for (const PayerTyping::Field& field : PayerTyping::fields()) {
            const int index = layout.indexOf(field.control + 3);
            QVERIFY2(index >= 0, field.control);
            QCOMPARE(PayerTyping::limit(field), layout.capacity(index));
        }
        QCOMPARE(PayerTyping::fields().size(), size_t(31));
    }

    // The columns as offices name them; a target taken once; an unknown column left out.
    void columnsGuessedFromTheirNames()
    {
        const QStringList header = {QStringLiteral("Cognome e Nome"),
                                    "Codice Fiscale",
                                    "P.IVA",
                                    "Indirizzo",
                                    "CAP",
                                    QStringLiteral("Città"),
                                    "Prov.",
                                    "Telefono",
                                    "IBAN",
                                    "Colore preferito",
                                    "Comune",
                                    "Data di nascita",
                                    "E-mail",
                                    "Da ricontattare"};
        const QList<int> expected = {target("txtEsecutore"),
                                     target("txtCodFisc"),
                                     target("txtPartitaIva"),
                                     target("txtIndirizzoRes"),
                                     target("txtCapRes"),
                                     target("txtComuneRes"),
                                     target("txtProvRes"),
                                     target("txtTelCasa"),
                                     target("txtIban"),
                                     kNone,
                                     kNone,
                                     kBirthDate,
                                     target("txtEmail"),
                                     kRecontact};
        QCOMPARE(guess(header), expected);
        QVERIFY(looksLikeHeader(header));
        QVERIFY(!looksLikeHeader(cells({"ROSSI MARIO", kRossi, "00184"})));
    }

    // A row is stored as the editor stores the same typed payer: every field, the box "No", zeros.
    void rowIsStoredAsTheEditorStoresIt()
    {
        const QList<int> mapping = {target("txtEsecutore"), kBirthDate, target("txtIndirizzoRes"),
                                    target("txtCapRes"),    kRecontact, target("txtIban")};
        const Row row = prepare(cells({" rossi mario ", "5/3/1980", "via dei mille 12 scala b", "00184", "sì",
                                       "IT60 X054 2811 1010 0000 0123 456"}),
                                mapping, 2);
        QCOMPARE(row.record.bytes(),
                 editorRecord({{"Esecutore", "ROSSI MARIO"},
                               {"GG", "5"},
                               {"MM", "3"},
                               {"AA", "80"},
                               {"IndirizzoRes", "VIA DEI MILLE 12 SCA"},
                               {"CapRes", "00184"},
                               {"Iban", "IT60X0542811101000000123456"}},
                              true));
        QVERIFY(row.error.isEmpty());
        QVERIFY(row.problems.isEmpty());
        QVERIFY(row.values[size_t(target("txtIndirizzoRes"))].cut);
        QCOMPARE(row.status(), QStringLiteral("Tagliati: Via / Piazza e numero civico"));
    }

    // The checks of the numbers, a row without a name, an unreadable date.
    void checks_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("importable");
        const QList<int> unused;
        QTest::newRow("right") << cells({"A", kRossi, "01234567897", "IT60X0542811101000000123456", ""}) << "Nuovo"
                               << true;
        QTest::newRow("wrong check letter")
            << cells({"A", "RSSMRA80A01H501A", "", "", ""}) << "Codice fiscale errato" << true;
        QTest::newRow("short tax code") << cells({"A", "RSSMRA80", "", "", ""}) << "Codice fiscale di lunghezza errata"
                                        << true;
        QTest::newRow("numeric tax code, wrong")
            << cells({"A", "01234567890", "", "", ""}) << "Codice fiscale numerico errato" << true;
        QTest::newRow("VAT and IBAN wrong") << cells({"A", "", "01234567890", "IT61X0542811101000000123456", ""})
                                            << "Partita IVA errata; IBAN errato" << true;
        QTest::newRow("no name") << cells({"  ", kRossi, "", "", ""}) << "Manca il nome" << false;
        QTest::newRow("date unread") << cells({"A", "", "", "", "primavera"}) << "Data di nascita non riconosciuta"
                                     << true;
    }
    void checks()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, status);
        QFETCH(bool, importable);
        const Row row = prepare(
            cells,
            {target("txtEsecutore"), target("txtCodFisc"), target("txtPartitaIva"), target("txtIban"), kBirthDate}, 1);
        QCOMPARE(row.status(), status);
        QCOMPARE(row.error.isEmpty(), importable);
        QCOMPARE(tickedAtFirst(row, false), status == QLatin1String("Nuovo"));
    }

    // Rows whose tax code the registry holds name its records; a repeat inside the file names the
    // earlier line; a duplicate is ticked only for an update.
    void duplicatesAreFound()
    {
        TestSupport::Folder folder;
        const QString path = PayerRecord::archivePath();
        std::vector<Row> first = rowsOf({{"Rossi", kRossi, "Roma", "00184"}, {"Verdi", kVerdi, "Milano", "20100"}});
        QVERIFY(save(path, pointers(first), {}).ok);

        std::vector<Row> rows = rowsOf({{"Bianchi", "", "Torino", "10100"},
                                        {"Rossi Mario", "rssmra80a01h501u", "", ""},
                                        {"Neri", "NRENRE70A01H501X", "", ""},
                                        {"Neri bis", "NRENRE70A01H501X", "", ""}});
        const Registry known = registry(path);
        QVERIFY(known.ok);
        markDuplicates(rows, known);
        QCOMPARE(rows[0].existing, QList<qint64>());
        QCOMPARE(rows[1].existing, QList<qint64>{1});
        QCOMPARE(rows[1].status(), QStringLiteral("Già in archivio (scheda n. 1)"));
        QCOMPARE(rows[3].repeatOf, 3);
        QVERIFY(!tickedAtFirst(rows[1], false));
        QVERIFY(tickedAtFirst(rows[1], true));
        QVERIFY(!tickedAtFirst(rows[3], true));
    }

    // A sheet large enough to be prepared in slices side by side gives the same rows, in the same
    // order, as one prepared row by row: repeats across the slices' borders name the first line,
    // the registry's payers are found, empty rows are left out, problems and errors stay with
    // their rows.
    void largeSheetPreparedAsOne()
    {
        CsvFile::Records records;
        const auto add = [&records](std::initializer_list<QString> cells) {
            for (const QString& cell : cells)
                records.addCell(cell);
            records.endRow();
        };
        add({u("Cognome e nome"), u("Codice fiscale"), u("Comune"), u("CAP")});
        const int rows = 9001;
        for (int i = 1; i <= rows; ++i) {
            if (i % 1000 == 0)
                add({QString(), QString(), QString(), QString()}); // nothing to import
            else if (i % 997 == 0)
                add({QString(), u(kVerdi), u("Milano"), u("20100")}); // no name; a repeat of every other
            else if (i == 2 || i == rows || i == 4500 || i == 4501)
                add({u("Rossi"), u(kRossi), u("Roma"), u("184")}); // repeats; a CAP given its zeros
            else if (i % 7 == 0)
                add({u("Errato %1").arg(i), u("RSSMRA80A01H501X"), u("Roma"), u("1e5")});
            else
                add({u("Payer %1").arg(i), QString(), u("Bari"), u("70121")});
        }
        Registry known;
        known.taxCodes.insert(u(kVerdi), {7});
        const QList<int> mapping = kMapping;
        const Preview preview(std::make_shared<const CsvFile::Records>(records), true, mapping, known);

        std::vector<Row> one = prepareAll(records.toLists(), true, mapping);
        markDuplicates(one, known);
        QCOMPARE(preview.size(), qsizetype(one.size()));
        QCOMPARE(preview.size(), qsizetype(rows - rows / 1000));
        for (qsizetype r = 0; r < preview.size(); ++r) {
            const Brief& brief = preview.brief(r);
            const Row& row = one[size_t(r)];
            QCOMPARE(int(brief.record + 1), row.line);
            QCOMPARE(brief.importable, row.error.isEmpty());
            QCOMPARE(brief.clean, row.problems.isEmpty());
            QCOMPARE(brief.repeatOf, row.repeatOf);
            QCOMPARE(brief.existing, row.existing);
        }
        QCOMPARE(preview.brief(1).repeatOf, 0);
        QCOMPARE(preview.brief(qsizetype(one.size()) - 1).repeatOf, 3); // line 3 holds the sheet's row 2
        QCOMPARE(
            preview.fields(),
            (std::vector<int>{target("txtEsecutore"), target("txtGG"), target("txtMM"), target("txtAA"),
                              target("txtSesso"), target("txtComuneRes"), target("txtCapRes"), target("txtCodFisc")}));
    }

    // New payers are appended in one write; an update overwrites the payer's records with the
    // values the file gives and keeps the rest (attachments, fields left empty, the box).
    void appendAndUpdate()
    {
        TestSupport::Folder folder;
        const QString path = PayerRecord::archivePath();
        Record stored = PayerArchive::blank();
        stored.setText("Esecutore", "ROSSI MARIO");
        stored.setText("CodFisc", u(kRossi));
        stored.setText("ComuneRes", "NAPOLI");
        stored.setText("TelCasa", "081 123");
        stored.setText("File01", "contratto.pdf");
        stored.setFlag("Ricontatta", true);
        QByteArray before = stored.bytes() + stored.bytes(); // the payer twice, as for two tariff codes
        QVERIFY(TestSupport::writeAll(path, before));

        std::vector<Row> rows = rowsOf({{"Rossi Mario", kRossi, "Roma", ""}, {"Verdi", kVerdi, "Milano", "20100"}});
        markDuplicates(rows, registry(path));
        const Saved saved = save(path, {&rows[1]}, {&rows[0]});
        QVERIFY(saved.ok);
        QCOMPARE(saved.added, 1);
        QCOMPARE(saved.first, 3);
        QCOMPARE(saved.updated, 2);
        QCOMPARE(savedMessage(saved).text,
                 QStringLiteral("È stato inserito in archivio 1 nuovo Esecutore, con il numero 3.\n\r\n\r"
                                "Sono state aggiornate 2 schede già in archivio."));

        Record expected = stored;
        expected.setText("Esecutore", "ROSSI MARIO");
        expected.setText("ComuneRes", "ROMA");
        // Read from the tax code where the stored payer has nothing.
        expected.setText("Sesso", "M");
        expected.setText("GG", "01");
        expected.setText("MM", "01");
        expected.setText("AA", "80");
        const QByteArray after = TestSupport::readAll(path);
        QCOMPARE(after.size(), 3 * PayerRecord::kSize);
        QCOMPARE(after.left(PayerRecord::kSize), expected.bytes());
        QCOMPARE(after.mid(PayerRecord::kSize, PayerRecord::kSize), expected.bytes());
        QCOMPARE(after.mid(2 * PayerRecord::kSize), rows[1].record.bytes());
    }

    // A write that fails, in the append or in an update, leaves every byte of the archive as it was.
    void failedWriteLeavesTheArchive_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("withUpdate");
        QTest::newRow("append fails at once") << qint64(0) << int(FailDevice::Mode::Fail) << false;
        QTest::newRow("append fails after an update")
            << qint64(PayerRecord::kSize * 3 / 2) << int(FailDevice::Mode::Fail) << true;
        QTest::newRow("short write after an update")
            << qint64(PayerRecord::kSize * 2 + 7) << int(FailDevice::Mode::Short) << true;
        QTest::newRow("update fails") << qint64(100) << int(FailDevice::Mode::Fail) << true;
    }
    void failedWriteLeavesTheArchive()
    {
        QFETCH(qint64, budget);
        QFETCH(int, mode);
        QFETCH(bool, withUpdate);
        TestSupport::Folder folder;
        const QString path = PayerRecord::archivePath();
        std::vector<Row> old = rowsOf({{"Rossi", kRossi, "Napoli", "80100"}, {"Verdi", kVerdi, "Milano", "20100"}});
        QVERIFY(save(path, pointers(old), {}).ok);
        const QByteArray before = TestSupport::readAll(path);

        std::vector<Row> rows = rowsOf({{"Rossi", kRossi, "Roma", "00184"},
                                        {"Verdi", kVerdi, "Como", "22100"},
                                        {"Bianchi", "", "Torino", "10100"},
                                        {"Neri", "", "Bari", "70100"},
                                        {"Gialli", "", "Pisa", "56100"}});
        markDuplicates(rows, registry(path));
        const std::vector<const Row*> update =
            withUpdate ? std::vector<const Row*>{&rows[0], &rows[1]} : std::vector<const Row*>{};
        Saved saved;
        {
            const auto guard = FailDevice::install(budget, FailDevice::Mode(mode));
            saved = save(path, {&rows[2], &rows[3], &rows[4]}, update);
        }
        QVERIFY(!saved.ok);
        QVERIFY(saved.restored);
        QVERIFY(!saved.error.isEmpty());
        QCOMPARE(TestSupport::readAll(path), before);
        QVERIFY(failedMessage(saved).text.endsWith(QStringLiteral("l'archivio è rimasto com'era.")));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".ripristino")));

        // The same import then goes through whole.
        const Saved again = save(path, {&rows[2], &rows[3], &rows[4]}, update);
        QVERIFY(again.ok);
        QCOMPARE(again.first, 3);
    }
};

QTEST_GUILESS_MAIN(TestPayerImport)
#include "tst_payerimport.moc"
