#pragma once
// The one-line texts the list windows show and print. A line is made of padded pieces (trimmed,
// filled with blanks on the right, cut at the width) and fixed separators, and ends with a last
// field taken whole. Lines are built straight from the record bytes: a list of 100 000 records
// decodes only the fields it shows.

#include "data/CodePage.h"
#include "data/RecordLayout.h"
#include "windows/LineList.h"

#include <QString>
#include <string_view>
#include <utility>

namespace ListLines {

// The text trimmed, filled with blanks to width and cut to width.
QString padded(const QString& text, int width);
void appendPadded(QString& line, const QString& text, int width);

// "Scad. " due date 10, "  € " amount 11, "  " name 23, " C.F. " tax code 16, "  " town and
// province 20, " TAR. " tariff 4, "  " and the notes whole: 112 characters, then the notes.
QString slipLine(const char* record);
QString slipLine(const Record& slip);
// The same line added at the end of a list, written in place.
void appendSlipLine(LineList& lines, const char* record);
void appendSlipLine(LineList::Part& lines, const char* record);
// The longest slip line there can be: the fixed part and the longest notes a record stores.
qsizetype slipLineMax();

// Name 23, "  C.F. " tax code 16, "  " town and province 20, "  Tel. " contact 20, "  TAR. "
// tariff 4, "  " and the notes whole.
QString payerLine(const char* record);
QString payerLine(const Record& payer);
void appendPayerLine(LineList& lines, const char* record);
void appendPayerLine(LineList::Part& lines, const char* record);
qsizetype payerLineMax();

} // namespace ListLines
