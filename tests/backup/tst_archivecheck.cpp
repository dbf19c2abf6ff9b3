// The archive check on a hand-made folder: a torn tail, an unreadable date and amount, a field
// length no program writes, a side file, a leftover lock and a stray journal; it changes nothing.

#include "BackupFixtures.h"
#include "CoreSupport.h"
#include "backup/ArchiveCheck.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstring>

using namespace TestSupport;

class TestArchiveCheck : public QObject {
    Q_OBJECT
private slots:
    void findsWhatIsWrongAndChangesNothing()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QByteArray year = BackupFixtures::slips(3, 2024);
        Record second(SlipRecord::layout(), year.mid(SlipRecord::kSize, SlipRecord::kSize));
        second.setText("DataScade", QStringLiteral("31/04/2024")); // no such day
        second.setText("Intero", QStringLiteral("12.50"));
        year.replace(SlipRecord::kSize, SlipRecord::kSize, second.bytes());
        year[2 * SlipRecord::kSize + 12] = char(251); // the words' length byte, capacity 250
        year += QByteArray(100, 'x');                 // a save cut short
        QVERIFY(writeAll(dir.filePath(QStringLiteral("2024.bol")), year));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("2024.bol.coda-20250101-101010")), QByteArray(40, 'y')));
        // A lock whose holder is gone; a process id that no process has.
        QVERIFY(writeAll(dir.filePath(QStringLiteral("2024.bol.lock")), "2147483000\nTassella\nufficio\n"));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("2023.bol")), BackupFixtures::slips(2, 2023)));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), BackupFixtures::payers(2)));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro.journal")), "j"));
        const auto before = BackupFixtures::contents(folder.path());

        const QList<ArchiveCheck::Report> reports = ArchiveCheck::run(folder.path());
        QCOMPARE(ArchiveCheck::lines(reports),
                 (QStringList{
                     QStringLiteral("Esecutori.pro   2 schede"),
                     QStringLiteral("    file rimasto da una scrittura interrotta: Esecutori.pro.journal"),
                     QStringLiteral("2023.bol        2 schede - nessun problema"),
                     QStringLiteral("2024.bol        3 schede"),
                     QStringLiteral("    termina con una scheda incompleta di 100 byte"),
                     QStringLiteral("    scheda 2: data di scadenza illeggibile \"31/04/2024\""),
                     QStringLiteral("    scheda 2: importo illeggibile \"12.50\""),
                     QStringLiteral("    scheda 3: lunghezza non valida nei campi ImpLettere"),
                     QStringLiteral("    file di riparazione: 2024.bol.coda-20250101-101010"),
                     QStringLiteral("    file di blocco: 2024.bol.lock (rimasto)"),
                     QStringLiteral("Archivi danneggiati: usare Ripristina (menu di avvio) con un backup precedente."),
                 }));
        QCOMPARE(BackupFixtures::contents(folder.path()), before);
    }

    // The archive is read some hundred records at a time: each finding keeps its record's number
    // across those blocks, and the dates and amounts are judged alike wherever they lie.
    void judgesEveryRecordOfALongArchive()
    {
        struct Case {
            int record;
            const char* field;
            QString value;
            bool readable;
        };
        const QList<Case> cases = {
            {1, "DataScade", QStringLiteral("29/02/2024"), true},
            {2, "DataScade", QStringLiteral("29/02/2023"), false},
            {255, "DataScade", QStringLiteral("00/01/2024"), false},
            {256, "Intero", QStringLiteral("12345678,90"), true},
            {257, "Intero", QStringLiteral("12 345,00"), false},
            {258, "Intero", QStringLiteral(",50"), false},
            {400, "Intero", QStringLiteral("12,5"), false},
            {511, "Intero", QStringLiteral("1,2,3"), false},
            {512, "Intero", QStringLiteral("0,00"), true},
            {513, "DataScade", QStringLiteral("31/12/2024"), true},
            {600, "Intero", QStringLiteral("12,3a"), false},
        };
        QTemporaryDir folder;
        QByteArray year = BackupFixtures::slips(600, 2024);
        QStringList expected = {QStringLiteral("2024.bol        600 schede")};
        for (const Case& c : cases) {
            const qsizetype at = qsizetype(c.record - 1) * SlipRecord::kSize;
            Record record(SlipRecord::layout(), year.mid(at, SlipRecord::kSize));
            record.setText(c.field, c.value);
            year.replace(at, SlipRecord::kSize, record.bytes());
            if (!c.readable)
                expected << QStringLiteral("    scheda %1: %2 illeggibile \"%3\"")
                                .arg(c.record)
                                .arg(
                                    QLatin1String(std::strcmp(c.field, "Intero") == 0 ? "importo" : "data di scadenza"),
                                    c.value);
        }
        expected << QStringLiteral("Archivi danneggiati: usare Ripristina (menu di avvio) con un backup precedente.");
        QVERIFY(writeAll(QDir(folder.path()).filePath(QStringLiteral("2024.bol")), year));
        QCOMPARE(ArchiveCheck::lines(ArchiveCheck::run(folder.path())), expected);
    }

    void lockOfALiveProcessIsInUse()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), BackupFixtures::payers(1)));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro.lock")),
                         QByteArray::number(QCoreApplication::applicationPid()) + "\nTassella\nufficio\n"));
        QCOMPARE(ArchiveCheck::lines(ArchiveCheck::run(folder.path())),
                 (QStringList{QStringLiteral("Esecutori.pro   1 schede"),
                              QStringLiteral("    file di blocco: Esecutori.pro.lock (in uso)")}));
    }

    // A lock folder left by a PC that saved through a share deciding only folders is listed like a
    // lock file, and left where it is.
    void lockFolderIsListed()
    {
        QTemporaryDir folder;
        const QDir dir(folder.path());
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), BackupFixtures::payers(1)));
        QVERIFY(dir.mkdir(QStringLiteral("Esecutori.pro.lock.d")));
        QCOMPARE(ArchiveCheck::lines(ArchiveCheck::run(folder.path())),
                 (QStringList{QStringLiteral("Esecutori.pro   1 schede"),
                              QStringLiteral("    file di blocco: Esecutori.pro.lock.d (rimasto)")}));
        QVERIFY(dir.exists(QStringLiteral("Esecutori.pro.lock.d")));
    }

    void emptyFolder()
    {
        QTemporaryDir folder;
        QCOMPARE(ArchiveCheck::lines(ArchiveCheck::run(folder.path())),
                 QStringList{QStringLiteral("Nessun archivio nella cartella del programma.")});
    }
};

QTEST_GUILESS_MAIN(TestArchiveCheck)
#include "tst_archivecheck.moc"
