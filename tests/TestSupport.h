#pragma once
// What most window tests share: a temporary program folder, message boxes and shell open in test
// mode, and the 25 start-up windows created as the program creates them.

#include "CoreSupport.h"
#include "windows/Prompts.h"
#include "app/Startup.h"
#include "windows/Windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace TestSupport {

// A fresh program folder and fresh windows for one test; undone on destruction.
class Session {
public:
    explicit Session(bool createWindows = true)
    {
        ProgramFolder::setOverride(m_folder.path());
        MessageBox::setTestMode(true);
        Shell::setRecording(true);
        if (createWindows)
            Startup::createWindows();
    }
    ~Session()
    {
        for (QWidget* window : Windows::all())
            delete window;
        Windows::clear();
        // A queued answer that nothing used means the box or dialog the test expected never came.
        const bool unused = MessageBox::pendingAnswers() > 0 || FileDialog::hasPending() || PrintDialog::hasPending();
        FileDialog::reset();
        PrintDialog::reset();
        Windows::setEndProgramHook({});
        if (unused && !QTest::currentTestFailed())
            QTest::qFail("a queued message box, file dialog or print dialog answer was never used", __FILE__, __LINE__);
        MessageBox::setTestMode(false);
        Shell::setRecording(false);
        ProgramFolder::setOverride({});
        Clock::setFixed({});
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QString folder() const { return m_folder.path(); }
    QString file(const QString& name) const { return ProgramFolder::file(name); }

    template <class T> static T* window() { return Windows::get<T>(); }

private:
    QTemporaryDir m_folder;
};

// The top-level dialog of class T that is open now (the newest one), or nullptr.
template <class T> T* openDialog()
{
    T* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible())
            found = dialog;
    return found;
}

// Runs the application's event loop until the program asks to end; a guard stops a loop that
// would otherwise never end, and reports it as a failure.
inline bool runsToEnd()
{
    bool guarded = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&guarded] {
        guarded = true;
        QCoreApplication::exit(1);
    });
    guard.start(20000);
    const int code = QCoreApplication::exec();
    return code == 0 && !guarded;
}

// Types text as key presses, letters outside ASCII included ("è", "ì"), which QTest::keyClicks refuses.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

template <class T = QWidget> T* child(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

} // namespace TestSupport
