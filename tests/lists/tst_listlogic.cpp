// The list mechanism without windows: lines, order, find, what the archives give, the take-over's
// record and the printed list.

#include "CoreSupport.h"
#include "ListFixtures.h"
#include "PdfReadBack.h"
#include "lists/ListArchive.h"
#include "windows/ListFind.h"
#include "lists/ListLines.h"
#include "windows/ListPrint.h"
#include "windows/ListSort.h"
#include "lists/Summary.h"
#include "reports/Report.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ListFixtures;

class TestListLogic : public QObject {
    Q_OBJECT

private slots:
    void slipLineIsLaidOutByHand();
    void slipLineWithEmptyNotesEndsInTwoBlanks();
    void slipLineKeepsWidestValuesWhole();
    void payerLineCutsLongContact();
    void paddedPiece_data();
    void paddedPiece();

    void sortOrder_data();
    void sortOrder();
    void sortMatchesStableComparison();
    void sortSettlesTiedSlipLines();
    void sortListsSlipsByTheirText();

    void findSequence();
    void findOnEmptyListSaysSo();

    void unpaidAndExpired_data();
    void unpaidAndExpired();
    void expiredGoesOnPastUnreadableDate();
    void splitReadGivesTheWholeReadResult();
    void listOfMissingArchiveCreatesIt();
    void incompleteTailKeepsLinesBefore();

    void slipCriteria_data();
    void slipCriteria();
    void payerCriteria();
    void recontactTakesOnlySi();

    void takeOverFindsTheLastEqualRecord();
    void payerTakeOverFindsCutContact();

    void printHundredLines();
    void printEmptyList();
};

namespace {

Record rossi()
{
    return slip({{"DataScade", "15/03/2014"},
                 {"Intero", "168,00"},
                 {"Esecutore", "ROSSI MARIO"},
                 {"CodFisc", "RSSMRA80A01H501U"},
                 {"ComuneRes", "ROMA"},
                 {"ProvRes", "RM"},
                 {"CodTariffa", "8617"},
                 {"Note", "pagato in contanti"}});
}

} // namespace

void TestListLogic::slipLineIsLaidOutByHand()
{
    const QString expected = QString::fromUtf8("Scad. 15/03/2014  € 168,00       ROSSI MARIO             C.F. "
                                               "RSSMRA80A01H501U  ROMA RM              TAR. 8617  pagato in contanti");
    QCOMPARE(ListLines::slipLine(rossi()), expected);
    QCOMPARE(ListLines::slipLine(rossi()).indexOf(QLatin1String("pagato")), 112);
}

void TestListLogic::slipLineWithEmptyNotesEndsInTwoBlanks()
{
    Record record = rossi();
    record.setText("Note", QString());
    const QString line = ListLines::slipLine(record);
    QCOMPARE(line.size(), 112);
    QVERIFY(line.endsWith(QLatin1String("TAR. 8617  ")));
}

void TestListLogic::slipLineKeepsWidestValuesWhole()
{
    // Stored values at their capacity: 23 for the name, 17 + 2 for town and province, 4 for the tariff.
    const Record record = slip({{"DataScade", "01/01/2015"},
                                {"Intero", "99999999,99"},
                                {"Esecutore", "ABCDEFGHIJKLMNOPQRSTUVW"},
                                {"CodFisc", "ZZZZZZ99Z99Z999Z"},
                                {"ComuneRes", "SAN GIOVANNI ROTO"},
                                {"ProvRes", "FG"},
                                {"CodTariffa", "7111"}});
    QCOMPARE(ListLines::slipLine(record),
             QString::fromUtf8("Scad. 01/01/2015  € 99999999,99  ABCDEFGHIJKLMNOPQRSTUVW C.F. ZZZZZZ99Z99Z999Z  "
                               "SAN GIOVANNI ROTO FG TAR. 7111  "));
}

void TestListLogic::payerLineCutsLongContact()
{
    const Record record = payer({{"Esecutore", "BIANCHI ANNA"},
                                 {"CodFisc", "BNCNNA85M41F205X"},
                                 {"ComuneRes", "MILANO"},
                                 {"ProvRes", "MI"},
                                 {"Recapito", "02 1234567 ufficio, chiedere di Laura dopo le 15:00"},
                                 {"CodTariffa", "7313"},
                                 {"Note", "rinnovo"}});
    QCOMPARE(ListLines::payerLine(record),
             QString::fromUtf8("BIANCHI ANNA             C.F. BNCNNA85M41F205X  MILANO MI             Tel. "
                               "02 1234567 ufficio,   TAR. 7313  rinnovo"));
}

