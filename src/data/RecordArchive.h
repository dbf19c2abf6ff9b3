#pragma once
// An archive of fixed-size records as the editors use it (the yearly slip archives, the payer
// archive): each call opens the file (creating it empty when missing), does one whole job and
// closes it again. Failures come back as an empty result with errorString; the window shows the
// access message.
//
// Writes are safe against the faults an office meets over years on a shared folder:
// - each write holds an exclusive lock beside the archive, and an append goes at the end of the file
//   as found under the lock, so two instances saving at once both keep their record;
// - a write is synced to disk, and a failed one is undone (see RecordFile);
// - an archive left with an incomplete record at its end (a crash or a full disk in the middle of
//   a save, by this or an older program) is mended by the next append: the incomplete bytes are
//   moved to a side file beside the archive, the archive is cut back to its whole records, and the
//   caller gets a notice that tells the user where they went. Whole records are never touched.
//   Should the append itself then fail, the end is put back and the side file removed: a failed
//   append leaves the archive as it was.

#include "data/Message.h"

#include <QByteArray>
#include <QString>
#include <optional>

class RecordArchive {
public:
    RecordArchive(const QString& path, int recordSize);

    // The number of whole records.
    std::optional<qint64> count();
    // Record n (1-based).
    std::optional<QByteArray> read(qint64 n);
    // Appends the record and gives its new number (the former count + 1). Several whole records
    // in one block go in under one lock and one sync, and the number given is the last one's.
    std::optional<qint64> append(const QByteArray& record);
    // Overwrites record n. A number without a record behind it is refused: writing there would
    // either leave a gap or file the record under another number than the one shown.
    bool overwrite(qint64 n, const QByteArray& record);

    QString errorString() const { return m_error; }
    // After an append that mended an incomplete end: the information for the user. Empty otherwise.
    Message notice() const { return m_notice; }

    // The side file that takes the incomplete end of path, named after the archive and the moment.
    static QString sideFileName(const QString& path);

private:
    bool fail(const QString& why);
    bool moveTail(class RecordFile& file, QByteArray& tail, QString& sidePath);

    QString m_path;
    int m_recordSize;
    QString m_error;
    Message m_notice;
};
