#include "payers/InfoSheetCommands.h"

namespace InfoSheetCommands {

void print(QWidget*) {}
void preview(QWidget*) {}
void createPdf(QWidget*) {}

} // namespace InfoSheetCommands
