#pragma once
// What every write of a stored file shares, so that a failure (full disk, failed write or sync, a
// crash, two offices saving at once) never loses what was already stored:
// - a lock held for the whole read-change-write of one command;
// - a sync to disk that counts as part of the write;
// - the whole-file replacement of the settings and password files, never through a link.

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QFileDevice;

namespace SafeWrite {

// An exclusive lock on path, held while the object lives. Two locks are taken, in this order:
// - the lock file path + ".lock" beside it, which names the holder (process, host) for the user
//   and keeps out older versions of the program;
// - a lock of the operating system on the file itself, which a file server (NFS, SMB) arbitrates
//   for every client whatever its clock or host name. It is what keeps two writers apart.
// A lock file is taken over only when nobody holds the file's own lock and the file is old by the
// clock of the folder it lies in (the time a file just touched there gets), never by this
// computer's clock: the clocks of two PCs on one share may be minutes apart.
class Lock {
public:
    // createMissing: a missing file is created empty so that it can be locked (the archives,
    // which the command creates anyway). Otherwise a missing file is guarded by the lock file alone.
    explicit Lock(const QString& path, bool createMissing = false);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // False when another instance holds the lock for longer than the wait (busy() then tells so and
    // holderHost() names its computer), or when a lock cannot be taken at all. A folder that refuses
    // the lock file (read-only, where only the file itself may be written) is not a failure: then no
    // other instance can take the lock file either, and the file's own lock still keeps writers apart.
    bool acquire();
    QString errorString() const { return m_error; }
    bool busy() const { return m_busy; }
    // The host name written in the other instance's lock file; empty when unknown.
    QString holderHost() const { return m_holderHost; }

    // Test hooks: the wait for a lock held elsewhere, in milliseconds (0 restores the default), and
    // the age from which a lock file nobody holds is taken over (0 restores the default).
    static void setTimeout(int milliseconds);
    static void setStaleAge(int milliseconds);

private:
    bool lockFile();
    bool lockItself();
    bool takeOverIfStale();
    void release();

    QString m_path;
    QString m_lockPath;
    bool m_createMissing;
    std::unique_ptr<QLockFile> m_lock;
    int m_fd = -1;
    qint64 m_clockOffset = 0; // the folder's clock minus this computer's, in ms
    bool m_clockKnown = false;
    bool m_busy = false;
    QString m_holderHost;
    QString m_error;
};

// Told when a write starts waiting for a lock that another instance holds (waiting true, with the
// host named in its lock file, possibly empty) and when that wait ends (waiting false). The windows
// show a busy cursor and a status text meanwhile; without a handler nothing is shown.
void setWaitHandler(std::function<void(bool waiting, const QString& host)> handler);
// The status text shown meanwhile.
QString waitText(const QString& host);

// The time on the clock of the folder that holds path, in ms since the epoch, read as the
// modification time of a file created there for the purpose; nothing when no file can be made.
std::optional<qint64> folderClock(const QString& path);

// Flushes Qt's buffer and the system's cache of an open file to the disk; false when either fails.
bool sync(QFileDevice& file);
// Makes a file's new name (created or renamed into place) durable in its folder. Best effort: some
// file systems cannot sync a folder, and the file's own content is already on disk.
void syncFolderOf(const QString& path);

// True when path is a symbolic link (to anything, or to nothing).
bool isLink(const QString& path);

// Replaces the whole content of path by bytes. old is what the file held before (empty when it did
// not exist, existed then tells). The new content goes to a temporary file beside it, synced, and
// takes the file's place only when every write, the flush and the sync succeeded. Where the folder
// refuses a temporary file but the file itself is writable, it is written in place; should that
// fail, the old bytes are written back. A link at path is replaced by the file, never written
// through. On failure errorString (optional) tells why.
bool replaceFile(const QString& path, const QByteArray& bytes, const QByteArray& old, bool existed,
                 QString* errorString = nullptr);

} // namespace SafeWrite