void TestListLogic::paddedPiece_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("piece");
    QTest::newRow("short") << "abc" << 5 << "abc  ";
    QTest::newRow("cut") << "abcdefg" << 4 << "abcd";
    QTest::newRow("trimmed first") << " \tab \r\n" << 4 << "ab  ";
    QTest::newRow("empty") << "" << 3 << "   ";
}

void TestListLogic::paddedPiece()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, piece);
    QCOMPARE(ListLines::padded(text, width), piece);
}

void TestListLogic::sortOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("order"); // -1: first sorts before second, 0: equal
    QTest::newRow("day before month") << "Scad. 01/12/2014"
                                      << "Scad. 02/01/2014" << -1;
    QTest::newRow("euro 0x80 before a grave 0xE0") << QString::fromUtf8("€") << QString::fromUtf8("à") << -1;
    QTest::newRow("OE ligature 0x8C before a grave") << QString::fromUtf8("Œ") << QString::fromUtf8("à") << -1;
    QTest::newRow("a-z taken as A-Z") << "rossi"
                                      << "ROSSI" << 0;
    QTest::newRow("folded a before B") << "a"
                                       << "B" << -1;
    QTest::newRow("folded z before underscore") << "z"
                                                << "_" << -1;
    QTest::newRow("E grave not folded") << QString::fromUtf8("È") << QString::fromUtf8("è") << -1;
    QTest::newRow("prefix first") << "ab"
                                  << "abc" << -1;
}

void TestListLogic::sortOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, order);
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sign(ListSort::compare(first, second)), order);
    QCOMPARE(sign(ListSort::compare(second, first)), -order);
    // The lists sort their stored bytes, not the strings: the same order must come out of them
    // (equal lines keep the order they came in).
    LineList list{second, first};
    list.sort();
    const QStringList expected = order < 0 ? QStringList{first, second} : QStringList{second, first};
    QCOMPARE(list.toList(), expected);
}

// The list's own sort (inline prefixes, a block of codes, ties settled on the rest) must give
// exactly the order of a plain stable sort by the comparison above: lines sharing a long start,
// lines that differ only after it, lines that begin others, NUL characters, and lines equal
// under a-z folding ("rossi", "ROSSI"), which must keep the order they came in.
void TestListLogic::sortMatchesStableComparison()
{
    QRandomGenerator random(451);
    const QString alphabet = QString::fromUtf8("aAbB\u20ac\u00e0 ") + QChar(u'\0');
    const QStringList starts = {"", "Scad. ", "Scad. 01/01/2014  \u20ac 16,00      ROSSI"};
    QStringList lines;
    for (int i = 0; i < 30000; ++i) { // enough for the two-part sort of long lists
        QString line = starts.at(random.bounded(int(starts.size())));
        const int extra = random.bounded(30);
        for (int j = 0; j < extra; ++j)
            line += alphabet.at(random.bounded(int(alphabet.size())));
        lines << line;
    }
    // Every line beginning "Scad. " (as slip lines do), then few characters: lines share 10 to
    // 30 characters past that start, so the order is decided at every position the sort keeps
    // inline and past it. Every letter a to z appears, folded or not.
    const QString letters = QStringLiteral("zZyY09 ") + QChar(u'\0');
    QStringList slipLike;
    for (int i = 0; i < 3000; ++i) {
        QString line = QStringLiteral("Scad. ");
        const int extra = 10 + random.bounded(25);
        for (int j = 0; j < extra; ++j)
            line += letters.at(random.bounded(int(letters.size())));
        slipLike << line;
    }
    // Lines equal under folding for their first 22 characters (but for one, so that they do not
    // all share them): only the rest can tell them apart.
    QStringList tied{QStringLiteral("Scad. b")};
    for (int i = 0; i < 3000; ++i) {
        QString line = QStringLiteral("Scad. ");
        for (int j = 0; j < 16; ++j)
            line += random.bounded(2) ? QChar(u'a') : QChar(u'A');
        const int extra = random.bounded(20);
        for (int j = 0; j < extra; ++j)
            line += letters.at(random.bounded(int(letters.size())));
        tied << line;
    }
    QStringList alphabetLines;
    for (char16_t c = u'a'; c <= u'z'; ++c)
        alphabetLines << QString(QChar(c)) << QString(QChar(c - 32)) << QStringLiteral("_") + QChar(c);
    for (const QStringList& list :
         {lines, slipLike, tied, alphabetLines, QStringList{"Scad. x"}, QStringList{}, QStringList{"b", "a"}}) {
        QStringList expected = list;
        std::stable_sort(expected.begin(), expected.end(), ListSort::lessThan);
        LineList sorted(list);
        sorted.sort();
        QCOMPARE(sorted.toList(), expected);
    }
}

