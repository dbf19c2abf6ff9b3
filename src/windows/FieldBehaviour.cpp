#include "windows/FieldBehaviour.h"

#include "data/CodePage.h"
#include "windows/ClickLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSet>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace Behaviour {
namespace {

// Selects the whole text with the cursor at its start (selectAll puts it at the end): a text longer
// than its field shows its beginning, and typing still replaces it all.
void selectWhole(QLineEdit* edit)
{
    edit->setSelection(int(edit->text().size()), -int(edit->text().size()));
}

// The yellow rectangle behind a focused field, with a yellow-to-white border.
class FocusHighlight : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRectF r = rect();
        const qreal border = 4;
        const QColor yellow(255, 235, 59);
        painter.fillRect(r, Qt::white);
        for (int i = 0; i < border; ++i) {
            QColor c = yellow;
            c.setAlphaF(0.25 + 0.75 * (i + 1) / border);
            painter.setPen(c);
            painter.drawRect(r.adjusted(i, i, -i - 1, -i - 1));
        }
        painter.fillRect(r.adjusted(border, border, -border, -border), yellow);
    }
};

QString stripPrefix(const QString& name)
{
    return name.startsWith(QLatin1String("txt")) ? name.mid(3) : name;
}

QStringList g_problems;

void problem(const QWidget* window, const char* name, const char* why)
{
    const QString text = QString::fromLatin1(window->metaObject()->className()) + QStringLiteral(": ")
        + QString::fromLatin1(name) + QStringLiteral(" (") + QString::fromLatin1(why) + QLatin1Char(')');
    if (!g_problems.contains(text))
        g_problems.append(text);
    qWarning("Behaviour table: %s", qPrintable(text));
}

// The edit line of a field: the field itself, or the edit line of an editable combo box.
QLineEdit* editOf(QWidget* field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit();
    return nullptr;
}

// The exit rules run when the user moves on to another control, not when another window (a
// message box, a dialog, another program) merely takes the focus away for a while.
bool leavesTheField(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

bool isModifierOrTab(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return true;
    default: return false;
    }
}

// True while a typing rule rewrites what the user typed: that text is still the user's.
bool g_ruling = false;

// Whether the key would put text into an edit line, by the rule the edit line itself follows:
// navigation, selection and Ctrl shortcuts (Ctrl+A, Ctrl+C) type nothing.
bool typesText(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.at(0);
    if (c.category() == QChar::Other_Format)
        return true;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    return c.isPrint() || c.category() == QChar::Other_PrivateUse || c.isHighSurrogate();
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// What a digit field takes of a pasted or dropped text: the text without blanks at its ends when
// it is made of digits only, otherwise nothing. A paste is taken whole or refused whole: keeping
// only the digits of "1.200,50" would put 120050 euros into the amount.
QString pastedDigits(const QString& text)
{
    const QString trimmed = CodePage::trimmed(text);
    for (QChar c : trimmed)
        if (!isDigit(c))
            return {};
    return trimmed;
}

void pasteDigits(QLineEdit* edit, const QString& text)
{
    const QString digits = pastedDigits(text);
    if (!digits.isEmpty() && !edit->isReadOnly())
        edit->insert(digits);
}

// Commands that change an edit line without typing a character.
bool isEditCommand(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Undo)
        || key->matches(QKeySequence::Redo);
}

