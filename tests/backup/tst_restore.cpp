// Restoring a backup: into an empty folder byte for byte (a hundred thousand slips included), over
// the current data with that data set aside first, and the refusal of a damaged or foreign ZIP
// with nothing changed.

#include "BackupFixtures.h"
#include "CoreSupport.h"
#include "backup/Backup.h"
#include "backup/Restore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

namespace {

const QDateTime kBackupMoment(QDate(2025, 3, 7), QTime(9, 5));
const QDateTime kRestoreMoment(QDate(2025, 4, 1), QTime(16, 30, 12));

// A backup of a fixture folder, written by the program into folder.
QString makeBackup(const QString& folder, int slipsPerYear = 3)
{
    QTemporaryDir program;
    BackupFixtures::fill(program.path(), slipsPerYear);
    const Backup::Result result = Backup::create(program.path(), folder, kBackupMoment, 10);
    return result.ok ? result.path : QString();
}

} // namespace

class TestRestore : public QObject {
    Q_OBJECT
private slots:
    void restoresIntoAnEmptyFolderByteForByte_data()
    {
        QTest::addColumn<int>("slipsPerYear");
        QTest::newRow("a few slips") << 3;
        QTest::newRow("100 000 slips") << 50000;
    }
    void restoresIntoAnEmptyFolderByteForByte()
    {
        QFETCH(int, slipsPerYear);
        QTemporaryDir source, backups, target;
        BackupFixtures::fill(source.path(), slipsPerYear);
        const Backup::Result backup = Backup::create(source.path(), backups.path(), kBackupMoment, 10);
        QVERIFY2(backup.ok, qPrintable(backup.message.text));

        const Restore::Result restored = Restore::apply(backup.path, target.path(), kRestoreMoment);
        QVERIFY2(restored.ok, qPrintable(restored.message.text));
        QCOMPARE(restored.aside, QString()); // nothing was there to set aside
        QCOMPARE(BackupFixtures::contents(target.path()), BackupFixtures::data(source.path()));
    }

    void showsWhatTheBackupHolds()
    {
        QTemporaryDir backups;
        const QString path = makeBackup(backups.path(), 7);
        QVERIFY(!path.isEmpty());
        Message refusal;
        const std::optional<Restore::Contents> contents = Restore::inspect(path, &refusal);
        QVERIFY2(contents, qPrintable(refusal.text));
        QCOMPARE(Restore::describe(*contents),
                 QStringLiteral("Backup del 07/03/2025 ore 09:05\n\nAnno 2023: 7 bollettini\nAnno 2024: 7 bollettini\n"
                                "Esecutori: 4\nDocumenti allegati: 3\nImpostazioni: s\u00ec\n"
                                "Password di accesso: s\u00ec"));
    }

