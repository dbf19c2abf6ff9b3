#pragma once
// The payer editor's printing commands: the payer information sheet of the payer on screen,
// filled from the editor's texts (not the archive), printed, previewed or saved as PDF.

class TfrmEsecutori;

namespace InfoSheetCommands {

void print(TfrmEsecutori* editor);
void preview(TfrmEsecutori* editor);
void createPdf(TfrmEsecutori* editor);

} // namespace InfoSheetCommands
