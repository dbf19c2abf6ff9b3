#pragma once
// Putting a backup back. The backup is read whole first (every member through its CRC) and shown:
// its date, the yearly archives with their number of slips, the payers. Restoring unpacks it into a
// folder beside the data, then, under the archives' locks, moves every current data file into a
// dated folder ("Prima del ripristino AAAA-MM-GG hhmmss") and the backup's files into their place.
// Should any step fail, what was moved goes back: the program folder is as it was.

#include "data/Message.h"

#include <QDateTime>
#include <QList>
#include <QString>
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
};

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

// Restores the backup at path into programFolder.
Result apply(const QString& path, const QString& programFolder, const QDateTime& moment);

} // namespace Restore
