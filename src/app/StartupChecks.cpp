#include "app/StartupChecks.h"

#include "backup/Restore.h"
#include "data/Platform.h"
#include "data/SafeWrite.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QApplication>
#include <QTimer>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace StartupChecks {

namespace {

// The busy cursor while the desktop looks for a program. It goes when every search has ended, when
// another program takes the focus (the one found: its opener may stay until it closes), or at the
// latest after a while, so that it never outstays the search.
class BusyCursor : public QObject {
public:
    void set(bool busy)
    {
        m_searches = std::max(0, m_searches + (busy ? 1 : -1));
        if (busy && !m_shown) {
            m_shown = true;
            QGuiApplication::setOverrideCursor(Qt::BusyCursor);
            const int round = ++m_round;
            QTimer::singleShot(kLongest, this, [this, round] {
                if (round == m_round)
                    hide();
            });
        } else if (!busy && m_searches == 0) {
            hide();
        }
    }
    void hide()
    {
        if (!m_shown)
            return;
        m_shown = false;
        ++m_round;
        QGuiApplication::restoreOverrideCursor();
    }

private:
    static constexpr int kLongest = 15000; // ms
    int m_searches = 0;
    int m_round = 0;
    bool m_shown = false;
};

} // namespace

void installShellFailureMessage()
{
    // The window in front when the user asked: a dialog shown modally, else the active window.
    Shell::setRequesterProvider([]() -> QObject* {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        return QApplication::activeWindow();
    });
    // The message goes over the window that asked, brought to the front, whatever is active by now.
    Shell::setFailureHandler([](const QString& target, QObject* requester) {
        QWidget* parent = qobject_cast<QWidget*>(requester);
        parent = parent ? parent->window() : nullptr;
        if (!parent || !parent->isVisible())
            parent = QApplication::activeWindow();
        if (parent) {
            parent->raise();
            parent->activateWindow();
        }
        MessageBox::show(parent, Shell::failureMessage(target));
    });
    static BusyCursor* cursor = nullptr;
    if (!cursor) {
        cursor = new BusyCursor;
        cursor->setParent(qApp);
        // Another program in front: the desktop has found one.
        QObject::connect(qApp, &QGuiApplication::applicationStateChanged, cursor, [](Qt::ApplicationState state) {
            if (state != Qt::ApplicationActive)
                cursor->hide();
        });
        QObject::connect(cursor, &QObject::destroyed, [] { cursor = nullptr; });
    }
    Shell::setBusyHandler([](bool busy) {
        if (cursor)
            cursor->set(busy);
    });
}

void installLockWait()
{
    SafeWrite::setWaitHandler([](bool waiting, const QString& host) {
        static QPointer<QLabel> status;
        static QString before;
        if (waiting) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            QWidget* window = QApplication::activeWindow();
            if (const auto* workspace = qobject_cast<Workspace*>(window))
                status = workspace->statusText();
            else if (const auto* dialog = qobject_cast<Dialog*>(window))
                status = dialog->statusText();
            else
                status = nullptr;
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

void warnIfShareUntested(QWidget* parent)
{
    const QString warning = SafeWrite::untestedShareWarning(ProgramFolder::path());
    if (!warning.isEmpty())
        MessageBox::show(parent, {MessageKind::Warning, warning});
}

void finishInterruptedRestore(QWidget* parent)
{
    const Message settled = Restore::recover(ProgramFolder::path());
    if (!settled.isEmpty())
        MessageBox::show(parent, settled);
}

} // namespace StartupChecks
