#pragma once
// What the list windows read from the archives: which records a list shows, and which record
// stands behind a chosen line. The lists keep only text, so a line is traced back to its record
// by rebuilding the lines of the archive; when several records give the same line, the last one
// in the file wins.
//
// The archives are read through RecordScan: only the fields a list needs are decoded.

#include "data/Message.h"
#include "data/RecordLayout.h"
#include "data/RecordScan.h"
#include "windows/LineList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <span>

namespace ListArchive {

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

// Records in which every filled criterion occurs (A-Z folded) in its field; every record when none
// is filled. Each non-empty criterion that occurs adds one to the record's score, and a record is
// listed when its score reaches the count of filled criteria. An incomplete record at the end (a save
// cut short) is passed over, as the lists do: the whole records before it are found.
Lines searchSlips(const QString& path, std::span<const RecordScan::Criterion> criteria);
Lines searchPayers(const QString& path, std::span<const RecordScan::Criterion> criteria);

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