bool isPlainKey(const QKeyEvent* key)
{
    return (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class FieldFilter : public QObject {
public:
    FieldFilter(QWidget* window, DialogRequest onDialog)
        : QObject(window)
        , m_window(window)
        , m_onDialog(std::move(onDialog))
    {}

    void addField(QWidget* field, const Field& config)
    {
        Entry entry{field, editOf(field), config, {}};
        if (config.extra.mirror) {
            for (const QString& name : QString::fromLatin1(config.extra.mirror).split(QLatin1Char(','))) {
                QWidget* mirror = m_window->findChild<QWidget*>(name);
                if (qobject_cast<QLineEdit*>(mirror) || qobject_cast<QLabel*>(mirror))
                    entry.mirrors.append(mirror);
                else
                    problem(m_window, config.extra.mirror,
                            mirror ? "mirror is not a field or label" : "no such mirror");
            }
        }
        m_fields.insert(field, entry);
        field->installEventFilter(this);
        // What the keys do, which the form shows only by pictures, is read out after the name.
        if (field->accessibleDescription().isEmpty()) {
            if (config.extra.key == Key::Dialog)
                field->setAccessibleDescription(
                    QStringLiteral("Un tasto qualsiasi, ad esempio F4, apre il calendario; Canc svuota il campo."));
            else if (config.extra.key == Key::ListOnly)
                field->setAccessibleDescription(
                    QStringLiteral("Frecce su e giù per cambiare il valore, F4 o Spazio per aprire l'elenco."));
        }
        if (entry.edit && entry.edit != field) {
            m_fields.insert(entry.edit, entry);
            entry.edit->installEventFilter(this);
        }
        if (config.rules & Highlight)
            makeHighlight(field);
        if (QLineEdit* edit = entry.edit) {
            if (config.rules & Digits)
                edit->setInputMethodHints(edit->inputMethodHints() | Qt::ImhDigitsOnly);
            // Text the program puts into a field shows its beginning, not its end. (setText clears
            // the modified flag; typing sets it.) A field that has the focus selects the text
            // instead, and one that gets the focus later selects it then: typing replaces what
            // the program wrote rather than going in front of it.
            QObject::connect(edit, &QLineEdit::textChanged, this, [this, edit] {
                if (g_ruling || edit->isModified()) {
                    m_programText.remove(edit);
                } else if (edit->hasFocus()) {
                    m_programText.remove(edit);
                    selectWhole(edit);
                } else {
                    m_programText.insert(edit);
                    edit->setCursorPosition(0);
                }
            });
            QObject::connect(edit, &QLineEdit::textEdited, this, [this, edit] { m_programText.remove(edit); });
            QObject::connect(edit, &QObject::destroyed, this, [this, edit] { m_programText.remove(edit); });
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = static_cast<QWidget*>(watched);
        const auto it = m_fields.constFind(widget);
        if (it == m_fields.constEnd())
            return false;
        const Entry& entry = it.value();
        if ((entry.config.rules & Digits) && widget == entry.edit && pasteFilter(entry, event))
            return true;
        switch (event->type()) {
        case QEvent::KeyPress: return keyPress(entry, static_cast<QKeyEvent*>(event));
        case QEvent::KeyRelease:
            if (widget == entry.edit)
                updateMirrors(entry);
            break;
        case QEvent::FocusIn:
            setHighlight(entry.field, true);
            if (widget == entry.field || widget == entry.edit)
                enter(entry, static_cast<QFocusEvent*>(event));
            break;
        case QEvent::FocusOut:
            setHighlight(entry.field, entry.field->hasFocus() || (entry.edit && entry.edit->hasFocus()));
            if (leavesTheField(static_cast<QFocusEvent*>(event)) && !entry.field->hasFocus()
                && !(entry.edit && entry.edit->hasFocus()))
                leave(entry);
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (widget == entry.field)
                placeHighlight(entry.field);
            break;
        default: break;
        }
        return false;
    }

private:
    struct Entry {
        QWidget* field;
        QLineEdit* edit;
        Field config;
        QList<QWidget*> mirrors;
    };

    void updateMirrors(const Entry& entry)
    {
        if (entry.mirrors.isEmpty() || !entry.edit)
            return;
        const QString text = entry.edit->text();
        const QString trimmed = CodePage::trimmed(text);
        QString shown;
        if (!trimmed.isEmpty())
            shown = entry.config.extra.mirrorText ? entry.config.extra.mirrorText(trimmed) : text;
        for (QWidget* mirror : entry.mirrors) {
            if (auto* edit = qobject_cast<QLineEdit*>(mirror))
                edit->setText(shown);
            else if (auto* label = qobject_cast<QLabel*>(mirror))
                label->setText(shown);
        }
    }

    // The paste paths that bypass the keys: the middle button (X11 selection), the context menu and
    // drag and drop.
    bool pasteFilter(const Entry& entry, QEvent* event)
    {
        QLineEdit* edit = entry.edit;
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection())
                return false;
            edit->deselect();
            pasteDigits(edit, QGuiApplication::clipboard()->text(QClipboard::Selection));
            updateMirrors(entry);
            return true;
        }
        case QEvent::ContextMenu: {
            // The edit line's own menu, with its "Incolla" following the digit rule.
            // Its paste entry is known by the caption the edit line gives it, in whatever language.
            QMenu* menu = edit->createStandardContextMenu();
            const QString pasteCaption = QCoreApplication::translate("QLineEdit", "&Paste");
            for (QAction* action : menu->actions()) {
                if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteCaption)
                    continue;
                QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
                QObject::connect(action, &QAction::triggered, edit, [this, entry] {
                    pasteDigits(entry.edit, QGuiApplication::clipboard()->text());
                    updateMirrors(entry);
                });
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->source() == edit) // moving digits inside the field
                return false;
            const QString digits = drop->mimeData()->hasText() ? pastedDigits(drop->mimeData()->text()) : QString();
            if (digits.isEmpty() || edit->isReadOnly()) {
                drop->ignore();
                return true;
            }
            if (event->type() != QEvent::Drop)
                return false;
            edit->deselect();
            edit->setCursorPosition(edit->cursorPositionAt(drop->position().toPoint()));
            edit->insert(digits);
            updateMirrors(entry);
            edit->setFocus(Qt::MouseFocusReason);
            drop->acceptProposedAction();
            return true;
        }
        default: return false;
        }
    }

    void enter(const Entry& entry, const QFocusEvent* event)
    {
        if (auto* combo = qobject_cast<QComboBox*>(entry.field); combo && (entry.config.rules & ClearSelection)) {
            // The list forgets its selection; what the field shows stays.
            const QString text = combo->currentText();
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(-1);
            combo->setEditText(text);
        }
        QLineEdit* edit = entry.edit;
        if (edit && m_programText.remove(edit) && event->reason() != Qt::MouseFocusReason
            && event->reason() != Qt::PopupFocusReason) {
            // Entered by the keyboard or by the program's own move, after the program filled it.
            selectWhole(edit);
        } else if (edit && !edit->hasSelectedText()
                   && (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
                       || event->reason() == Qt::ShortcutFocusReason)) {
            // What the field itself would do next, select its whole text, but from its beginning.
            selectWhole(edit);
        }
        if (edit && event->reason() == Qt::MouseFocusReason && entry.config.maxLength > 0
            && edit->text().size() >= entry.config.maxLength) {
            // A field that is full (00 in the cents) selects its text after the click has placed
            // the cursor, so typing replaces it as it does after Tab.
            QPointer<QLineEdit> guard(edit);
            QTimer::singleShot(0, edit, [guard] {
                if (guard && guard->hasFocus())
                    selectWhole(guard);
            });
        }
    }

    void leave(const Entry& entry)
    {
        QLineEdit* edit = entry.edit;
        if (!edit || entry.config.extra.exit == Exit::None)
            return;
        QStringList list;
        if (auto* combo = qobject_cast<QComboBox*>(entry.field))
            for (int i = 0; i < combo->count(); ++i)
                list << combo->itemText(i);
        const QString text = edit->text();
        const QString ruled = applyExit(entry.config.extra.exit, text, list);
        if (ruled != text)
            edit->setText(ruled);
        updateMirrors(entry);
    }

    bool keyPress(const Entry& entry, QKeyEvent* key)
    {
        const Field& config = entry.config;
        const int code = key->key();
        if (config.extra.key == Key::Dialog) {
            if (code == Qt::Key_Backspace || code == Qt::Key_Delete) {
                if (entry.edit)
                    entry.edit->clear();
                updateMirrors(entry);
                return true;
            }
            if (isModifierOrTab(code))
                return false; // moving on, or a modifier alone, is not a request for the dialog
            if (m_onDialog && config.extra.tag)
                m_onDialog(config.extra.tag);
            return true; // the field cannot be typed into
        }
        if (code == Qt::Key_Return || code == Qt::Key_Enter) {
            if (config.next) {
                if (auto* next = m_window->findChild<QWidget*>(QString::fromLatin1(config.next)))
                    next->setFocus(Qt::TabFocusReason); // as Tab does: an edit field selects its text
            }
            return true; // edit fields never act on Enter by themselves
        }
        if (config.extra.key == Key::ListOnly)
            return listKey(entry, key);
        if (config.rules & Digits) {
            if (key->matches(QKeySequence::Paste)) {
                if (entry.edit)
                    pasteDigits(entry.edit, QGuiApplication::clipboard()->text());
                return true;
            }
            // Only a key that would type something other than a digit is refused.
            if (typesText(key))
                for (QChar c : key->text())
                    if (!isDigit(c))
                        return true;
        }
        return false;
    }

    // A field whose value comes only from its list: nothing can be typed or pasted; Backspace and
    // Delete empty it; Up and Down choose the item before or after the one shown; Space, F4 and
    // Alt+Down open the list; the keys that move the cursor or select work as usual.
    bool listKey(const Entry& entry, QKeyEvent* key)
    {
        auto* combo = qobject_cast<QComboBox*>(entry.field);
        switch (key->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
            if (entry.edit)
                entry.edit->clear();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!combo || !isPlainKey(key) || combo->count() == 0)
                break;
            {
                const int shown = combo->findText(combo->currentText());
                const int step = key->key() == Qt::Key_Down ? 1 : -1;
                combo->setCurrentIndex(shown < 0 ? 0 : std::clamp(shown + step, 0, combo->count() - 1));
            }
            return true;
        case Qt::Key_Space:
            if (combo && isPlainKey(key)) {
                openList(combo);
                return true;
            }
            break;
        case Qt::Key_F4:
            if (combo && isPlainKey(key)) {
                openList(combo);
                return true;
            }
            break;
        default: break;
        }
        if (combo && key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) {
            openList(combo);
            return true;
        }
        return typesText(key) || isEditCommand(key);
    }

    // The list opens on the value shown, though the list forgot its choice when the field was
    // entered, so that Up and Down in it start from there.
    static void openList(QComboBox* combo)
    {
        const int shown = combo->findText(combo->currentText());
        if (shown >= 0 && combo->currentIndex() != shown)
            combo->setCurrentIndex(shown);
        combo->showPopup();
    }

    QString highlightName(QWidget* field) const { return QStringLiteral("eff") + stripPrefix(field->objectName()); }

    void makeHighlight(QWidget* field)
    {
        QWidget* parent = field->parentWidget();
        if (!parent)
            return;
        QWidget* eff = parent->findChild<QWidget*>(highlightName(field), Qt::FindDirectChildrenOnly);
        if (!eff) {
            eff = new FocusHighlight(parent);
            eff->setObjectName(highlightName(field));
        }
        m_highlights.insert(field, eff);
        placeHighlight(field);
        eff->setVisible(field->hasFocus());
    }

    void placeHighlight(QWidget* field)
    {
        QWidget* eff = m_highlights.value(field);
        if (!eff)
            return;
        eff->setGeometry(field->geometry().adjusted(-4, -4, 4, 4));
        eff->stackUnder(field);
    }

    void setHighlight(QWidget* field, bool on)
    {
        if (QWidget* eff = m_highlights.value(field)) {
            placeHighlight(field);
            eff->setVisible(on);
        }
    }

    QWidget* m_window;
    DialogRequest m_onDialog;
    QHash<QWidget*, Entry> m_fields;
    QHash<QWidget*, QPointer<QWidget>> m_highlights;
    // Fields whose text the program put in while they did not have the focus.
    QSet<QLineEdit*> m_programText;
};

