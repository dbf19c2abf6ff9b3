// Issuing one slip for many payers: which payers a selection takes and which it flags, the slip
// each one gets, the slips the archive already holds, and the one append of them all, also under
// failing writes (a device that fails after some bytes, and real faults in a process of its own).

#include "BatchFixtures.h"
#include "CoreSupport.h"
#include "FailDevice.h"

#include "batch/BatchIssue.h"
#include "slips/SlipFromPayer.h"
#include "data/RecordArchive.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QProcess>
#include <QTest>

using namespace BatchFixtures;
using BatchIssue::Choice;

namespace {

const char* const kRossi = "RSSMRA80A01H501U";
const char* const kVerdi = "VRDGPP85M10F205V";
const char* const kBianchi = "BNCLRA90D45L219Q";

// Four payers, stored out of name order: the choice lists them by name.
QByteArray fourPayers()
{
    return archive({
        {"VERDI GIUSEPPE", kVerdi, "8617", false, "ARMAIOLI"},
        {"ROSSI MARIO", kRossi, "7111", true, "COSTRUTTORI"},
        {"DEROSSI ANNA", "DRSNNA80A41H501X", "7111", false, "COSTRUTTORI"}, // wrong check letter
        {"BIANCHI LAURA", kBianchi, "1518", true, "CACCIATORI"},
    });
}

QStringList names(const BatchIssue::Payers& chosen)
{
    QStringList out;
    for (const BatchIssue::Payer& payer : chosen.payers)
        out << payer.name();
    return out;
}

BatchIssue::Payer payerOf(const Record& record, qint64 number = 1)
{
    BatchIssue::Payer payer;
    payer.number = number;
    const auto fields = SlipFromPayer::fields();
    for (size_t i = 0; i < fields.size(); ++i)
        payer.setField(int(i), record.text(fields[i]));
    payer.problem = BatchIssue::problem(payer);
    return payer;
}

std::vector<Record> slipsFor(std::initializer_list<PayerRow> rows, const BatchIssue::SlipData& d = data())
{
    std::vector<Record> slips;
    for (const PayerRow& row : rows)
        slips.push_back(BatchIssue::slip(d, payerOf(payer(row))));
    return slips;
}

// count payers "ESECUTORE 1", "ESECUTORE 2"... with ROSSI's other data.
std::vector<BatchIssue::Payer> numberedPayers(int count)
{
    std::vector<BatchIssue::Payer> payers;
    for (int i = 1; i <= count; ++i)
        payers.push_back(payerOf(payer({"", kRossi, "7111", false}), i));
    for (int i = 0; i < count; ++i)
        payers[size_t(i)].setField(0, QStringLiteral("ESECUTORE %1").arg(i + 1));
    return payers;
}

} // namespace

class TestBatchIssue : public QObject {
    Q_OBJECT
private slots:
    void choosesPayers_data();
    void choosesPayers();
    void flagsPayers_data();
    void flagsPayers();
    void warnsOfTariffCodes_data();
    void warnsOfTariffCodes();
    void buildsTheSlipRecord();
    void eachPayerKeepsItsTariffWhenNoneIsGiven();
    void chosenPayersKeepTheirTexts();
    void refusesWhatSalvaRefuses_data();
    void refusesWhatSalvaRefuses();
    void findsDuplicates_data();
    void findsDuplicates();
    void countsDuplicates_data();
    void countsDuplicates();
    void asksAboutDuplicates_data();
    void asksAboutDuplicates();
    void appendsAllInOneWrite();
    void failedAppendLeavesTheArchive_data();
    void failedAppendLeavesTheArchive();
    void appendMendsAnIncompleteEnd();
    void realFaultsLeaveTheArchive_data();
    void realFaultsLeaveTheArchive();
};

