// Reminder letters for the slips of a large year that fall due, written as PDF, against one payer
// information sheet's PDF:
//   bench_remind letters <folder> <dd/mm/yyyy> [most]   the slips of "<year>.bol" in folder due up
//                            to 30 days from that day or expired, their payers, and one letter per
//                            payer (at most "most") written to one PDF; prints "letters N slips M
//                            ms T rss_kb K" (T: the letters' time, after the selection)
//   bench_remind sheet <folder>                       one information sheet written to a PDF, after
//                            one written to warm up; prints "sheet ms T"
// bench/remind.sh compares the time per letter with the sheet's and the peak memory of two counts.

#include "data/Platform.h"
#include "lists/DueDates.h"
#include "lists/ReminderLetter.h"
#include "payers/InfoSheet.h"
#include "payers/PayerRecord.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sys/resource.h>

namespace {

long peakKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int letters(const QString& folder, const QString& day, qsizetype most)
{
    ProgramFolder::setOverride(folder);
    const QDate today = QDate::fromString(day, QStringLiteral("dd/MM/yyyy"));
    if (!today.isValid()) {
        std::fprintf(stderr, "not a day: %s\n", qPrintable(day));
        return 64;
    }
    const DueDates::Selection selection = DueDates::select(today, DueDates::kDefaultDays);
    std::vector<DueDates::Payer> payers = DueDates::payers(selection);
    DueDates::addEmails(payers, PayerRecord::archivePath());
    if (payers.empty() || !selection.ok) {
        std::fprintf(stderr, "nothing falls due\n");
        return 2;
    }
    const auto count = int(std::min<qsizetype>(qsizetype(payers.size()), most));
    const DueDates::Office office{QStringLiteral("Studio Neri"), QStringLiteral("Via Roma 1, Siena"),
                                  QStringLiteral("0577 123456"), QStringLiteral("studio@example.org")};
    QElapsedTimer clock;
    clock.start();
    QString error;
    if (!ReminderLetter::writePdf(
            QDir(folder).filePath(QStringLiteral("promemoria.pdf")), count,
            [&](int i) { return ReminderLetter::make(payers[size_t(i)], selection, office); }, &error)) {
        std::fprintf(stderr, "no PDF: %s\n", qPrintable(error));
        return 2;
    }
    std::printf("letters %d slips %zu ms %lld rss_kb %ld\n", count, selection.slips.size(), clock.elapsed(), peakKb());
    return 0;
}

int sheet(const QString& folder)
{
    InfoSheet::Values values;
    values.esecutore = QStringLiteral("ROSSI MARIO");
    values.indirizzoRes = QStringLiteral("VIA ROMA 1");
    values.comuneRes = QStringLiteral("ROMA");
    values.codFisc = QStringLiteral("RSSMRA71C05H501X");
    const auto write = [&] {
        Report::Template report(InfoSheet::def());
        InfoSheet::fill(report, values, QDateTime(QDate(2024, 1, 15), QTime(9, 0)));
        report.prepare();
        report.pdf().fileName = QDir(folder).filePath(QStringLiteral("Esecutore.pdf"));
        return Report::exportPdf(report);
    };
    if (!write()) // fonts and libraries warm, as for the letters' first page
        return 2;
    QElapsedTimer clock;
    clock.start();
    if (!write())
        return 2;
    std::printf("sheet ms %.3f\n", double(clock.nsecsElapsed()) / 1e6);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // fonts for the pages
    if (argc >= 4 && std::strcmp(argv[1], "letters") == 0)
        return letters(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                       argc >= 5 ? std::atoll(argv[4]) : std::numeric_limits<qsizetype>::max());
    if (argc >= 3 && std::strcmp(argv[1], "sheet") == 0)
        return sheet(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: bench_remind letters <folder> <dd/mm/yyyy> [most] | sheet <folder>\n");
    return 64;
}