// Slip lines as a busy year makes them: few days, few amounts, few payers, so that most lines tie
// on their first 16, 32 and 48 characters past "Scad. ", many are equal, some equal but for their
// length or the case of a letter, and some differ only in long notes. The order must be the plain
// comparison's, equal lines in the order they came.
void TestListLogic::sortSettlesTiedSlipLines()
{
    QRandomGenerator random(2443);
    const QStringList days = {"01/03/2014", "02/03/2014", "01/04/2014"};
    const QStringList amounts = {"16,00      ", "168,00     ", "16,50      "};
    const QStringList names = {"ROSSI MARIO            ", "ROSSI MARIA            ", "rossi mario            "};
    const QStringList notes = {"",
                               "pagato",
                               "pagato ",
                               QStringLiteral("pagato") + QChar(u'\0'),
                               QString(60, QLatin1Char('x')) + "a",
                               QString(60, QLatin1Char('x')) + "B",
                               QString::fromUtf8("versato € 16,00 — à")};
    QStringList lines;
    for (int i = 0; i < 40000; ++i) { // long enough for the halves worked on at once
        lines << "Scad. " + days.at(random.bounded(int(days.size()))) + QString::fromUtf8("  € ")
                + amounts.at(random.bounded(int(amounts.size()))) + "  " + names.at(random.bounded(int(names.size())))
                + " C.F. RSSMRA80A01H501U  ROMA RM              TAR. 1417  "
                + notes.at(random.bounded(int(notes.size())));
    }
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), ListSort::lessThan);
    LineList sorted(lines);
    sorted.sort();
    QCOMPARE(sorted.toList(), expected);
    // Cut after "ROSSI M" or "rossi m", thousands of lines are equal under a-z folding but are
    // different texts: they must stay in the order they came.
    QStringList cut;
    for (const QString& line : lines)
        cut << line.left(40);
    LineList cutSorted(cut);
    cutSorted.sort();
    QStringList cutExpected = cut;
    std::stable_sort(cutExpected.begin(), cutExpected.end(), ListSort::lessThan);
    QCOMPARE(cutSorted.toList(), cutExpected);
}

void TestListLogic::sortListsSlipsByTheirText()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path,
                         {slip({{"DataScade", "15/03/2014"}}), slip({{"DataScade", "02/04/2014"}}),
                          slip({{"DataScade", "10/01/2014"}})}));
    const QStringList got = ListArchive::unpaidSlips(path).lines.toList();
    QCOMPARE(got.size(), 3);
    QVERIFY(got[0].startsWith("Scad. 02/04/2014"));
    QVERIFY(got[1].startsWith("Scad. 10/01/2014"));
    QVERIFY(got[2].startsWith("Scad. 15/03/2014"));

    // Two slips due the same day differ first in their amounts' cents, past the first 20
    // characters: the amount decides, not the name.
    QVERIFY(writeArchive(path,
                         {slip({{"DataScade", "15/03/2014"}, {"Intero", "168,50"}, {"Esecutore", "ALFA"}}),
                          slip({{"DataScade", "15/03/2014"}, {"Intero", "168,00"}, {"Esecutore", "ZETA"}})}));
    const QStringList sameDay = ListArchive::unpaidSlips(path).lines.toList();
    QCOMPARE(sameDay.size(), 2);
    QVERIFY2(sameDay[0].contains(QLatin1String("168,00")), qPrintable(sameDay[0]));
    QVERIFY2(sameDay[1].contains(QLatin1String("168,50")), qPrintable(sameDay[1]));
}

