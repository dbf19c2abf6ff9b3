#include "app/Startup.h"
#include "app/StartupChecks.h"
#include "app/StartupFolder.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Startup::EarlyWork early;
    QApplication app(argc, argv);
    early.applicationReady();
    QApplication::setApplicationName(QStringLiteral("Tassella"));
    // Ties the windows to the menu entry tassella.desktop (its icon in the task bar on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("tassella"));
    // The program ends when the login window's "Esci" is used or the start menu closes,
    // not when the last visible window happens to hide.
    QApplication::setQuitOnLastWindowClosed(false);
    Startup::installTranslations(app);
    // Installed from a system package, each user first chooses where their files live.
    if (!StartupFolder::choose())
        return 0;
    // Before any window reads the data: a restore cut short is finished or undone first.
    StartupChecks::finishInterruptedRestore(nullptr);
    Startup::createWindows();
    Startup::showLogin();
    return QApplication::exec();
}
