// The payment summary without windows: the checks of the chosen period, which slips a summary
// takes, its exact total, and its printed body read back from a PDF.

#include "CoreSupport.h"
#include "ListFixtures.h"
#include "PdfReadBack.h"
#include "ReadOnly.h"
#include "lists/ListLines.h"
#include "data/CodePage.h"
#include "windows/ListPrint.h"
#include "lists/Summary.h"
#include "reports/Report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <memory>

using namespace ListFixtures;

class TestSummary : public QObject {
    Q_OBJECT

private slots:
    void periodChecks_data();
    void periodChecks();
    void monthNames();
    void archiveThatIsNoFile();

    void periodBoundsAndPaidFlag();
    void filters_data();
    void filters();

    void totals_data();
    void totals();
    void hundredThousandCents();
    void storedAmounts_data();
    void storedAmounts();
    void unreadableSlipsAreLeftOutAndCounted();
    void missingArchiveIsCreatedEmpty();
    void archiveReadInPart_data();
    void archiveReadInPart();

    void printedBodyOfTenSlips();
};

namespace {

Summary::Choice choice(const char* year, const char* startDay, const char* startMonth, const char* endDay,
                       const char* endMonth)
{
    const QString y = QString::fromUtf8(year);
    return {y,
            QString::fromUtf8(startDay),
            QString::fromUtf8(startMonth),
            QString::fromUtf8(endDay),
            QString::fromUtf8(endMonth),
            y.trimmed(),
            y.trimmed()};
}

Record due(const char* date, const char* amount, const char* name = "ROSSI MARIO",
           const char* taxCode = "RSSMRA80A01H501U")
{
    return slip({{"DataScade", QString::fromUtf8(date)},
                 {"Intero", QString::fromUtf8(amount)},
                 {"Esecutore", QString::fromUtf8(name)},
                 {"CodFisc", QString::fromUtf8(taxCode)},
                 {"ComuneRes", "ROMA"},
                 {"ProvRes", "RM"},
                 {"CodTariffa", "8617"}});
}

const QDate kMarch1(2014, 3, 1);
const QDate kMarch31(2014, 3, 31);
const QString kValid = QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");

} // namespace

void TestSummary::periodChecks_data()
{
    QTest::addColumn<Summary::Choice>("choice");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");

    const int warning = int(MessageKind::Warning);
    const int plain = int(MessageKind::Plain);
    QTest::newRow("three-digit year") << choice("201", "01", "Marzo", "31", "Marzo") << warning
                                      << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
                                      << "txtAnno"
                                      << ""
                                      << "";
    QTest::newRow("no start day") << choice("2014", " ", "Marzo", "31", "Marzo") << warning
                                  << "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a "
                                     "cascata."
                                  << "txtGiornoInizio"
                                  << ""
                                  << "";
    QTest::newRow("no start month") << choice("2014", "01", "", "31", "Marzo") << warning
                                    << "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a "
                                       "cascata."
                                    << "txtMeseInizio"
                                    << ""
                                    << "";
    QTest::newRow("no end day") << choice("2014", "01", "Marzo", "", "Marzo") << warning
                                << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a "
                                   "cascata."
                                << "txtGiornoFine"
                                << ""
                                << "";
    QTest::newRow("no end month") << choice("2014", "01", "Marzo", "31", "") << warning
                                  << "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a "
                                     "cascata."
                                  << "txtMeseFine"
                                  << ""
                                  << "";
    QTest::newRow("31 Febbraio 2014") << choice(
        "2014", "31", "Febbraio", "31",
        "Marzo") << plain << QString("Attenzione: la data 31/02/2014 di inizio intervallo non esiste.\n\r\n\r" + kValid)
                                      << "txtGiornoInizio"
                                      << "31/02/2014"
                                      << "";
    QTest::newRow("29 Febbraio of a leap year") << choice("2016", "29", "Febbraio", "29", "Febbraio") << -1 << ""
                                                << ""
                                                << "29/02/2016"
                                                << "29/02/2016";
    QTest::newRow("31 Aprile as the end")
        << choice("2014", "01", "Aprile", "31", "Aprile") << plain
        << QString("Attenzione: la data 31/04/2014 di fine intervallo non esiste.\n\r\n\r" + kValid) << "txtGiornoFine"
        << "01/04/2014"
        << "31/04/2014";
    QTest::newRow("a month that is none")
        << choice("2014", "05", "Marz", "31", "Marzo") << plain
        << QString("Attenzione: la data  di inizio intervallo non esiste.\n\r\n\r" + kValid) << "txtGiornoInizio"
        << ""
        << "";
    QTest::newRow("10 Marzo to 01 Marzo")
        << choice("2014", "10", "Marzo", "01", "Marzo") << plain
        << "Attenzione: la data di fine intervallo (01/03/2014) non può essere anteriore a quella di inizio "
           "intervallo (10/03/2014).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
           "intervallo di tempo valido."
        << ""
        << "10/03/2014"
        << "01/03/2014";
    QTest::newRow("01 Gennaio to 01 Gennaio") << choice("2014", "01", "Gennaio", "01", "Gennaio") << -1 << ""
                                              << ""
                                              << "01/01/2014"
                                              << "01/01/2014";
    QTest::newRow("months in any case, days with blanks")
        << choice("2014", " 05 ", " MARZO ", "07", "dicembre") << -1 << ""
        << ""
        << "05/03/2014"
        << "07/12/2014";
}

