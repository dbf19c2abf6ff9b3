// One whole run of a list window over the archives in a folder, headless, ending as soon as the
// list is filled: what bench/run.sh times against cat reading the same file.
//   bench_lists <folder> unpaid|expired|slipsearch|payersearch|summary [criterion text]
// "summary" chooses the whole year 2024 in the selection window (the criterion is the payer
// filter) and shows the result window.
// Prints the lines shown, their UTF-16 size, the resident memory at that moment and its peak.

#include "app/Startup.h"
#include "checks/Voci_Tariffa.h"
#include "lists/DaSaldare.h"
#include "windows/LineModel.h"
#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "editors/Bollettino.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cstring>

namespace {

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// VmRSS: resident now; VmHWM: the peak.
long statusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_lists <folder> unpaid|expired|slipsearch|payersearch [criterion]\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    const qint64 appNs = clock.nsecsElapsed();
    const double appCpu = cpuMs();
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBox::setTestMode(true);
    ProgramFolder::setOverride(QString::fromLocal8Bit(argv[1]));
    Clock::setFixed(QDateTime(QDate(2024, 7, 1), QTime(12, 0)));
    const char* mode = argv[2];
    const QString criterion = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    // The slip editor holds the open year, as in the program; the lists are given it as their target.
    static const Windows::WindowDef registry[] = {
        {"TfrmBollettino", Workspace::Role::Work, [] { return static_cast<QWidget*>(new TfrmBollettino); }},
        {"TfrmMenuRiepCosti", Workspace::Role::Work, [] { return static_cast<QWidget*>(new TfrmMenuRiepCosti); }},
        {"TfrmRiepCosti", Dialog::Placement::Maximised, [] { return static_cast<QWidget*>(new TfrmRiepCosti); }},
    };
    Windows::setRegistry(registry);
    // The summary is opened from the start menu: no slip editor is made for it.
    const bool summary = std::strcmp(argv[2], "summary") == 0;
    auto* editor = summary ? nullptr : static_cast<TfrmBollettino*>(registry[0].create());
    if (editor) {
        Windows::add(editor);
        static_cast<TfrmBollettino*>(editor)->year()->open(QStringLiteral("2024"));
    }

    const qint64 editorNs = clock.nsecsElapsed();
    const double editorCpu = cpuMs();
    QDialog* window = nullptr;
    const auto search = [&](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("txtEsecutore"))->setText(criterion);
        dialog->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
        return dialog;
    };
    if (std::strcmp(mode, "unpaid") == 0)
        window = Windows::openDialog<TfrmDaSaldare>(editor, [editor](TfrmDaSaldare* list) { list->setTarget(editor); });
    else if (std::strcmp(mode, "expired") == 0)
        window = Windows::openDialog<TfrmScadute>(editor, [editor](TfrmScadute* list) { list->setTarget(editor); });
    else if (std::strcmp(mode, "slipsearch") == 0)
        window = search(Windows::openDialog<TfrmTrovaBollettini>(
            editor, [editor](TfrmTrovaBollettini* list) { list->setTarget(editor); }));
    else if (std::strcmp(mode, "payersearch") == 0)
        window = search(Windows::openDialog<TfrmTrovaEsecutori>(
            editor, [editor](TfrmTrovaEsecutori* list) { list->setTarget(editor); }));
    else if (summary) {
        // The selection window in place of the editor: the year, the whole of it, the payer filter.
        auto* selection = static_cast<TfrmMenuRiepCosti*>(registry[1].create());
        Windows::add(selection);
        selection->show();
        QCoreApplication::processEvents();
        selection->findChild<QLineEdit*>(QStringLiteral("txtAnno"))->setText(QStringLiteral("2024"));
        selection->findChild<QLabel*>(QStringLiteral("lblAnnoInizio"))->setText(QStringLiteral("2024"));
        selection->findChild<QLabel*>(QStringLiteral("lblAnnoFine"))->setText(QStringLiteral("2024"));
        selection->findChild<QLineEdit*>(QStringLiteral("txtEsecutore"))->setText(criterion);
        const auto choose = [&](const char* name, const char* value) {
            selection->findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentText(QString::fromLatin1(value));
        };
        choose("txtGiornoInizio", "01");
        choose("txtMeseInizio", "Gennaio");
        choose("txtGiornoFine", "31");
        choose("txtMeseFine", "Dicembre");
        selection->findChild<QPushButton*>(QStringLiteral("btnVisualizza"))->click();
        window = selection->findChild<TfrmRiepCosti*>();
    }
    if (!window)
        return 2;
    QCoreApplication::processEvents();

    const auto* model =
        qobject_cast<const LineModel*>(window->findChild<QListView*>(QStringLiteral("lstRecords"))->model());
    if (!model)
        return 2;
    qint64 textBytes = 0;
    for (qsizetype row = 0; row < model->lines().size(); ++row)
        textBytes += qint64(model->lines().bytes(row).size()) * 2; // one UTF-16 code per stored byte
    std::fprintf(stderr, "cpu: app %.1f ms, slip editor %.1f ms, list %.1f ms\n", appCpu, editorCpu - appCpu,
                 cpuMs() - editorCpu);
    std::fprintf(stderr, "app %.1f ms, slip editor %.1f ms, list %.1f ms\n", appNs / 1e6, (editorNs - appNs) / 1e6,
                 (clock.nsecsElapsed() - editorNs) / 1e6);
    std::printf("lines %d text %lld rss_kb %ld peak_kb %ld\n", model->rowCount(), static_cast<long long>(textBytes),
                statusKb("VmRSS:"), statusKb("VmHWM:"));
    std::fflush(stdout);
    // The process ends here, as when the program is closed with the list open.
    std::_Exit(0);
}
