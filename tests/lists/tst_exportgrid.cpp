// The archive exports without windows: the rows built from the records, the spreadsheet file
// compared byte for byte with one written out here, edits, failures, and a round trip through
// LibreOffice Calc where it is installed.

#include "CoreSupport.h"
#include "ReadOnly.h"

#include "data/RecordLayout.h"
#include "lists/ExportGrid.h"
#include "lists/ListArchive.h"
#include "lists/Summary.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

using TestSupport::readAll;
using TestSupport::writeAll;

namespace {

using Fields = std::initializer_list<std::pair<const char*, QString>>;

QByteArray record(const RecordLayout& layout, Fields fields)
{
    Record r(layout);
    for (const auto& [name, value] : fields)
        r.setText(name, value);
    return r.bytes();
}

// A field written by hand with blanks around its value, as another program might leave it.
void putRaw(QByteArray& bytes, int offset, const QByteArray& value)
{
    bytes[offset] = static_cast<char>(value.size());
    bytes.replace(offset + 1, value.size(), value);
}

const QString kSi = QStringLiteral("Sì");

QByteArray threeSlips()
{
    QByteArray archive;
    archive += record(SlipRecord::layout(),
                      {{"Importo", "168"},
                       {"Cents", "00"},
                       {"Intero", "168,00"},
                       {"CodTariffa", "8617"},
                       {"AnnoTariffa", "24"},
                       {"CodFisc", "RSSMRA80A01H501U"},
                       {"Esecutore", "ROSSI MARIO"},
                       {"Sesso", "M"},
                       {"GG", "01"},
                       {"MM", "02"},
                       {"AA", "80"},
                       {"ComuneNasc", "ROMA"},
                       {"ProvNasc", "RM"},
                       {"IndirizzoRes", "VIA ROMA 1"},
                       {"ProvRes", "RM"},
                       {"ComuneRes", "ROMA"},
                       {"CapRes", "00184"},
                       {"DataScade", "31/01/2025"},
                       {"DataPaga", "15/01/2025"},
                       {"Causale", "RINNOVO LICENZA"},
                       {"Saldato", kSi},
                       {"Rilascio", "No"},
                       {"Annuale", kSi},
                       {"Integrazione", "No"}});
    archive += record(SlipRecord::layout(),
                      {{"Intero", "5,50"},
                       {"Esecutore", "A<B C>D & \"FIGLI\""},
                       {"ComuneNasc", "MILANO"},
                       {"IndirizzoRes", "VIA  DOPPIA"},
                       {"CapRes", "00100"},
                       {"DataScade", "01/03/2025"},
                       {"Note", "=1+1"},
                       {"Saldato", "No"}});
    QByteArray third =
        record(SlipRecord::layout(), {{"Intero", "0,00"}, {"ProvRes", "TO"}, {"Note", QStringLiteral("è €")}});
    putRaw(third, 377, "  TORINO ");
    archive += third;
    return archive;
}

// The file as it must come out, written out piece by piece.
const QByteArray kHead =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
    "charset=windows-1252\"><!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
    "<x:Name>";
const QByteArray kOptions =
    "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
    "</x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
    "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
    "</x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>";
const QByteArray kTail = "</table></body></html>";

QByteArray heading(int width, const QByteArray& text)
{
    return "<td style=\"text-align: left; font-weight: bold;\" width=" + QByteArray::number(width) + ">" + text
        + "</td>";
}
QByteArray left(const QByteArray& value)
{
    return "<td style=\"text-align: left; mso-number-format:\\@;\" sdnum=\"1040;0;@\" x:str>" + value + "</td>";
}
QByteArray right(const QByteArray& value)
{
    return "<td style=\"text-align: right; mso-number-format:\\@;\" sdnum=\"1040;0;@\" x:str>" + value + "</td>";
}

const QByteArray kSlipHeadings = "<tr>" + heading(250, "Importo versato") + heading(200, "Codice tariffa")
    + heading(100, "Anno") + heading(250, "Codice fiscale") + heading(250, "Cognome e nome Esecutore")
    + heading(100, "Sesso") + heading(150, "Data di nascita") + heading(250, "Comune / Stato estero di nascita")
    + heading(250, "Indirizzo di residenza") + heading(250, "Comune di residenza") + heading(100, "CAP")
    + heading(150, "Data scadenza") + heading(150, "Data versamento") + heading(300, "Causale") + heading(350, "Note")
    + heading(100, "Rilascio") + heading(100, "Annuale") + heading(100, "Integrazione") + heading(100, "Saldato")
    + "</tr>";

// An amount as a number: the value with a decimal point for both programs, the text as the archive has it.
QByteArray amount(const QByteArray& shown, const QByteArray& value)
{
    return "<td style=\"text-align: right; mso-number-format:0\\.00;\" sdval=\"" + value
        + "\" sdnum=\"1033;0;0.00\" x:num=\"" + value + "\">" + shown + "</td>";
}

// The first value is the amount, "shown=value".
QByteArray slipRow(std::initializer_list<QByteArray> values)
{
    QByteArray row = "<tr>";
    bool first = true;
    for (const QByteArray& value : values) {
        row += first ? amount(value.split('=').at(0), value.split('=').at(1)) : left(value);
        first = false;
    }
    return row + "</tr>";
}

QByteArray slipFile(const QByteArray& rows)
{
    return kHead + "Riepilogo annuale versamenti" + kOptions + kSlipHeadings + rows + kTail;
}

const QByteArray kRow1 =
    slipRow({"168,00=168.00", "8617", "24", "RSSMRA80A01H501U", "ROSSI MARIO", "M", "01/02/80", "ROMA RM", "VIA ROMA 1",
             "ROMA RM", "00184", "31/01/2025", "15/01/2025", "RINNOVO LICENZA", "", "No", "S\xec", "No", "S\xec"});
const QByteArray kRow2 = slipRow({"5,50=5.50", "", "", "", "A&lt;B C&gt;D &amp; &quot;FIGLI&quot;", "", "//", "MILANO",
                                  "VIA &#32;DOPPIA", "", "00100", "01/03/2025", "", "", "=1+1", "", "", "", "No"});
const QByteArray kRow3 =
    slipRow({"0,00=0.00", "", "", "", "", "", "//", "", "", "TORINO TO", "", "", "", "", "\xe8 \x80", "", "", "", ""});

// Splits LibreOffice's CSV (comma, double quotes, UTF-8) into rows of cells.
QList<QStringList> parseCsv(const QString& text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    if (!cell.isEmpty() || !row.isEmpty())
        rows << (row << cell);
    return rows;
}

} // namespace

