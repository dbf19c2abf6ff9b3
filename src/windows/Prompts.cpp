#include "windows/Prompts.h"

#include "windows/Look.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintDialog>
#include <QPointer>
#include <QPrinter>
#include <QQueue>
#include <QStandardPaths>
#include <QUrl>

namespace {

// A modal box or dialog open over a window, for as long as it runs. The command that opened it is
// still running in that window, and goes on once it returns: were the window closed meanwhile
// (closing deletes a dialog) and destroyed in the box's own event loop, the command would go on in
// freed memory, and the box or dialog, the window's child, would be deleted twice. So the window's
// deletion waits until the box has returned, and closing the window closes the box with it.
class OpenOver : public QObject {
public:
    OpenOver(QWidget* parent, QDialog* prompt)
        : m_window(parent ? parent->window() : nullptr)
        , m_prompt(prompt)
    {
        if (m_window)
            m_window->installEventFilter(this);
    }
    ~OpenOver() override
    {
        if (!m_window)
            return;
        m_window->removeEventFilter(this);
        if (m_deleteHeld)
            m_window->deleteLater(); // runs once the command has returned to the event loop
    }
    OpenOver(const OpenOver&) = delete;
    OpenOver& operator=(const OpenOver&) = delete;

    // The window was closed or hidden while the box was open.
    bool windowGone() const { return m_gone; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::DeferredDelete) {
            m_deleteHeld = true;
            return true;
        }
        // A window hidden by the desktop (minimised) keeps its box; one closed takes it along.
        if (event->type() == QEvent::Hide && !event->spontaneous()) {
            m_gone = true;
            if (m_prompt && m_prompt->isVisible())
                m_prompt->hide(); // ends the box's event loop
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QPointer<QDialog> m_prompt;
    bool m_deleteHeld = false;
    bool m_gone = false;
};

// Runs a dialog modally over its parent window, guarded as above; a window gone answers Rejected.
int execOver(QDialog* dialog, bool* windowGone = nullptr)
{
    OpenOver guard(dialog->parentWidget(), dialog);
    const int result = dialog->exec();
    if (windowGone)
        *windowGone = guard.windowGone();
    return guard.windowGone() ? int(QDialog::Rejected) : result;
}

} // namespace

namespace MessageBox {
namespace {
bool g_testMode = false;
QQueue<Button> g_answers;
QQueue<int> g_choices;
QList<Shown> g_shown;

Button showBox(QWidget* parent, Kind kind, const QString& text, bool noByDefault)
{
    const bool question = kind == Kind::Confirmation || kind == Kind::Question;
    if (g_testMode) {
        const Button byDefault = !question ? Button::Ok : noByDefault ? Button::No : Button::Yes;
        g_shown.append({kind, text, parent, byDefault});
        if (!g_answers.isEmpty())
            return g_answers.dequeue();
        return byDefault;
    }

    if (!parent)
        parent = QApplication::activeWindow();
    const std::unique_ptr<QMessageBox> box = makeBox(parent, kind, text, noByDefault);
    bool windowGone = false;
    const int pressed = execOver(box.get(), &windowGone);
    if (windowGone)
        return kind == Kind::Question ? Button::Cancel : question ? Button::No : Button::Cancel;
    switch (pressed) {
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    default: return kind == Kind::Question ? Button::Cancel : question ? Button::No : Button::Ok;
    }
}
} // namespace

Button show(QWidget* parent, Kind kind, const QString& text)
{
    return showBox(parent, kind, text, false);
}

Button show(QWidget* parent, const Message& message)
{
    return showBox(parent, message.kind, message.text, message.noByDefault);
}

int choose(QWidget* parent, const Message& message)
{
    if (g_testMode) {
        g_shown.append({message.kind, message.text, parent});
        return g_choices.isEmpty() ? 0 : g_choices.dequeue();
    }
    if (!parent)
        parent = QApplication::activeWindow();
    const std::unique_ptr<QMessageBox> box = makeBox(parent, message.kind, message.text);
    for (QAbstractButton* button : box->buttons())
        box->removeButton(button);
    QList<QAbstractButton*> buttons;
    for (qsizetype i = 0; i < message.buttons.size(); ++i) {
        const bool last = i + 1 == message.buttons.size();
        buttons.append(box->addButton(message.buttons.at(i), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
    }
    if (!buttons.isEmpty()) {
        box->setDefaultButton(qobject_cast<QPushButton*>(buttons.first()));
        box->setEscapeButton(buttons.last());
    }
    bool windowGone = false;
    execOver(box.get(), &windowGone);
    const qsizetype index = windowGone ? -1 : buttons.indexOf(box->clickedButton());
    return int(index < 0 ? std::max<qsizetype>(buttons.size() - 1, 0) : index);
}

std::unique_ptr<QMessageBox> makeBox(QWidget* parent, Kind kind, const QString& text, bool noByDefault)
{
    const bool question = kind == Kind::Confirmation || kind == Kind::Question;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
    switch (kind) {
    case Kind::Warning: icon = QMessageBox::Warning; break;
    case Kind::Error: icon = QMessageBox::Critical; break;
    case Kind::Information: icon = QMessageBox::Information; break;
    case Kind::Confirmation:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case Kind::Plain: buttons = QMessageBox::Ok; break;
    case Kind::Question:
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    auto box = std::make_unique<QMessageBox>(icon, QStringLiteral("Tassella"), text, buttons, parent);
    box->setObjectName(QStringLiteral("msgTassella"));
    Look::apply(box.get());
    box->setDefaultButton(!question ? QMessageBox::Ok : noByDefault ? QMessageBox::No : QMessageBox::Yes);
    // Some desktop themes put pictures on standard buttons (a green arrow on OK): the program's
    // buttons are words only.
    for (QAbstractButton* button : box->buttons())
        button->setIcon(QIcon());
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (grid)
        grid->setContentsMargins(20, 18, 20, 16);
    // Without an icon Qt still indents the text as if one stood there: take the indent away so the
    // margins around a plain message are even.
    if (icon == QMessageBox::NoIcon) {
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
            label->setIndent(0);
            label->setContentsMargins(0, 0, 0, 0);
        }
        for (int i = grid ? grid->count() - 1 : -1; i >= 0; --i) {
            if (QSpacerItem* indent = grid->itemAt(i)->spacerItem()) {
                grid->removeItem(indent);
                delete indent;
            }
        }
        // The icon's column stays, empty: no gap before it either.
        if (grid)
            grid->setHorizontalSpacing(0);
    }
    // The button row spans every column, and the width it adds to a box with a long, wrapped text
    // would be shared out among them, the empty icon column too: the text's column takes it all.
    if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")); label && grid) {
        const int at = grid->indexOf(label);
        int row = 0, column = 0, rows = 0, columns = 0;
        if (at >= 0) {
            grid->getItemPosition(at, &row, &column, &rows, &columns);
            for (int c = 0; c < grid->columnCount(); ++c)
                grid->setColumnStretch(c, c == column ? 1 : 0);
        }
    }
    return box;
}

void setTestMode(bool on)
{
    g_testMode = on;
    g_answers.clear();
    g_choices.clear();
    g_shown.clear();
}
void setNextAnswer(Button button)
{
    g_answers.enqueue(button);
}
void setNextChoice(int index)
{
    g_choices.enqueue(index);
}
int pendingAnswers()
{
    return static_cast<int>(g_answers.size() + g_choices.size());
}
QList<Shown> shown()
{
    return g_shown;
}
void clearShown()
{
    g_shown.clear();
}
} // namespace MessageBox

namespace FileDialog {
namespace {
QQueue<QString> g_next;
QString g_lastCaption;
QString g_lastFilter;
QString g_lastFolder; // where the user last chose a file, for this run of the program
QString g_openedIn;

// The folder a dialog opens in: the one asked for, else the last one a file was chosen in, else
// the user's documents (the home folder where there is none), never the program's own folder.
QString startFolder(const QString& folder)
{
    for (const QString& candidate :
         {folder, g_lastFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()})
        if (!candidate.isEmpty() && QFileInfo(candidate).isDir())
            return candidate;
    return QDir::homePath();
}
} // namespace
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    g_lastCaption = caption;
    g_lastFilter = filter;
    g_openedIn = startFolder(folder);
    QString chosen;
    if (!g_next.isEmpty()) {
        chosen = g_next.dequeue();
    } else {
        // "*.*" means every file on Windows; here it would hide the files without an extension.
        QString shown = filter;
        shown.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
        // Qt's own dialog, which speaks the program's language (its Italian translation is loaded
        // at start); the desktop's dialog would speak the system's.
        QFileDialog dialog(parent, caption, g_openedIn, shown);
        dialog.setObjectName(QStringLiteral("dlgFile"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (execOver(&dialog) == QDialog::Accepted)
            chosen = dialog.selectedFiles().value(0);
    }
    if (!chosen.isEmpty())
        g_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& name, const QString& filter)
{
    g_lastCaption = caption;
    g_lastFilter = filter;
    g_openedIn = startFolder({});
    QString chosen;
    if (!g_next.isEmpty()) {
        chosen = g_next.dequeue();
    } else {
        QFileDialog dialog(parent, caption, QDir(g_openedIn).filePath(name), filter);
        dialog.setObjectName(QStringLiteral("dlgFile"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // "(*.pdf)": a name typed without its extension gets it.
        const qsizetype star = filter.indexOf(QLatin1String("(*."));
        if (star >= 0)
            dialog.setDefaultSuffix(
                filter.mid(star + 3).section(QLatin1Char(')'), 0, 0).section(QLatin1Char(' '), 0, 0));
        if (execOver(&dialog) == QDialog::Accepted)
            chosen = dialog.selectedFiles().value(0);
    }
    if (!chosen.isEmpty())
        g_lastFolder = QFileInfo(chosen).absolutePath();
    return chosen;
}
QString openedIn()
{
    return g_openedIn;
}
QString getExistingFolder(QWidget* parent, const QString& caption, const QString& folder)
{
    g_lastCaption = caption;
    g_lastFilter.clear();
    if (!g_next.isEmpty())
        return g_next.dequeue();
    // Local paths only: a shared drive the desktop has mounted is answered by its mount point.
    QFileDialog dialog(parent, caption, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return execOver(&dialog) == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
void setNextFileName(const QString& name)
{
    g_next.enqueue(name);
}
bool hasPending()
{
    return !g_next.isEmpty();
}
void reset()
{
    g_next.clear();
    g_lastCaption.clear();
    g_lastFilter.clear();
    g_lastFolder.clear();
    g_openedIn.clear();
}
QString lastCaption()
{
    return g_lastCaption;
}
QString lastFilter()
{
    return g_lastFilter;
}
} // namespace FileDialog

namespace PrintDialog {
namespace {
enum class Next { None, Accept, Cancel };
Next g_next = Next::None;
QString g_pdfPath;
} // namespace

bool exec(QPrinter* printer, QWidget* parent)
{
    if (g_next != Next::None) {
        const Next next = g_next;
        g_next = Next::None;
        if (next == Next::Cancel)
            return false;
        if (!g_pdfPath.isEmpty()) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(g_pdfPath);
        }
        return true;
    }
    QPrintDialog dialog(printer, parent);
    return execOver(&dialog) == QDialog::Accepted;
}

void setNextAccept(const QString& pdfPath)
{
    g_next = Next::Accept;
    g_pdfPath = pdfPath;
}
void setNextCancel()
{
    g_next = Next::Cancel;
    g_pdfPath.clear();
}
bool hasPending()
{
    return g_next != Next::None;
}
void reset()
{
    g_next = Next::None;
    g_pdfPath.clear();
}
} // namespace PrintDialog