void TestListLogic::findSequence()
{
    const QStringList list = {"ROSSI MARIO", "BIANCHI LUCA", "DEROSSI ANNA", "VERDI GINO", QString::fromUtf8("PERÈ è")};
    QString last;
    // rossi: the first line holding ROSSI, the next one, then round to the first again.
    QCOMPARE(ListFind::find(list, -1, "rossi", last).select, 0);
    QCOMPARE(last, QString("rossi"));
    QCOMPARE(ListFind::find(list, 0, "rossi", last).select, 2);
    QCOMPARE(ListFind::find(list, 2, "rossi", last).select, 0);
    // A new text starts again at the top even with a later line selected.
    QCOMPARE(ListFind::find(list, 3, "ROSS", last).select, 0);
    // Only the selected line matches: it stays selected.
    QCOMPARE(ListFind::find(list, 0, "verdi", last).select, 3);
    QCOMPARE(ListFind::find(list, 3, "verdi", last).select, 3);
    // Nothing matches: the selection stays, no message.
    ListFind::Result none = ListFind::find(list, 3, "neri", last);
    QCOMPARE(none.select, -1);
    QVERIFY(none.message.isEmpty());
    // An empty text never matches and says nothing.
    none = ListFind::find(list, 1, "", last);
    QCOMPARE(none.select, -1);
    QVERIFY(none.message.isEmpty());
    // Only A-Z are folded: È does not find è, but finds È.
    QCOMPARE(ListFind::find({"abc è", "x"}, -1, QString::fromUtf8("È"), last).select, -1);
    QCOMPARE(ListFind::find(list, -1, QString::fromUtf8("È"), last).select, 4);
}

void TestListLogic::findOnEmptyListSaysSo()
{
    QString last = "old";
    const ListFind::Result result = ListFind::find({}, -1, "x", last);
    QCOMPARE(result.select, -1);
    QCOMPARE(result.message.kind, MessageKind::Plain);
    QCOMPARE(result.message.text, QString::fromUtf8("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestListLogic::unpaidAndExpired_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("paid");
    QTest::addColumn<bool>("unpaid");
    QTest::addColumn<bool>("expired");
    QTest::newRow("due today") << "10/03/2014"
                               << "No" << true << true;
    QTest::newRow("due yesterday") << "09/03/2014"
                                   << "No" << true << true;
    QTest::newRow("due tomorrow") << "11/03/2014"
                                  << "No" << true << false;
    QTest::newRow("paid") << "01/01/2014" << QString::fromUtf8("Sì") << false << false;
    QTest::newRow("empty flag") << "01/01/2014"
                                << "" << false << false;
    QTest::newRow("other flag") << "01/01/2014"
                                << "no" << false << false;
}

void TestListLogic::unpaidAndExpired()
{
    QFETCH(QString, due);
    QFETCH(QString, paid);
    QFETCH(bool, unpaid);
    QFETCH(bool, expired);
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path, {slip({{"DataScade", due}, {"Saldato", paid}})}));
    const QDate today(2014, 3, 10);
    QCOMPARE(ListArchive::unpaidSlips(path).lines.size(), unpaid ? 1 : 0);
    QCOMPARE(ListArchive::expiredSlips(path, today).lines.size(), expired ? 1 : 0);
}

void TestListLogic::expiredGoesOnPastUnreadableDate()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QVERIFY(writeArchive(path,
                         {slip({{"DataScade", "01/02/2014"}, {"Esecutore", "PRIMO"}}),
                          slip({{"DataScade", "31/04/2014"}, {"Esecutore", "ROTTO"}}),
                          slip({{"DataScade", "xx/03/2014"}, {"Esecutore", "ROTTO DUE"}}),
                          slip({{"DataScade", "05/03/2014"}, {"Esecutore", "DOPO"}})}));
    const ListArchive::Lines got = ListArchive::expiredSlips(path, QDate(2014, 3, 10));
    QVERIFY(got.ok);
    QCOMPARE(got.lines.size(), 2);
    QVERIFY(got.lines[0].contains("PRIMO"));
    QVERIFY(got.lines[1].contains("DOPO"));
    QCOMPARE(got.unreadable, 2);
    QCOMPARE(ListArchive::unpaidSlips(path).lines.size(), 4);
}