class TestExportGrid : public QObject {
    Q_OBJECT
private slots:
    void slipRowsJoinAndTrimTheirFields()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        QVERIFY(writeAll(path, threeSlips()));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.columnCount(), 20);
        QCOMPARE(grid.text(0, 0), QStringLiteral("1"));
        QCOMPARE(grid.text(2, 0), QStringLiteral("3"));
        QCOMPARE(grid.text(0, 7), QStringLiteral("01/02/80"));
        QCOMPARE(grid.text(1, 7), QStringLiteral("//"));
        QCOMPARE(grid.text(0, 8), QStringLiteral("ROMA RM"));
        // Joined as the archive gives them: a missing province leaves the blank, the file trims it.
        QCOMPARE(grid.text(1, 8), QStringLiteral("MILANO "));
        QCOMPARE(grid.text(2, 10), QStringLiteral("TORINO TO"));
        QCOMPARE(grid.text(0, 19), kSi);
        QCOMPARE(grid.text(2, 15), QStringLiteral("è €"));
        QCOMPARE(grid.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Cognome e nome Esecutore"));
    }

    void slipFileIsExactlyTheExpectedLine()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        QVERIFY(writeAll(path, threeSlips()));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));
        QCOMPARE(grid.exportPath(), folder.file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls")));
        QVERIFY(grid.exportTo(grid.exportPath()));
        const QByteArray written = readAll(grid.exportPath());
        QCOMPARE(written, slipFile(kRow1 + kRow2 + kRow3));
        QVERIFY(written.endsWith("</html>"));
        QVERIFY(!written.contains('\n') && !written.contains('\r'));
    }

    // Only a real amount becomes a number; anything else in the amount column stays text as it is.
    void amountCells_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("euros and cents") << "168,00" << amount("168,00", "168.00");
        QTest::newRow("whole euros") << "168" << amount("168", "168.00");
        QTest::newRow("one decimal") << "0,5" << amount("0,5", "0.50");
        QTest::newRow("blanks around") << "  7,05 " << amount("7,05", "7.05");
        QTest::newRow("negative") << "-5,00" << amount("-5,00", "-5.00");
        QTest::newRow("large") << "123456789,99" << amount("123456789,99", "123456789.99");
        QTest::newRow("words") << "venti" << right("venti");
        QTest::newRow("thousands point") << "1.234,00" << right("1.234,00");
        QTest::newRow("fraction of a cent") << "1,005" << right("1,005");
        QTest::newRow("empty") << "" << right("");
    }
    void amountCells()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, cell);
        struct OneCell : Spreadsheet::Rows {
            QString value;
            qsizetype rowCount() const override { return 1; }
            Spreadsheet::Cell cell(qsizetype, int) const override { return {{}, &value}; }
        } rows;
        rows.value = text;
        const Spreadsheet::Column columns[] = {
            {"Importo versato", 250, Spreadsheet::Align::Right, Spreadsheet::Content::Amount}};
        TestSupport::Folder folder;
        QVERIFY(Spreadsheet::write(folder.file("a.xls"), "Foglio", columns, rows));
        QCOMPARE(readAll(folder.file("a.xls")),
                 kHead + "Foglio" + kOptions + "<tr>" + heading(250, "Importo versato") + "</tr><tr>" + cell + "</tr>"
                     + kTail);
    }

    void emptyOrMissingArchiveGivesTheHeadingRowOnly()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2031.bol"));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));
        QCOMPARE(grid.rowCount(), 0);
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
        QVERIFY(grid.exportTo(grid.exportPath()));
        QCOMPARE(readAll(grid.exportPath()), slipFile({}));
    }

    void editedCellsAreExportedAndTheArchiveStays()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        const QByteArray archive = threeSlips();
        QVERIFY(writeAll(path, archive));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));

        // Only "Comune di residenza", "Note" and "Saldato" take edits.
        for (int c = 0; c < grid.columnCount(); ++c)
            QCOMPARE(bool(grid.flags(grid.index(0, c)) & Qt::ItemIsEditable), c == 10 || c == 15 || c == 19);
        QVERIFY(!grid.setData(grid.index(0, 5), QStringLiteral("BIANCHI")));
        QVERIFY(grid.setData(grid.index(0, 15), QStringLiteral("PAGATO <IN> CONTANTI")));
        QVERIFY(grid.setData(grid.index(1, 19), kSi));
        // A typed character outside the code page is written by number rather than lost.
        QVERIFY(grid.setData(grid.index(2, 10), QStringLiteral(" NAPOLI № 1 ")));
        QCOMPARE(grid.text(0, 15), QStringLiteral("PAGATO <IN> CONTANTI"));

        QVERIFY(grid.exportTo(grid.exportPath()));
        QByteArray row1 = kRow1;
        row1.replace(QByteArray(left("") + left("No")), QByteArray(left("PAGATO &lt;IN&gt; CONTANTI") + left("No")));
        QByteArray row2 = kRow2;
        row2.replace(QByteArray(left("No") + "</tr>"), QByteArray(left("S\xec") + "</tr>"));
        QByteArray row3 = kRow3;
        row3.replace(left("TORINO TO"), left("NAPOLI &#8470; 1"));
        QCOMPARE(readAll(grid.exportPath()), slipFile(row1 + row2 + row3));
        QCOMPARE(readAll(path), archive);
    }

    void payerRowsAndFile()
    {
        TestSupport::Folder folder;
        QByteArray archive;
        for (int n = 1; n <= 3; ++n)
            archive += record(PayerRecord::layout(),
                              {{"Esecutore", QStringLiteral("PAYER %1").arg(n)},
                               {"ComuneRes", "ROMA"},
                               {"ProvRes", "RM"},
                               {"CapRes", "00184"},
                               {"TelCasa", "06 1234"},
                               {"PartitaIva", "01234567890"},
                               {"TipoDoc", "PATENTE"},
                               {"DataSca", "01/01/2030"},
                               {"Note", QStringLiteral("NOTA %1").arg(n)},
                               {"Ricontatta", kSi},
                               {"File01", "x.pdf"}});
        QVERIFY(writeAll(PayerRecord::archivePath(), archive));
        ExportGrid grid(Exports::payers());
        QVERIFY(grid.fill(PayerRecord::archivePath()));
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.columnCount(), 26);
        QCOMPARE(grid.text(2, 0), QStringLiteral("3"));
        QCOMPARE(grid.text(0, 2), QStringLiteral("//"));
        QCOMPARE(grid.text(0, 3), QStringLiteral(" "));
        QCOMPARE(grid.text(0, 7), QStringLiteral("ROMA RM"));
        QCOMPARE(grid.text(1, 25), QStringLiteral("NOTA 2"));
        for (int c = 0; c < grid.columnCount(); ++c) {
            const bool editable = c == 7 || c == 16 || (c >= 18 && c <= 22) || c == 24 || c == 25;
            QCOMPARE(bool(grid.flags(grid.index(0, c)) & Qt::ItemIsEditable), editable);
        }
        QVERIFY(grid.setData(grid.index(1, 25), QStringLiteral("CAMBIATA")));

        QCOMPARE(grid.exportPath(), folder.file(QStringLiteral("Esecutori.xls")));
        QVERIFY(grid.exportTo(grid.exportPath()));
        const QByteArray written = readAll(grid.exportPath());
        QVERIFY(written.startsWith(
            QByteArray(kHead + "Riepilogo Esecutori" + kOptions + "<tr>" + heading(250, "Cognome e nome Esecutore")
                       + heading(200, "Data di nascita") + heading(250, "Comune di nascita") + heading(100, "Sesso"))));
        QVERIFY(written.contains(QByteArray(heading(300, "Questioni in sospeso") + heading(300, "Note") + "</tr>")));
        QVERIFY(written.endsWith(kTail));
        QCOMPARE(written.count("<tr>"), 4);
        QCOMPARE(written.count("<td style=\"text-align: left; font-weight: bold;\""), 25);
        QVERIFY(!written.contains("text-align: right"));
        QVERIFY(
            written.contains(QByteArray("<tr>" + left("PAYER 2") + left("//") + left("") + left("") + left("")
                                        + left("") + left("ROMA RM") + left("00184") + left("") + left("06 1234"))));
        QVERIFY(written.contains(left("01234567890")));
        QVERIFY(written.contains(QByteArray(left("CAMBIATA") + "</tr>")));
        QVERIFY(!written.contains("PATENTE") && !written.contains("01/01/2030") && !written.contains("x.pdf"));
    }

    // A failure while reading keeps the rows read so far, says so, and an export writes those rows
    // only, never rows of empty cells.
    void unreadableTailKeepsTheRowsRead()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        QVERIFY(writeAll(path, threeSlips().left(2 * SlipRecord::kSize + 100)));
        ExportGrid grid(Exports::slips());
        QVERIFY(!grid.fill(path));
        QVERIFY(!grid.errorString().isEmpty());
        QCOMPARE(grid.rowCount(), 2);
        QVERIFY(grid.exportTo(grid.exportPath()));
        QCOMPARE(readAll(grid.exportPath()), slipFile(kRow1 + kRow2));
    }

    // A long archive is read in two parts at once, the second part's text placed apart from the
    // first's: every cell, the text size and the written file must be those of one read.
    void splitReadFillsTheSameGrid()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        const QByteArray tail(100, 'x');
        using Case = std::pair<QByteArray, QByteArray>;
        for (const auto& [bytes, rows] :
             {Case{threeSlips(), QByteArray(kRow1 + kRow2 + kRow3)},
              Case{QByteArray(threeSlips().left(2 * SlipRecord::kSize) + tail), QByteArray(kRow1 + kRow2)}}) {
            QVERIFY(writeAll(path, bytes));
            ExportGrid once(Exports::slips());
            RecordScan::setSplitFrom(1'000'000);
            const bool onceOk = once.fill(path);
            ExportGrid split(Exports::slips());
            RecordScan::setSplitFrom(1);
            const bool splitOk = split.fill(path);
            RecordScan::setSplitFrom(0);
            QCOMPARE(splitOk, onceOk);
            QCOMPARE(split.rowCount(), once.rowCount());
            QCOMPARE(split.textBytes(), once.textBytes());
            for (int row = 0; row < once.rowCount(); ++row)
                for (int column = 0; column < once.columnCount(); ++column)
                    QCOMPARE(split.text(row, column), once.text(row, column));
            QVERIFY(split.exportTo(split.exportPath()));
            QCOMPARE(readAll(split.exportPath()), slipFile(rows));
        }
    }

    void unopenableArchiveFillsNothing()
    {
        TestSupport::Folder folder;
        ExportGrid grid(Exports::slips());
        QVERIFY(!grid.fill(folder.file(QStringLiteral("missing/2025.bol"))));
        QCOMPARE(grid.rowCount(), 0);
    }

    void failedWriteLeavesThePreviousFileWhole()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        QVERIFY(writeAll(path, threeSlips()));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));
        const QByteArray previous = "previous export";
        QVERIFY(writeAll(grid.exportPath(), previous));
        {
            ReadOnly guard(folder.folder());
            REQUIRE_READ_ONLY(guard);
            QString error;
            QVERIFY(!grid.exportTo(grid.exportPath(), &error));
            QVERIFY(!error.isEmpty());
        }
        QCOMPARE(readAll(grid.exportPath()), previous);
        QCOMPARE(QDir(folder.folder()).entryList(QDir::Files).size(), 2);
    }

    // Every cell read back by LibreOffice Calc, as an Italian one shows it, is the archive's value:
    // nothing taken for a tag or a formula, no character lost, amounts with their comma; and a sum
    // over the amount column gives the archive's total to the cent.
    void libreOfficeReadsBackEveryValue()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("no LibreOffice here (no soffice on the PATH): round trip not run. The test command installs "
                  "libreoffice-calc-nogui where no LibreOffice is installed");

        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("2025.bol"));
        QByteArray archive = threeSlips();
        archive += record(SlipRecord::layout(),
                          {{"Intero", "12,30"},
                           {"CodTariffa", "0017"},
                           {"Esecutore", "a<b c>d"},
                           {"Causale", "R&D \"SRL\" 'X'"},
                           {"CapRes", "00184"},
                           {"Note", "=1+1"},
                           {"ComuneRes", QStringLiteral("è")},
                           {"IndirizzoRes", QStringLiteral("€  5")},
                           {"DataScade", "01/02/2025"},
                           {"AnnoTariffa", "07"},
                           {"Saldato", kSi}});
        for (const char* value : {"0,10", "0,20", "1234,05"})
            archive += record(SlipRecord::layout(), {{"Intero", QString::fromLatin1(value)}, {"CapRes", "00100"}});
        QVERIFY(writeAll(path, archive));
        ExportGrid grid(Exports::slips());
        QVERIFY(grid.fill(path));
        QVERIFY(grid.exportTo(grid.exportPath()));
        qint64 cents = 0;
        for (int r = 0; r < grid.rowCount(); ++r)
            cents += Summary::amountCents(grid.text(r, 1)).value();

        // The same file with a sum under the amounts, as a user would add it.
        QTemporaryDir work;
        const QString withSum = work.filePath(QStringLiteral("Somma.xls"));
        QByteArray file = readAll(grid.exportPath());
        file.replace("</table>",
                     QByteArray("<tr><td>=SUM(A2:A" + QByteArray::number(grid.rowCount() + 1) + ")</td></tr></table>"));
        QVERIFY(writeAll(withSum, file));

        QProcess office;
        office.setWorkingDirectory(work.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("it_IT.UTF-8"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("it_IT.UTF-8"));
        office.setProcessEnvironment(environment);
        // A private profile: a first start of LibreOffice is slow, and the user's own profile stays untouched.
        // The cells are written as shown (the last option), so an amount reads as the sheet shows it.
        const QString profile = QStringLiteral("-env:UserInstallation=file://") + work.path() + QStringLiteral("/lo");
        office.start(soffice,
                     {profile, QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,1040,false,true,true"),
                      QStringLiteral("--outdir"), work.path(), grid.exportPath(), withSum});
        QVERIFY2(office.waitForFinished(240000), "LibreOffice did not finish within four minutes");
        const QByteArray csv = readAll(work.path() + QStringLiteral("/Riepilogo_Annuale_Versamenti.csv"));
        QVERIFY2(!csv.isEmpty(), office.readAllStandardError().constData());

        const QList<QStringList> rows = parseCsv(QString::fromUtf8(csv));
        QCOMPARE(rows.size(), grid.rowCount() + 1);
        QCOMPARE(rows.at(0).size(), 19);
        QCOMPARE(rows.at(0).at(0), QStringLiteral("Importo versato"));
        QCOMPARE(rows.at(0).at(18), QStringLiteral("Saldato"));
        for (int r = 0; r < grid.rowCount(); ++r) {
            QCOMPARE(rows.at(r + 1).size(), 19);
            for (int c = 1; c < grid.columnCount(); ++c)
                QCOMPARE(rows.at(r + 1).at(c - 1), grid.text(r, c).trimmed());
        }
        // The values that a spreadsheet would otherwise change.
        QCOMPARE(rows.at(4).at(4), QStringLiteral("a<b c>d"));
        QCOMPARE(rows.at(4).at(10), QStringLiteral("00184"));
        QCOMPARE(rows.at(4).at(14), QStringLiteral("=1+1"));
        QCOMPARE(rows.at(4).at(9), QStringLiteral("è"));
        QCOMPARE(rows.at(4).at(8), QStringLiteral("€  5"));
        QCOMPARE(rows.at(4).at(11), QStringLiteral("01/02/2025"));
        QCOMPARE(rows.at(1).at(0), QStringLiteral("168,00"));

        const QList<QStringList> summed =
            parseCsv(QString::fromUtf8(readAll(work.path() + QStringLiteral("/Somma.csv"))));
        QCOMPARE(summed.size(), grid.rowCount() + 2);
        QCOMPARE(cents, 142015);
        QCOMPARE(summed.last().at(0), Summary::totalText(Summary::Decimal::fromCents(cents)));
    }
};

QTEST_GUILESS_MAIN(TestExportGrid)
#include "tst_exportgrid.moc"
