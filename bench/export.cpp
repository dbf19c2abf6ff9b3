// The yearly slip export on a large archive, as a whole process:
//   bench_export generate <archive> <count>  writes an archive of count varied slips
//   bench_export run <archive>               opens the export window offscreen on the archive (as the
//                                            slip editor does), exports it, and reports on stderr the
//                                            memory the filled grid added against its texts in UTF-16
// bench/export.sh times "run" against cat reading the archive and writing the exported bytes.

#include "data/Platform.h"
#include "data/RecordLayout.h"
#include "lists/ExpBollettini.h"
#include "editors/Bollettino.h"
#include "slips/SlipRecord.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRandomGenerator>
#include <QToolButton>
#include <cstdio>
#include <cstring>

namespace {

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    return 0;
}

QString pick(QRandomGenerator& random, std::initializer_list<const char*> choices)
{
    const auto index = random.bounded(static_cast<int>(choices.size()));
    return QString::fromUtf8(choices.begin()[index]);
}

QString digits(QRandomGenerator& random, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + random.bounded(10));
    return text;
}

int generate(const QString& path, int count)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QRandomGenerator random(451);
    const QString yes = QStringLiteral("S\u00ec");
    const QString no = QStringLiteral("No");
    QByteArray chunk;
    for (int n = 1; n <= count; ++n) {
        Record r(SlipRecord::layout());
        const QString euros = QString::number(random.bounded(20, 900));
        const QString cents = digits(random, 2);
        r.setText("Importo", euros);
        r.setText("Cents", cents);
        r.setText("CentLettere", cents);
        r.setText("ImpLettere", QStringLiteral("CENTOSESSANTOTTO"));
        r.setText("Intero", euros + u',' + cents);
        r.setText("CodTariffa", pick(random, {"8617", "1417", "1518", "7019", "8011", "2914"}));
        r.setText("AnnoTariffa", QStringLiteral("25"));
        r.setText("CodFisc",
                  QStringLiteral("RSSMRA") + digits(random, 2) + QStringLiteral("A01H") + digits(random, 3)
                      + QStringLiteral("U"));
        r.setText("Esecutore",
                  pick(random, {"ROSSI", "BIANCHI", "ESPOSITO", "COLOMBO", "RICCI", "MARINO"}) + u' '
                      + pick(random, {"MARIO", "GIULIA", "LUCA", "FRANCESCA", "NICCOLÒ"}));
        r.setText("Sesso", pick(random, {"M", "F"}));
        if (n % 7) {
            r.setText("GG", digits(random, 1).prepend(u'1'));
            r.setText("MM", QStringLiteral("0") + QString::number(random.bounded(1, 10)));
            r.setText("AA", digits(random, 2));
        }
        r.setText("ComuneNasc", pick(random, {"ROMA", "MILANO", "NAPOLI", "TORINO", "FORLÌ"}));
        r.setText("ProvNasc", pick(random, {"RM", "MI", "NA", "TO", "FC"}));
        r.setText("IndirizzoRes",
                  QStringLiteral("VIA ") + pick(random, {"ROMA", "GARIBALDI", "DANTE", "VERDI"}) + u' '
                      + QString::number(random.bounded(1, 200)));
        r.setText("ProvRes", pick(random, {"RM", "MI", "NA", "TO"}));
        r.setText("ComuneRes", pick(random, {"ROMA", "MILANO", "NAPOLI", "TORINO", "CITTÀ DI CASTELLO"}));
        r.setText("CapRes", QStringLiteral("00") + digits(random, 3));
        r.setText("DataScade",
                  QStringLiteral("%1/%2/2025")
                      .arg(random.bounded(1, 29), 2, 10, QLatin1Char('0'))
                      .arg(random.bounded(1, 13), 2, 10, QLatin1Char('0')));
        if (n % 3)
            r.setText("DataPaga", QStringLiteral("15/06/2025"));
        r.setText("Causale",
                  pick(random,
                       {"RINNOVO LICENZA DI PORTO DI FUCILE PER USO DI CACCIA", "TASSA ANNUALE ISCRIZIONE ALBO",
                        "RILASCIO AUTORIZZAZIONE & VISTO"}));
        if (n % 2)
            r.setText("Note",
                      pick(random,
                           {"Pagato in contanti allo sportello", "Da ricontattare < 30 gg",
                            "Cliente storico, sconto già applicato"}));
        r.setText("Saldato", n % 4 ? yes : no);
        r.setText("Rilascio", n % 5 ? no : yes);
        r.setText("Annuale", n % 5 ? yes : no);
        r.setText("Integrazione", no);
        if (n % 10 == 0)
            r.setText("File01", QStringLiteral("documento.pdf"));
        chunk += r.bytes();
        if (chunk.size() > (1 << 20) || n == count) {
            if (file.write(chunk) != chunk.size())
                return 1;
            chunk.clear();
        }
    }
    return 0;
}

int run(const QString& archive, int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ProgramFolder::setOverride(QFileInfo(archive).absolutePath());
    // Both questions answered yes; the file is not handed to a spreadsheet program.
    MessageBox::setTestMode(true);
    Shell::setRecording(true);

    auto* editor = new TfrmBollettino;
    Windows::add(editor);
    editor->year()->open(QFileInfo(archive).completeBaseName(), QFileInfo(archive).absoluteFilePath());

    QElapsedTimer timer;
    timer.start();
    const qint64 before = residentBytes();
    auto* dialog = Windows::openDialog<TfrmExpBollettini>(
        editor, [editor](TfrmExpBollettini* exp) { exp->setYear(editor->year()); });
    QCoreApplication::processEvents();
    const qint64 after = residentBytes();
    const qint64 filled = timer.restart();
    const ExportGrid* grid = dialog->grid();
    std::fprintf(stderr, "%d slips: the filled grid added %.1f MB, its texts are %.1f MB in UTF-16 (%.2fx)\n",
                 grid->rowCount(), (after - before) / 1e6, grid->textBytes() / 1e6,
                 grid->textBytes() ? double(after - before) / double(grid->textBytes()) : 0.0);

    dialog->findChild<QToolButton*>(QStringLiteral("cmdEsporta"))->click();
    std::fprintf(stderr, "window shown and filled in %lld ms, exported in %lld ms\n", filled, timer.elapsed());
    const bool written = MessageBox::shown().size() == 2 && Shell::opened().size() == 1;
    if (!written)
        std::fprintf(stderr, "the export failed\n");
    delete editor;
    return written ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "generate") == 0)
        return generate(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
        return run(QString::fromLocal8Bit(argv[2]), argc, argv);
    std::fprintf(stderr, "usage: bench_export generate <archive> <count> | run <archive>\n");
    return 2;
}
