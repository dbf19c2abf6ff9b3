#include "app/StartupChecks.h"

#include "data/Platform.h"
#include "data/SafeWrite.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QWidget>

namespace StartupChecks {

void installShellFailureMessage()
{
    Shell::setFailureHandler(
        [](const QString& target) { MessageBox::show(QApplication::activeWindow(), Shell::failureMessage(target)); });
}

void installLockWait()
{
    SafeWrite::setWaitHandler([](bool waiting, const QString& host) {
        static QPointer<QLabel> status;
        static QString before;
        if (waiting) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QWidget* window = QApplication::activeWindow();
            status = window ? window->findChild<QLabel*>(QStringLiteral("panInfo")) : nullptr;
            if (status) {
                before = status->text();
                status->setText(SafeWrite::waitText(host));
                status->repaint(); // the wait runs before the event loop gets a turn
            }
            return;
        }
        QApplication::restoreOverrideCursor();
        if (status)
            status->setText(before);
        status = nullptr;
    });
}

void warnIfProgramFolderReadOnly(QWidget* parent)
{
    const Message problem = ProgramFolder::writeCheck();
    if (!problem.isEmpty())
        MessageBox::show(parent, problem);
}

} // namespace StartupChecks
