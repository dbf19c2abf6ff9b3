#include "windows/Windows.h"

#include "windows/Accessible.h"
#include "windows/FieldBehaviour.h"
#include "windows/Look.h"
#include "windows/Scaling.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

namespace {
// Centres the window's client area on area. The frame is left out on purpose: before a window is
// first shown the window manager has not framed it yet, so centring the frame would put the first
// showing about half a title bar away from the later ones.
void centreOn(QWidget* window, const QRect& area)
{
    QRect client(QPoint(0, 0), window->size());
    client.moveCenter(area.center());
    // Never past the screen's free area, with room for the frame (a dialog centred on a small owner
    // near the screen's edge would otherwise hang over it).
    const QRect free = Scaling::availableArea(window).adjusted(8, 32, -8, -8);
    client.moveLeft(std::max(free.left(), std::min(client.left(), free.right() + 1 - client.width())));
    client.moveTop(std::max(free.top(), std::min(client.top(), free.bottom() + 1 - client.height())));
    window->setGeometry(client);
}

// A window still waiting for its form is set up before its own handlers see it closed (closing a
// hidden window runs them too): they work on the form.
class SetUpOnClose : public QObject {
public:
    static SetUpOnClose* instance()
    {
        static SetUpOnClose filter;
        return &filter;
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            Windows::ensureSetUp(static_cast<QWidget*>(watched));
        return false;
    }
};

// The start-up instances wait for their form: setUp runs now for a window made on its own, or on
// the window's first showing, lookup or close.
void setUpOrWait(QWidget* window, bool& pending, const std::function<void()>& setUp)
{
    // Named now: a window waiting for its form is still found by its class name.
    window->setObjectName(QString::fromLatin1(window->metaObject()->className()));
    if (Windows::makingStartupInstances()) {
        pending = true;
        window->installEventFilter(SetUpOnClose::instance());
    } else {
        setUp();
    }
}

// True once: the window was waiting and its form is to be set up now.
bool stopWaiting(QWidget* window, bool& pending)
{
    if (!pending)
        return false;
    pending = false;
    window->removeEventFilter(SetUpOnClose::instance());
    return true;
}

QRect screenArea(const QWidget* window)
{
    return Scaling::availableArea(window);
}
} // namespace

Workspace::Workspace(QWidget* parent)
    : QWidget(parent)
    , m_panel(new QWidget(this))
{
    Accessible::installRoles();
}

void Workspace::setUpWhenNeeded()
{
    setUpOrWait(this, m_setUpPending, [this] { setUp(); });
}

void Workspace::ensureSetUp()
{
    if (stopWaiting(this, m_setUpPending))
        setUp();
}

void Workspace::setVisible(bool visible)
{
    if (visible) {
        ensureSetUp();
        Scaling::fitToScreen(this, m_panel);
    }
    QWidget::setVisible(visible);
}

void Workspace::finishForm()
{
    setObjectName(QString::fromLatin1(metaObject()->className()));
    if (const Windows::WindowDef* def = Windows::definition(metaObject()->className())) {
        if (const auto* role = std::get_if<Role>(&def->kind))
            m_role = *role;
        if (def->exit && !findChild<QAbstractButton*>(QString::fromLatin1(def->exit)))
            Behaviour::reportProblem(this, def->exit, "no such exit command");
    }
    Look::applyWhenShown(this);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_role == Role::StartMenu || m_role == Role::Work) {
        // The fixed-size panel stays centred however large the maximised window is.
        layout->addWidget(m_panel, 1, 1);
        layout->setRowStretch(0, 1);
        layout->setRowStretch(2, 1);
        layout->setColumnStretch(0, 1);
        layout->setColumnStretch(2, 1);
    } else {
        layout->addWidget(m_panel, 0, 0);
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    }
    m_panel->setFixedSize(m_panel->size());
    // The window's own caption comes from the form's top widget.
    if (windowTitle().isEmpty())
        setWindowTitle(m_panel->windowTitle());
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true); // a focused button takes Enter
    if (m_role == Role::Login || m_role == Role::Fixed)
        setFixedSize(m_panel->size());
}

QLabel* Workspace::statusText() const
{
    return findChild<QLabel*>(QStringLiteral("panInfo"));
}

void Workspace::showFrom(QWidget* from)
{
    ensureSetUp(); // placed by the size its form gives it
    Scaling::fitToScreen(this, m_panel);
    if (m_role == Role::StartMenu || m_role == Role::Work) {
        showMaximized();
    } else {
        centreOn(this, screenArea(this));
        show();
    }
    raise();
    activateWindow();
    if (from && from != this)
        from->hide();
}

void Workspace::closeEvent(QCloseEvent* event)
{
    event->accept();
    leave();
}

void Workspace::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (const Windows::WindowDef* def = Windows::definition(metaObject()->className()); def && def->exit) {
            if (auto* exit = findChild<QAbstractButton*>(QString::fromLatin1(def->exit))) {
                event->accept();
                if (!QApplication::activePopupWidget() && exit->isEnabled())
                    exit->click();
                return;
            }
        }
    }
    if (!Windows::pressFocusedButton(this, event))
        QWidget::keyPressEvent(event);
}

void Workspace::leave()
{
    switch (m_role) {
    case Role::Login:
    case Role::StartMenu: Windows::endProgram(); break;
    case Role::Work: Windows::showStartMenu(this); break;
    case Role::Fixed: break;
    }
}