void TestBatchIssue::choosesPayers_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("tariff");
    QTest::addColumn<QStringList>("criteria"); // field=text pairs
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all, by name") << int(Choice::All) << QString() << QStringList()
                                  << QStringList{"BIANCHI LAURA", "DEROSSI ANNA", "ROSSI MARIO", "VERDI GIUSEPPE"};
    QTest::newRow("one tariff code") << int(Choice::Tariff) << "7111" << QStringList()
                                     << QStringList{"DEROSSI ANNA", "ROSSI MARIO"};
    QTest::newRow("tariff code trimmed") << int(Choice::Tariff) << " 1518 " << QStringList()
                                         << QStringList{"BIANCHI LAURA"};
    QTest::newRow("a tariff nobody has") << int(Choice::Tariff) << "7919" << QStringList() << QStringList();
    QTest::newRow("to recontact") << int(Choice::Recontact) << QString() << QStringList()
                                  << QStringList{"BIANCHI LAURA", "ROSSI MARIO"};
    QTest::newRow("search, folded substring") << int(Choice::Search) << QString() << QStringList{"Esecutore=rossi"}
                                              << QStringList{"DEROSSI ANNA", "ROSSI MARIO"};
    QTest::newRow("search, every criterion must match")
        << int(Choice::Search) << QString() << QStringList{"Esecutore=rossi", "Categoria=costr", "CodFisc=RSS"}
        << QStringList{"ROSSI MARIO"};
    QTest::newRow("search, blanks do not count")
        << int(Choice::Search) << QString() << QStringList{"Esecutore=   ", "Categoria=armaioli"}
        << QStringList{"VERDI GIUSEPPE"};
    QTest::newRow("search, nothing filled: everyone")
        << int(Choice::Search) << QString() << QStringList{"Esecutore="}
        << QStringList{"BIANCHI LAURA", "DEROSSI ANNA", "ROSSI MARIO", "VERDI GIUSEPPE"};
}

void TestBatchIssue::choosesPayers()
{
    QFETCH(int, choice);
    QFETCH(QString, tariff);
    QFETCH(QStringList, criteria);
    QFETCH(QStringList, expected);
    TestSupport::Folder folder;
    QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(), fourPayers()));

    BatchIssue::Selection selection{Choice(choice), tariff};
    std::vector<QByteArray> fieldNames; // the criteria name their fields by pointer
    for (const QString& pair : criteria)
        fieldNames.push_back(pair.section(QLatin1Char('='), 0, 0).toLatin1());
    for (int i = 0; i < criteria.size(); ++i)
        selection.criteria.append({fieldNames[size_t(i)].constData(), criteria[i].section(QLatin1Char('='), 1)});

    const BatchIssue::Payers chosen = BatchIssue::choose(PayerRecord::archivePath(), selection);
    QVERIFY(chosen.ok);
    QCOMPARE(names(chosen), expected);
}

void TestBatchIssue::flagsPayers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("taxCode");
    QTest::addColumn<QString>("emptied"); // a field emptied before the check
    QTest::addColumn<QString>("problem");
    QTest::newRow("person, complete") << "ROSSI MARIO" << kRossi << QString() << QString();
    QTest::newRow("wrong check letter") << "ROSSI MARIO"
                                        << "RSSMRA80A01H501X" << QString() << "Codice fiscale errato";
    QTest::newRow("short code") << "ROSSI MARIO"
                                << "RSSMRA80A01" << QString() << "Codice fiscale di lunghezza errata";
    QTest::newRow("no code") << "ROSSI MARIO" << QString() << QString() << "Codice fiscale mancante";
    QTest::newRow("body with a right VAT number needs no birth") << "EDILIZIA SRL"
                                                                 << "01234567897"
                                                                 << "Sesso" << QString();
    QTest::newRow("body with a wrong VAT number") << "EDILIZIA SRL"
                                                  << "01234567890" << QString() << "Partita IVA errata";
    QTest::newRow("person without sex") << "ROSSI MARIO" << kRossi << "Sesso"
                                        << "Mancano: sesso";
    QTest::newRow("month of birth missing") << "ROSSI MARIO" << kRossi << "MM"
                                            << "Mancano: data di nascita";
    QTest::newRow("no postcode, wrong code") << "ROSSI MARIO"
                                             << "RSSMRA80A01H501X"
                                             << "CapRes"
                                             << "Codice fiscale errato; mancano: CAP";
    QTest::newRow("no name") << QString() << kRossi << QString() << "Mancano: cognome e nome";
}

