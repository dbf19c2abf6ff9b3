// Backup, restore and the archive check on a large program folder, the whole work of their windows
// without the widgets: Backup::create (written, read back and compared, renamed), Restore::inspect
// then Restore::apply (as the restore window reads the backup when it is chosen, then restores it),
// ArchiveCheck::run with its lines.
//   bench_backup prepare <folder> <attachments>   adds to a folder holding 2024.bol and Esecutori.pro
//                                                 (bench_listgen) the settings and password files and
//                                                 that many attachments of 20-400 KB, most of them
//                                                 as incompressible as scans, in yearly subfolders
//   bench_backup backup <folder> <target>         writes the backup of folder into target, keeping one
//   bench_backup restore <zip> <folder>           restores the backup into folder; its former files
//                                                 are left in "Prima del ripristino ..." there
//   bench_backup check <folder>                   the archive check of folder
// Each prints "files N ms T rss_kb K" (backup: then the path of the backup) and fails when the
// operation does. bench/backup.sh compares them with zip, unzip and cat of the same files.

#include "backup/ArchiveCheck.h"
#include "backup/Backup.h"
#include "backup/Restore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

long peakKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void report(qint64 files, const QElapsedTimer& clock, const QString& path = {})
{
    std::printf("files %lld ms %lld rss_kb %ld%s%s\n", static_cast<long long>(files),
                static_cast<long long>(clock.elapsed()), peakKb(), path.isEmpty() ? "" : " ", qPrintable(path));
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int prepare(const QString& folder, int count)
{
    const QDir dir(folder);
    if (!dir.exists(Backup::kPayers) || !dir.exists(QStringLiteral("2024.bol"))) {
        std::fprintf(stderr, "%s holds no 2024.bol and Esecutori.pro (bench_listgen makes them)\n", qPrintable(folder));
        return 2;
    }
    if (!write(dir.filePath(Backup::kSettings), "[Backup]\r\nCopie=10\r\n[Stampa]\r\nMargineSinistro=0\r\n")
        || !write(dir.filePath(Backup::kPassword), QByteArray(64, '\x5a')))
        return 2;
    QRandomGenerator rng(451);
    for (int i = 0; i < count; ++i) {
        const QString sub = dir.filePath(Backup::kAttachments + QStringLiteral("/%1").arg(2022 + i % 3));
        if (!QDir().mkpath(sub))
            return 2;
        const qsizetype size = 20 * 1024 + rng.bounded(380 * 1024);
        QByteArray bytes(size, Qt::Uninitialized);
        if (i % 4 == 3) {
            // A page of text saved as it is: compresses well.
            for (qsizetype k = 0; k < size; ++k)
                bytes[k] = "ricevuta di versamento n. 451 \n"[k % 31];
            if (!write(sub + QStringLiteral("/ricevuta-%1.txt").arg(i, 3, 10, QLatin1Char('0')), bytes))
                return 2;
        } else {
            // A scan: already compressed, as random as it gets.
            rng.fillRange(reinterpret_cast<quint32*>(bytes.data()), size / 4);
            if (!write(sub + QStringLiteral("/documento-%1.jpg").arg(i, 3, 10, QLatin1Char('0')), bytes))
                return 2;
        }
    }
    return 0;
}

int backup(const QString& folder, const QString& target)
{
    QElapsedTimer clock;
    clock.start();
    const Backup::Result result = Backup::create(folder, target, QDateTime::currentDateTime(), 1);
    if (!result.ok) {
        std::fprintf(stderr, "no backup: %s\n", qPrintable(result.message.text));
        return 2;
    }
    report(result.years.size() + 3 + result.attachments, clock, result.path);
    return 0;
}

int restore(const QString& path, const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    Message refusal;
    const std::optional<Restore::Contents> contents = Restore::inspect(path, &refusal);
    if (!contents) {
        std::fprintf(stderr, "refused: %s\n", qPrintable(refusal.text));
        return 2;
    }
    const Restore::Result result = Restore::apply(path, folder, QDateTime::currentDateTime());
    if (!result.ok) {
        std::fprintf(stderr, "not restored: %s\n", qPrintable(result.message.text));
        return 2;
    }
    report(contents->years.size() + 3 + contents->attachments, clock);
    return 0;
}

int check(const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    const QList<ArchiveCheck::Report> reports = ArchiveCheck::run(folder);
    const QStringList lines = ArchiveCheck::lines(reports);
    // The bench folder's archives are sound: a problem found is the check gone wrong.
    for (const ArchiveCheck::Report& r : reports)
        if (!r.readable || r.tailBytes != 0 || !r.problems.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(lines.join(QLatin1Char('\n'))));
            return 2;
        }
    if (reports.isEmpty())
        return 2;
    report(reports.size(), clock);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    auto is = [&](const char* mode) { return argc >= 2 && std::strcmp(argv[1], mode) == 0; };
    const bool ok = (is("prepare") && argc >= 4) || (is("backup") && argc >= 4) || (is("restore") && argc >= 4)
        || (is("check") && argc >= 3);
    if (!ok) {
        std::fprintf(stderr,
                     "usage: bench_backup prepare <folder> <attachments> | backup <folder> <target> | "
                     "restore <zip> <folder> | check <folder>\n");
        return 64;
    }
    QCoreApplication app(argc, argv);
    const QString arg = QString::fromLocal8Bit(argv[2]);
    const QString second = argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (is("prepare"))
        return prepare(arg, std::atoi(argv[3]));
    if (is("backup"))
        return backup(arg, second);
    if (is("restore"))
        return restore(arg, second);
    return check(arg);
}
