// What the user waits for after a click, inside the running program: from the command to the first
// complete paint of the window it opens, on a real window system (bench/run.sh runs it under Xvfb).
//   bench_click <folder> unpaid|summary|slipsearch [runs]
//       the slip editor's "Da saldare", the selection window's "Visualizza riepilogo" (the whole
//       year 2024) or the slip search's "Cerca" (every slip), over <folder>/2024.bol
//   bench_click <folder> floor [runs] [maximised]
//       the floor: a window whose button reads the same archive through, as cat does, and opens one
//       window showing its size (maximised, as the summary, when asked)
// Each run starts from an idle program; the clock stops when the window's list (the floor's label)
// has been painted and the window system has the picture: a one-pixel read of the window comes
// back after every drawing request sent before it. Prints the median in milliseconds, the lines
// the list shows and the peak resident memory.

#include "lists/DaSaldare.h"
#include "windows/LineModel.h"
#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"
#include "lists/TrovaBollettini.h"
#include "editors/Bollettino.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPaintEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Lets the program go idle: pending events, deferred deletions and the window manager's replies.
void settle(int ms)
{
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Stops the clock at the first paint of a widget that passes the test, once the window system holds
// the picture.
class PaintWatch : public QObject {
public:
    std::function<bool(QWidget*)> accepts;
    QElapsedTimer clock;
    qint64 stoppedNs = -1;
    QWidget* painted = nullptr;

    void start()
    {
        stoppedNs = -1;
        painted = nullptr;
        clock.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // BENCH_CLICK_TRACE=1: every paint of the run, to see what is drawn more than once.
        static const bool trace = qEnvironmentVariableIsSet("BENCH_CLICK_TRACE");
        if (trace && event->type() == QEvent::Paint && stoppedNs < 0 && clock.isValid()) {
            const QRect area = static_cast<QPaintEvent*>(event)->rect();
            std::fprintf(stderr, "%8.1f ms paint %s %s %dx%d\n", clock.nsecsElapsed() / 1e6,
                         watched->metaObject()->className(), qPrintable(watched->objectName()), area.width(),
                         area.height());
        }
        if (event->type() == QEvent::Paint && accepts && stoppedNs < 0 && !painted && watched->isWidgetType()
            && accepts(static_cast<QWidget*>(watched))) {
            painted = static_cast<QWidget*>(watched);
            // The paint cycle flushes the window after its last paint event; the zero timer runs
            // after that, and the one-pixel read waits for the server to have drawn it.
            QTimer::singleShot(0, this, [this] {
                QWidget* window = painted->window();
                window->screen()->grabWindow(window->winId(), 0, 0, 1, 1);
                stoppedNs = clock.nsecsElapsed();
            });
        }
        return false;
    }
};

bool listPainted(QWidget* widget, const char* windowClass)
{
    QWidget* view = widget->parentWidget();
    if (!view || view->objectName() != QLatin1String("lstRecords") || !widget->window()->inherits(windowClass))
        return false;
    const auto* list = qobject_cast<QListView*>(view);
    return list && list->model() && list->model()->rowCount() > 0;
}

int linesShown(QWidget* window)
{
    const auto* view = window ? window->findChild<QListView*>(QStringLiteral("lstRecords")) : nullptr;
    return view && view->model() ? view->model()->rowCount() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_click <folder> unpaid|summary|slipsearch|floor [runs] [maximised]\n");
        return 64;
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    MessageBox::setTestMode(true);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    ProgramFolder::setOverride(folder);
    Clock::setFixed(QDateTime(QDate(2024, 7, 1), QTime(12, 0)));
    const char* mode = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
    const bool maximised = argc > 4 && std::strcmp(argv[4], "maximised") == 0;
    const QString archive = ProgramFolder::file(QStringLiteral("2024.bol"));

    static const Windows::WindowDef registry[] = {
        {"TfrmBollettino", Workspace::Role::Work, [] { return static_cast<QWidget*>(new TfrmBollettino); }},
        {"TfrmMenuRiepCosti", Workspace::Role::Work, [] { return static_cast<QWidget*>(new TfrmMenuRiepCosti); }},
        {"TfrmRiepCosti", Dialog::Placement::Maximised, [] { return static_cast<QWidget*>(new TfrmRiepCosti); }},
    };
    Windows::setRegistry(registry);

    PaintWatch watch;
    app.installEventFilter(&watch);
    // What one run clicks, and the window it opens (closed after the run).
    std::function<void()> click;
    std::function<QWidget*()> opened;
    QWidget* start = nullptr;

    QWidget floorWindow;
    QPointer<QDialog> floorDialog;
    QWidget* searchWindow = nullptr;
    if (std::strcmp(mode, "floor") == 0) {
        auto* button = new QPushButton(QStringLiteral("Apri"), &floorWindow);
        floorWindow.resize(1015, 712);
        QObject::connect(button, &QPushButton::clicked, [&] {
            QFile file(archive);
            if (!file.open(QIODevice::ReadOnly))
                return;
            QByteArray block(128 * 1024, Qt::Uninitialized);
            qint64 size = 0;
            for (qint64 got; (got = file.read(block.data(), block.size())) > 0;)
                size += got;
            floorDialog = new QDialog(&floorWindow);
            floorDialog->setAttribute(Qt::WA_DeleteOnClose);
            floorDialog->resize(1015, 712);
            auto* layout = new QVBoxLayout(floorDialog);
            auto* label = new QLabel(QStringLiteral("%1 byte").arg(size), floorDialog);
            label->setObjectName(QStringLiteral("lblDimensione"));
            layout->addWidget(label);
            if (maximised)
                floorDialog->showMaximized();
            else
                floorDialog->show();
        });
        watch.accepts = [](QWidget* widget) { return widget->objectName() == QLatin1String("lblDimensione"); };
        click = [button] { button->click(); };
        opened = [&] { return static_cast<QWidget*>(floorDialog.data()); };
        start = &floorWindow;
    } else if (std::strcmp(mode, "summary") == 0) {
        auto* selection = static_cast<TfrmMenuRiepCosti*>(registry[1].create());
        Windows::add(selection);
        selection->show();
        settle(300);
        selection->findChild<QLineEdit*>(QStringLiteral("txtAnno"))->setText(QStringLiteral("2024"));
        selection->findChild<QLabel*>(QStringLiteral("lblAnnoInizio"))->setText(QStringLiteral("2024"));
        selection->findChild<QLabel*>(QStringLiteral("lblAnnoFine"))->setText(QStringLiteral("2024"));
        const auto choose = [&](const char* name, const char* value) {
            selection->findChild<QComboBox*>(QLatin1String(name))->setCurrentText(QLatin1String(value));
        };
        choose("txtGiornoInizio", "01");
        choose("txtMeseInizio", "Gennaio");
        choose("txtGiornoFine", "31");
        choose("txtMeseFine", "Dicembre");
        auto* show = selection->findChild<QPushButton*>(QStringLiteral("btnVisualizza"));
        watch.accepts = [](QWidget* widget) { return listPainted(widget, "TfrmRiepCosti"); };
        click = [show] { show->click(); };
        opened = [selection] { return static_cast<QWidget*>(selection->findChild<TfrmRiepCosti*>()); };
        start = selection;
    } else {
        // The slip editor holds the open year, as in the program.
        auto* editor = static_cast<TfrmBollettino*>(registry[0].create());
        Windows::add(editor);
        editor->year()->open(QStringLiteral("2024"), archive);
        editor->show();
        start = editor;
        if (std::strcmp(mode, "unpaid") == 0) {
            auto* unpaid = editor->findChild<QAbstractButton*>(QStringLiteral("cmdDaSaldare"));
            if (!unpaid)
                return 2;
            watch.accepts = [](QWidget* widget) { return listPainted(widget, "TfrmDaSaldare"); };
            click = [unpaid] { unpaid->click(); };
            opened = [editor] { return static_cast<QWidget*>(editor->findChild<TfrmDaSaldare*>()); };
        } else if (std::strcmp(mode, "slipsearch") == 0) {
            // The search window stays open; each run presses "Cerca" again with every slip asked for.
            searchWindow = Windows::openDialog<TfrmTrovaBollettini>(
                editor, [editor](TfrmTrovaBollettini* list) { list->setTarget(editor); });
            settle(300);
            auto* search = searchWindow->findChild<QPushButton*>(QStringLiteral("btnCerca"));
            watch.accepts = [](QWidget* widget) { return listPainted(widget, "TfrmTrovaBollettini"); };
            click = [search] { search->click(); };
            opened = [] { return static_cast<QWidget*>(nullptr); };
        } else {
            return 64;
        }
    }
    start->show();
    settle(500);

    std::vector<double> times;
    int lines = -1;
    for (int run = 0; run <= runs; ++run) { // run 0 warms the libraries and the fonts
        if (searchWindow) {
            // An empty list first, so that the next paint with lines is the new result's.
            if (auto* view = searchWindow->findChild<QListView*>(QStringLiteral("lstRecords")))
                if (auto* model = qobject_cast<LineModel*>(view->model()))
                    model->setLines({});
            settle(200);
        }
        watch.start();
        click();
        QElapsedTimer limit;
        limit.start();
        while (watch.stoppedNs < 0 && limit.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (watch.stoppedNs < 0) {
            std::fprintf(stderr, "bench_click: no paint of the list within a minute\n");
            return 1;
        }
        if (run > 0)
            times.push_back(watch.stoppedNs / 1e6);
        QWidget* window = opened();
        lines = linesShown(window ? window : searchWindow);
        if (window)
            window->close();
        settle(300);
    }
    std::sort(times.begin(), times.end());
    const double median =
        times.size() % 2 ? times[times.size() / 2] : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("click_ms %.1f lines %d peak_kb %ld\n", median, lines, peakKb());
    std::fflush(stdout);
    std::_Exit(0);
}
