// The archive check on a hand-made folder: a torn tail, an unreadable date and amount, a field
// length no program writes, a side file, a leftover lock and a stray journal; it changes nothing.

#include "BackupFixtures.h"
#include "CoreSupport.h"
#include "backup/ArchiveCheck.h"

#include <QTemporaryDir>
#include <QTest>

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

    void emptyFolder()
    {
        QTemporaryDir folder;
        QCOMPARE(ArchiveCheck::lines(ArchiveCheck::run(folder.path())),
                 QStringList{QStringLiteral("Nessun archivio nella cartella del programma.")});
    }
};

QTEST_GUILESS_MAIN(TestArchiveCheck)
#include "tst_archivecheck.moc"