void TestBatchIssue::flagsPayers()
{
    QFETCH(QString, name);
    QFETCH(QString, taxCode);
    QFETCH(QString, emptied);
    QFETCH(QString, problem);
    Record record = payer({"", "", "", false});
    record.setText("Esecutore", name);
    record.setText("CodFisc", taxCode);
    if (!emptied.isEmpty())
        record.setText(emptied.toLatin1().constData(), QString());
    QCOMPARE(payerOf(record).problem, problem);
}

void TestBatchIssue::warnsOfTariffCodes_data()
{
    QTest::addColumn<QString>("taxCode");
    QTest::addColumn<QString>("tariff");
    QTest::addColumn<bool>("ownTariff"); // each slip takes its payer's own code
    QTest::addColumn<QString>("warning");
    QTest::newRow("a code of the list") << kRossi << "7111" << true << QString();
    QTest::newRow("no code") << kRossi << QString() << true << "Codice tariffa mancante";
    QTest::newRow("a code not in the list") << kRossi << "9999" << true << "Codice tariffa 9999 non in elenco";
    QTest::newRow("the start of a code") << kRossi << "71" << true << "Codice tariffa 71 non in elenco";
    QTest::newRow("no code, one tariff for all") << kRossi << QString() << false << QString();
    QTest::newRow("unknown code, one tariff for all") << kRossi << "9999" << false << QString();
    QTest::newRow("wrong tax code and no tariff code")
        << "RSSMRA80A01H501X" << QString() << true << "Codice fiscale errato; codice tariffa mancante";
    QTest::newRow("wrong tax code, one tariff for all")
        << "RSSMRA80A01H501X" << QString() << false << "Codice fiscale errato";
}

// A slip must not leave with an empty or made-up tariff code unless the user ticks its payer.
void TestBatchIssue::warnsOfTariffCodes()
{
    QFETCH(QString, taxCode);
    QFETCH(QString, tariff);
    QFETCH(bool, ownTariff);
    QFETCH(QString, warning);
    Record record = payer({"ROSSI MARIO", "", "", false});
    record.setText("CodFisc", taxCode);
    record.setText("CodTariffa", tariff);
    QCOMPARE(BatchIssue::warning(payerOf(record), ownTariff), warning);
}

// The fields at their offsets, as a reader of the archive finds them.
void TestBatchIssue::buildsTheSlipRecord()
{
    const Record slip = BatchIssue::slip(data(), payerOf(payer({"ROSSI MARIO", kRossi, "8617", true})));
    const QByteArray bytes = slip.bytes();
    QCOMPARE(bytes.size(), SlipRecord::kSize);
    const auto at = [&bytes](int offset, int length) { return bytes.mid(offset, length); };
    QCOMPARE(at(0, 4),
             QByteArray("\x03"
                        "120"));
    QCOMPARE(at(9, 3),
             QByteArray("\x02"
                        "50")); // a lone cent digit gets its zero
    QCOMPARE(at(12, 11),
             QByteArray("\x0A"
                        "CENTOVENTI"));
    QCOMPARE(at(263, 3),
             QByteArray("\x02"
                        "50"));
    QCOMPARE(at(266, 7),
             QByteArray("\x06"
                        "120,50"));
    QCOMPARE(at(278, 5),
             QByteArray("\x04"
                        "7111")); // the tariff chosen, not the payer's 8617
    QCOMPARE(at(283, 3),
             QByteArray("\x02"
                        "24"));
    QCOMPARE(at(286, 17), QByteArray("\x10") + kRossi);
    QCOMPARE(at(303, 12),
             QByteArray("\x0B"
                        "ROSSI MARIO"));
    QCOMPARE(at(401, 11),
             QByteArray("\x0A"
                        "31/01/2024"));
    QCOMPARE(at(412, 1), QByteArray(1, '\0')); // no payment date
    QCOMPARE(at(925, 12), QByteArray("\x02No\x02No\x02S\xEC\x02No", 12));
    // No attachments, and nothing of the payer's contact or notes.
    QCOMPARE(bytes.mid(937), QByteArray(SlipRecord::kSize - 937, '\0'));
    QVERIFY(!bytes.contains("note del cliente"));
    QVERIFY(!bytes.contains("1234567"));
}