// A long archive is read in two halves at once. Whatever the split, every list, count and total
// must be what one front-to-back read gives: slips on both sides of the cut, lines equal but for
// case kept in file order across it, unreadable dates counted once, and an incomplete tail.
void TestListLogic::splitReadGivesTheWholeReadResult()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    QList<Record> slips;
    for (int i = 0; i < 41; ++i) {
        const QString day = QString::number(1 + i % 28).rightJustified(2, QLatin1Char('0'));
        const QString due = i % 13 == 5 ? QStringLiteral("31/04/2014") : day + QStringLiteral("/03/2014");
        slips << slip({{"DataScade", due},
                       {"Intero", QString::number(i) + QStringLiteral(",05")},
                       {"Esecutore", i % 2 ? QStringLiteral("ROSSI %1").arg(i % 3) : QStringLiteral("VERDI")}});
        slips.last().setFlag("Saldato", i % 4 == 0);
    }
    // Equal but for case, one in each half: the earlier must stay first.
    slips[3] = slip({{"DataScade", "02/03/2014"}, {"Intero", "9,00"}, {"Esecutore", "rossi mario"}});
    slips[37] = slip({{"DataScade", "02/03/2014"}, {"Intero", "9,00"}, {"Esecutore", "ROSSI MARIO"}});
    const QByteArray whole = archive(slips);

    for (const QByteArray& bytes : {whole, QByteArray(whole + QByteArray(100, 'x'))}) {
        QVERIFY(TestSupport::writeAll(path, bytes));
        struct Results {
            ListArchive::Lines unpaid, expired, found;
            Summary::Result summary;
        };
        const auto read = [&](qint64 splitFrom) {
            RecordScan::setSplitFrom(splitFrom);
            const RecordScan::Criterion criteria[] = {{"Esecutore", QStringLiteral("rossi")}};
            Results r{ListArchive::unpaidSlips(path), ListArchive::expiredSlips(path, QDate(2014, 3, 20)),
                      ListArchive::searchSlips(path, criteria),
                      Summary::compute(path, {}, QDate(2014, 3, 1), QDate(2014, 3, 31))};
            RecordScan::setSplitFrom(0);
            return r;
        };
        const Results once = read(1'000'000);
        const Results split = read(1);
        QVERIFY(!once.unpaid.lines.isEmpty());
        QVERIFY(once.unpaid.ok);
        QCOMPARE(once.unpaid.tail, bytes != whole);
        QCOMPARE(once.summary.tail, bytes != whole);
        QCOMPARE(once.summary.unread, 0);
        for (const auto& [a, b] : {std::pair{&once.unpaid, &split.unpaid}, std::pair{&once.expired, &split.expired},
                                   std::pair{&once.found, &split.found}}) {
            QCOMPARE(b->lines.toList(), a->lines.toList());
            QCOMPARE(b->ok, a->ok);
            QCOMPARE(b->tail, a->tail);
            QCOMPARE(b->unreadable, a->unreadable);
        }
        QVERIFY(once.expired.unreadable > 0);
        const QStringList found = split.found.lines.toList();
        const auto at = [&found](const char* name) {
            for (qsizetype i = 0; i < found.size(); ++i)
                if (found.at(i).contains(QLatin1String(name)))
                    return i;
            return qsizetype(-1);
        };
        QVERIFY(at("rossi mario") >= 0);
        QVERIFY(at("rossi mario") < at("ROSSI MARIO"));
        QCOMPARE(split.summary.lines.toList(), once.summary.lines.toList());
        QCOMPARE(split.summary.total, once.summary.total);
        QCOMPARE(split.summary.unreadable, once.summary.unreadable);
        QCOMPARE(split.summary.ok, once.summary.ok);
        QCOMPARE(split.summary.unread, once.summary.unread);
        QCOMPARE(split.summary.tail, once.summary.tail);
    }
}

void TestListLogic::listOfMissingArchiveCreatesIt()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2020.bol");
    const ListArchive::Lines got = ListArchive::unpaidSlips(path);
    QVERIFY(got.ok);
    QVERIFY(got.lines.isEmpty());
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
    QVERIFY(ListArchive::recontactPayers(folder.file("Esecutori.pro")).ok);
    QVERIFY(QFile::exists(folder.file("Esecutori.pro")));
}

