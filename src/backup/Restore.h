#pragma once
// Putting a backup back. The backup is read whole first (every member through its CRC) and shown:
// its date, the yearly archives with their number of slips, the payers. A backup that holds
// anything but the program's data, a member larger than the program ever writes, or no password
// file or no archive at all is refused. Restoring unpacks it into a working folder beside the data
// (".ripristino-AAAAMMGGhhmmss"), reads every file unpacked back, and writes there a journal of the
// moves to come; then, under the archives' locks, it moves every current data file into a dated
// folder ("Prima del ripristino AAAA-MM-GG hhmmss") and the backup's files into their place.
// Should a move fail, what was moved goes back. Should the program die in the middle (a crash, a
// power cut), the next start finishes the restore from its journal, or undoes it whole, and says
// which: the program folder holds either the data of before or the backup's, never a mix.

#include "data/Message.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace Restore {

struct Year {
    QString year;
    qint64 slips = 0;
    bool incomplete = false; // the archive ends with an incomplete record
};

struct Contents {
    QString path;
    QDateTime moment; // from the backup's name
    QList<Year> years;
    std::optional<qint64> payers; // none when the backup holds no payer archive
    bool settings = false;
    bool password = false;
    int attachments = 0;
    qint64 bytes = 0; // the size of every file unpacked
};

// The largest file of each kind a backup may hold: far beyond what an office stores (a yearly
// archive or a payer archive of 250 000 records, an attachment of 256 MB, a settings or password
// file of 1 MB), far below what would fill a disk by surprise.
qint64 sizeLimit(const QString& name);

// Reads the backup at path through. A file that is not a sound ZIP, fails a CRC, or holds anything
// but the program's data is refused with a warning.
std::optional<Contents> inspect(const QString& path, Message* refusal);

// The contents as the restore window shows them, one line each.
QString describe(const Contents& contents);

// The folder the current files go to, for a restore at moment.
QString asideFolderName(const QDateTime& moment);

struct Result {
    bool ok = false;
    QString aside; // where the former files went
    Message message;
};

// Restores the backup at path into programFolder. The backup folder and the number of backups
// kept are this installation's choice, not the backup's: they survive the restore.
Result apply(const QString& path, const QString& programFolder, const QDateTime& moment);

// At start-up, before anything reads the program's data: finishes or undoes every restore left
// unfinished in programFolder (one that another running copy of the program holds is left to it).
// What the user is to be told; empty when there was nothing to do.
Message recover(const QString& programFolder);

// Test seam: the free space of the folder a restore unpacks into (nothing: the disk's own).
void setFreeSpaceProbe(std::function<qint64(const QString& folder)> probe);

} // namespace Restore