void TestBatchIssue::eachPayerKeepsItsTariffWhenNoneIsGiven()
{
    BatchIssue::SlipData d = data();
    d.tariff = QStringLiteral("  ");
    d.tariffYear = QStringLiteral("5");
    d.amount.clear();
    d.cents.clear();
    const Record slip = BatchIssue::slip(d, payerOf(payer({"ROSSI MARIO", kRossi, "8617", true})));
    QCOMPARE(slip.text("CodTariffa"), QStringLiteral("8617"));
    QCOMPARE(slip.text("AnnoTariffa"), QStringLiteral("05"));
    QCOMPARE(slip.text("Importo"), QStringLiteral("0"));
    QCOMPARE(slip.text("ImpLettere"), QString()); // nothing typed: no words, as in the editor
    QCOMPARE(slip.text("Intero"), QStringLiteral("0,00"));
}

// A chosen payer keeps its texts in the archive's code page: the slip gets them byte for byte,
// letters beyond ASCII and the longest address included.
void TestBatchIssue::chosenPayersKeepTheirTexts()
{
    TestSupport::Folder folder;
    Record record = payer({"NICOL\u00d2 D'ARCO", kRossi, "7111", false});
    const QString address = QStringLiteral("VIA ").leftJustified(
        PayerRecord::layout().capacity(PayerRecord::layout().indexOf("IndirizzoRes")), QLatin1Char('X'));
    record.setText("IndirizzoRes", address);
    QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(), record.bytes()));
    const BatchIssue::Payers chosen = BatchIssue::choose(PayerRecord::archivePath(), {});
    QVERIFY(chosen.ok);
    QCOMPARE(chosen.payers.size(), size_t(1));
    const BatchIssue::Payer& payer = chosen.payers.front();
    QCOMPARE(payer.name(), QStringLiteral("NICOL\u00d2 D'ARCO"));
    QCOMPARE(payer.field("IndirizzoRes"), address);
    QCOMPARE(payer.field("CapRes"), QStringLiteral("20100"));
    const Record slip = BatchIssue::slip(data(), payer);
    QCOMPARE(slip.bytes().mid(303, 14), QByteArray("\x0DNICOL\xD2 D'ARCO"));
    for (const char* field : SlipFromPayer::fields())
        if (qstrcmp(field, "CodTariffa") != 0)
            QCOMPARE(slip.text(field), record.text(field));
}

void TestBatchIssue::refusesWhatSalvaRefuses_data()
{
    TestSupport::textTable({"amount", "due", "message"},
                           {
                               {"fine", "120", "31/01/2024", ""},
                               {"no due date", "120", "",
                                "Attenzione: per salvare la scheda è necessario indicare la "
                                "data di scadenza del versamento."},
                               {"31 April", "120", "31/04/2024",
                                "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda è "
                                "necessario indicare una data valida nel formato gg/mm/anno."},
                               {"letters in the amount", "12a", "31/01/2024",
                                "Attenzione: l'importo deve essere composto da non più di otto cifre."},
                               {"nine digits", "123456789", "31/01/2024",
                                "Attenzione: l'importo deve essere composto da non più di otto cifre."},
                           });
}

void TestBatchIssue::refusesWhatSalvaRefuses()
{
    QFETCH(QString, amount);
    QFETCH(QString, due);
    QFETCH(QString, message);
    BatchIssue::SlipData d = data();
    d.amount = amount;
    d.dueDate = due;
    const std::optional<Message> refusal = BatchIssue::check(d);
    QCOMPARE(refusal ? refusal->text : QString(), message);
}

void TestBatchIssue::findsDuplicates_data()
{
    QTest::addColumn<QString>("tariff");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QList<bool>>("found");
    // The archive holds ROSSI's 7111 of 24; the batch is ROSSI, VERDI, and ROSSI again.
    QTest::newRow("same tariff and year") << "7111"
                                          << "24" << QList<bool>{true, false, true};
    QTest::newRow("another year") << "7111"
                                  << "25" << QList<bool>{false, false, true};
    QTest::newRow("another tariff") << "8617"
                                    << "24" << QList<bool>{false, false, true};
}

