#pragma once
// Reading the text files spreadsheets save as "CSV": in Italy Excel and LibreOffice separate the
// cells with ";" (English ones with ","; some programs with a tab), write Windows-1252 or UTF-8
// (with or without its byte order mark), put a cell in double quotes when it holds the separator, a
// quote (doubled inside) or a line break, and end lines with CR LF or LF.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

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

// The records of a file, their cells kept back to back in one text: a file of many short cells
// costs about its own size twice, not a string object per cell.
class Records {
public:
    qsizetype size() const { return qsizetype(m_rowEnds.size()); }
    bool isEmpty() const { return m_rowEnds.empty(); }
    qsizetype cellCount(qsizetype row) const;
    // An empty view beyond the row's cells.
    QStringView cell(qsizetype row, qsizetype column) const;
    QStringList row(qsizetype row) const;
    QList<QStringList> toLists() const;

    // Building: the characters of a cell, its end, and after the record's last cell the record's.
    void append(QChar c) { m_text.append(c); }
    void append(QStringView run) { m_text.append(run); }
    bool cellIsEmpty() const { return m_text.size() == (m_cellEnds.empty() ? 0 : m_cellEnds.back()); }
    void endCell() { m_cellEnds.push_back(m_text.size()); }
    void endRow() { m_rowEnds.push_back(qsizetype(m_cellEnds.size())); }
    void addCell(QStringView text);
    void reserve(qsizetype characters) { m_text.reserve(characters); }
    void squeeze();

    friend bool operator==(const Records& a, const Records& b) { return a.toLists() == b.toLists(); }

private:
    qsizetype cellBegin(qsizetype index) const { return index == 0 ? 0 : m_cellEnds[size_t(index - 1)]; }
    qsizetype rowBegin(qsizetype row) const { return row == 0 ? 0 : m_rowEnds[size_t(row - 1)]; }

    QString m_text;
    std::vector<qsizetype> m_cellEnds; // where each cell ends in m_text
    std::vector<qsizetype> m_rowEnds;  // the index in m_cellEnds after each record's last cell
};

// The separator of text among ";", "," and tab: the one that splits its first records (up to 50)
// most often into the same number of cells, more than one; on a tie, a tab, then ";", then ",". A
// comma inside an address or a name is common in Italian sheets, a tab or a ";" is not, so the
// first line alone would mislead.
QChar separatorOf(const QString& text);

// The records of text, each a list of cells. Lines end with CR LF, LF or CR; a cell that starts with
// a double quote runs to the next lone quote, taking separators and line breaks as text and a doubled
// quote as one (whatever follows the closing quote up to the separator is kept too); a quote inside
// an unquoted cell is text. A line with nothing on it is no record; an unclosed quote runs to the end.
// With maxRecords >= 0 it stops after that many records.
Records parse(const QString& text, QChar separator, qsizetype maxRecords = -1);

struct Table {
    Records rows;
    QChar separator = QLatin1Char(';');
    Encoding encoding = Encoding::Utf8;
};

// decode, separatorOf and parse together.
Table read(const QByteArray& bytes);
// The same with the separator the user chose.
Table read(const QByteArray& bytes, QChar separator);

} // namespace CsvFile
