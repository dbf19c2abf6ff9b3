// Start-up cost of the whole process, in two pairs of modes:
//   bench_startup bare [file]  one bare Qt window of the login's size; given a file, the window
//                              also reads it through as cat does: the floor of any Qt program
//                              that shows something of a file (bench/run.sh)
//   bench_startup tassella     the 25 windows created and the login shown, as the program starts
// and, for what the user sees under a real X server (bench/startup.sh runs them under Xvfb):
//   bench_startup painted-bare T0      the bare window
//   bench_startup painted-tassella T0  the program's start-up
// which print the milliseconds from T0 (the launcher's wall clock in microseconds, bash's
// $EPOCHREALTIME without its dot, taken just before the process starts) to the window's first
// complete paint: every control painted, the picture handed to the X server and the server done
// with it (a round trip after the flush).

#include "app/Startup.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <ctime>
#include <xcb/xcb.h>

namespace {

long long nowMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Waits for the X server to have handled every request sent so far, the flushed picture included.
void syncWithServer()
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* connection = x11->connection();
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
}

// Reports once the window's first paint is complete. A repaint paints the window and then each of
// its controls and flushes the result to the window system in one go, so a call queued from the
// window's own first paint event runs after the whole picture has left the program.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long start)
        : m_start(start)
    {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [this] {
                syncWithServer();
                std::printf("%.2f\n", (nowMicroseconds() - m_start) / 1e3);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    long long m_start;
    bool m_seen = false;
};

int painted(bool bare, long long start, int argc, char* argv[])
{
    std::optional<Startup::EarlyWork> early;
    if (!bare)
        early.emplace();
    QApplication app(argc, argv);
    if (early)
        early->applicationReady();
    QApplication::setQuitOnLastWindowClosed(false);
    FirstPaint firstPaint(start);
    QWidget bareWindow;
    QTemporaryDir folder;
    if (bare) {
        bareWindow.resize(388, 405);
        bareWindow.installEventFilter(&firstPaint);
        bareWindow.show();
    } else {
        // As main() starts the program, with the files in a fresh folder.
        QApplication::setApplicationName(QStringLiteral("Tassella"));
        QGuiApplication::setDesktopFileName(QStringLiteral("tassella"));
        ProgramFolder::setOverride(folder.path());
        Startup::installTranslations(app);
        Startup::createWindows();
        Windows::byClass("TfrmPassword")->installEventFilter(&firstPaint);
        Startup::showLogin();
    }
    // A guard: a window that is never painted fails the run instead of hanging it.
    QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(1); });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && (std::strcmp(argv[1], "painted-bare") == 0 || std::strcmp(argv[1], "painted-tassella") == 0))
        return painted(std::strcmp(argv[1], "painted-bare") == 0, std::atoll(argv[2]), argc, argv);

    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());

    QElapsedTimer timer;
    timer.start();
    QWidget bareWindow;
    if (bare) {
        bareWindow.resize(388, 405);
        bareWindow.show();
        if (argc > 2) {
            QFile file(QString::fromLocal8Bit(argv[2]));
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            QByteArray block(128 * 1024, Qt::Uninitialized);
            while (file.read(block.data(), block.size()) > 0) {
            }
        }
    } else {
        Startup::installTranslations(app);
        Startup::createWindows();
        Startup::showLogin();
    }
    QTimer::singleShot(0, &app, [&] {
        std::fprintf(stderr, "%s: %.2f ms of window work\n", bare ? "bare" : "tassella", timer.nsecsElapsed() / 1e6);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