void TestBatchIssue::findsDuplicates()
{
    QFETCH(QString, tariff);
    QFETCH(QString, year);
    QFETCH(QList<bool>, found);
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    // ROSSI's slip as the editor may have stored it, under a name typed differently.
    const std::vector<Record> earlier =
        slipsFor({{"rossi  m.", kRossi, "", false}, {"VERDI GIUSEPPE", kVerdi, "", false}}, [] {
            BatchIssue::SlipData d = data();
            d.tariff = QStringLiteral("1518"); // VERDI's is another tax
            return d;
        }());
    std::vector<Record> archived = {earlier[1]};
    archived.push_back(slipsFor({{"rossi  m.", kRossi, "", false}})[0]);
    QVERIFY(BatchIssue::append(path, archived).ok);

    BatchIssue::SlipData d = data();
    d.tariff = tariff;
    d.tariffYear = year;
    const std::vector<Record> batch = slipsFor(
        {{"ROSSI MARIO", kRossi, "", false}, {"VERDI GIUSEPPE", kVerdi, "", false}, {"ROSSI MARIO", kRossi, "", false}},
        d);
    const BatchIssue::Duplicates dup = BatchIssue::duplicates(path, batch);
    QVERIFY(dup.ok);
    QCOMPARE(QList<bool>(dup.found.begin(), dup.found.end()), found);
    QCOMPARE(dup.count, int(found.count(true)));
}

void TestBatchIssue::countsDuplicates_data()
{
    // Slips as "NAME/TAX CODE", all of tariff 7111 and year 24.
    QTest::addColumn<QStringList>("archived");
    QTest::addColumn<QStringList>("batch");
    QTest::addColumn<QList<bool>>("found");
    QTest::addColumn<int>("inArchive");
    QTest::addColumn<int>("inBatch");
    const QString rossi = QStringLiteral("ROSSI MARIO/") + kRossi;
    const QString verdi = QStringLiteral("VERDI GIUSEPPE/") + kVerdi;
    QTest::newRow("the tax code, not the name")
        << QStringList{QStringLiteral("ROSSI M./") + kRossi}
        << QStringList{rossi, QStringLiteral("ROSSI MARIO/") + kVerdi} << QList<bool>{true, false} << 1 << 0;
    // Without a tax code the name tells payers apart, letters folded as the archive stores them.
    QTest::newRow("no tax code: the name")
        << QStringList{"bianchi anna/"} << QStringList{"BIANCHI ANNA/", "NERI PIA/", "VERDI LUCA/"}
        << QList<bool>{true, false, false} << 1 << 0;
    QTest::newRow("no tax code, repeated in the batch")
        << QStringList{} << QStringList{"NERI PIA/", "VERDI LUCA/", "NERI PIA/"} << QList<bool>{false, false, true} << 0
        << 1;
    QTest::newRow("repeated in the batch and in the archive")
        << QStringList{rossi} << QStringList{rossi, verdi, rossi} << QList<bool>{true, false, true} << 2 << 0;
    QTest::newRow("repeated in the batch only")
        << QStringList{} << QStringList{rossi, verdi, rossi, rossi} << QList<bool>{false, false, true, true} << 0 << 2;
    QTest::newRow("some of each") << QStringList{verdi} << QStringList{rossi, verdi, rossi, verdi}
                                  << QList<bool>{false, true, true, true} << 2 << 1;
}

void TestBatchIssue::countsDuplicates()
{
    QFETCH(QStringList, archived);
    QFETCH(QStringList, batch);
    QFETCH(QList<bool>, found);
    QFETCH(int, inArchive);
    QFETCH(int, inBatch);
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    const auto slips = [](const QStringList& rows) {
        std::vector<Record> out;
        for (const QString& row : rows) {
            Record record = payer({"", "", "", false});
            record.setText("Esecutore", row.section(QLatin1Char('/'), 0, 0));
            record.setText("CodFisc", row.section(QLatin1Char('/'), 1));
            out.push_back(BatchIssue::slip(data(), payerOf(record)));
        }
        return out;
    };
    const std::vector<Record> before = slips(archived);
    QVERIFY(BatchIssue::append(path, before).ok);
    const BatchIssue::Duplicates dup = BatchIssue::duplicates(path, slips(batch));
    QVERIFY(dup.ok);
    QCOMPARE(QList<bool>(dup.found.begin(), dup.found.end()), found);
    QCOMPARE(dup.inArchive, inArchive);
    QCOMPARE(dup.inBatch, inBatch);
    QCOMPARE(dup.count, inArchive + inBatch);
}

