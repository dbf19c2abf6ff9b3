#pragma once
// The preview grid of the two archive exports and what it writes: the rows read from an archive,
// one per record, with the columns of each export (heading, widths, which cells the user may edit,
// the record fields a cell shows), and the spreadsheet file written from the grid as it stands.
//
// The texts stay in the archive's code page, one byte per character, in a single block with an
// end offset per cell: 100 000 slips cost little more than their text. Cells the user edited are
// kept apart and win over the archive's values; the archive itself is never written.

#include "data/Message.h"
#include "data/RecordLayout.h"
#include "lists/Spreadsheet.h"

#include <QAbstractTableModel>
#include <QHash>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct ExportColumn {
    const char* heading; // in the grid
    int gridWidth;
    bool editable;
    // The record fields the cell shows, each trimmed and joined by joiner. None: the record's number.
    const char* fields[3];
    const char* joiner;
    const char* fileHeading; // nullptr: not exported
    int fileWidth;
    Spreadsheet::Align align;
    Spreadsheet::Content content = Spreadsheet::Content::Text;
};

struct ExportDef {
    std::span<const ExportColumn> columns;
    const RecordLayout& (*layout)();
    const char* fileName; // in the program folder
    const char* sheetName;
};

namespace Exports {

// The yearly slip archive to "Riepilogo_Annuale_Versamenti.xls".
const ExportDef& slips();
// The payer archive to "Esecutori.xls".
const ExportDef& payers();

// The questions and notices of an export.
Message askExport();
Message askOpen();
Message cannotExport();
Message noAccess();

} // namespace Exports

class ExportGrid : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ExportGrid(const ExportDef& def, QObject* parent = nullptr);

    const ExportDef& def() const { return m_def; }

    // Reads every record of the archive at path (created empty when missing) into the rows.
    // False when the archive could not be read to its end: the rows read until then stay, and they
    // are all an export writes.
    bool fill(const QString& path);
    QString errorString() const { return m_error; }

    // Writes the spreadsheet file from the rows, edited cells as edited.
    bool exportTo(const QString& path, QString* error = nullptr) const;
    // The program folder followed by the export's file name.
    QString exportPath() const;

    // Bytes the grid's texts would take as UTF-16 (what a grid of text items would hold at least).
    qint64 textBytes() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of a cell, as shown.
    QString text(int row, int column) const;

private:
    struct Part {
        int offset;
        int capacity;
    };
    struct Plan {
        std::vector<Part> parts;
        char joiner;
    };

    class FileRows;

    // One part of the archive as it is read: its rows' text goes into m_text from start on.
    struct Filling {
        size_t start = 0;
        size_t used = 0;
        std::vector<quint32> ends;
        qsizetype rows = 0;
    };
    void appendRecord(Filling& part, const char* record);
    QByteArrayView stored(qsizetype row, int column) const;
    static quint64 key(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

    const ExportDef& m_def;
    std::vector<Plan> m_plans; // per stored column (every grid column but the number)
    int m_stored = 0;
    size_t m_rowCapacity = 0; // the most text one row can hold
    qsizetype m_rows = 0;
    // Every stored cell's bytes, one after the other; a second part of the archive read at the same
    // time starts further on, past room enough for the first (room never written costs no memory).
    std::unique_ptr<char[]> m_text;
    qint64 m_textBytes = 0;      // the bytes of the cells
    std::vector<quint32> m_ends; // the end of each stored cell in m_text, row by row
    qsizetype m_secondRow = -1;  // the first row of the second part, whose first cell starts at
    quint32 m_secondStart = 0;   // m_secondStart instead of where the row before it ends
    QHash<quint64, QString> m_edited;
    QString m_error;
};