void TestListLogic::incompleteTailKeepsLinesBefore()
{
    // The bytes of an interrupted save after the last whole record: every list reads the records
    // before them and reports no failure, only the fragment.
    TestSupport::Folder folder;
    const QString slips = folder.file("2014.bol");
    Record unpaid = slip({{"DataScade", "01/02/2014"}, {"Esecutore", "ROSSI"}});
    QVERIFY(TestSupport::writeAll(slips, archive({unpaid, unpaid}) + QByteArray(100, 'x')));
    const QString payers = folder.file("Esecutori.pro");
    Record flagged = payer({{"Esecutore", "ROSSI"}});
    flagged.setFlag("Ricontatta", true);
    QVERIFY(TestSupport::writeAll(payers, archive({flagged, flagged}) + QByteArray(PayerRecord::kSize - 1, 'x')));
    const RecordScan::Criterion criteria[] = {{"Esecutore", QStringLiteral("rossi")}};
    const ListArchive::Lines lists[] = {
        ListArchive::unpaidSlips(slips),           ListArchive::expiredSlips(slips, QDate(2014, 3, 1)),
        ListArchive::searchSlips(slips, criteria), ListArchive::searchPayers(payers, criteria),
        ListArchive::recontactPayers(payers),
    };
    for (const ListArchive::Lines& got : lists) {
        QVERIFY(got.ok);
        QVERIFY(got.tail);
        QCOMPARE(got.lines.size(), 2);
    }
    QCOMPARE(ListArchive::lastPayer(payers, ListLines::payerLine(flagged.bytes().constData())).position, 2);
}

void TestListLogic::slipCriteria_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field2");
    QTest::addColumn<QString>("text2");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("count");
    QTest::newRow("amount as text") << "Intero"
                                    << "168"
                                    << ""
                                    << "" << QStringList{"A", "B"} << 1;
    QTest::newRow("month of any year") << "DataScade"
                                       << "/03/"
                                       << ""
                                       << "" << QStringList{"A", "C"} << 1;
    QTest::newRow("year") << "DataScade"
                          << "2014"
                          << ""
                          << "" << QStringList{"A", "B", "D"} << 1;
    QTest::newRow("blanks only count as empty") << "Esecutore"
                                                << "   "
                                                << ""
                                                << "" << QStringList{"A", "B", "C", "D"} << 0;
    QTest::newRow("nothing filled") << ""
                                    << ""
                                    << ""
                                    << "" << QStringList{"A", "B", "C", "D"} << 0;
    QTest::newRow("trailing blank") << "Esecutore"
                                    << "rossi "
                                    << ""
                                    << "" << QStringList{"A"} << 1;
    QTest::newRow("two criteria") << "Esecutore"
                                  << "ROSSI"
                                  << "CodTariffa"
                                  << "8617" << QStringList{"A", "D"} << 2;
    QTest::newRow("E grave not folded") << "Note" << QString::fromUtf8("È") << ""
                                        << "" << QStringList{} << 1;
    QTest::newRow("euro sign") << "Note" << QString::fromUtf8("€ 16") << ""
                               << "" << QStringList{"A"} << 1;
    QTest::newRow("outside the code page") << "Note" << QString::fromUtf8("ł") << ""
                                           << "" << QStringList{} << 1;
}

void TestListLogic::slipCriteria()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, field2);
    QFETCH(QString, text2);
    QFETCH(QStringList, names);
    QFETCH(int, count);
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    // The name's first word tells the slips apart in the lines: A, B, C, D.
    QVERIFY(writeArchive(
        path,
        {slip({{"Esecutore", "A ROSSI MARIO"},
               {"Intero", "168,00"},
               {"DataScade", "15/03/2014"},
               {"CodTariffa", "8617"},
               {"Note", QString::fromUtf8("è € 16")}}),
         slip({{"Esecutore", "B BIANCHI"}, {"Intero", "1168,00"}, {"DataScade", "15/04/2014"}}),
         slip({{"Esecutore", "C DEROSSIX"}, {"Intero", "16,80"}, {"DataScade", "01/03/2015"}, {"CodTariffa", "7111"}}),
         slip({{"Esecutore", "D ROSSIGNOLI"},
               {"Intero", "16,00"},
               {"DataScade", "02/05/2014"},
               {"CodTariffa", "8617"}})}));
    QList<RecordScan::Criterion> criteria;
    const QByteArray f1 = field.toLatin1(), f2 = field2.toLatin1();
    if (!field.isEmpty())
        criteria.append({f1.constData(), text});
    if (!field2.isEmpty())
        criteria.append({f2.constData(), text2});
    criteria.append({"Causale", QString()}); // an empty criterion adds nothing
    QCOMPARE(RecordScan::countCriteria(criteria), count);
    const ListArchive::Lines got = ListArchive::searchSlips(path, criteria);
    QVERIFY(got.ok);
    QStringList found;
    for (const QString& line : got.lines)
        found << line.mid(33, 1);
    found.sort();
    QCOMPARE(found, names);
}