void TestBatchIssue::asksAboutDuplicates_data()
{
    QTest::addColumn<int>("inArchive");
    QTest::addColumn<int>("inBatch");
    QTest::addColumn<QString>("text");
    const QString archive =
        QStringLiteral("l'archivio contiene già un bollettino con lo stesso codice tariffa e lo stesso anno");
    const QString one = QStringLiteral(".\n\r\n\rInserirlo comunque? Scegliendo No verrà escluso.");
    const QString many = QStringLiteral(".\n\r\n\rInserirli comunque? Scegliendo No verranno esclusi.");
    QTest::newRow("one in the archive") << 1 << 0 << "Attenzione: per 1 Esecutore " + archive + one;
    QTest::newRow("three in the archive") << 3 << 0 << "Attenzione: per 3 Esecutori " + archive + many;
    QTest::newRow("one in the batch")
        << 0 << 1
        << "Attenzione: in questo elenco 1 bollettino ne ripete un altro (stesso Esecutore, codice tariffa e anno)"
            + one;
    QTest::newRow("both") << 2 << 4
                          << "Attenzione: per 2 Esecutori " + archive
            + ", e in questo elenco 4 bollettini ne ripetono altri (stesso Esecutore, codice "
              "tariffa e anno)"
            + many;
}

// Both counts are said, and No, which leaves the duplicates out, is the default.
void TestBatchIssue::asksAboutDuplicates()
{
    QFETCH(int, inArchive);
    QFETCH(int, inBatch);
    QFETCH(QString, text);
    BatchIssue::Duplicates dup;
    dup.inArchive = inArchive;
    dup.inBatch = inBatch;
    dup.count = inArchive + inBatch;
    const Message question = BatchIssue::duplicateQuestion(dup);
    QCOMPARE(question.kind, MessageKind::Confirmation);
    QCOMPARE(question.text, text);
    QVERIFY(question.noByDefault);
}

void TestBatchIssue::appendsAllInOneWrite()
{
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    const std::vector<Record> three =
        slipsFor({{"A", kRossi, "", false}, {"B", kVerdi, "", false}, {"C", kBianchi, "", false}});
    QVERIFY(BatchIssue::append(path, three).ok);
    const QByteArray before = TestSupport::readAll(path);

    const std::vector<Record> five = slipsFor({{"D", kRossi, "", false},
                                               {"E", kVerdi, "", false},
                                               {"F", kBianchi, "", false},
                                               {"G", kRossi, "", false},
                                               {"H", kVerdi, "", false}});
    const BatchIssue::Saved saved = BatchIssue::append(path, five);
    QVERIFY(saved.ok);
    QCOMPARE(saved.first, 4);
    QCOMPARE(saved.count, 5);
    QCOMPARE(BatchIssue::savedMessage(saved).text,
             QStringLiteral("Sono state inserite in archivio 5 schede, dalla numero 4 alla numero 8."));
    QByteArray expected = before;
    for (const Record& slip : five)
        expected += slip.bytes();
    QCOMPARE(TestSupport::readAll(path), expected);
    QVERIFY(!QFile::exists(path + QStringLiteral(".lock"))); // the lock went with the write

    // A batch longer than one block of the write: each slip made as it goes, the same bytes.
    const std::vector<BatchIssue::Payer> payers = numberedPayers(150);
    const BatchIssue::Saved many = BatchIssue::append(path, BatchIssue::Slips(data(), payers));
    QVERIFY(many.ok);
    QCOMPARE(many.first, 9);
    QCOMPARE(many.count, 150);
    for (const BatchIssue::Payer& payer : payers)
        expected += BatchIssue::slip(data(), payer).bytes();
    QCOMPARE(TestSupport::readAll(path), expected);
}

