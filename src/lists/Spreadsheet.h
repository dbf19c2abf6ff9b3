#pragma once
// The spreadsheet file of the exports: a one-line HTML table in Windows-1252 that declares the
// Office spreadsheet namespaces and is saved as ".xls", so that Excel and LibreOffice Calc open it
// as one worksheet with a bold heading row.
//
// Every value is escaped ("&", "<", ">" and the double quote as entities) and every data cell is
// marked as text for both programs, so a value opens exactly as it stands in the archive: "00184"
// keeps its zeros, "=1+1" is not evaluated and "a<b c>d" is not taken for a tag. The one exception
// is an amount column: its cells are numbers with two decimals, so that the sheet can add them up;
// an amount that is no number stays text.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <span>

namespace Spreadsheet {

enum class Align { Left, Right };
// Amount: euros and cents written "168,00"; the cell is a number shown with two decimals.
enum class Content { Text, Amount };

struct Column {
    const char* heading; // UTF-8
    int width;
    Align align;
    Content content = Content::Text;
};

// One cell's value: the code page bytes as the archive holds them, or a text the user typed.
struct Cell {
    QByteArrayView bytes;
    const QString* text = nullptr; // when set, it is the value
};

// The rows to write, one cell per column of the file.
class Rows {
public:
    virtual ~Rows() = default;
    virtual qsizetype rowCount() const = 0;
    virtual Cell cell(qsizetype row, int column) const = 0;
};

// Writes the whole file at path through a temporary file that replaces it in one step, so a
// failed export leaves the previous file as it was. False, with the reason in error, on failure.
bool write(const QString& path, const QString& sheetName, std::span<const Column> columns, const Rows& rows,
           QString* error = nullptr);

} // namespace Spreadsheet
