#include "payers/InfoSheetCommands.h"

#include "data/OpenURL.h"
#include "data/Platform.h"
#include "payers/InfoSheet.h"
#include "reports/ReportOutput.h"
#include "windows/Prompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>
#include <memory>

namespace InfoSheetCommands {
namespace {

// The text a control shows, whatever kind of control the form gives it.
QString controlText(const QWidget* editor, const char* name)
{
    const QObject* control = editor->findChild<QObject*>(QString::fromLatin1(name));
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return plain->toPlainText();
    if (const auto* rich = qobject_cast<const QTextEdit*>(control))
        return rich->toPlainText();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return {};
}

InfoSheet::Values valuesOf(const QWidget* editor)
{
    InfoSheet::Values values;
    for (const InfoSheet::Source& source : InfoSheet::sources())
        values.*source.member = controlText(editor, source.control);
    return values;
}

// The sheet of the payer on screen, prepared. A fresh template each time: nothing of an earlier
// payer can survive into this sheet.
std::unique_ptr<Report::Template> preparedSheet(const QWidget* editor)
{
    auto sheet = std::make_unique<Report::Template>(InfoSheet::def());
    InfoSheet::fill(*sheet, valuesOf(editor), Clock::now());
    sheet->prepare();
    return sheet;
}

} // namespace

void print(QWidget* editor)
{
    // A cancelled print dialog is not reported.
    Report::print(*preparedSheet(editor), editor);
}

void preview(QWidget* editor)
{
    Report::preview(*preparedSheet(editor), editor);
}

void createPdf(QWidget* editor)
{
    const QString file = InfoSheet::pdfPath();
    const auto sheet = preparedSheet(editor);
    sheet->pdf().fileName = file;
    if (!Report::exportPdf(*sheet)) {
        // Nothing was written (an earlier file stays whole): do not offer to open it.
        MessageBox::show(editor, InfoSheet::pdfNotWritten());
        return;
    }
    if (MessageBox::show(editor, InfoSheet::pdfWritten()) == MessageBox::Button::Yes)
        TMisc::Open(QLatin1Char('"') + file + QLatin1Char('"'));
}

} // namespace InfoSheetCommands