void TestSummary::periodChecks()
{
    QFETCH(Summary::Choice, choice);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, focus);
    QFETCH(QString, start);
    QFETCH(QString, end);

    TestSupport::Folder folder;
    const Summary::Checked checked = Summary::check(choice);
    QCOMPARE(checked.message.text, text);
    if (kind >= 0)
        QCOMPARE(int(checked.message.kind), kind);
    QCOMPARE(checked.focus, focus);
    QCOMPARE(checked.start, start);
    QCOMPARE(checked.end, end);
    QCOMPARE(checked.ok(), text.isEmpty());
    QCOMPARE(checked.archive, checked.ok() ? folder.file(choice.year.trimmed() + ".bol") : QString());
}

void TestSummary::monthNames()
{
    QCOMPARE(Summary::months().size(), 12);
    QCOMPARE(Summary::days().size(), 31);
    QCOMPARE(Summary::days().first(), QStringLiteral("01"));
    QCOMPARE(Summary::days().last(), QStringLiteral("31"));
    QCOMPARE(Summary::monthNumber("Gennaio"), 1);
    QCOMPARE(Summary::monthNumber(" settembre "), 9);
    QCOMPARE(Summary::monthNumber("Dicembre"), 12);
    QCOMPARE(Summary::monthNumber("Dic"), 0);
    QCOMPARE(Summary::monthNumber(""), 0);
}

void TestSummary::archiveThatIsNoFile()
{
    // A folder under the archive's name passes the checks: the result window says what it could not read.
    TestSupport::Folder folder;
    QVERIFY(QDir(folder.folder()).mkdir("2014.bol"));
    const Summary::Checked checked = Summary::check(choice("2014", "01", "Marzo", "31", "Marzo"));
    QVERIFY(checked.ok());
    QCOMPARE(checked.archive, folder.file("2014.bol"));
    QCOMPARE(checked.start, QStringLiteral("01/03/2014"));
}