class HintFilter : public QObject {
public:
    HintFilter(QWidget* window, QLabel* status)
        : QObject(window)
        , m_status(status)
    {}

    void addHint(QWidget* widget, const QString& text)
    {
        m_hints.insert(widget, text);
        widget->installEventFilter(this);
    }
    void addBackground(QWidget* widget)
    {
        m_background.append(widget);
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
    }
    // Typing into a field puts away a command's hint left in the status (the mouse rested on a
    // command, or passed over it on the way out): it speaks of something the user is not doing.
    void addField(QWidget* field)
    {
        m_fields.append(field);
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The status label itself is no command or background: while it is being destroyed it
        // must not be read.
        if (!m_status || watched == m_status.data())
            return false;
        const auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::KeyPress && m_fields.contains(widget)) {
            if (!m_status->text().isEmpty()
                && std::find(m_hints.cbegin(), m_hints.cend(), m_status->text()) != m_hints.cend())
                m_status->clear();
            return false;
        }
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove
            || event->type() == QEvent::HoverMove) {
            const auto it = m_hints.constFind(widget);
            if (it != m_hints.constEnd()) {
                if (event->type() == QEvent::Enter && m_status->text() != it.value())
                    m_status->setText(it.value());
            } else if (event->type() != QEvent::Enter && m_background.contains(widget) && !m_status->text().isEmpty()
                       && !overCommand(widget, event)) {
                // Only a real move over the background empties the status: a window that appears
                // under a resting mouse keeps its initial text.
                m_status->clear();
            }
        }
        return false;
    }

