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
#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>
#include <QUrl>

namespace MessageBox {
namespace {
bool g_testMode = false;
QQueue<Button> g_answers;
QList<Shown> g_shown;
} // namespace

Button show(QWidget* parent, Kind kind, const QString& text)
{
    const bool question = kind == Kind::Confirmation || kind == Kind::Question;
    if (g_testMode) {
        g_shown.append({kind, text});
        if (!g_answers.isEmpty())
            return g_answers.dequeue();
        return question ? Button::Yes : Button::Ok;
    }

    if (!parent)
        parent = QApplication::activeWindow();
    const std::unique_ptr<QMessageBox> box = makeBox(parent, kind, text);
    switch (box->exec()) {
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    default: return kind == Kind::Question ? Button::Cancel : question ? Button::No : Button::Ok;
    }
}

std::unique_ptr<QMessageBox> makeBox(QWidget* parent, Kind kind, const QString& text)
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
    box->setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
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
    return box;
}

void setTestMode(bool on)
{
    g_testMode = on;
    g_answers.clear();
    g_shown.clear();
}
void setNextAnswer(Button button)
{
    g_answers.enqueue(button);
}
int pendingAnswers()
{
    return static_cast<int>(g_answers.size());
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
std::optional<QString> g_next;
QString g_lastCaption;
QString g_lastFilter;
} // namespace
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    g_lastCaption = caption;
    g_lastFilter = filter;
    if (g_next) {
        const QString name = *g_next;
        g_next.reset();
        return name;
    }
    // "*.*" means every file on Windows; here it would hide the files without an extension.
    QString shown = filter;
    shown.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
    return QFileDialog::getOpenFileName(parent, caption, folder, shown);
}
void setNextFileName(const QString& name)
{
    g_next = name;
}
bool hasPending()
{
    return g_next.has_value();
}
void reset()
{
    g_next.reset();
    g_lastCaption.clear();
    g_lastFilter.clear();
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
    return dialog.exec() == QDialog::Accepted;
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