void TestBatchIssue::failedAppendLeavesTheArchive_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<int>("mode");
    QTest::newRow("fails at once") << 4 << qint64(0) << int(FailDevice::Mode::Fail);
    QTest::newRow("fails after two slips and a half")
        << 4 << qint64(SlipRecord::kSize * 5 / 2) << int(FailDevice::Mode::Fail);
    QTest::newRow("short write of the last slip")
        << 4 << qint64(SlipRecord::kSize * 4 - 10) << int(FailDevice::Mode::Short);
    // The slips go out in blocks: a failure after whole blocks have reached the file.
    QTest::newRow("a later block fails") << 300 << qint64(SlipRecord::kSize * 150) << int(FailDevice::Mode::Fail);
    QTest::newRow("the last block comes back short")
        << 300 << qint64(SlipRecord::kSize * 299 + 7) << int(FailDevice::Mode::Short);
}

void TestBatchIssue::failedAppendLeavesTheArchive()
{
    QFETCH(int, count);
    QFETCH(qint64, budget);
    QFETCH(int, mode);
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    QVERIFY(BatchIssue::append(path, slipsFor({{"A", kRossi, "", false}, {"B", kVerdi, "", false}})).ok);
    const QByteArray before = TestSupport::readAll(path);

    const std::vector<BatchIssue::Payer> payers = numberedPayers(count);
    BatchIssue::Saved saved;
    {
        const auto guard = FailDevice::install(budget, FailDevice::Mode(mode));
        saved = BatchIssue::append(path, BatchIssue::Slips(data(), payers));
    }
    QVERIFY(!saved.ok);
    QVERIFY(!saved.error.isEmpty());
    QCOMPARE(TestSupport::readAll(path), before);
    // The next batch goes on from the same number.
    const BatchIssue::Saved again = BatchIssue::append(path, BatchIssue::Slips(data(), payers));
    QVERIFY(again.ok);
    QCOMPARE(again.first, 3);
    QCOMPARE(QFileInfo(path).size(), qint64(2 + count) * SlipRecord::kSize);
}

void TestBatchIssue::appendMendsAnIncompleteEnd()
{
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    const std::vector<Record> one = slipsFor({{"A", kRossi, "", false}});
    QVERIFY(TestSupport::writeAll(path, one[0].bytes() + QByteArray(100, 'x')));
    const BatchIssue::Saved saved =
        BatchIssue::append(path, slipsFor({{"B", kVerdi, "", false}, {"C", kBianchi, "", false}}));
    QVERIFY(saved.ok);
    QCOMPARE(saved.first, 2);
    QVERIFY(!saved.notice.isEmpty());
    QCOMPARE(QFileInfo(path).size(), qint64(3 * SlipRecord::kSize));
}

void TestBatchIssue::realFaultsLeaveTheArchive_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("first write fails") << "write:1";
    QTest::newRow("short write") << "short:1";
    QTest::newRow("a later block fails") << "write:4";
    QTest::newRow("sync fails") << "fsync:1";
    QTest::newRow("disk full") << "full";
}

// The batch tool appends 300 slips in a process of its own, under the fault library.
void TestBatchIssue::realFaultsLeaveTheArchive()
{
    QFETCH(QString, fault);
    TestSupport::Folder folder;
    const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
    QVERIFY(BatchIssue::append(path, slipsFor({{"A", kRossi, "", false}})).ok);
    const QByteArray before = TestSupport::readAll(path);

    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TASSELLA_FAIL_LIBRARY));
    env.insert(QStringLiteral("TASSELLA_FAIL"), fault);
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral(TASSELLA_BATCH_TOOL), {path, QStringLiteral("300")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 1);
    QCOMPARE(TestSupport::readAll(path), before);

    // Without the fault the same run saves all 300 after the slip that was there.
    tool.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    tool.start(QStringLiteral(TASSELLA_BATCH_TOOL), {path, QStringLiteral("300")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    QCOMPARE(QFileInfo(path).size(), qint64(301) * SlipRecord::kSize);
    QCOMPARE(TestSupport::readAll(path).left(SlipRecord::kSize), before);
}

QTEST_GUILESS_MAIN(TestBatchIssue)
#include "tst_batchissue.moc"