void TestSummary::periodBoundsAndPaidFlag()
{
    TestSupport::Folder folder;
    Record paid = due("01/03/2014", "10,00", "PAGATO");
    paid.setFlag("Saldato", true);
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path,
                         {due("28/02/2014", "1000,00", "PRIMA"), paid, due("15/03/2014", "0,50", "MEZZO"),
                          due("31/03/2014", "5,25", "NON PAGATO"), due("01/04/2014", "2000,00", "DOPO"),
                          due("31/03/2015", "3000,00", "ALTRO ANNO")}));

    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    QVERIFY(result.ok);
    QCOMPARE(result.unreadable, 0);
    QCOMPARE(Summary::totalText(result.total), QStringLiteral("15,75"));
    QCOMPARE(result.lines.size(), 3);
    // The lines are the slip list lines, in list order (day first).
    QCOMPARE(result.lines.at(0), ListLines::slipLine(paid));
    QVERIFY(result.lines.at(1).contains(QLatin1String("MEZZO")));
    QVERIFY(result.lines.at(2).contains(QLatin1String("NON PAGATO")));

    // One day is a period.
    const Summary::Result oneDay = Summary::compute(path, {}, QDate(2014, 4, 1), QDate(2014, 4, 1));
    QCOMPARE(oneDay.lines.size(), 1);
    QCOMPARE(Summary::totalText(oneDay.total), QStringLiteral("2000,00"));
}

void TestSummary::filters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("taxCode");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");

    QTest::newRow("none") << ""
                          << "" << QStringList{"BIANCHI", "DE ROSSI", "ROSSI MARIO", "ROSSINI", "Rossi anna"} << "- - -"
                          << 0;
    QTest::newRow("blanks are no filter")
        << "   "
        << " " << QStringList{"BIANCHI", "DE ROSSI", "ROSSI MARIO", "ROSSINI", "Rossi anna"} << "- - -" << 0;
    QTest::newRow("name in any case of A-Z")
        << "rossi"
        << "" << QStringList{"DE ROSSI", "ROSSI MARIO", "ROSSINI", "Rossi anna"} << "rossi" << 1;
    QTest::newRow("name as typed, not trimmed") << " ROSSI"
                                                << "" << QStringList{"DE ROSSI"} << "ROSSI" << 1;
    QTest::newRow("tax code") << ""
                              << "bnc" << QStringList{"BIANCHI"} << "- - -" << 1;
    QTest::newRow("both must occur") << "ROSSI"
                                     << "RSSMRA" << QStringList{"ROSSI MARIO", "ROSSINI"} << "ROSSI" << 2;
    QTest::newRow("no payer has both") << "BIANCHI"
                                       << "RSSMRA" << QStringList{} << "BIANCHI" << 2;
    QTest::newRow("accents are not folded") << "rossì"
                                            << "" << QStringList{} << "rossì" << 1;
}

void TestSummary::filters()
{
    QFETCH(QString, name);
    QFETCH(QString, taxCode);
    QFETCH(QStringList, listed);
    QFETCH(QString, title);
    QFETCH(int, count);

    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path,
                         {due("02/03/2014", "1,00", "ROSSI MARIO", "RSSMRA80A01H501U"),
                          due("03/03/2014", "2,00", "BIANCHI", "BNCLGU70B02F205X"),
                          due("04/03/2014", "4,00", "DE ROSSI", "DRSGNN60C03L219Y"),
                          due("05/03/2014", "8,00", "ROSSINI", "RSSMRA90D04H501Z"),
                          due("06/03/2014", "16,00", "Rossi anna", "RSSNNA85E45H501W"),
                          due("07/03/2014", "32,00", "ROSSÌ", "XXXXXX")}));

    const Summary::Filters filters{name, taxCode};
    QCOMPARE(Summary::filterCount(filters), count);
    QCOMPARE(Summary::payerTitle(filters), title);
    const Summary::Result result = Summary::compute(path, filters, kMarch1, kMarch31);
    QVERIFY(result.ok);
    QStringList names;
    qint64 expected = 0;
    const QMap<QString, qint64> amounts{{"ROSSI MARIO", 100}, {"BIANCHI", 200},     {"DE ROSSI", 400},
                                        {"ROSSINI", 800},     {"Rossi anna", 1600}, {"ROSSÌ", 3200}};
    for (const QString& line : result.lines)
        names << line.mid(33, 23).trimmed();
    names.sort();
    if (name.trimmed().isEmpty() && taxCode.trimmed().isEmpty())
        listed << "ROSSÌ";
    listed.sort();
    QCOMPARE(names, listed);
    for (const QString& payer : listed)
        expected += amounts.value(payer);
    QCOMPARE(result.total, Summary::Decimal::fromCents(expected));
}

