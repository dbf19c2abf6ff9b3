#pragma once

class QApplication;

namespace Startup {
// Loads Qt's own Italian captions for standard buttons and dialogs.
void installTranslations(QApplication& app);
// Creates one instance of each of the 25 windows, in their fixed order, and registers them.
void createWindows();
// Shows the login window, the application's main window.
void showLogin();
} // namespace Startup
