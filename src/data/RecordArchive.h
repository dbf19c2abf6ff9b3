#pragma once
// An archive of fixed-size records as the editors use it (the yearly slip archives, the payer
// archive): each call opens the file (creating it empty when missing), does one whole job and
// closes it again. Failures come back as an empty result with errorString; the window shows the
// access message, or the question of busy() or changedElsewhere().
//
// Writes are safe against the faults an office meets over years on a shared folder:
// - each write holds an exclusive lock (SafeWrite::Lock: the lock file and the file server's own
//   lock on the archive), and an append goes at the end of the file as found under the lock, so two
//   PCs saving at once both keep their record, whatever their clocks and host names;
// - a write is synced to disk, and a failed one is undone (see RecordFile). An append whose undo
//   failed too (a disk that keeps failing) is remembered: the next append to the archive takes its
//   place instead of adding the record a second time;
// - an overwrite first puts the record's old bytes in a journal beside the archive (the archive's
//   name + ".ripristino"), synced, and removes it once the archive is synced. An archive found with
//   a journal (power lost in the middle of an overwrite) gets the old record back before anything
//   else is done with it, and notice() tells the user;
// - an overwrite of a record that another PC changed since this program loaded it (see remember)
//   is refused with changedElsewhere(), so that the user chooses between the two;
// - an archive left with an incomplete record at its end (a crash or a full disk in the middle of
//   a save, by this or an older program) is mended by the next append: the incomplete bytes are
//   moved to a side file beside the archive, the archive is cut back to its whole records, and the
//   caller gets a notice that tells the user where they went. Whole records are never touched.
//   Should the append itself then fail, the end is put back and the side file removed: a failed
//   append leaves the archive as it was.

#include "data/Message.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class RecordFile;
namespace SafeWrite {
class Lock;
}

class RecordArchive {
public:
    RecordArchive(const QString& path, int recordSize);

    // The number of whole records.
    std::optional<qint64> count();
    // Record n (1-based), remembered as loaded.
    std::optional<QByteArray> read(qint64 n);
    // Appends the record and gives its new number (the former count + 1). Several whole records
    // in one block go in under one lock and one sync, and the number given is the last one's.
    std::optional<qint64> append(const QByteArray& record);
    // Appends count records that make(i) gives one at a time (i from 0), under one lock and one
    // sync, never holding them all in memory; gives the last one's number. A failure leaves the
    // archive as it was. The records are not remembered as loaded: no editor shows them yet.
    std::optional<qint64> append(qint64 count, const std::function<QByteArray(qint64)>& make);

    enum class Check {
        Loaded, // refuse when the stored record is no longer the one last loaded or written here
        None,   // overwrite whatever is stored (the user chose to)
    };
    // Overwrites record n. A number without a record behind it is refused: writing there would
    // either leave a gap or file the record under another number than the one shown.
    bool overwrite(qint64 n, const QByteArray& record, Check check = Check::Loaded);

    QString errorString() const { return m_error; }
    // After a command that mended the archive (an incomplete end moved aside, an interrupted
    // overwrite undone): the information for the user. Empty otherwise.
    Message notice() const;

    // After a failed write: another instance held the archive for longer than the wait.
    bool busy() const { return m_busy; }
    // The computer named in that instance's lock file (empty when unknown).
    QString busyHost() const { return m_busyHost; }
    // After a refused overwrite: the record as stored now, which another PC saved after this
    // program loaded it. It is remembered as loaded, so that overwriting it is a choice.
    bool changedElsewhere() const { return m_changedElsewhere; }
    QByteArray stored() const { return m_stored; }

    // What two records must share to count as the same (their field values; the bytes after each
    // value carry no meaning). Bytes are compared when not set.
    void setSameRecord(std::function<bool(const QByteArray&, const QByteArray&)> same);

    // Records that record n of the archive at path was shown to the user with these bytes. The
    // lists call it for the record they hand to an editor; read, append and overwrite do it too.
    static void remember(const QString& path, qint64 n, const QByteArray& bytes);

    // The side file that takes the incomplete end of path, named after the archive and the moment.
    static QString sideFileName(const QString& path);
    // The journal of an overwrite in progress, and the one of a batch append in progress.
    static QString journalName(const QString& path);
    static QString batchJournalName(const QString& path);
    // True when an interrupted write left something to put right before the archive is read.
    static bool needsRecovery(const QString& path);
    // The warning for an archive on a share whose client let another PC write where this one had
    // just saved: the folder, and what to do.
    static Message unsafeShareMessage(const QString& path);

    // Puts back the record of an overwrite cut short, if path has a journal; the information for
    // the user when a record was put back. Readers that do not go through this class call it first.
    // A batch append cut short is taken off whole.
    static std::optional<Message> recover(const QString& path, int recordSize, QString* error = nullptr);

    // The questions the editors ask: another PC holds the archive (buttons "Riprova", "Annulla"), and
    // another PC changed the record (buttons "Ricarica", "Sovrascrivi", "Annulla").
    static Message busyQuestion(const QString& host);
    static Message changedQuestion();
    enum Choice { Retry = 0, Reload = 0, Overwrite = 1 };

private:
    bool fail(const QString& why);
    // Takes the archive's lock; false (with busy() or errorString()) when it cannot be had.
    bool lock(std::unique_ptr<SafeWrite::Lock>& held);
    // Under the lock: recover() with its notice kept for the user.
    bool recoverHere();
    // The start of every append: the lock taken, an interrupted overwrite finished and the archive
    // opened. False, with the failure kept, when a step fails.
    bool openForAppend(std::unique_ptr<SafeWrite::Lock>& held, RecordFile& file);
    bool moveTail(RecordFile& file, QByteArray& tail, QString& sidePath);
    bool writeJournal(qint64 n, const QByteArray& old);
    bool writeBatchJournal(qint64 before, qint64 count);
    bool writeJournalFile(const QString& journal, const QByteArray& bytes);
    static std::optional<Message> recoverBatch(const QString& path, int recordSize, QString* error);
    // Whether the archive, read back past every cache, holds record (one or more whole records) as
    // its records ending at n.
    bool holds(RecordFile& file, qint64 n, const QByteArray& record);
    void tellUnsafeShare();

    QString m_path;
    int m_recordSize;
    QString m_error;
    Message m_notice;    // of the last append
    Message m_recovered; // an interrupted overwrite undone by this object
    bool m_busy = false;
    QString m_busyHost;
    bool m_changedElsewhere = false;
    QByteArray m_stored;
    std::function<bool(const QByteArray&, const QByteArray&)> m_same;
};