void TestSummary::totals_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total");

    QTest::newRow("168,00 + 16,00 + 0,50") << QStringList{"168,00", "16,00", "0,50"} << "184,50";
    QTest::newRow("no slip") << QStringList{} << "0,00";
    QTest::newRow("0,10 + 0,20") << QStringList{"0,10", "0,20"} << "0,30";
    QTest::newRow("ten times 0,10") << QStringList(10, "0,10") << "1,00";
    QTest::newRow("amounts another program wrote") << QStringList{"168", "0,5", " 2,05 "} << "170,55";
    QTest::newRow("a refund") << QStringList{"10,00", "-12,50"} << "-2,50";
    QTest::newRow("no thousands separator") << QStringList{"99999999,99", "99999999,99", "0,02"} << "200000000,00";
    // Added exactly, rounded once: each amount rounded first would give 0,0002.
    QTest::newRow("halves of a ten-thousandth") << QStringList{"0,00005", "0,00005"} << "0,0001";
    QTest::newRow("a refund of more decimals") << QStringList{"1,005", "-2,0055"} << "-1,0005";
    QTest::newRow("eleven digits of euros")
        << QStringList{"99999999999", "99999999999", ",9999999999"} << "199999999999,00";
}

void TestSummary::totals()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);

    TestSupport::Folder folder;
    QList<Record> records;
    for (const QString& amount : amounts)
        records << due("15/03/2014", amount.toUtf8().constData());
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path, records));
    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    QVERIFY(result.ok);
    QCOMPARE(result.unreadable, 0);
    QCOMPARE(result.lines.size(), amounts.size());
    QCOMPARE(Summary::totalText(result.total), total);
}

void TestSummary::hundredThousandCents()
{
    // A floating-point sum of 0,01 drifts away from 1000 long before the 100 000th slip.
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    const QByteArray one = due("15/03/2014", "0,01").bytes();
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray thousand = one.repeated(1000);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(file.write(thousand), thousand.size());
    }
    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    QVERIFY(result.ok);
    QCOMPARE(result.lines.size(), 100000);
    QCOMPARE(result.total, Summary::Decimal::fromCents(100000));
    QCOMPARE(Summary::totalText(result.total), QStringLiteral("1000,00"));
}

namespace {

// A slip whose amount field holds these bytes as they stand, as another program or a damaged file
// may have left them: blanks and all, which the program itself never stores.
Record storedAmount(const QByteArray& stored)
{
    const RecordLayout& layout = SlipRecord::layout();
    const int field = layout.indexOf("Intero");
    QByteArray bytes = due("15/03/2014", "").bytes();
    Q_ASSERT(stored.size() <= layout.capacity(field));
    bytes[layout.offset(field)] = char(stored.size());
    bytes.replace(layout.offset(field) + 1, stored.size(), stored);
    return Record(layout, bytes);
}

} // namespace