void TestListLogic::payerCriteria()
{
    TestSupport::Folder folder;
    const QString path = folder.file("Esecutori.pro");
    QVERIFY(writeArchive(path,
                         {payer({{"Esecutore", "ROSSI MARIO"}, {"Categoria", "ARMAIOLI"}}),
                          payer({{"Esecutore", "DEROSSI ANNA"}, {"Questioni", QString::fromUtf8("è da sentire")}}),
                          payer({{"Esecutore", "VERDI GINO"}, {"Categoria", "CACCIATORI"}}),
                          payer({{"Esecutore", "ROSSINI LUCA"}})}));
    QList<RecordScan::Criterion> criteria{{"Esecutore", "rossi"}};
    QCOMPARE(ListArchive::searchPayers(path, criteria).lines.size(), 3);
    criteria = {{"Esecutore", "rossi "}};
    QCOMPARE(ListArchive::searchPayers(path, criteria).lines.size(), 2);
    criteria = {{"Questioni", QString::fromUtf8("È")}};
    QCOMPARE(ListArchive::searchPayers(path, criteria).lines.size(), 0);
    criteria = {{"Esecutore", "i"}, {"Categoria", "cacc"}};
    const QStringList got = ListArchive::searchPayers(path, criteria).lines.toList();
    QCOMPARE(got.size(), 1);
    QVERIFY(got[0].startsWith("VERDI GINO"));
    criteria = {{"Note", "  "}};
    QCOMPARE(ListArchive::searchPayers(path, criteria).lines.size(), 4);
    // A missing archive is created and gives no line.
    QVERIFY(ListArchive::searchPayers(folder.file("Altro.pro"), criteria).lines.isEmpty());
    QVERIFY(QFile::exists(folder.file("Altro.pro")));
}

void TestListLogic::recontactTakesOnlySi()
{
    TestSupport::Folder folder;
    const QString path = folder.file("Esecutori.pro");
    Record odd = payer({{"Esecutore", "EMPTY"}});
    odd.setText("Ricontatta", QString());
    Record yes = payer({{"Esecutore", "ZETA"}});
    yes.setFlag("Ricontatta", true);
    Record yes2 = payer({{"Esecutore", "alfa"}});
    yes2.setFlag("Ricontatta", true);
    QVERIFY(writeArchive(path, {payer({{"Esecutore", "NO"}}), odd, yes, yes2}));
    const QStringList got = ListArchive::recontactPayers(path).lines.toList();
    QCOMPARE(got.size(), 2);
    QVERIFY(got[0].startsWith("alfa"));
    QVERIFY(got[1].startsWith("ZETA"));
}

void TestListLogic::takeOverFindsTheLastEqualRecord()
{
    TestSupport::Folder folder;
    const QString path = folder.file("2014.bol");
    Record first = rossi();
    first.setText("Note", QString());
    first.setText("Causale", "primo");
    Record second = first;
    second.setText("Causale", "secondo");
    QVERIFY(writeArchive(path, {slip({{"Esecutore", "ALTRO"}}), first, slip({{"Esecutore", "ALTRO DUE"}}), second}));
    const QString line = ListLines::slipLine(first);
    QVERIFY(line.endsWith("  "));
    // The line as the list shows it, and trimmed: both find the later record.
    for (const QString& chosen : {line, line.trimmed()}) {
        const ListArchive::Match match = ListArchive::lastSlip(path, chosen);
        QVERIFY(match.ok);
        QCOMPARE(match.position, 4);
        QCOMPARE(Record(SlipRecord::layout(), match.record).text("Causale"), QString("secondo"));
    }
    QCOMPARE(ListArchive::lastSlip(path, "nessuna").position, 0);
    // A missing archive is created empty and gives no record.
    const ListArchive::Match none = ListArchive::lastSlip(folder.file("2015.bol"), line);
    QVERIFY(none.ok);
    QCOMPARE(none.position, 0);
    QVERIFY(QFile::exists(folder.file("2015.bol")));
}

