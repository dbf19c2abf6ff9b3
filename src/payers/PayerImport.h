#pragma once
// Payers brought in from a spreadsheet ("Importa esecutori"): a CSV file as Excel and LibreOffice
// save it, or an .ods/.xlsx file that LibreOffice turns into one; its columns matched to the payer
// fields (guessed from the header names); each row as the payer editor would store it after the
// same values were typed into it (PayerTyping), with the checks of its tax code, VAT number and
// IBAN, and the registry's payers with the same tax code; then one locked append of the new payers
// and an overwrite of each payer chosen for an update.
//
// The window reads the file and the choices through here and shows the answers.

#include "data/CsvFile.h"
#include "data/Message.h"
#include "data/RecordLayout.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace PayerImport {

// ---- The file ----

struct Sheet {
    QByteArray csv;       // the file's text (for a spreadsheet, the CSV LibreOffice saved), kept to
                          // split it again on another separator
    CsvFile::Table table; // its records, split on the separator its first rows call for
    bool ok = false;
    Message error; // why the file cannot be read
};

// Whether the file is a spreadsheet that only LibreOffice reads here (.ods, .xlsx, .xls).
bool needsOffice(const QString& path);
// LibreOffice's program, or an empty text when it is not installed.
QString officeProgram();
// Reads a CSV file, or has LibreOffice save the spreadsheet as one in a temporary folder first.
Sheet read(const QString& path);

// The separators the user can choose, in the order of the window's list, with their names.
struct Separator {
    QChar character;
    QString name;
};
const std::vector<Separator>& separators();

// ---- Columns and fields ----

// What a column can feed: nothing, one of the editor's fields (PayerTyping::fields() index), the
// date of birth in one cell ("gg/mm/aaaa", split into the three fields) or the recontact box.
inline constexpr int kNone = -1;
inline constexpr int kBirthDate = 100;
inline constexpr int kRecontact = 101;

struct Target {
    int id;
    QString caption;
};
// The choices of a column's list, "(non importare)" first, then the fields in the editor's order.
const std::vector<Target>& targets();
QString captionOf(int id);

// The target each column's header name calls for (kNone where none does); each target is taken by
// its first column only.
QList<int> guess(const QStringList& header);
// Whether a first line looks like header names (some of them name a field).
bool looksLikeHeader(const QStringList& firstRow);

// ---- Rows ----

struct Value {
    QString text;           // what the field will hold, as typing made it
    QString original;       // the cell as read (its first characters, for a long one)
    bool cut = false;       // longer than the field: its end is lost
    bool changed = false;   // differs from the cell (upper-cased, filtered, blanks, code page)
    bool completed = false; // a code a spreadsheet took for a number, its lost zeros given back
    bool derived = false;   // not in the file: read from the tax code
};

struct Row {
    int line = 0;              // 1-based record of the file
    std::vector<Value> values; // per field of PayerTyping::fields(); empty where no column feeds it
    std::optional<bool> recontact;
    Record record;          // the payer as the editor stores it for a new payer
    QStringList problems;   // what the user must look at before importing the row: unticked at first
    QStringList notes;      // what was mended (codes given back their zeros): ticked all the same
    QString error;          // why the row cannot be imported (no name)
    QList<qint64> existing; // the registry's records with the same tax code
    int repeatOf = 0;       // an earlier line of the file with the same tax code

    QString taxCode() const;
    QString status() const; // the line's verdict as the preview shows it
};

// The row of cells as the editor would store it, and its checks. headerWidth is the number of
// header names (-1 without a header line): a row with values beyond them is told.
Row prepare(const QStringList& cells, const QList<int>& mapping, int line, qsizetype headerWidth = -1);
// Every row after the header (or from the first line without one), lines with no value left out.
std::vector<Row> prepareAll(const QList<QStringList>& sheet, bool header, const QList<int>& mapping);

// The tax codes of the registry at path (upper case) with their record numbers. A missing archive
// is created empty, as every reader does.
struct Registry {
    QHash<QString, QList<qint64>> taxCodes;
    bool ok = true;
    QString error;
};
Registry registry(const QString& path);
// Fills each row's existing records and earlier repeats.
void markDuplicates(std::vector<Row>& rows, const Registry& registry);

// Ticked at first: importable, no problem, not a repeat; a payer already in the registry only when
// the registry's payers are to be updated.
bool tickedAtFirst(const Row& row, bool update);

// What the preview keeps of every row of a large file: the verdict that ticks it and the counts
// need. The row itself is prepared again from the sheet when it is shown or saved, so that a file of
// 100 000 rows costs a few times its size, not a prepared payer per row.
struct Brief {
    qsizetype record = 0; // in the sheet, 0-based
    bool importable = true;
    bool clean = true; // no problem
    int repeatOf = 0;
    QList<qint64> existing;
};

// A sheet's rows for the preview: the columns' fields, the registry's duplicates and repeats.
class Preview {
public:
    Preview() = default;
    Preview(std::shared_ptr<const CsvFile::Records> sheet, bool header, QList<int> mapping, const Registry& registry);

    qsizetype size() const { return qsizetype(m_briefs.size()); }
    const Brief& brief(qsizetype r) const { return m_briefs[size_t(r)]; }
    // Row r, prepared again, with its duplicates.
    Row row(qsizetype r) const;
    // The fields some row gives a value (from its file or its tax code), as PayerTyping::fields() indexes.
    std::vector<int> fields() const;

private:
    std::shared_ptr<const CsvFile::Records> m_sheet;
    bool m_header = false;
    QList<int> m_mapping;
    std::vector<Brief> m_briefs;
    quint64 m_fields = 0; // bit per field
};

bool tickedAtFirst(const Brief& brief, bool update);

// ---- Saving ----

// An existing record with the row's values written over it: every field the file gives a value
// for; the fields it leaves empty, and those no column feeds, keep what the record holds. Stored as
// the editor stores a loaded and changed payer.
Record updated(const Record& stored, const Row& row);

struct Saved {
    bool ok = false;
    qint64 added = 0;
    qint64 first = 0; // the first new payer's record number
    qint64 updated = 0;
    bool busy = false; // another PC held the archive
    QString busyHost;
    bool restored = true; // after a failure: the archive is as it was
    QString error;
    Message notice; // the archive's own notice (an incomplete end moved aside)
};
// Overwrites the registry's records of each row to update with the row's values, then appends the
// new rows in one locked write. A failure undoes what was written, so that the archive is as it was.
// The rows come one at a time (add(i) for i from 0 to addCount - 1, the same for update): the new
// records are written as they are made, never all held in memory.
using RowAt = std::function<Row(qint64)>;
Saved save(const QString& path, qint64 addCount, const RowAt& add, qint64 updateCount, const RowAt& update);
Saved save(const QString& path, const std::vector<const Row*>& add, const std::vector<const Row*>& update);

Message savedMessage(const Saved& saved);
Message failedMessage(const Saved& saved);
Message question(qint64 add, qint64 update);
Message nothingChosen();
Message officeMissing();

} // namespace PayerImport
