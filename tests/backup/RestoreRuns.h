#pragma once
// A restore run as a process of its own (the restore tool), failed or killed at a chosen I/O call
// by the fault-injection library, over a program folder whose data differs from the backup's in
// every item: a mix of the two shows.

#include "BackupFixtures.h"
#include "FaultEnvironment.h"
#include "CoreSupport.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "data/PasswordFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

namespace RestoreRuns {

inline const QDateTime kBackupMoment(QDate(2025, 3, 7), QTime(9, 5));
inline const QDateTime kRestoreMoment(QDate(2025, 4, 1), QTime(16, 30, 12));
inline const QString kOldPassword = QStringLiteral("TASSELLA");
inline const QString kNewPassword = QStringLiteral("NUOVA");

// The data of before: two years of two slips, a year the backup lacks, five payers, an attachment
// the backup lacks, and its own password.
inline void fillBefore(const QString& folder)
{
    BackupFixtures::fill(folder, 2);
    const QDir dir(folder);
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("2025.bol")), BackupFixtures::slips(1, 2025)));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Esecutori.pro")), BackupFixtures::payers(5)));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Documenti_Allegati/vecchio.txt")), "prima"));
    QVERIFY(TestSupport::writeAll(dir.filePath(QStringLiteral("Tassella.ini")), "[Margini Stampa]\r\nSuperiore=4\r\n"));
    QVERIFY(PasswordFile::write(dir.filePath(PasswordFile::fileName), kOldPassword));
}

// The backup, written by the program into backups, and the data it holds.
struct BackupFile {
    QString path;
    QMap<QString, QByteArray> data;
};

inline BackupFile makeBackup(const QString& backups)
{
    QTemporaryDir source;
    BackupFixtures::fill(source.path(), 3);
    if (!PasswordFile::write(QDir(source.path()).filePath(PasswordFile::fileName), kNewPassword))
        return {};
    const Backup::Result result = Backup::create(source.path(), backups, kBackupMoment, 10);
    return {result.ok ? result.path : QString(), BackupFixtures::data(source.path())};
}

struct Run {
    int exitCode = -1;
    QString out;
    bool struck = false;
};

inline QProcessEnvironment environment(const QString& fault, const QString& mark)
{
    return faultEnvironment(QStringLiteral(TASSELLA_FAIL_LIBRARY), fault, mark);
}

// Runs the restore tool under fault ("rename:3", "kill:7", or none). A "kill:" fault that strikes
// leaves the process waiting at that call: it is killed there, as a power cut would stop it.
inline Run run(const QStringList& args, const QString& fault = {})
{
    QTemporaryDir markDir;
    const QString mark = markDir.filePath(QStringLiteral("struck"));
    QProcess process;
    process.setProcessEnvironment(environment(fault, mark));
    process.start(QStringLiteral(TASSELLA_RESTORE_TOOL), args);
    Run result;
    if (!process.waitForStarted())
        return result;
    const bool killing = fault.startsWith(QLatin1String("kill:"));
    QElapsedTimer waited;
    waited.start();
    while (process.state() != QProcess::NotRunning && waited.elapsed() < 60000) {
        if (killing && QFileInfo::exists(mark))
            break;
        process.waitForFinished(5);
    }
    result.struck = QFileInfo::exists(mark);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    return result;
}

inline Run restore(const QString& backup, const QString& folder, const QString& fault = {})
{
    return run({QStringLiteral("restore"), backup, folder, kRestoreMoment.toString(QStringLiteral("yyyyMMddhhmmss"))},
               fault);
}

inline Run recover(const QString& folder, const QString& fault = {})
{
    return run({QStringLiteral("recover"), folder}, fault);
}

} // namespace RestoreRuns