private:
    // A move over a command that does not track the mouse itself (a tool button) reaches the
    // panels behind it; it is still a move over the command, whose hint stays.
    bool overCommand(const QWidget* background, const QEvent* event) const
    {
        QPointF position;
        if (event->type() == QEvent::MouseMove)
            position = static_cast<const QMouseEvent*>(event)->position();
        else
            position = static_cast<const QHoverEvent*>(event)->position();
        for (const QWidget* under = background->childAt(position.toPoint()); under && under != background;
             under = under->parentWidget())
            if (m_hints.contains(under))
                return true;
        return false;
    }

    QPointer<QLabel> m_status;
    QHash<const QWidget*, QString> m_hints;
    QList<const QWidget*> m_background;
    QList<const QWidget*> m_fields;
};

void connectTypingRule(QWidget* field, unsigned rules)
{
    if (!(rules & (Upper | TrimUpper)))
        return;
    if (QLineEdit* edit = editOf(field)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, rules](const QString& text) {
            int cursor = edit->cursorPosition();
            const QString ruled = applyRule(rules, text, &cursor);
            if (ruled != text) {
                g_ruling = true;
                edit->setText(ruled);
                g_ruling = false;
                edit->setModified(true); // still the user's typing
                edit->setCursorPosition(cursor);
            }
        });
    }
}