    // The current data goes into a dated folder first, whole; the backup's data takes its place;
    // files that are not the program's data stay where they are.
    void currentFilesAreSetAsideFirst()
    {
        QTemporaryDir backups, program;
        const QString path = makeBackup(backups.path());
        QVERIFY(!path.isEmpty());
        const QDir dir(program.path());
        QVERIFY(writeAll(dir.filePath(QStringLiteral("2025.bol")), BackupFixtures::slips(2, 2025)));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), BackupFixtures::payers(9)));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("unins000.dll")), "[Accesso]\r\nValore=00\r\n"));
        QVERIFY(dir.mkpath(QStringLiteral("Documenti_Allegati")));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Documenti_Allegati/nuovo.pdf")), "new"));
        QVERIFY(writeAll(dir.filePath(QStringLiteral("Esecutori.xls")), "export"));
        const auto before = BackupFixtures::data(program.path());

        const Restore::Result restored = Restore::apply(path, program.path(), kRestoreMoment);
        QVERIFY2(restored.ok, qPrintable(restored.message.text));
        QCOMPARE(restored.aside, dir.filePath(QStringLiteral("Prima del ripristino 2025-04-01 163012")));
        QCOMPARE(BackupFixtures::contents(restored.aside), before);
        QTemporaryDir expected;
        BackupFixtures::fill(expected.path());
        QCOMPARE(BackupFixtures::data(program.path()), BackupFixtures::data(expected.path()));
        QCOMPARE(readAll(dir.filePath(QStringLiteral("Esecutori.xls"))), QByteArray("export"));
        QCOMPARE(restored.message.text,
                 QStringLiteral("Il backup del 07/03/2025 ore 09:05 \u00e8 stato ripristinato.\n\r\n\rI file presenti "
                                "prima del ripristino sono stati spostati nella cartella\n\r\n\r")
                     + QDir::toNativeSeparators(restored.aside));
        // No unpacking folder is left behind.
        QCOMPARE(dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{QStringLiteral("Documenti_Allegati"), QFileInfo(restored.aside).fileName()}));
    }

    // A backup that is damaged or holds anything but the program's data is refused before any
    // file of the program is touched.
    void damagedBackupIsRefusedWithNothingChanged_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("a byte changed in a member") << "flip";
        QTest::newRow("cut short") << "cut";
        QTest::newRow("not a ZIP") << "text";
        QTest::newRow("a member outside the folder") << "escape";
        QTest::newRow("a foreign file") << "foreign";
    }
    void damagedBackupIsRefusedWithNothingChanged()
    {
        QFETCH(QString, damage);
        QTemporaryDir backups, program;
        QString path = makeBackup(backups.path());
        QVERIFY(!path.isEmpty());
        QByteArray bytes = readAll(path);
        if (damage == QLatin1String("flip")) {
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x5a);
            QVERIFY(writeAll(path, bytes));
        } else if (damage == QLatin1String("cut")) {
            QVERIFY(writeAll(path, bytes.left(bytes.size() - 40)));
        } else if (damage == QLatin1String("text")) {
            QVERIFY(writeAll(path, "Questo non \xe8 un backup.\r\n"));
        } else if (damage == QLatin1String("escape")) {
            // A name inside the attachment folder that climbs out of it.
            QTemporaryDir work;
            const QString file = QDir(work.path()).filePath(QStringLiteral("evil"));
            QVERIFY(writeAll(file, "x"));
            QVERIFY(ZipFile::write(path, {{QStringLiteral("Documenti_Allegati/../../evil.bol"), file}}, nullptr));
        } else {
            // Made by the real zip tool: a program file beside the data.
            QTemporaryDir work;
            QVERIFY(writeAll(QDir(work.path()).filePath(QStringLiteral("2024.bol")), "x"));
            QVERIFY(writeAll(QDir(work.path()).filePath(QStringLiteral("Tassella")), "x"));
            QFile::remove(path);
            QProcess zip;
            zip.setWorkingDirectory(work.path());
            zip.start(QStringLiteral("zip"),
                      {QStringLiteral("-q"), path, QStringLiteral("2024.bol"), QStringLiteral("Tassella")});
            QVERIFY(zip.waitForFinished());
            QCOMPARE(zip.exitCode(), 0);
        }
        BackupFixtures::fill(program.path(), 2);
        const auto before = BackupFixtures::contents(program.path());

        Message refusal;
        QVERIFY(!Restore::inspect(path, &refusal));
        QVERIFY2(refusal.text.startsWith(QStringLiteral("Attenzione: il file scelto non \u00e8 un backup di Tassella "
                                                        "integro")),
                 qPrintable(refusal.text));
        const Restore::Result restored = Restore::apply(path, program.path(), kRestoreMoment);
        QVERIFY(!restored.ok);
        QCOMPARE(restored.message, refusal);
        QVERIFY(restored.message.text.endsWith(QStringLiteral("Nessun file del programma \u00e8 stato modificato.")));
        QCOMPARE(BackupFixtures::contents(program.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestRestore)
#include "tst_restore.moc"
