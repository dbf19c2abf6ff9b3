// Restoring a backup: into an empty folder byte for byte (a hundred thousand slips included), over
// the current data with that data set aside first, the refusal of a damaged, foreign or hostile ZIP
// with nothing changed, and the restore failed or killed at each of its I/O calls: after the next
// start the program folder holds the data of before or the backup's, never a mix.

#include "BackupFixtures.h"
#include "CoreSupport.h"
#include "RestoreRuns.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "data/PasswordFile.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace TestSupport;
using RestoreRuns::kBackupMoment;
using RestoreRuns::kRestoreMoment;

namespace {

// A backup of a fixture folder, written by the program into folder.
QString makeBackup(const QString& folder, int slipsPerYear = 3)
{
    QTemporaryDir program;
    BackupFixtures::fill(program.path(), slipsPerYear);
    const Backup::Result result = Backup::create(program.path(), folder, kBackupMoment, 10);
    return result.ok ? result.path : QString();
}

// Makes the local header and the directory of a ZIP declare size bytes for the member name, its
// bytes left as they are: a ZIP whose sizes lie. False when the member is not found in both.
bool declareSize(QByteArray& zip, const QByteArray& name, quint32 size)
{
    int patched = 0;
    for (qsizetype at = 0; (at = zip.indexOf("PK", at)) >= 0 && at + 46 <= zip.size(); at += 2) {
        const auto word = [&](qsizetype i) { return qFromLittleEndian<quint16>(zip.constData() + at + i); };
        qsizetype nameAt = 0, sizeAt = 0, length = 0;
        if (zip.mid(at, 4) == QByteArray("PK\x03\x04", 4)) {
            length = word(26), nameAt = at + 30, sizeAt = at + 22;
        } else if (zip.mid(at, 4) == QByteArray("PK\x01\x02", 4)) {
            length = word(28), nameAt = at + 46, sizeAt = at + 24;
        } else {
            continue;
        }
        if (zip.mid(nameAt, length) != name)
            continue;
        qToLittleEndian<quint32>(size, zip.data() + sizeAt);
        ++patched;
    }
    return patched == 2;
}

// What the start tells after a restore killed before it moved anything, and after one finished.
const QString kNotStarted =
    QStringLiteral("Un ripristino da backup era stato interrotto prima di modificare i dati del programma, che sono "
                   "rimasti quelli di prima. Per ripristinare il backup, ripetere il ripristino.");
const QString kInterrupted = QStringLiteral(
    "Il ripristino del backup del 07/03/2025 ore 09:05 era stato interrotto (il programma si era chiuso mentre "
    "sostituiva i file)");

QStringList workingFolders(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".ripristino-*")},
                                  QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
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

    // A backup that is damaged, holds anything but the program's data, or would set the data aside
    // without putting it back is refused before any file of the program is touched.
    void damagedBackupIsRefusedWithNothingChanged_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        const QString damaged = QStringLiteral("non \u00e8 un backup di Tassella integro");
        QTest::newRow("a byte changed in a member") << "flip" << damaged;
        QTest::newRow("cut short") << "cut" << damaged;
        QTest::newRow("not a ZIP") << "text" << damaged;
        QTest::newRow("a member outside the folder") << "escape" << damaged;
        QTest::newRow("a foreign file") << "foreign" << damaged;
        QTest::newRow("a folder named like an archive")
            << "folder" << QStringLiteral("cartella con il nome di un archivio: 2028.bol/");
        QTest::newRow("a file named like the attachment folder")
            << "attachments file" << QStringLiteral("un file con il nome della cartella dei documenti allegati");
        QTest::newRow("a line break in a name") << "line break" << QStringLiteral("contiene il file estraneo");
        QTest::newRow("a member declaring 4 GiB")
            << "huge" << QStringLiteral("il file 2024.bol dichiara 4294967280 byte, molti pi\u00f9");
        QTest::newRow("a member longer than it declares")
            << "longer" << QStringLiteral("2024.bol: longer than declared");
        QTest::newRow("one attachment alone")
            << "attachment" << QStringLiteral("non contiene n\u00e9 gli archivi n\u00e9 la password di accesso");
        QTest::newRow("no password file") << "no password" << QStringLiteral("non contiene la password di accesso");
        QTest::newRow("no archive") << "no archive"
                                    << QStringLiteral("non contiene n\u00e9 archivi dei bollettini n\u00e9 l'archivio "
                                                      "degli Esecutori");
    }
    void damagedBackupIsRefusedWithNothingChanged()
    {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        QTemporaryDir backups, program, work;
        QString path = makeBackup(backups.path());
        QVERIFY(!path.isEmpty());
        QByteArray bytes = readAll(path);
        // The members of a sound backup of the fixture, for the ZIPs made of them.
        BackupFixtures::fill(work.path());
        QList<ZipFile::Member> members = Backup::members(work.path());
        const auto without = [&](const QString& name) {
            members.removeIf([&](const ZipFile::Member& m) { return m.name == name; });
        };
        const QString file = QDir(work.path()).filePath(QStringLiteral("2024.bol"));
        if (damage == QLatin1String("flip")) {
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x5a);
            QVERIFY(writeAll(path, bytes));
        } else if (damage == QLatin1String("cut")) {
            QVERIFY(writeAll(path, bytes.left(bytes.size() - 40)));
        } else if (damage == QLatin1String("text")) {
            QVERIFY(writeAll(path, "Questo non \xe8 un backup.\r\n"));
        } else if (damage == QLatin1String("escape")) {
            // A name inside the attachment folder that climbs out of it.
            QVERIFY(ZipFile::write(path, {{QStringLiteral("Documenti_Allegati/../../evil.bol"), file}}, nullptr));
        } else if (damage == QLatin1String("foreign")) {
            // Made by the real zip tool: a program file beside the data.
            QVERIFY(writeAll(QDir(work.path()).filePath(QStringLiteral("Tassella")), "x"));
            QFile::remove(path);
            QProcess zip;
            zip.setWorkingDirectory(work.path());
            zip.start(QStringLiteral("zip"),
                      {QStringLiteral("-q"), path, QStringLiteral("2024.bol"), QStringLiteral("Tassella")});
            QVERIFY(zip.waitForFinished());
            QCOMPARE(zip.exitCode(), 0);
        } else if (damage == QLatin1String("folder")) {
            members.append({QStringLiteral("2028.bol/"), {}});
            QVERIFY(ZipFile::write(path, members, nullptr));
        } else if (damage == QLatin1String("attachments file")) {
            members.removeIf([](const ZipFile::Member& m) { return m.name.startsWith(Backup::kAttachments); });
            members.append({Backup::kAttachments, file});
            QVERIFY(ZipFile::write(path, members, nullptr));
        } else if (damage == QLatin1String("line break")) {
            members.append({QStringLiteral("Documenti_Allegati/a\nvecchio=2024.bol"), file});
            QVERIFY(ZipFile::write(path, members, nullptr));
        } else if (damage == QLatin1String("huge")) {
            // 4.5 MB of zeros unpack to 4 GiB; a directory that says so is refused as it is.
            QVERIFY(declareSize(bytes, "2024.bol", 0xfffffff0u));
            QVERIFY(writeAll(path, bytes));
        } else if (damage == QLatin1String("longer")) {
            QVERIFY(declareSize(bytes, "2024.bol", 100));
            QVERIFY(writeAll(path, bytes));
        } else if (damage == QLatin1String("attachment")) {
            QVERIFY(ZipFile::write(path,
                                   {{QStringLiteral("Documenti_Allegati/"), {}},
                                    {QStringLiteral("Documenti_Allegati/scansione.pdf"), file}},
                                   nullptr));
        } else if (damage == QLatin1String("no password")) {
            without(Backup::kPassword);
            QVERIFY(ZipFile::write(path, members, nullptr));
        } else {
            without(QStringLiteral("2023.bol"));
            without(QStringLiteral("2024.bol"));
            without(Backup::kPayers);
            QVERIFY(ZipFile::write(path, members, nullptr));
        }
        BackupFixtures::fill(program.path(), 2);
        const auto before = BackupFixtures::contents(program.path());

        Message refusal;
        QVERIFY(!Restore::inspect(path, &refusal));
        QCOMPARE(refusal.kind, MessageKind::Warning);
        QVERIFY2(refusal.text.startsWith(QStringLiteral("Attenzione: il file scelto non ")), qPrintable(refusal.text));
        QVERIFY2(refusal.text.contains(said), qPrintable(refusal.text));
        const Restore::Result restored = Restore::apply(path, program.path(), kRestoreMoment);
        QVERIFY(!restored.ok);
        QCOMPARE(restored.message, refusal);
        QVERIFY(restored.message.text.endsWith(QStringLiteral("Nessun file del programma \u00e8 stato modificato.")));
        QCOMPARE(BackupFixtures::contents(program.path()), before);
    }

    // A member that unpacks to more than it declares is stopped at its declared size: a few
    // megabytes of zeros never fill the disk.
    void memberLongerThanDeclaredIsStoppedAtItsSize()
    {
        QTemporaryDir work;
        const QString zeros = QDir(work.path()).filePath(QStringLiteral("zeri"));
        QVERIFY(writeAll(zeros, QByteArray(8 << 20, '\0')));
        const QString path = QDir(work.path()).filePath(QStringLiteral("bomba.zip"));
        QVERIFY(ZipFile::write(path, {{QStringLiteral("Documenti_Allegati/zeri.pdf"), zeros}}, nullptr));
        QByteArray bytes = readAll(path);
        QVERIFY(bytes.size() < 100000);
        QVERIFY(declareSize(bytes, "Documenti_Allegati/zeri.pdf", 1000));
        QVERIFY(writeAll(path, bytes));
        qint64 given = 0;
        ZipFile::Reader reader;
        reader.data = [&given](const char*, qint64 size) {
            given += size;
            return true;
        };
        QString error;
        QVERIFY(!ZipFile::read(path, reader, &error));
        QVERIFY2(given <= 1000, qPrintable(QString::number(given)));
        QCOMPARE(error, QStringLiteral("Documenti_Allegati/zeri.pdf: longer than declared"));
    }

    // A backup that would leave the disk all but full is refused before anything is unpacked.
    void notEnoughRoomChangesNothing()
    {
        QTemporaryDir backups, program;
        const QString path = makeBackup(backups.path());
        QVERIFY(!path.isEmpty());
        BackupFixtures::fill(program.path(), 2);
        const auto before = BackupFixtures::contents(program.path());
        QString asked;
        Restore::setFreeSpaceProbe([&asked](const QString& folder) {
            asked = folder;
            return qint64(10) << 20;
        });
        const Restore::Result restored = Restore::apply(path, program.path(), kRestoreMoment);
        Restore::setFreeSpaceProbe({});
        QVERIFY(!restored.ok);
        QCOMPARE(asked, program.path());
        QVERIFY2(restored.message.text.startsWith(QStringLiteral(
                     "Attenzione: nella cartella del programma non c'\u00e8 spazio sufficiente per ripristinare il "
                     "backup: servono 18 MB, ne sono liberi 10 MB.")),
                 qPrintable(restored.message.text));
        QCOMPARE(BackupFixtures::contents(program.path()), before);
    }

    // Each write, sync or rename of the restore fails in turn: the failure is reported and the
    // program folder is as it was, every file set aside back in its place, no working folder left;
    // once the count passes the restore's last call, the restore goes through.
    void eachCallFailsInTurn_data()
    {
        QTest::addColumn<QString>("call");
        for (const char* call : {"write", "fsync", "rename"})
            QTest::newRow(call) << QString::fromLatin1(call);
    }
    void eachCallFailsInTurn()
    {
        QFETCH(QString, call);
        QTemporaryDir backups;
        const RestoreRuns::BackupFile backup = RestoreRuns::makeBackup(backups.path());
        QVERIFY(!backup.path.isEmpty());
        int reported = 0;
        for (int n = 1; n <= 200; ++n) {
            QTemporaryDir program;
            RestoreRuns::fillBefore(program.path());
            const auto before = BackupFixtures::contents(program.path());
            const RestoreRuns::Run result =
                RestoreRuns::restore(backup.path, program.path(), call + QLatin1Char(':') + QString::number(n));
            if (!result.struck) {
                QVERIFY2(result.exitCode == 0, qPrintable(result.out));
                QCOMPARE(BackupFixtures::data(program.path()), backup.data);
                break;
            }
            QVERIFY(n < 200);
            QVERIFY2(result.exitCode == 1, qPrintable(QStringLiteral("call %1: exit %2").arg(n).arg(result.exitCode)));
            QVERIFY2(result.out.endsWith(QStringLiteral("Nessun file del programma \u00e8 stato modificato.")),
                     qPrintable(result.out));
            QCOMPARE(BackupFixtures::contents(program.path()), before);
            ++reported;
        }
        QVERIFY(reported > (call == QLatin1String("rename") ? 10 : 5));
    }

    // The restore killed at each of its I/O calls in turn, then the next start: the program folder
    // holds the data of before or the backup's, whole, with the password of that data; the user is
    // told which; no working folder is left, and a second start has nothing to do. Where a file of
    // the backup is found damaged at the next start, the restore is undone from wherever it stopped.
    // Where the next start is killed too, the one after settles it all the same.
    void killedAtEachCallIsSettledAtTheNextStart_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<bool>("startKilled");
        QTest::newRow("killed") << false << false;
        QTest::newRow("killed, a file of the backup then damaged") << true << false;
        QTest::newRow("killed amid the moves, the next start killed too") << false << true;
        QTest::newRow("killed amid the moves, a file damaged, the next start killed too") << true << true;
    }
    void killedAtEachCallIsSettledAtTheNextStart()
    {
        QFETCH(bool, damaged);
        QFETCH(bool, startKilled);
        QTemporaryDir backups;
        const RestoreRuns::BackupFile backup = RestoreRuns::makeBackup(backups.path());
        QVERIFY(!backup.path.isEmpty());
        QMap<QString, QByteArray> before;
        {
            QTemporaryDir fresh;
            RestoreRuns::fillBefore(fresh.path());
            before = BackupFixtures::data(fresh.path());
        }
        int old = 0, restored = 0, amid = 0;

        // The next start (killed at its call k first, when k is set), then the checks.
        const auto settle = [&](const QString& folder, int k, bool* startStruck) {
            if (damaged) {
                // The backup's payer archive, wherever the restore left it, loses its last byte.
                QDirIterator it(folder, {Backup::kPayers}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QString path = it.next();
                    const QByteArray bytes = readAll(path);
                    if (bytes == backup.data.value(Backup::kPayers))
                        QVERIFY(writeAll(path, bytes.chopped(1)));
                }
            }
            RestoreRuns::Run start;
            bool struck = false;
            if (k > 0) {
                start = RestoreRuns::recover(folder, QStringLiteral("kill:%1").arg(k));
                struck = start.struck;
            }
            if (k == 0 || struck)
                start = RestoreRuns::recover(folder);
            QCOMPARE(start.exitCode, 0);
            const QDir dir(folder);
            const auto now = BackupFixtures::data(folder);
            const QString aside = dir.filePath(Restore::asideFolderName(kRestoreMoment));
            const std::optional<QString> password = PasswordFile::read(dir.filePath(PasswordFile::fileName));
            QCOMPARE(workingFolders(folder), QStringList());
            if (now == before) {
                ++old;
                QVERIFY(!QFileInfo::exists(aside));
                QCOMPARE(password, std::optional<QString>(RestoreRuns::kOldPassword));
                const QString undone = kInterrupted
                    + QStringLiteral(" ed \u00e8 stato annullato: i dati del programma sono tornati quelli di prima "
                                     "del ripristino.");
                QVERIFY2(start.out == kNotStarted || (damaged && start.out == undone), qPrintable(start.out));
            } else {
                QCOMPARE(now, backup.data);
                QVERIFY(!damaged);
                ++restored;
                QCOMPARE(BackupFixtures::data(aside), before);
                QCOMPARE(password, std::optional<QString>(RestoreRuns::kNewPassword));
                QCOMPARE(start.out,
                         kInterrupted
                             + QStringLiteral(" ed \u00e8 stato completato ora.\n\r\n\rI file presenti "
                                              "prima del ripristino sono stati spostati nella "
                                              "cartella\n\r\n\r")
                             + QDir::toNativeSeparators(aside));
            }
            QCOMPARE(RestoreRuns::recover(folder).out, QString());
            *startStruck = struck;
        };

        for (int n = 1;; ++n) {
            QVERIFY(n < 200);
            QTemporaryDir program;
            RestoreRuns::fillBefore(program.path());
            const QString kill = QStringLiteral("kill:%1").arg(n);
            const RestoreRuns::Run killed = RestoreRuns::restore(backup.path, program.path(), kill);
            if (!killed.struck) {
                QVERIFY2(killed.exitCode == 0, qPrintable(killed.out));
                QCOMPARE(BackupFixtures::data(program.path()), backup.data);
                break;
            }
            const auto left = BackupFixtures::data(program.path());
            const bool mixed = left != before && left != backup.data;
            amid += mixed;
            bool struck = false;
            if (!startKilled) {
                settle(program.path(), 0, &struck);
                if (QTest::currentTestFailed())
                    return;
                continue;
            }
            // The start's kills over one state amid the moves, a few moves in.
            if (!mixed || amid != 4)
                continue;
            for (int k = 1;; ++k) {
                QVERIFY(k < 200);
                QTemporaryDir again;
                RestoreRuns::fillBefore(again.path());
                QVERIFY(RestoreRuns::restore(backup.path, again.path(), kill).struck);
                settle(again.path(), k, &struck);
                if (QTest::currentTestFailed())
                    return;
                if (!struck)
                    break;
            }
        }
        QVERIFY(amid > 5);
        // Killed before its journal was whole, a restore is undone; after, it is finished, unless a
        // file of the backup is found damaged.
        QVERIFY(old > 0 || (startKilled && !damaged));
        QVERIFY(damaged ? restored == 0 : restored > 0);
    }
};

QTEST_GUILESS_MAIN(TestRestore)
#include "tst_restore.moc"
