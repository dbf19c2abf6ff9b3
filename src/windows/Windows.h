#pragma once
// The two kinds of window and the registry of the start-up instances.
//
// Workspace windows are created once at start-up and shown and hidden; they keep their contents
// while hidden. Their form is set up inside panel(), a fixed-size panel that the work windows
// centre in a maximised window.
//
// Every window is drawn at the scale the user chose for the forms, and smaller where it would not fit
// on the screen's free area (windows/Scaling.h), as it is shown.
//
// Dialogs are created fresh each time they are needed, owned by the opening window, shown
// modally and destroyed on close. A dialog that hands a result back is given its target by the
// opener, as a typed reference (windows/Targets.h), before it is shown.
//
// A window's form (controls, behaviours, connections, look, pictures) is set up by its setUp().
// A window made on its own is set up as it is made. The start-up instances wait until they are
// first shown or looked up in the registry: the start pays for the login only, and a dialog's
// start-up instance, which is never shown, costs next to nothing.

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QWidget>
#include <functional>
#include <span>
#include <variant>

class Workspace : public QWidget {
    Q_OBJECT
public:
    enum class Role {
        Login,     // the main window: fixed, centred; closing it ends the program
        Fixed,     // a fixed, centred workspace (the change-password window)
        StartMenu, // maximised; closing it ends the program
        Work,      // maximised; leaving it in any way returns to the start menu
    };

    // The role comes from the window registry (Windows::setRegistry) when the form is finished.
    explicit Workspace(QWidget* parent = nullptr);

    Role role() const { return m_role; }
    // The widget the window's form is set up in.
    QWidget* panel() const { return m_panel; }
    // The status text panInfo at the window's foot, or nothing when it has none.
    QLabel* statusText() const;
    // Shows this workspace in its manner (maximised or centred) and hides the window that asked.
    void showFrom(QWidget* from);
    // Sets the form up if it is still waiting (a start-up instance not yet shown or looked up).
    void ensureSetUp();
    void setVisible(bool visible) override;

protected:
    // The window's form; runs once. Windows that set up in their constructor leave it empty.
    virtual void setUp() {}
    // Ends a window's constructor: runs setUp() now or, for a start-up instance, when first needed.
    void setUpWhenNeeded();
    // Called once the form is set up: takes the role from the registry, lays the panel out and
    // fixes it at the size the form gave it.
    void finishForm();
    void closeEvent(QCloseEvent* event) override;
    // Enter on a focused button, tool button or check box presses it, as Space does. Escape presses
    // the window's exit command where the registry names one.
    void keyPressEvent(QKeyEvent* event) override;
    // What closing does; the default follows the role.
    virtual void leave();

private:
    Role m_role = Role::Fixed;
    QWidget* m_panel;
    bool m_setUpPending = false;
};

class Dialog : public QDialog {
    Q_OBJECT
public:
    enum class Placement { CentreScreen, CentreOwner, Maximised };

    // The placement comes from the window registry when the form is finished.
    explicit Dialog(QWidget* owner);

    // The status text panInfo at the window's foot, or nothing when it has none.
    QLabel* statusText() const;
    // As for workspaces.
    void ensureSetUp();
    void setVisible(bool visible) override;

protected:
    virtual void setUp() {}
    void setUpWhenNeeded();
    void finishForm();
    // The widget that holds the form at its fixed size: the dialog, or the panel a maximised
    // dialog centres.
    QWidget* form();
    void showEvent(QShowEvent* event) override;
    // A dialog that closes (or hides) gives the keys back to the window that opened it, with the
    // focus where it stood there: window managers leave the keyboard with nobody often enough.
    void hideEvent(QHideEvent* event) override;
    // Escape presses the dialog's exit command (its "Chiudi", "Annulla" or "Esci", named in the
    // registry), so it does whatever that command does; an open drop-down list takes Escape first.
    // Enter presses the focused button, as Space does; Enter in a field never presses a default
    // button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Placement m_placement = Placement::CentreScreen;
    bool m_placed = false;
    bool m_setUpPending = false;
};

namespace Windows {

// The window registry: every window class of the program, in creation order, with how it is shown
// and the command that leaves it, which Escape presses (every dialog has one, a workspace may).
struct WindowDef {
    const char* className;
    std::variant<Workspace::Role, Dialog::Placement> kind;
    QWidget* (*create)();
    const char* exit = nullptr;
};
void setRegistry(std::span<const WindowDef> windows);
const WindowDef* definition(const char* className);

// The start-up instances, in creation order. Windows made while a StartupInstances guard lives
// wait for their first showing or lookup to set their form up; the lookups (all, byClass, get)
// hand out windows that are set up.
class StartupInstances {
public:
    StartupInstances();
    ~StartupInstances();
    StartupInstances(const StartupInstances&) = delete;
    StartupInstances& operator=(const StartupInstances&) = delete;
};
bool makingStartupInstances();
void add(QWidget* window);
const QList<QWidget*>& all();
void clear();
QWidget* byClass(const char* className);
// Sets a window of the program up if it is still waiting; other widgets are left as they are.
void ensureSetUp(QWidget* window);
template <class T> T* get()
{
    return qobject_cast<T*>(byClass(T::staticMetaObject.className()));
}

// Enter on the window's focused button (push or tool button, check box) presses it; false when the
// focus is elsewhere or the key is not a plain Enter.
bool pressFocusedButton(QWidget* window, const QKeyEvent* key);

// The start menu; leaving a work window shows it.
void showStartMenu(QWidget* from);

// Ends the program (the login's "Esci", closing the login window or the start menu).
void endProgram();
// Test hook: called instead of ending the program; an empty function restores the default.
void setEndProgramHook(std::function<void()> hook);

// Opens a fresh dialog owned by owner: fill (optional) runs before it is shown, modally, and gives
// it its target and first values. The opener does nothing after: the dialog hands its results back
// to its target itself.
template <class D, class Fill> D* openDialog(QWidget* owner, Fill fill)
{
    auto* dialog = new D(owner);
    fill(dialog);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}
template <class D> D* openDialog(QWidget* owner)
{
    return openDialog<D>(owner, [](D*) {});
}

} // namespace Windows
