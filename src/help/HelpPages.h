#pragma once
// Every help page's title and text; a body's paragraphs are joined by CR LF CR LF.
// The start menu's page, "Uno sguardo a Tassella.", tells the whole program in brief.

#include <QString>

namespace HelpPages {

QString startMenuTitle();
// Paragraphs joined by CR LF CR LF.
QString startMenuBody();

// The slip editor's help page.
QString slipEditorTitle();
QString slipEditorBody();

// The payment summary result's page: "Riepilogo versamenti.", paragraphs joined by CR LF CR LF.
QString summaryTitle();
QString summaryBody();

// The payer editor's help page: "Applicazione Anagrafica Esecutori.", ten paragraphs.
QString payerEditorTitle();
// Paragraphs joined by CR LF CR LF.
QString payerEditorBody();

} // namespace HelpPages

namespace HelpPages {

// The help pages of the two spreadsheet exports; bodies are paragraphs joined by CR LF CR LF.
QString slipExportTitle();
QString slipExportBody();
QString payerExportTitle();
QString payerExportBody();

} // namespace HelpPages

namespace HelpPages {

// The pages of the windows for the care of the data and for many payers at once: slips for many
// payers, backup, restore, archive check and payers from a spreadsheet. Bodies are paragraphs
// joined by CR LF CR LF.
QString batchTitle();
QString batchBody();
QString backupTitle();
QString backupBody();
QString restoreTitle();
QString restoreBody();
QString archiveCheckTitle();
QString archiveCheckBody();
QString payerImportTitle();
QString payerImportBody();

} // namespace HelpPages

namespace HelpPages {

// The login's and the password change's page.
QString loginTitle();
QString loginBody();

// A help page as its window shows it.
struct Page {
    QString (*title)();
    QString (*body)();
};

// A window's help page by the window's class name: its own page, or the page of the work window it
// belongs to. nullptr for a window not in the table (the help window itself, the print previews):
// F1 there shows the page of the window that opened it.
const Page* pageOfWindow(const char* className);

// The due-date reminders' page: the notice at start-up, the list and the letters.
QString reminderTitle();
QString reminderBody();

} // namespace HelpPages
