#pragma once
// The payer editor's printing commands: the payer information sheet of the payer on screen,
// filled from the editor's controls (not the archive), printed, previewed or saved as PDF.

class QWidget;

namespace InfoSheetCommands {

// editor is the payer editor; its controls are read by name.
void print(QWidget* editor);
void preview(QWidget* editor);
void createPdf(QWidget* editor);

} // namespace InfoSheetCommands
