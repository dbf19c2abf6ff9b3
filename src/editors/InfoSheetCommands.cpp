#include "editors/InfoSheetCommands.h"

#include "data/OpenURL.h"
#include "data/Platform.h"
#include "editors/Esecutori.h"
#include "payers/InfoSheet.h"
#include "windows/ReportOutput.h"
#include "windows/Prompts.h"

#include <memory>

namespace InfoSheetCommands {
namespace {

// The sheet of the payer on screen, prepared. A fresh template each time: nothing of an earlier
// payer can survive into this sheet.
std::unique_ptr<Report::Template> preparedSheet(const TfrmEsecutori* editor)
{
    auto sheet = std::make_unique<Report::Template>(InfoSheet::def());
    InfoSheet::fill(*sheet, editor->sheetValues(), Clock::now());
    sheet->prepare();
    return sheet;
}

} // namespace

void print(TfrmEsecutori* editor)
{
    // A cancelled print dialog is not reported.
    Report::print(*preparedSheet(editor), editor);
}

void preview(TfrmEsecutori* editor)
{
    Report::preview(*preparedSheet(editor), editor);
}

void createPdf(TfrmEsecutori* editor)
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
