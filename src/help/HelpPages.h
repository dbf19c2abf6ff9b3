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