void applyLength(QWidget* field, int maxLength)
{
    if (maxLength <= 0)
        return;
    if (QLineEdit* edit = editOf(field)) {
        edit->setMaxLength(maxLength);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(field)) {
        QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, maxLength] {
            const QString text = memo->toPlainText();
            if (text.size() > maxLength) {
                QTextCursor cursor = memo->textCursor();
                const int position = std::min<int>(cursor.position(), maxLength);
                memo->setPlainText(text.left(maxLength));
                cursor = memo->textCursor();
                cursor.setPosition(position);
                memo->setTextCursor(cursor);
            }
        });
    }
}

} // namespace

void install(QWidget* window, std::span<const Field> fields, DialogRequest onDialog)
{
    auto* filter = new FieldFilter(window, std::move(onDialog));
    for (const Field& config : fields) {
        auto* field = window->findChild<QWidget*>(QString::fromLatin1(config.name));
        if (!field) {
            problem(window, config.name, "no such field");
            continue;
        }
        if (!editOf(field) && !qobject_cast<QPlainTextEdit*>(field)) {
            problem(window, config.name, "not an edit field, editable combo box or memo");
            continue;
        }
        if (config.next && !window->findChild<QWidget*>(QString::fromLatin1(config.next)))
            problem(window, config.next, "no such next control");
        filter->addField(field, config);
        connectTypingRule(field, config.rules);
        applyLength(field, config.maxLength);
    }
}

