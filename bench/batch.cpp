// Issuing one slip for many payers, the whole process from the payer archive to the year's archive
// and one PDF file:
//   bench_batch prepare <folder> <payers>   writes a payer archive of that many complete payers,
//                                           each with a tax code of its own
//   bench_batch issue <folder>              starts, chooses every payer, makes their slips, checks
//                                           the year's archive for them, appends them in one write
//                                           and writes them all to one PDF, as "Salva" and "PDF"
//                                           of the batch window do; prints "slips N rss_kb K" with
//                                           the peak resident memory of the process
// Each issue starts from an empty year, so that every run does the same work. With BENCH_STAGES
// set, it also tells on stderr the peak memory and the time after each step.
// bench/batch.sh times whole runs of it and compares the peak memory of two sizes.

#include "batch/BatchIssue.h"
#include "batch/BatchPrint.h"
#include "checks/TaxCode.h"
#include "data/Platform.h"
#include "data/RecordFile.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

// A tax code of its own for payer i: three letters of the first name made from i, then the
// same birth, and the check letter.
QString taxCode(int i)
{
    QString body = QStringLiteral("RSS");
    for (int k = 0, n = i; k < 3; ++k, n /= 26)
        body += QLatin1Char(char('A' + n % 26));
    body += QStringLiteral("80A01H501");
    return body + TaxCode::checkCharacter(body).value_or(QLatin1Char('X'));
}

int prepare(int count)
{
    RecordFile archive(PayerRecord::kSize);
    QFile::remove(PayerRecord::archivePath());
    if (!archive.open(PayerRecord::archivePath()))
        return 1;
    Record record(PayerRecord::layout());
    record.setText("Sesso", QStringLiteral("M"));
    record.setText("GG", QStringLiteral("01"));
    record.setText("MM", QStringLiteral("01"));
    record.setText("AA", QStringLiteral("80"));
    record.setText("ComuneNasc", QStringLiteral("ROMA"));
    record.setText("ProvNasc", QStringLiteral("RM"));
    record.setText("IndirizzoRes", QStringLiteral("VIA GIUSEPPE GARIBALDI 12"));
    record.setText("ComuneRes", QStringLiteral("MILANO"));
    record.setText("ProvRes", QStringLiteral("MI"));
    record.setText("CapRes", QStringLiteral("20100"));
    record.setText("CodTariffa", QStringLiteral("8003"));
    record.setFlag("Ricontatta", false);
    const bool written = archive.append(count, [&record](qint64 i) {
        record.setText("Esecutore", QStringLiteral("ROSSI MARIO %1").arg(i + 1));
        record.setText("CodFisc", taxCode(int(i)));
        return record.bytes();
    });
    return written ? 0 : 1;
}

int issue()
{
    const QString archive = SlipRecord::archivePath(QStringLiteral("2025"));
    const QString pdf = ProgramFolder::file(QStringLiteral("Bollettini_2025.pdf"));
    QFile::remove(archive);
    QFile::remove(pdf);

    BatchIssue::Payers chosen = BatchIssue::choose(PayerRecord::archivePath(), {});
    if (!chosen.ok || chosen.payers.empty()) {
        std::fprintf(stderr, "no payers: %s\n", qPrintable(chosen.error));
        return 2;
    }
    BatchIssue::SlipData data;
    data.amount = QStringLiteral("168");
    data.cents = QStringLiteral("0");
    data.tariffYear = QStringLiteral("25");
    data.dueDate = QStringLiteral("31/01/2025");
    data.reason = QStringLiteral("Tassa annuale di concessione governativa");
    data.yearly = true;
    if (BatchIssue::check(data)) {
        std::fprintf(stderr, "the slip data are refused\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    const auto stage = [&clock](const char* what) {
        if (qEnvironmentVariableIsSet("BENCH_STAGES")) {
            rusage u{};
            getrusage(RUSAGE_SELF, &u);
            std::fprintf(stderr, "%s %ld KB %lld ms\n", what, u.ru_maxrss, clock.elapsed());
        }
    };
    stage("chosen");
    const qint64 count = qint64(chosen.payers.size());
    const BatchIssue::Slips slips(data, std::move(chosen.payers));
    const BatchIssue::Duplicates dup = BatchIssue::duplicates(archive, slips);
    stage("checked");
    if (!dup.ok || dup.count != 0) {
        std::fprintf(stderr, "duplicates found\n");
        return 2;
    }
    const BatchIssue::Saved saved = BatchIssue::append(archive, slips);
    if (!saved.ok || saved.count != count) {
        std::fprintf(stderr, "not saved: %s\n", qPrintable(saved.error));
        return 2;
    }
    stage("saved");
    QString error;
    if (!BatchPrint::writePdf(pdf, slips, 0, 0, &error)) {
        std::fprintf(stderr, "no PDF: %s\n", qPrintable(error));
        return 2;
    }
    stage("written");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("slips %lld rss_kb %ld\n", static_cast<long long>(count), usage.ru_maxrss);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3 || (std::strcmp(argv[1], "prepare") == 0 && argc < 4)) {
        std::fprintf(stderr, "usage: bench_batch prepare <folder> <payers> | issue <folder>\n");
        return 64;
    }
    QGuiApplication app(argc, argv);
    ProgramFolder::setOverride(QString::fromLocal8Bit(argv[2]));
    return std::strcmp(argv[1], "prepare") == 0 ? prepare(std::atoi(argv[3])) : issue();
}
