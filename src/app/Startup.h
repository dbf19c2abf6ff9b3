#pragma once

#include <thread>

class QApplication;

namespace Startup {
// Start-up work the login window would otherwise wait for, begun on other threads while the
// program goes on with its own:
//  - fontconfig reading its configuration and font lists (some milliseconds, more on a slow
//    disk), begun before the application object, which uses no fonts, and awaited after it;
//  - the connection to the desktop's session bus, which the screen-reader bridge opens when the
//    first window appears (and which starts a bus where none is running), begun once the
//    application object exists. The application waits for it before it ends.
class EarlyWork {
public:
    EarlyWork();
    ~EarlyWork();
    // Call once the application object exists.
    void applicationReady();

private:
    std::thread m_fonts;
};

// Loads Qt's own Italian captions for standard buttons and dialogs.
void installTranslations(QApplication& app);
// Creates one instance of each of the 25 windows, in their fixed order, and registers them.
void createWindows();
// Shows the login window, the application's main window.
void showLogin();
} // namespace Startup
