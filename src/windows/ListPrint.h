#pragma once
// The printed list: every list window owns one copy of the template "repElenco" (A4 landscape,
// a title band on the first page, the lines as one body that splits across pages, a footer with
// the date and time of printing after the last line).

#include "reports/Report.h"

#include <QStringList>

namespace ListPrint {

const Report::TemplateDef& listTemplate();

// Title, one body line per list line (an empty list gives an empty body), and the body's and its
// band's heights: 12.822 units a line, the band 10 units more.
void fill(Report::Template& report, const QString& title, const QStringList& lines);

} // namespace ListPrint