void installHints(QWidget* window, const char* statusName, std::span<const Hint> hints,
                  std::initializer_list<const char*> background)
{
    auto* status = window->findChild<QLabel*>(QString::fromLatin1(statusName));
    if (!status)
        problem(window, statusName, "no such status label");
    auto* filter = new HintFilter(window, status);
    for (const Hint& hint : hints) {
        if (auto* widget = window->findChild<QWidget*>(QString::fromLatin1(hint.name))) {
            filter->addHint(widget, QString::fromUtf8(hint.text));
            if (widget->accessibleDescription().isEmpty())
                widget->setAccessibleDescription(QString::fromUtf8(hint.text)); // read out after its name
        } else
            problem(window, hint.name, "no such control for a hint");
    }
    filter->addBackground(window);
    for (QWidget* field : window->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(field) || qobject_cast<QPlainTextEdit*>(field))
            filter->addField(field); // a drop-down's edit line too
    for (const char* name : background) {
        if (auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name)))
            filter->addBackground(widget);
        else
            problem(window, name, "no such background");
    }
}

void installCommands(QWidget* window, std::span<const Command> commands)
{
    for (const Command& command : commands) {
        auto* widget = window->findChild<QWidget*>(QString::fromLatin1(command.name));
        if (!widget) {
            problem(window, command.name, "no such command");
            continue;
        }
        if (!(widget->focusPolicy() & Qt::TabFocus))
            widget->setFocusPolicy(Qt::TabFocus);
        QString name = command.accessibleName ? QString::fromUtf8(command.accessibleName) : QString();
        if (name.isEmpty()) {
            if (auto* label = qobject_cast<QLabel*>(widget))
                name = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                name = button->text().remove(QLatin1Char('&'));
        }
        if (name.isEmpty())
            problem(window, command.name, "command without a name");
        widget->setAccessibleName(name);
    }
}

void installShortcuts(QWidget* window, std::span<const Shortcut> shortcuts)
{
    for (const Shortcut& shortcut : shortcuts) {
        auto* command = window->findChild<QWidget*>(QString::fromLatin1(shortcut.name));
        if (!command) {
            problem(window, shortcut.name, "no such command for a key");
            continue;
        }
        auto* key = new QShortcut(QKeySequence(shortcut.key), window);
        key->setObjectName(QStringLiteral("key_") + QLatin1String(shortcut.name));
        QObject::connect(key, &QShortcut::activated, command, [command] {
            if (!command->isVisible() || !command->isEnabled())
                return;
            if (auto* button = qobject_cast<QAbstractButton*>(command))
                button->click();
            else if (auto* picture = qobject_cast<ClickLabel*>(command))
                emit picture->clicked();
        });
    }
}

void reportProblem(const QWidget* window, const char* name, const char* why)
{
    problem(window, name, why);
}

QStringList problems()
{
    return g_problems;
}
void clearProblems()
{
    g_problems.clear();
}

} // namespace Behaviour
