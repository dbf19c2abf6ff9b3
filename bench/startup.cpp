// Start-up cost of the whole process, from launch to the first window shown, in two modes:
//   bench_startup bare [file]  one bare Qt window of the login's size; given a file, the window
//                              also reads it through as cat does: the floor of any Qt program
//                              that shows something of a file (bench/run.sh)
//   bench_startup tassella     the 25 windows created and the login shown, as the program starts
// bench/startup.sh times whole runs of both with hyperfine.

#include "windows/Prompts.h"
#include "app/Startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
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
