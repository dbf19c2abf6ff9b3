#pragma once
// What every write of a stored file shares, so that a failure (full disk, failed write or sync, a
// crash, two offices saving at once) never loses what was already stored:
// - a lock beside the file, held for the whole read-change-write of one command;
// - a sync to disk that counts as part of the write;
// - the whole-file replacement of the settings and password files.

#include <QByteArray>
#include <QLockFile>
#include <QString>

#include <memory>

class QFileDevice;

namespace SafeWrite {

// An exclusive lock on path, held while the object lives: the lock file path + ".lock" beside it.
// Other instances of the program wait for it up to a bounded time.
class Lock {
public:
    explicit Lock(const QString& path);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // False when another instance holds the lock for longer than the wait. A folder that refuses
    // the lock file (read-only, where only the file itself may be written) is not a failure: then
    // no other instance can take the lock either, and the write goes ahead without it.
    bool acquire();
    QString errorString() const { return m_error; }

    // Test hook: the wait for a lock held elsewhere, in milliseconds (0 restores the default).
    static void setTimeout(int milliseconds);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QString m_error;
};

// Flushes Qt's buffer and the system's cache of an open file to the disk; false when either fails.
bool sync(QFileDevice& file);
// Makes a file's new name (created or renamed into place) durable in its folder. Best effort: some
// file systems cannot sync a folder, and the file's own content is already on disk.
void syncFolderOf(const QString& path);

// Replaces the whole content of path by bytes. old is what the file held before (empty when it did
// not exist, existed then tells). The new content goes to a temporary file beside it, synced, and
// takes the file's place only when every write, the flush and the sync succeeded. Where the folder
// refuses a temporary file but the file itself is writable, it is written in place; should that
// fail, the old bytes are written back. On failure errorString (optional) tells why.
bool replaceFile(const QString& path, const QByteArray& bytes, const QByteArray& old, bool existed,
                 QString* errorString = nullptr);

} // namespace SafeWrite
