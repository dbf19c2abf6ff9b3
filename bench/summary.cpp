// The payment summary over a whole yearly archive, as one process: read, select, list, sort and
// total, exactly as the result window does before it shows the lines.
//   bench_summary <archive> [name filter] [tax code filter]
// bench/summary.sh times it against cat reading the same archive.

#include "lists/Summary.h"

#include <QDate>
#include <QString>
#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_summary <archive> [name filter] [tax code filter]\n");
        return 2;
    }
    const QString archive = QString::fromLocal8Bit(argv[1]);
    const Summary::Filters filters{argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(),
                                   argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString()};
    // The whole year: every slip of a yearly archive is due in it.
    const Summary::Result result = Summary::compute(archive, filters, QDate(1, 1, 1), QDate(9999, 12, 31));
    if (!result.ok) {
        std::fprintf(stderr, "bench_summary: cannot read %s\n", argv[1]);
        return 1;
    }
    // Printed so that nothing of the work can be left out by the compiler.
    std::printf("%lld lines, total %s, %d unreadable\n", static_cast<long long>(result.lines.size()),
                qPrintable(Summary::totalText(result.total)), result.unreadable);
    return 0;
}
