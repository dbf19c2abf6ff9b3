#include "data/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QThread>

#include <fcntl.h>
#include <unistd.h>

namespace SafeWrite {
namespace {
constexpr int kDefaultTimeout = 10000;
int g_timeout = kDefaultTimeout;
} // namespace

Lock::Lock(const QString& path)
    : m_path(path + QStringLiteral(".lock"))
    , m_lock(std::make_unique<QLockFile>(m_path))
{}

Lock::~Lock() = default; // QLockFile unlocks on destruction

void Lock::setTimeout(int milliseconds)
{
    g_timeout = milliseconds > 0 ? milliseconds : kDefaultTimeout;
}

namespace {

// A lock file left empty: its holder died between creating it and writing its process id into it,
// so QLockFile cannot tell that it is stale until it is very old. Past a grace time that no live
// holder needs to write a few bytes, it is removed, under a second lock so that two waiters never
// remove each other's fresh lock.
void removeIfAbandoned(const QString& lockPath)
{
    const QFileInfo info(lockPath);
    if (!info.exists() || info.size() != 0 || info.lastModified().msecsTo(QDateTime::currentDateTime()) < 2000)
        return;
    QLockFile removal(lockPath + QStringLiteral(".rmlock"));
    if (!removal.tryLock(0))
        return;
    const QFileInfo again(lockPath);
    if (again.exists() && again.size() == 0 && again.lastModified().msecsTo(QDateTime::currentDateTime()) >= 2000)
        QFile::remove(lockPath);
}

} // namespace

bool Lock::acquire()
{
    // QLockFile's own wait sleeps longer and longer (100 ms, 200 ms, ...); a save holds the lock for
    // a few milliseconds, so waiters try again often instead.
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (m_lock->tryLock(0))
            return true;
        switch (m_lock->error()) {
        case QLockFile::LockFailedError: break;
        case QLockFile::PermissionError:
            // The folder takes no lock file: nobody can hold one here.
            return true;
        default: m_error = QStringLiteral("the lock file cannot be created"); return false;
        }
        if (waited.elapsed() >= g_timeout) {
            m_error = QStringLiteral("the file is being written by another instance");
            return false;
        }
        removeIfAbandoned(m_path);
        QThread::msleep(2);
    }
}

bool sync(QFileDevice& file)
{
    if (!file.flush())
        return false;
    return ::fdatasync(file.handle()) == 0;
}

void syncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

namespace {

// Puts the old bytes back into a file that was written in place.
void restore(const QString& path, const QByteArray& old)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return;
    if (file.write(old) == old.size() && file.resize(old.size()))
        sync(file);
}

QByteArray current(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, const QByteArray& old, bool existed,
                 QString* errorString)
{
    QString error;
    {
        QSaveFile out(path);
        // Like the Windows settings functions: a folder that refuses a temporary file still lets a
        // writable file be changed.
        out.setDirectWriteFallback(true);
        if (!out.open(QIODevice::WriteOnly)) {
            error = out.errorString();
        } else {
            // Qt commits after a failed final flush and ignores a failed sync: check both first.
            const bool written = out.write(bytes) == bytes.size() && sync(out);
            if (!written) {
                error = out.errorString();
                out.cancelWriting();
            } else if (!out.commit()) {
                error = out.errorString();
            } else {
                syncFolderOf(path);
                return true;
            }
        }
    }
    // A temporary file leaves the old one as it was; a write in place must be undone.
    if (existed && QFileInfo::exists(path) && current(path) != old)
        restore(path, old);
    if (errorString)
        *errorString = error.isEmpty() ? QStringLiteral("write failed") : error;
    return false;
}

} // namespace SafeWrite