void TestListLogic::payerTakeOverFindsCutContact()
{
    TestSupport::Folder folder;
    const QString path = folder.file("Esecutori.pro");
    const QString contact = "Via Garibaldi 12, citofono Bianchi, secondo piano";
    Record a = payer({{"Esecutore", "NERI PAOLO"}, {"Recapito", contact}, {"Email", "primo@example.it"}});
    Record b = payer({{"Esecutore", "NERI PAOLO"}, {"Recapito", contact}, {"Email", "secondo@example.it"}});
    QVERIFY(writeArchive(path, {a, payer({{"Esecutore", "ALTRO"}}), b}));
    const QString line = ListLines::payerLine(a);
    QVERIFY(!line.contains(contact));
    const ListArchive::Match match = ListArchive::lastPayer(path, line);
    QCOMPARE(match.position, 3);
    QCOMPARE(Record(PayerRecord::layout(), match.record).text("Email"), QString("secondo@example.it"));
}

void TestListLogic::printHundredLines()
{
    if (!PdfReadBack::toolsPresent())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdftoppm) are not installed");
    TestSupport::Folder folder;
    QStringList list;
    for (int i = 1; i <= 100; ++i)
        list << QStringLiteral("riga%1 Scad. 01/01/2014").arg(i, 3, 10, QLatin1Char('0'));
    Report::Template report(ListPrint::listTemplate());
    ListPrint::fill(report, "Riepilogo prova", list);
    QCOMPARE(report.text("txtRiepilogo")->lines.size(), 100);
    QVERIFY(qAbs(report.text("txtRiepilogo")->height - 339.25) < 0.01);
    QVERIFY(qAbs(report.band("MasterData")->height - (339.25 + 2.6458)) < 0.01);
    report.prepare();
    report.pdf().fileName = folder.file("elenco.pdf");
    QVERIFY(Report::exportPdf(report));

    const PdfReadBack::Document pdf = PdfReadBack::words(folder.file("elenco.pdf"));
    QVERIFY(pdf.ok());
    QCOMPARE(pdf.pages.size(), 2);
    QVERIFY(qAbs(pdf.pages[0].width() - 297) < 1 && qAbs(pdf.pages[0].height() - 210) < 1);
    QCOMPARE(pdf.count("prova"), 1);
    QCOMPARE(pdf.find("prova").first().page, 0);
    for (int i = 1; i <= 100; ++i)
        QCOMPARE(pdf.count(QStringLiteral("riga%1").arg(i, 3, 10, QLatin1Char('0'))), 1);
    const PdfReadBack::Word lastLine = pdf.find("riga100").first();
    QCOMPARE(lastLine.page, 1);
    const QList<PdfReadBack::Word> footer = pdf.find("eseguita");
    QCOMPARE(footer.size(), 1);
    QCOMPARE(footer.first().page, 1);
    QVERIFY(footer.first().box.top() > lastLine.box.bottom());
    QVERIFY(pdf.find("riga001").first().box.top() > pdf.find("prova").first().box.bottom());
}

void TestListLogic::printEmptyList()
{
    if (!PdfReadBack::toolsPresent())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdftoppm) are not installed");
    TestSupport::Folder folder;
    Report::Template report(ListPrint::listTemplate());
    ListPrint::fill(report, "Riepilogo vuoto", {});
    QCOMPARE(report.text("txtRiepilogo")->height, 0.0);
    report.prepare();
    report.pdf().fileName = folder.file("vuoto.pdf");
    QVERIFY(Report::exportPdf(report));
    const PdfReadBack::Document pdf = PdfReadBack::words(folder.file("vuoto.pdf"));
    QCOMPARE(pdf.pages.size(), 1);
    QVERIFY(pdf.contains("vuoto"));
    QVERIFY(pdf.contains("eseguita"));
    QVERIFY(pdf.find("eseguita").first().box.top() > pdf.find("vuoto").first().box.bottom());
}

QTEST_MAIN(TestListLogic)
#include "tst_listlogic.moc"
