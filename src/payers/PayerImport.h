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
#include <optional>
#include <vector>

namespace PayerImport {

// ---- The file ----

struct Sheet {
    QList<QStringList> rows; // every line of the file, header included
    bool ok = false;
    Message error; // why the file cannot be read
};

// Whether the file is a spreadsheet that only LibreOffice reads here (.ods, .xlsx, .xls).
bool needsOffice(const QString& path);
// LibreOffice's program, or an empty text when it is not installed.
QString officeProgram();
// Reads a CSV file, or has LibreOffice save the spreadsheet as one in a temporary folder first.
Sheet read(const QString& path);

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
    QString text;         // what the field will hold, as typing made it
    QString original;     // the cell as read
    bool cut = false;     // longer than the field: its end is lost
    bool changed = false; // differs from the cell (upper-cased, filtered, blanks, code page)
};

struct Row {
    int line = 0;              // 1-based line of the file
    std::vector<Value> values; // per field of PayerTyping::fields(); empty where no column feeds it
    std::optional<bool> recontact;
    Record record;          // the payer as the editor stores it for a new payer
    QStringList problems;   // failed checks and unreadable values, for the user to look at
    QString error;          // why the row cannot be imported (no name)
    QList<qint64> existing; // the registry's records with the same tax code
    int repeatOf = 0;       // an earlier line of the file with the same tax code

    QString taxCode() const;
    QString status() const; // the line's verdict as the preview shows it
};

// The row of cells as the editor would store it, and its checks.
Row prepare(const QStringList& cells, const QList<int>& mapping, int line);
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
Saved save(const QString& path, const std::vector<const Row*>& add, const std::vector<const Row*>& update);

Message savedMessage(const Saved& saved);
Message failedMessage(const Saved& saved);
Message question(qint64 add, qint64 update);
Message nothingChosen();
Message officeMissing();

} // namespace PayerImport