Dialog::Dialog(QWidget* owner)
    : QDialog(owner)
{
    Accessible::installRoles();
    Look::applyWhenShown(this);
}

void Dialog::setUpWhenNeeded()
{
    setUpOrWait(this, m_setUpPending, [this] { setUp(); });
}

void Dialog::ensureSetUp()
{
    if (stopWaiting(this, m_setUpPending))
        setUp();
}

void Dialog::setVisible(bool visible)
{
    if (visible) {
        ensureSetUp();
        Scaling::fitToScreen(this, form());
    }
    QDialog::setVisible(visible);
}

QWidget* Dialog::form()
{
    if (minimumSize() == maximumSize())
        return this;
    // A maximised dialog centres its form, a fixed-size panel, in the window.
    QWidget* largest = this;
    int area = 0;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && child->minimumSize() == child->maximumSize()
            && child->maximumWidth() * child->maximumHeight() > area) {
            largest = child;
            area = child->maximumWidth() * child->maximumHeight();
        }
    return largest;
}

QLabel* Dialog::statusText() const
{
    return findChild<QLabel*>(QStringLiteral("panInfo"));
}

void Dialog::finishForm()
{
    setObjectName(QString::fromLatin1(metaObject()->className()));
    if (const Windows::WindowDef* def = Windows::definition(metaObject()->className())) {
        if (const auto* placement = std::get_if<Placement>(&def->kind))
            m_placement = *placement;
        if (def->exit && !findChild<QAbstractButton*>(QString::fromLatin1(def->exit)))
            Behaviour::reportProblem(this, def->exit, "no such exit command");
    }
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | (m_placement == Placement::Maximised ? Qt::WindowFlags() : Qt::MSWindowsFixedSizeDialogHint));
    if (m_placement != Placement::Maximised)
        setFixedSize(size());
}

void Dialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (m_placement == Placement::Maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (m_placement == Placement::CentreOwner && parentWidget()) {
        centreOn(this, parentWidget()->window()->frameGeometry());
    } else {
        centreOn(this, screenArea(this));
    }
}

void Dialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous() || !parentWidget())
        return;
    QWidget* owner = parentWidget()->window();
    // Not when the owner is gone from the screen, nor over another modal window still open.
    if (!owner->isVisible() || owner->isMinimized())
        return;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != owner && modal != this)
        return;
    owner->activateWindow();
    if (QWidget* focus = owner->focusWidget())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

void Dialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        if (QApplication::activePopupWidget())
            return; // the open list closes first
        if (const Windows::WindowDef* def = Windows::definition(metaObject()->className()); def && def->exit) {
            if (auto* exit = findChild<QAbstractButton*>(QString::fromLatin1(def->exit))) {
                if (exit->isEnabled())
                    exit->click();
                return;
            }
        }
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Windows::pressFocusedButton(this, event);
        event->accept(); // never a default button
        return;
    default: QDialog::keyPressEvent(event);
    }
}

namespace Windows {
namespace {
QList<QWidget*> g_windows;
std::function<void()> g_endHook;
int g_makingStartupInstances = 0;
} // namespace

StartupInstances::StartupInstances()
{
    ++g_makingStartupInstances;
}

StartupInstances::~StartupInstances()
{
    --g_makingStartupInstances;
}

bool makingStartupInstances()
{
    return g_makingStartupInstances > 0;
}

void ensureSetUp(QWidget* window)
{
    if (auto* workspace = qobject_cast<Workspace*>(window))
        workspace->ensureSetUp();
    else if (auto* dialog = qobject_cast<Dialog*>(window))
        dialog->ensureSetUp();
}

void endProgram()
{
    if (g_endHook)
        g_endHook();
    else
        QCoreApplication::quit();
}

void setEndProgramHook(std::function<void()> hook)
{
    g_endHook = std::move(hook);
}

void add(QWidget* window)
{
    g_windows.append(window);
}
const QList<QWidget*>& all()
{
    for (QWidget* window : g_windows)
        ensureSetUp(window);
    return g_windows;
}
void clear()
{
    g_windows.clear();
}

QWidget* byClass(const char* className)
{
    for (QWidget* window : g_windows)
        if (std::strcmp(window->metaObject()->className(), className) == 0) {
            ensureSetUp(window);
            return window;
        }
    return nullptr;
}

namespace {
std::span<const WindowDef> g_registry;
} // namespace

void setRegistry(std::span<const WindowDef> windows)
{
    g_registry = windows;
}

const WindowDef* definition(const char* className)
{
    for (const WindowDef& def : g_registry)
        if (std::strcmp(def.className, className) == 0)
            return &def;
    return nullptr;
}

bool pressFocusedButton(QWidget* window, const QKeyEvent* key)
{
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key->isAutoRepeat())
        return false;
    auto* button = qobject_cast<QAbstractButton*>(window->focusWidget());
    if (!button || !button->isEnabled() || !button->isVisible())
        return false;
    button->click();
    return true;
}

void showStartMenu(QWidget* from)
{
    if (auto* menu = qobject_cast<Workspace*>(byClass("TfrmAvvio")))
        menu->showFrom(from);
    else if (from)
        from->hide();
}

} // namespace Windows