void TestSummary::storedAmounts_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("total"); // beside a slip of 10,00
    QTest::addColumn<bool>("read");
    QTest::addColumn<qint64>("cents"); // as the export reads it; -1: no amount in cents

    QTest::newRow("the program's own") << QByteArray("168,00") << "178,00" << true << qint64(16800);
    QTest::newRow("whole euros") << QByteArray("7") << "17,00" << true << qint64(700);
    QTest::newRow("one decimal") << QByteArray("3,5") << "13,50" << true << qint64(350);
    QTest::newRow("three decimals") << QByteArray("1,005") << "11,005" << true << qint64(-1);
    QTest::newRow("three decimals, more euros") << QByteArray("168,555") << "178,555" << true << qint64(-1);
    QTest::newRow("a tenth of a cent") << QByteArray("0,001") << "10,001" << true << qint64(-1);
    QTest::newRow("four decimals") << QByteArray("12,3456") << "22,3456" << true << qint64(-1);
    QTest::newRow("five decimals, a half up") << QByteArray("0,00005") << "10,0001" << true << qint64(-1);
    QTest::newRow("five decimals, under a half") << QByteArray("0,00004") << "10,00" << true << qint64(-1);
    QTest::newRow("zeros after the cents") << QByteArray("1,2500") << "11,25" << true << qint64(125);
    QTest::newRow("comma first") << QByteArray(",50") << "10,50" << true << qint64(50);
    QTest::newRow("comma last") << QByteArray("12,") << "22,00" << true << qint64(1200);
    QTest::newRow("minus") << QByteArray("-0,75") << "9,25" << true << qint64(-75);
    QTest::newRow("plus") << QByteArray("+5") << "15,00" << true << qint64(500);
    QTest::newRow("a refund to a negative tie") << QByteArray("-10,00005") << "0,00" << true << qint64(-1);
    QTest::newRow("a refund past a tie") << QByteArray("-10,00006") << "-0,0001" << true << qint64(-1);
    QTest::newRow("blanks, tab and NUL around") << QByteArray("\t 2,05 \0", 8) << "12,05" << true << qint64(205);
    QTest::newRow("non-breaking space before") << QByteArray("\xA0"
                                                             "12,50")
                                               << "10,00" << false << qint64(-1);
    QTest::newRow("non-breaking space after") << QByteArray("12,50\xA0") << "10,00" << false << qint64(-1);
    QTest::newRow("blank inside") << QByteArray("12 ,50") << "10,00" << false << qint64(-1);
    QTest::newRow("blanks only") << QByteArray("   ") << "10,00" << false << qint64(-1);
    QTest::newRow("empty") << QByteArray() << "10,00" << false << qint64(-1);
    QTest::newRow("comma alone") << QByteArray(",") << "10,00" << false << qint64(-1);
    QTest::newRow("sign alone") << QByteArray("-") << "10,00" << false << qint64(-1);
    QTest::newRow("sign after the number") << QByteArray("5-") << "10,00" << false << qint64(-1);
    QTest::newRow("a point") << QByteArray("168.00") << "10,00" << false << qint64(-1);
    QTest::newRow("thousands separator") << QByteArray("1.168,00") << "10,00" << false << qint64(-1);
    QTest::newRow("letters") << QByteArray("12,5O") << "10,00" << false << qint64(-1);
    QTest::newRow("two commas") << QByteArray("1,2,3") << "10,00" << false << qint64(-1);
}

void TestSummary::storedAmounts()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, total);
    QFETCH(bool, read);
    QFETCH(qint64, cents);

    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path, {due("02/03/2014", "10,00"), storedAmount(stored)}));
    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    QVERIFY(result.ok);
    QCOMPARE(Summary::totalText(result.total), total);
    QCOMPARE(result.lines.size(), read ? 2 : 1);
    QCOMPARE(result.unreadable, read ? 0 : 1);
    QCOMPARE(Summary::noteText(result),
             read ? QString()
                  : QStringLiteral("Attenzione: 1 bollettino ha la data di scadenza o l'importo non leggibile: è "
                                   "escluso dall'elenco e dal totale."));

    // The export's numeric cell reads the same text, and takes only whole cents.
    const std::optional<qint64> got = Summary::amountCents(CodePage::decode(stored));
    QCOMPARE(got.value_or(-1), cents);
}

