#include "windows/RecordForm.h"

#include "data/CodePage.h"
#include "windows/ClickLabel.h"
#include "windows/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSessionManager>
#include <QShortcut>
#include <QToolButton>
#include <QWidget>
#include <vector>

namespace RecordForm {

void Fields::load(const Record& record) const
{
    const RecordLayout& layout = record.layout();
    for (const Binding& binding : m_bindings) {
        const int i = layout.indexOf(binding.field);
        Q_ASSERT(i >= 0);
        if (i < 0)
            continue;
        if (auto* const* box = std::get_if<QCheckBox*>(&binding.to)) {
            const Record::Flag flag = record.flag(binding.field);
            if (flag != Record::Flag::Unknown)
                (*box)->setChecked(flag == Record::Flag::Yes);
        } else if (auto* const* edit = std::get_if<QLineEdit*>(&binding.to)) {
            (*edit)->setText(record.text(i));
            (*edit)->setCursorPosition(0); // a loaded text shows its beginning
        } else if (auto* const* combo = std::get_if<QComboBox*>(&binding.to)) {
            (*combo)->setEditText(record.text(i));
            if ((*combo)->lineEdit())
                (*combo)->lineEdit()->setCursorPosition(0);
        } else if (auto* const* memo = std::get_if<QPlainTextEdit*>(&binding.to)) {
            (*memo)->setPlainText(record.text(i));
        } else if (auto* const* kept = std::get_if<QString*>(&binding.to)) {
            **kept = record.text(i);
        }
    }
}

void Fields::store(Record& record) const
{
    const RecordLayout& layout = record.layout();
    for (const Binding& binding : m_bindings) {
        const int i = layout.indexOf(binding.field);
        Q_ASSERT(i >= 0);
        if (i < 0)
            continue;
        if (const auto* box = std::get_if<QCheckBox*>(&binding.to))
            record.setFlag(binding.field, (*box)->isChecked());
        else if (const auto* edit = std::get_if<QLineEdit*>(&binding.to))
            record.setText(i, CodePage::trimmed((*edit)->text()));
        else if (const auto* memo = std::get_if<QPlainTextEdit*>(&binding.to))
            record.setText(i, CodePage::trimmed((*memo)->toPlainText()));
        else if (const auto* combo = std::get_if<QComboBox*>(&binding.to))
            record.setText(i, CodePage::trimmed((*combo)->currentText()));
        else if (const auto* kept = std::get_if<QString*>(&binding.to))
            record.setText(i, CodePage::trimmed(**kept));
    }
}

std::vector<Binding> attachmentBindings(AttachmentSlots& attached)
{
    return {{"File01", &attached[0].file},        {"File02", &attached[1].file},
            {"File03", &attached[2].file},        {"Desc01", &attached[0].description},
            {"Desc02", &attached[1].description}, {"Desc03", &attached[2].description}};
}

AttachmentSlots trimmed(const AttachmentSlots& attached)
{
    AttachmentSlots result;
    for (size_t i = 0; i < attached.size(); ++i)
        result[i] = {CodePage::trimmed(attached[i].file), CodePage::trimmed(attached[i].description)};
    return result;
}

QString keyText(QKeyCombination key)
{
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

QString hintText(const Command& command)
{
    const char* text = command.hint ? command.hint : command.caption;
    return QString::fromUtf8(text ? text : "") + QStringLiteral(" (") + keyText(command.key) + QLatin1Char(')');
}

namespace {

// Shows a command's hint in the status text while the command has the keyboard focus, as the
// mouse over it does.
class FocusHint : public QObject {
public:
    FocusHint(QWidget* command, QLabel* status, const QString& hint)
        : QObject(command)
        , m_status(status)
        , m_hint(hint)
    {
        command->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && m_status)
            m_status->setText(m_hint);
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QLabel> m_status;
    QString m_hint;
};

// An edit field keeps some keys for itself (Ctrl+Home and Ctrl+End move its caret): the window's
// command keys go to the commands instead.
class CommandKeys : public QObject {
public:
    CommandKeys(QWidget* window, QList<QKeyCombination> keys)
        : QObject(window)
        , m_keys(std::move(keys))
    {
        for (QLineEdit* field : window->findChildren<QLineEdit*>())
            field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride
            && m_keys.contains(static_cast<QKeyEvent*>(event)->keyCombination())) {
            event->ignore(); // not the field's: the shortcut takes it
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QList<QKeyCombination> m_keys;
};

// What a command shows as its caption (the tool buttons' text), or the table's caption for one that
// shows a picture only.
QString captionOf(const QWidget* control, const Command& command)
{
    if (command.caption)
        return QString::fromUtf8(command.caption);
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    return {};
}

} // namespace

void installCommands(QWidget* window, std::span<const Command> commands, const char* after, const char* status,
                     std::span<const Behaviour::Hint> otherHints, std::initializer_list<const char*> background)
{
    auto* statusLabel = window->findChild<QLabel*>(QString::fromLatin1(status));
    QWidget* previous = window->findChild<QWidget*>(QString::fromLatin1(after));
    Q_ASSERT(previous);
    // The hint texts live here while the hover hints copy them.
    std::vector<QByteArray> texts;
    texts.reserve(commands.size());
    std::vector<Behaviour::Hint> hints;
    QList<QKeyCombination> windowKeys;
    for (const Command& command : commands) {
        auto* control = window->findChild<QWidget*>(QString::fromLatin1(command.name));
        Q_ASSERT_X(control, "RecordForm::installCommands", command.name);
        if (!control)
            continue;
        const QString hint = hintText(command);
        if (command.hint) {
            texts.push_back(hint.toUtf8());
            hints.push_back({command.name, texts.back().constData()});
        }
        control->setToolTip(hint);
        control->setAccessibleName(captionOf(control, command));
        control->setAccessibleDescription(hint);

        QWidget* keyOwner = control;
        if (command.field) {
            keyOwner = window->findChild<QWidget*>(QString::fromLatin1(command.field));
            Q_ASSERT_X(keyOwner, "RecordForm::installCommands", command.field);
            if (!keyOwner)
                continue;
        }
        auto* shortcut = new QShortcut(QKeySequence(command.key), keyOwner);
        shortcut->setObjectName(QStringLiteral("key_") + QLatin1String(command.name));
        shortcut->setContext(command.field ? Qt::WidgetShortcut : Qt::WindowShortcut);
        if (!command.field)
            windowKeys.append(command.key);
        QObject::connect(shortcut, &QShortcut::activated, control, [control] {
            if (!control->isVisible() || !control->isEnabled())
                return;
            if (auto* button = qobject_cast<QAbstractButton*>(control))
                button->click();
            else if (auto* image = qobject_cast<ClickLabel*>(control))
                emit image->clicked();
        });

        if (auto* button = qobject_cast<QAbstractButton*>(control); button && !command.field) {
            // Tab reaches it; a click leaves the focus in the field, as a picture command always did.
            button->setFocusPolicy(Qt::TabFocus);
            QWidget::setTabOrder(previous, button);
            previous = button;
            if (statusLabel && command.hint)
                new FocusHint(button, statusLabel, hint);
        }
    }
    new CommandKeys(window, windowKeys);
    for (const Behaviour::Hint& hint : otherHints)
        hints.push_back(hint);
    Behaviour::installHints(window, status, hints, background);
}

Changes::Changes(QWidget* form, const Fields& fields, Record blank, std::function<void()> save)
    : m_form(form)
    , m_fields(fields)
    , m_kept(blank)
    , m_cleared(std::move(blank))
    , m_save(std::move(save))
{
#if QT_CONFIG(sessionmanager)
    // The desktop session ending closes no window: the editor shown asks there as well, and a
    // Cancel keeps the session (and the program) alive where the desktop allows it.
    if (qGuiApp)
        QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, form, [this](QSessionManager& manager) {
            if (!m_form->isVisible() || !changed() || !manager.allowsInteraction())
                return;
            const bool carryOn = mayLeave();
            manager.release();
            if (!carryOn)
                manager.cancel();
        });
#endif
}

Record Changes::shown() const
{
    Record record = m_cleared;
    m_fields.store(record);
    return record;
}

void Changes::keep()
{
    m_kept = shown();
}

void Changes::keepCleared()
{
    m_kept = shown();
    m_cleared = m_kept;
}

void Changes::becomeNew()
{
    m_kept = m_cleared;
}

bool Changes::changed() const
{
    return RecordEditor::changed(shown(), m_kept, m_cleared);
}

bool Changes::mayLeave()
{
    if (!changed())
        return true;
    RecordEditor::Answer answer = RecordEditor::Answer::Cancel;
    // Asked over the window in front: the editor, or the list whose line is being loaded.
    QWidget* over = QApplication::activeModalWidget();
    switch (MessageBox::show(over ? over : m_form, RecordEditor::unsavedQuestion())) {
    case MessageBox::Button::Yes: answer = RecordEditor::Answer::Yes; break;
    case MessageBox::Button::No: answer = RecordEditor::Answer::No; break;
    default: break;
    }
    switch (RecordEditor::leave(answer)) {
    case RecordEditor::Leave::Go: return true;
    case RecordEditor::Leave::Stay: return false;
    case RecordEditor::Leave::SaveFirst: break;
    }
    m_save();
    // The save keeps what it stored; anything else (a refusal, a file error) leaves the change.
    return !changed();
}

bool save(const Save& step, const std::function<void()>& retry)
{
    const std::optional<qint64> count = step.archive.count();
    const RecordEditor::Decision decision =
        count ? RecordEditor::save(step.place.positionText(), *count) : RecordEditor::Decision{};
    std::optional<qint64> written;
    if (decision.action == RecordEditor::Action::Append)
        written = step.archive.append(step.record);
    else if (decision.action == RecordEditor::Action::Overwrite && step.archive.overwrite(decision.record, step.record))
        written = decision.record;
    // Another PC holds the archive, or saved this record after it was loaded here: the user chooses.
    if (!written && step.archive.busy()) {
        if (MessageBox::choose(step.form, step.archive.busyQuestion()) == RecordArchive::Retry)
            retry();
        return false;
    }
    if (!written && step.archive.changedElsewhere()) {
        const int choice = MessageBox::choose(step.form, step.archive.changedQuestion());
        if (choice == RecordArchive::Reload) {
            step.fields.load(step.archive.stored());
            step.changes.keep(); // what is shown is the stored record again
        }
        if (choice != RecordArchive::Overwrite)
            return false;
        if (step.archive.overwrite(decision.record, step.record, LayoutArchive::Check::None))
            written = decision.record;
    }
    if (!written) {
        MessageBox::show(step.form, step.accessKind, RecordEditor::accessText());
        return false;
    }
    const RecordEditor::Decision done = RecordEditor::saved(decision, *written, step.insertedText, step.changedText);
    step.place.setPositionText(*done.position);
    step.changes.keep();
    MessageBox::show(step.form, done.message);
    if (!step.archive.notice().isEmpty())
        MessageBox::show(step.form, step.archive.notice()); // the archive was mended first
    return true;
}

void showPosition(QLabel* label, const ArchivePlace& place)
{
    label->setText(place.positionText());
    QObject::connect(&place, &ArchivePlace::positionChanged, label,
                     [label, &place] { label->setText(place.positionText()); });
}

void setUpNavigation(QWidget* form, const std::function<void(RecordEditor::Move)>& move)
{
    static constexpr struct {
        const char* name;
        RecordEditor::Move move;
        const char* icon;
    } kArrows[] = {
        {"cmdPrimo", RecordEditor::Move::First, ":/slips/icons/primo.svg"},
        {"cmdIndietro", RecordEditor::Move::Previous, ":/slips/icons/indietro.svg"},
        {"cmdAvanti", RecordEditor::Move::Next, ":/slips/icons/avanti.svg"},
        {"cmdUltimo", RecordEditor::Move::Last, ":/slips/icons/ultimo.svg"},
    };
    // Sizes in pixels: the bar is as wide as the editor's command column, and everything in it is
    // centred on that width; the number holds seven digits in its type.
    constexpr int kMargin = 8, kCaptionTop = 8, kCaptionHeight = 16, kNumberTop = 28, kNumberHeight = 34;
    constexpr int kArrowTop = 73, kArrowWidth = 40, kArrowHeight = 36, kArrowGap = 3, kIcon = 20;
    auto* bar = form->findChild<QWidget*>(QStringLiteral("panNavigazione"));
    Q_ASSERT(bar);
    const int width = bar->width();
    if (auto* caption = bar->findChild<QLabel*>(QStringLiteral("lblScheda"))) {
        caption->setGeometry(0, kCaptionTop, width, kCaptionHeight);
        caption->setAlignment(Qt::AlignCenter);
        QFont font = caption->font();
        font.setPointSize(8);
        font.setItalic(true);
        caption->setFont(font);
    }
    if (auto* number = bar->findChild<QLabel*>(QStringLiteral("lblPosizione"))) {
        number->setGeometry(kMargin, kNumberTop, width - 2 * kMargin, kNumberHeight);
        number->setAlignment(Qt::AlignCenter);
        number->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    }
    const int row = 4 * kArrowWidth + 3 * kArrowGap;
    int x = (width - row) / 2;
    for (const auto& arrow : kArrows) {
        auto* button = bar->findChild<QToolButton*>(QString::fromLatin1(arrow.name));
        Q_ASSERT(button);
        button->setGeometry(x, kArrowTop, kArrowWidth, kArrowHeight);
        button->setIcon(QIcon(QString::fromLatin1(arrow.icon)));
        button->setIconSize(QSize(kIcon, kIcon));
        x += kArrowWidth + kArrowGap;
        QObject::connect(button, &QAbstractButton::clicked, form, [move, to = arrow.move] { move(to); });
    }
}

} // namespace RecordForm
