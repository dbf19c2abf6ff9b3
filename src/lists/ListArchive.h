#pragma once
// What the list windows read from the archives: which records a list shows, and which record
// stands behind a chosen line. The lists keep only text, so a line is traced back to its record
// by rebuilding the lines of the archive; when several records give the same line, the last one
// in the file wins.
//
// The archives are read front to back in large blocks, and only the fields a list needs are
// decoded: a list of 100 000 slips costs little more than reading the file. A missing archive
// is created empty, as every reader of the archives does.

#include "data/Message.h"
#include "data/RecordLayout.h"
#include "lists/LineList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <span>

namespace ListArchive {

// The access message of the archives.
QString accessText();

// Calls visit(record bytes, 1-based number) for every whole record, in file order, until visit
// returns false. False when the file cannot be opened, created or read. Bytes after the last whole
// record (left by an interrupted save) are no record and no failure: the editors read past them too,
// and their next append moves them aside.
bool scan(const QString& path, int recordSize, const std::function<bool(const char*, qint64)>& visit,
          QString* error = nullptr);

// The whole records read at once in up to maxParts consecutive ranges of the file, each on a thread
// of its own (a long archive only, where a second processor is free); visit(part, record) sees the
// records of a range in file order, and must keep any state of its own per part. keep tells how
// many parts to use, in order: all of them when the whole file was read, else up to and including
// the first range whose reading failed (its records before the failure count, later ranges do not).
struct Split {
    bool ok = true;    // false: the file could not be opened or a read failed
    int parts = 1;     // parts the records were split into
    int keep = 0;      // parts to use
    qint64 size = -1;  // the file's size when it was opened; -1 when it could not be
    qint64 read = 0;   // whole records read in the parts kept
    bool tail = false; // the file ends with an incomplete record, which was not read
    QString error;
};
constexpr int kMaxParts = 2;
// Exactly limit records are read when limit is not negative: a file that grew meanwhile is read as
// it was when the caller counted it, and one that is shorter fails.
Split scanSplit(const QString& path, int recordSize, const std::function<void(int, const char*)>& visit,
                int maxParts = kMaxParts, qint64 limit = -1);
// How many parts scanSplit reads an archive of this many records in; part k holds the records from
// records * k / parts up to records * (k + 1) / parts.
int splitParts(qint64 records, int maxParts = kMaxParts);
// The records of each of those parts, in order (0 for the parts beyond).
std::array<qsizetype, kMaxParts> partSizes(qint64 records, int parts);
// Test hook: split archives from this many records on, whatever the processors (0 restores the
// default: 20 000 records, with a second processor).
void setSplitFrom(qint64 records);

struct Lines {
    LineList lines;     // sorted
    bool ok = true;     // false: reading stopped at a failure; lines holds what came before it
    bool tail = false;  // the archive ends with an incomplete record, passed over
    int unreadable = 0; // records passed over because their due date cannot be read
};

// Slips whose paid flag is exactly "No".
Lines unpaidSlips(const QString& path);
// Unpaid slips due on or before today. A slip whose due date cannot be read is passed over and
// counted, so that one damaged slip does not hide every later one.
Lines expiredSlips(const QString& path, const QDate& today);

// A due date as the windows write it: "d/m/yyyy" with one or two digits for day and month, a real
// calendar date; anything else is invalid.
QDate dueDate(QStringView text);

// Search criteria: field name and the text as typed (not trimmed).
struct Criterion {
    const char* field;
    QString text;
};
// Filled criteria: those whose trimmed text is not empty.
int countCriteria(std::span<const Criterion> criteria);
// Records in which every filled criterion occurs (A-Z folded) in its field; every record when none
// is filled. Each non-empty criterion that occurs adds one to the record's score, and a record is
// listed when its score reaches the count of filled criteria. An incomplete record at the end (a save
// cut short) is passed over, as the lists do: the whole records before it are found.
Lines searchSlips(const QString& path, std::span<const Criterion> criteria);
Lines searchPayers(const QString& path, std::span<const Criterion> criteria);

// Payers whose recontact flag is exactly "Sì".
Lines recontactPayers(const QString& path);

struct Match {
    qint64 position = 0; // 1-based; 0: no record gives the line
    QByteArray record;   // its bytes
    bool ok = true;      // false: reading failed; a match found before the failure is kept
};
// The last record whose line, trimmed, equals the chosen line trimmed.
Match lastSlip(const QString& path, const QString& line);
Match lastPayer(const QString& path, const QString& line);

} // namespace ListArchive
