#pragma once
// The archive check: reads every yearly slip archive and the payer archive of a folder, without
// changing anything, and tells for each the number of records, an incomplete end, the records
// whose due date, amount or field lengths cannot be read, the side files that repairs left beside
// it and leftover lock or journal files.

#include <QList>
#include <QString>
#include <QStringList>

namespace ArchiveCheck {

struct Report {
    QString name;         // "2024.bol", "Esecutori.pro"
    bool readable = true; // false: the file could not be opened for reading
    qint64 records = 0;
    qint64 tailBytes = 0;   // bytes after the last whole record
    QStringList problems;   // one per record that cannot be read whole ("scheda 17: ...")
    QStringList sideFiles;  // incomplete ends moved aside by a repair
    QStringList lockFiles;  // "name (rimasto)" or "name (in uso)"
    QStringList otherFiles; // journal and temporary files left by an interrupted write
    bool clean() const
    {
        return readable && tailBytes == 0 && problems.isEmpty() && sideFiles.isEmpty() && lockFiles.isEmpty()
            && otherFiles.isEmpty();
    }
};

// Every archive of folder: the payer archive first (when there is one), then the years in order.
QList<Report> run(const QString& folder);

// The reports as the lines of the check's list, one finding a line.
QStringList lines(const QList<Report>& reports);

} // namespace ArchiveCheck
