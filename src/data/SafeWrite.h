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
// - the lock file path + ".lock" beside it, created only where none exists. The file server decides
//   that creation for every client, whatever the client's caches, so it is what keeps two PCs apart
//   on a share reached through a FUSE client (an SMB or SFTP mount), where the system's locks are
//   seen by this computer alone. It also names the holder (process, host) for the user;
// - a lock of the operating system on the file itself, which a kernel client of NFS or SMB has the
//   server arbitrate for every client.
// A lock file is taken over only when nobody holds the file's own lock and the file has not been
// written for a while by the clock of the folder it lies in (the time a file just created there
// gets), never by this computer's clock: the clocks of two PCs on one share may be minutes apart.
// Its age is read from the file server, past the client's cache. A holder that keeps the lock for
// long (a batch of slips) shows that it is alive with keepAlive().
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

    // While held: writes the lock file again, so that its time on the file server shows the other
    // PCs that the holder is alive. Cheap to call often: it writes at most once a second.
    void keepAlive();

    // How the lock is taken in the folder of path. Where the file system's client creates a lock
    // file that another PC has just created instead of refusing it (smbnetfs), the lock is a folder
    // (path + ".lock.d"), which every client tried has the server create once only; the lock file
    // then only names the holder.
    enum class Kind { File, Folder };
    static Kind kindFor(const QString& path);
    // The file system client of the folder of path as the system names it ("ext4", "cifs",
    // "fuse.sshfs", ...); empty when unknown.
    static QString clientOf(const QString& path);

    // Test hooks: the wait for a lock held elsewhere, in milliseconds (0 restores the default), and
    // the age from which a lock file nobody holds is taken over (0 restores the default).
    static void setTimeout(int milliseconds);
    static void setStaleAge(int milliseconds);

private:
    void giveOthersTheirTurn();
    bool staleCheckDue();
    bool lockFile();
    bool lockFolder();
    void writeHolder();
    bool takeOverFolderIfStale();
    void releaseFolder();
    bool lockItself();
    bool takeOverIfStale();
    void release();
    void removeOwnLockFile();

    QString m_path;
    QString m_lockPath;
    QString m_folderPath;
    bool m_createMissing;
    Kind m_kind;
    bool m_holdsFolder = false;
    QByteArray m_holderContent;
    std::unique_ptr<QLockFile> m_lock;
    bool m_holdsFile = false;
    int m_fd = -1;
    qint64 m_clockOffset = 0; // the folder's clock minus this computer's, in ms
    bool m_clockKnown = false;
    int m_refusals = 0; // creations refused while no lock file could be seen
    qint64 m_lastAlive = 0;
    qint64 m_acquiredAt = 0;
    qint64 m_lastStaleCheck = 0;
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

// The size of the open file fd as the file server has it now, asked past the attributes a network
// client keeps (an SMB or SFTP client may show another PC's append only seconds later); nothing
// when the system cannot tell.
std::optional<qint64> freshSize(int fd);
// Drops what the system keeps in memory of fd's content, so that the next read asks the disk or
// the file server: what another PC wrote meanwhile is read, not what this one remembers.
void dropCachedContent(int fd);

// A warning for the user when the folder is reached through a network client with which several
// PCs saving at once have not been proven safe (a FUSE client other than sshfs and smbnetfs: the
// kernel's own NFS and SMB clients and local disks are safe); empty otherwise.
QString untestedShareWarning(const QString& folder);

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
