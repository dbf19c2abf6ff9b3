#pragma once
// Reading the text files spreadsheets save as "CSV": in Italy Excel and LibreOffice separate the
// cells with ";" (a "," where the first line shows that one), write Windows-1252 or UTF-8 (with or
// without its byte order mark), put a cell in double quotes when it holds the separator, a quote
// (doubled inside) or a line break, and end lines with CR LF or LF.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace CsvFile {

enum class Encoding {
    Utf8Bom,     // UTF-8 behind its byte order mark
    Utf8,        // UTF-8 without a mark: every byte sequence is valid UTF-8
    Windows1252, // anything else: one byte per character
};

struct Text {
    QString text;
    Encoding encoding = Encoding::Utf8;
};

// The file's text: UTF-8 when it starts with the byte order mark (which is dropped) or is valid
// UTF-8 throughout, Windows-1252 otherwise (Italian letters in Windows-1252 are never valid UTF-8).
Text decode(const QByteArray& bytes);

// The separator the first line uses outside quotes: ";" unless "," or a tab occurs there more often.
QChar separatorOf(const QString& text);

// The records of text, each a list of cells. Lines end with CR LF, LF or CR; a cell that starts with
// a double quote runs to the next lone quote, taking separators and line breaks as text and a doubled
// quote as one (whatever follows the closing quote up to the separator is kept too); a quote inside
// an unquoted cell is text. A line with nothing on it is no record; an unclosed quote runs to the end.
QList<QStringList> parse(const QString& text, QChar separator);

struct Table {
    QList<QStringList> rows;
    QChar separator = QLatin1Char(';');
    Encoding encoding = Encoding::Utf8;
};

// decode, separatorOf and parse together.
Table read(const QByteArray& bytes);

} // namespace CsvFile