void TestSummary::unreadableSlipsAreLeftOutAndCounted()
{
    // Reading goes on past a slip whose date or amount is damaged; only slips that pass the filters
    // and, for the amount, fall in the period are counted.
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path,
                         {due("02/03/2014", "1,00"), due("31/02/2014", "50,00"), due("3 marzo", "50,00"),
                          due("04/03/2014", "dieci"), due("05/03/2014", "2,00"),
                          due("xx/xx/xxxx", "9,00", "BIANCHI", "BNC"), due("06/05/2014", "abc")}));
    const Summary::Result all = Summary::compute(path, {}, kMarch1, kMarch31);
    QVERIFY(all.ok);
    QCOMPARE(all.lines.size(), 2);
    QCOMPARE(Summary::totalText(all.total), QStringLiteral("3,00"));
    QCOMPARE(all.unreadable, 4);
    QCOMPARE(Summary::unreadableText(all.unreadable),
             QStringLiteral("Attenzione: 4 bollettini hanno la data di scadenza o l'importo non leggibile: sono "
                            "esclusi dall'elenco e dal totale."));

    const Summary::Result rossi = Summary::compute(path, {"ROSSI", ""}, kMarch1, kMarch31);
    QCOMPARE(rossi.unreadable, 3);
    QCOMPARE(Summary::unreadableText(1),
             QStringLiteral("Attenzione: 1 bollettino ha la data di scadenza o l'importo non leggibile: è escluso "
                            "dall'elenco e dal totale."));
    QCOMPARE(Summary::unreadableText(0), QString());
}

void TestSummary::missingArchiveIsCreatedEmpty()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2031.bol");
    const Summary::Result result = Summary::compute(path, {}, QDate(2031, 1, 1), QDate(2031, 12, 31));
    QVERIFY(result.ok);
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(Summary::totalText(result.total), QStringLiteral("0,00"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestSummary::archiveReadInPart_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("total");
    QTest::addColumn<qint64>("unread");
    QTest::addColumn<QString>("note");
    // Three slips, one of them due in April, then the damage. The end of a save that never
    // finished is no slip: it is named, not counted, and everything before it is read.
    QTest::newRow("incomplete last record")
        << "tail" << true << 2 << "10,50" << qint64(0)
        << "Attenzione: l'archivio termina con una scheda incompleta, rimasta da un salvataggio interrotto.";
    QTest::newRow("incomplete record after a bad date")
        << "tail and date" << true << 2 << "10,50" << qint64(0)
        << "Attenzione: 1 bollettino ha la data di scadenza o l'importo non leggibile: è escluso dall'elenco e dal "
           "totale.\nAttenzione: l'archivio termina con una scheda incompleta, rimasta da un salvataggio interrotto.";
    QTest::newRow("file that cannot be opened")
        << "read-only" << false << 0 << "0,00" << qint64(3)
        << "Attenzione: 3 bollettini dell'archivio non sono leggibili: sono esclusi dall'elenco e dal totale.";
    QTest::newRow("folder under the archive's name")
        << "folder" << false << 0 << "0,00" << qint64(-1)
        << "Attenzione: l'archivio non è leggibile: il riepilogo non contiene i suoi bollettini.";
}

void TestSummary::archiveReadInPart()
{
    QFETCH(QString, damage);
    QFETCH(bool, ok);
    QFETCH(int, lines);
    QFETCH(QString, total);
    QFETCH(qint64, unread);
    QFETCH(QString, note);
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QList<Record> records = {due("02/03/2014", "10,00"), due("03/04/2014", "99,00"), due("31/03/2014", "0,50")};
    if (damage.contains("date"))
        records << due("31/02/2014", "1,00");
    std::unique_ptr<ReadOnly> guard;
    if (damage == "folder") {
        QVERIFY(QDir(folder.folder()).mkdir("2014.bol"));
    } else {
        QVERIFY(TestSupport::writeAll(
            path, archive(records) + (damage.startsWith("tail") ? QByteArray(100, 'x') : QByteArray())));
    }
    if (damage == "read-only") {
        guard = std::make_unique<ReadOnly>(path);
        REQUIRE_READ_ONLY(*guard);
    }
    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.tail, damage.startsWith("tail"));
    QCOMPARE(result.lines.size(), lines);
    QCOMPARE(result.unread, unread);
    QCOMPARE(Summary::noteText(result), note);
    // The total is shown whatever was read, never blank.
    QCOMPARE(Summary::totalText(result.total), total);
}

