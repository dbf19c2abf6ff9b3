// The payer import on large files, the whole work of the window without its widgets: the file
// read, its separator and header found, every row prepared as the editor stores it and checked,
// the registry's tax codes looked up.
//   bench_import prepare <folder> <rows>   writes esecutori.csv (a header and that many payers, as
//                                          LibreOffice saves them), cella.csv (one payer whose note
//                                          is a cell of 1 MB) and virgolette.csv (500 KB whose
//                                          second line opens a quote that never closes)
//   bench_import run <file>                reads and prepares the file; prints "rows N ms T rss_kb K"
//   bench_import save <file> <folder>      the same, then appends every importable row to the payer
//                                          archive of that folder, as "Importa" does
//   bench_import read <file>               the floor: reads the file and decodes its text, as any
//                                          reader of it must; prints the same line
// The peak resident memory is that of the whole process. bench/import.sh compares run with read.

#include "checks/TaxCode.h"
#include "data/CsvFile.h"
#include "data/Platform.h"
#include "payers/PayerImport.h"
#include "payers/PayerRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

void report(qint64 rows, const QElapsedTimer& clock)
{
    std::printf("rows %lld ms %lld rss_kb %ld\n", static_cast<long long>(rows), static_cast<long long>(clock.elapsed()),
                peakKb());
}

// A tax code of its own for payer i (three letters of the name, then the place), with its check
// letter: no row repeats another, so every row is imported.
QString taxCode(int i)
{
    QString body = QStringLiteral("RSS");
    for (int k = 0, n = i; k < 3; ++k, n /= 26)
        body += QLatin1Char(char('A' + n % 26));
    body += QStringLiteral("80A01H%1").arg(i / (26 * 26 * 26) % 1000, 3, 10, QLatin1Char('0'));
    return body + TaxCode::checkCharacter(body).value_or(QLatin1Char('X'));
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int prepare(const QString& folder, int rows)
{
    const char* towns[][3] = {{"Roma", "RM", "00184"},
                              {"Milano", "MI", "20121"},
                              {"Forl\xC3\xAC", "FC", "47121"},
                              {"Napoli", "NA", "80100"},
                              {"Bari", "BA", "70121"}};
    QByteArray csv("Cognome e nome;Codice fiscale;Indirizzo;CAP;Citt\xC3\xA0;Provincia;Telefono;Note\r\n");
    csv.reserve(qsizetype(rows) * 70);
    for (int i = 0; i < rows; ++i) {
        const auto& town = towns[i % 5];
        csv += "Rossi Mario " + QByteArray::number(i) + ';' + taxCode(i).toLatin1() + ";Via Roma "
            + QByteArray::number(i % 200) + ';' + town[2] + ';' + town[0] + ';' + town[1] + ";06 "
            + QByteArray::number(1000000 + i) + ';' + (i % 10 == 0 ? "\"nota; con \"\"virgolette\"\"\"" : "") + "\r\n";
    }
    QByteArray cell("Cognome e nome;Note\r\nRossi Mario;");
    cell += QByteArray(1 << 20, 'x') + "\r\n";
    QByteArray quote("Cognome e nome;Note\r\nRossi Mario;\"inizio\r\n");
    while (quote.size() < 500 * 1024)
        quote += "Verdi Anna;un'altra riga\r\n";
    return write(folder + QStringLiteral("/esecutori.csv"), csv) && write(folder + QStringLiteral("/cella.csv"), cell)
            && write(folder + QStringLiteral("/virgolette.csv"), quote)
        ? 0
        : 1;
}

int run(const QString& path, const QString& folder)
{
    QElapsedTimer clock;
    clock.start();
    const PayerImport::Sheet sheet = PayerImport::read(path);
    if (!sheet.ok) {
        std::fprintf(stderr, "not read: %s\n", qPrintable(sheet.error.text));
        return 2;
    }
    const auto records = std::make_shared<const CsvFile::Records>(sheet.table.rows);
    const bool header = !records->isEmpty() && PayerImport::looksLikeHeader(records->row(0));
    const QList<int> mapping = header ? PayerImport::guess(records->row(0)) : QList<int>();
    if (!folder.isEmpty())
        ProgramFolder::setOverride(folder);
    const PayerImport::Registry registry =
        folder.isEmpty() ? PayerImport::Registry{} : PayerImport::registry(PayerRecord::archivePath());
    const PayerImport::Preview preview(records, header, mapping, registry);
    qint64 shown = preview.size();
    if (!folder.isEmpty()) {
        std::vector<qsizetype> add;
        for (qsizetype r = 0; r < preview.size(); ++r)
            if (PayerImport::tickedAtFirst(preview.brief(r), false))
                add.push_back(r);
        const PayerImport::Saved saved =
            PayerImport::save(PayerRecord::archivePath(), qint64(add.size()),
                              [&](qint64 i) { return preview.row(add[size_t(i)]); }, 0, {});
        if (!saved.ok) {
            std::fprintf(stderr, "not saved: %s\n", qPrintable(saved.error));
            return 2;
        }
        shown = saved.added;
    } else if (shown > 0) {
        // What the preview shows first: its first screen of rows.
        for (qsizetype r = 0; r < std::min<qsizetype>(preview.size(), 30); ++r)
            if (preview.row(r).status().isEmpty())
                return 2;
    }
    report(shown, clock);
    return 0;
}

int read(const QString& path)
{
    QElapsedTimer clock;
    clock.start();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 2;
    const CsvFile::Text text = CsvFile::decode(file.readAll());
    report(text.text.count(QLatin1Char('\n')), clock);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool ok = argc >= 3
        && ((std::strcmp(argv[1], "prepare") == 0 && argc >= 4) || std::strcmp(argv[1], "run") == 0
            || (std::strcmp(argv[1], "save") == 0 && argc >= 4) || std::strcmp(argv[1], "read") == 0);
    if (!ok) {
        std::fprintf(stderr,
                     "usage: bench_import prepare <folder> <rows> | run <file> | save <file> <folder> | "
                     "read <file>\n");
        return 64;
    }
    QCoreApplication app(argc, argv);
    const QString arg = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "prepare") == 0)
        return prepare(arg, std::atoi(argv[3]));
    if (std::strcmp(argv[1], "run") == 0)
        return run(arg, {});
    if (std::strcmp(argv[1], "save") == 0)
        return run(arg, QString::fromLocal8Bit(argv[3]));
    return read(arg);
}