void TestSummary::printedBodyOfTenSlips()
{
    if (!PdfReadBack::toolsPresent())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdftoppm) are not installed");
    TestSupport::Folder folder;
    QList<Record> records;
    for (int i = 1; i <= 10; ++i)
        records << due(QStringLiteral("%1/03/2014").arg(i, 2, 10, QLatin1Char('0')).toUtf8().constData(), "16,00",
                       QStringLiteral("PAGANTE%1").arg(i, 2, 10, QLatin1Char('0')).toUtf8().constData());
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path, records));
    const Summary::Result result = Summary::compute(path, {}, kMarch1, kMarch31);
    const QString period = Summary::periodText("01/03/2014", "31/03/2014");
    QCOMPARE(period, QStringLiteral("Dal   01/03/2014   al   31/03/2014"));
    const QStringList body = Summary::printBody(result.lines, period, Summary::totalText(result.total));
    QCOMPARE(body.size(), 13);
    QCOMPARE(body.at(10), QStringLiteral("- - - - - - - - - - - - - - - -"));
    QCOMPARE(body.at(11), QStringLiteral("INTERVALLO SELEZIONATO:  Dal   01/03/2014   al   31/03/2014"));
    QCOMPARE(body.at(12), QStringLiteral("TOTALE IMPORTI VERSATI:  € 160,00"));
    // Left-out slips are named on paper too, after the total.
    QCOMPARE(Summary::printBody(result.lines, period, "160,00", Summary::unreadableText(2)).size(), 14);
    QCOMPARE(Summary::printBody(result.lines, period, "160,00", Summary::unreadableText(2)).last(),
             Summary::unreadableText(2));

    Report::Template report(ListPrint::listTemplate());
    ListPrint::fill(report, Summary::printTitle(Summary::payerTitle({})), body);
    report.prepare();
    report.pdf().fileName = folder.file("riepilogo.pdf");
    QVERIFY(Report::exportPdf(report));

    const PdfReadBack::Document pdf = PdfReadBack::words(folder.file("riepilogo.pdf"));
    QVERIFY(pdf.ok());
    QCOMPARE(pdf.pages.size(), 1);
    // Title: "Riepilogo versamenti - Esecutore: - - -".
    QCOMPARE(pdf.count("Esecutore:"), 1);
    const PdfReadBack::Word title = pdf.find("Esecutore:").first();
    // Thirteen body lines, each on its own baseline, in order: ten slips, hyphens, period, total.
    QList<double> rows;
    for (int i = 1; i <= 10; ++i) {
        const QList<PdfReadBack::Word> payer = pdf.find(QStringLiteral("PAGANTE%1").arg(i, 2, 10, QLatin1Char('0')));
        QCOMPARE(payer.size(), 1);
        rows << payer.first().box.top();
    }
    const QList<PdfReadBack::Word> hyphens = pdf.wordsInside({0, rows.last() + 2.5, 297, 3});
    QCOMPARE(hyphens.size(), 16);
    for (const PdfReadBack::Word& hyphen : hyphens)
        QCOMPARE(hyphen.text, QStringLiteral("-"));
    rows << hyphens.first().box.top();
    rows << pdf.find("INTERVALLO").first().box.top() << pdf.find("TOTALE").first().box.top();
    QCOMPARE(rows.size(), 13);
    for (int i = 1; i < rows.size(); ++i) {
        QVERIFY2(rows[i] > rows[i - 1] + 2.5 && rows[i] < rows[i - 1] + 4.5, qPrintable(QString::number(i)));
    }
    QVERIFY(rows.first() > title.box.bottom());
    QVERIFY(pdf.contains("160,00"));
    QCOMPARE(pdf.count("INTERVALLO"), 1);
    const QList<PdfReadBack::Word> footer = pdf.find("eseguita");
    QCOMPARE(footer.size(), 1);
    QVERIFY(footer.first().box.top() > rows.last());
}

QTEST_MAIN(TestSummary)
#include "tst_summary.moc"
