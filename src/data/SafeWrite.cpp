#include "data/SafeWrite.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeWrite {
namespace {
constexpr int kDefaultTimeout = 10000;
// A save holds its lock for milliseconds; a lock file this old that nobody's file lock backs is
// left by an instance that died (a PC switched off in the middle of a save).
constexpr int kDefaultStaleAge = 5000;
int g_timeout = kDefaultTimeout;
int g_staleAge = kDefaultStaleAge;
// A wait this long is shown to the user.
constexpr int kShowWaitAfter = 300;
std::function<void(bool, const QString&)> g_waitHandler;

// The file's own lock is one byte far past any data: a file server that enforces byte-range locks
// (SMB does) then never refuses the reads and writes of the records themselves, while every client
// asking for the same byte is made to wait. An open-file-description lock belongs to this open
// file, not to the process, so closing another handle of the archive never drops it.
constexpr off_t kLockByte = off_t(0x7fffffff00000000LL);

struct flock lockRange(short type)
{
    struct flock range = {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = kLockByte;
    range.l_len = 1;
    return range;
}

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 mtimeMs(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
}

} // namespace

void setWaitHandler(std::function<void(bool waiting, const QString& host)> handler)
{
    g_waitHandler = std::move(handler);
}

QString waitText(const QString& host)
{
    return host.isEmpty() ? QStringLiteral("Attendere: l'archivio \u00e8 in uso da un'altra postazione...")
                          : QStringLiteral("Attendere: l'archivio \u00e8 in uso dalla postazione %1...").arg(host);
}

std::optional<qint64> folderClock(const QString& path)
{
    // A name of the lock files' family, so that it is known for what it is should it ever stay.
    QTemporaryFile probe(path + QStringLiteral(".lock.clock-XXXXXX"));
    if (!probe.open())
        return std::nullopt;
    // The time set by the file system itself: on a network share, the server's clock.
    struct stat st;
    if (::futimens(probe.handle(), nullptr) != 0 || ::fstat(probe.handle(), &st) != 0)
        return std::nullopt;
    return mtimeMs(st);
}

Lock::Lock(const QString& path, bool createMissing)
    : m_path(path)
    , m_lockPath(path + QStringLiteral(".lock"))
    , m_createMissing(createMissing)
    , m_lock(std::make_unique<QLockFile>(m_lockPath))
{
    // Qt would judge another host's lock file by its age against this computer's clock; the age is
    // judged here instead, against the folder's clock and only when nobody holds the file's lock.
    m_lock->setStaleLockTime(0);
}

Lock::~Lock()
{
    release();
}

void Lock::release()
{
    // The lock file goes first, while the file's own lock still shows the holder alive: a waiter
    // never sees a lock file without a live holder and takes it for stale.
    m_lock->unlock();
    if (m_fd >= 0) {
        ::close(m_fd); // drops the file's lock
        m_fd = -1;
    }
}

void Lock::setTimeout(int milliseconds)
{
    g_timeout = milliseconds > 0 ? milliseconds : kDefaultTimeout;
}

void Lock::setStaleAge(int milliseconds)
{
    g_staleAge = milliseconds > 0 ? milliseconds : kDefaultStaleAge;
}

namespace {

// True when some open file holds the lock byte of fd's file (another instance in the middle of a
// write); false when free or when the system cannot tell.
bool heldElsewhere(int fd)
{
    struct flock probe = lockRange(F_WRLCK);
    return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

int openForLock(const QString& path, bool create)
{
    const QByteArray name = QFile::encodeName(path);
    int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(name.constData(), flags | (create ? O_CREAT : 0), 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW); // a read lock still waits for writers
    return fd;
}

} // namespace

bool Lock::takeOverIfStale()
{
    // Someone in the middle of a write holds the file's own lock: alive, whatever its lock file says.
    const int fd = openForLock(m_path, false);
    if (fd >= 0) {
        const bool held = heldElsewhere(fd);
        ::close(fd);
        if (held)
            return false;
    }
    struct stat st;
    if (::stat(QFile::encodeName(m_lockPath).constData(), &st) != 0)
        return false; // gone: try again at once
    if (!m_clockKnown) {
        const std::optional<qint64> folder = folderClock(m_path);
        if (!folder)
            return false; // no clock to judge by: never taken over
        m_clockOffset = *folder - nowMs();
        m_clockKnown = true;
    }
    const qint64 age = nowMs() + m_clockOffset - mtimeMs(st);
    if (age < g_staleAge)
        return false;
    // Under a second lock, so that two waiters never remove each other's fresh lock; checked again
    // under it, since another waiter may have taken over in between.
    QLockFile removal(m_lockPath + QStringLiteral(".rmlock"));
    removal.setStaleLockTime(0);
    if (!removal.tryLock(0))
        return false;
    struct stat again;
    if (::stat(QFile::encodeName(m_lockPath).constData(), &again) != 0 || again.st_ino != st.st_ino
        || mtimeMs(again) != mtimeMs(st))
        return false;
    return m_lock->removeStaleLockFile();
}

bool Lock::lockFile()
{
    if (m_lock->tryLock(0))
        return true;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError: break;
    case QLockFile::PermissionError: return true; // the folder takes no lock file: nobody can hold one
    default: m_error = QStringLiteral("the lock file cannot be created"); return false;
    }
    if (m_holderHost.isEmpty()) {
        qint64 pid = 0;
        QString app;
        m_lock->getLockInfo(&pid, &m_holderHost, &app);
    }
    takeOverIfStale();
    return false;
}

bool Lock::lockItself()
{
    if (m_fd < 0) {
        m_fd = openForLock(m_path, m_createMissing);
        if (m_fd < 0)
            return true; // a missing file that is not to be created: the lock file guards it
    }
    struct flock range = lockRange(F_WRLCK);
    bool locked = ::fcntl(m_fd, F_OFD_SETLK, &range) == 0;
    if (!locked && errno == EBADF) { // opened for reading only: a shared lock still keeps out every writer
        range = lockRange(F_RDLCK);
        locked = ::fcntl(m_fd, F_OFD_SETLK, &range) == 0;
    }
    if (!locked)
        return errno != EAGAIN && errno != EACCES; // else a file system without locks: the lock file is all
    // A file replaced as a whole (the settings) may have been renamed over while this waited: the
    // lock must be on the file that now bears the name.
    struct stat mine, named;
    if (::fstat(m_fd, &mine) == 0 && ::stat(QFile::encodeName(m_path).constData(), &named) == 0
        && (mine.st_ino != named.st_ino || mine.st_dev != named.st_dev)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    return true;
}

bool Lock::acquire()
{
    m_error.clear();
    m_busy = false;
    m_holderHost.clear();
    // QLockFile's own wait sleeps longer and longer (100 ms, 200 ms, ...); a save holds the lock for
    // a few milliseconds, so waiters try again often instead.
    QElapsedTimer waited;
    waited.start();
    bool shown = false;
    bool haveFile = false;
    const auto stopShowing = [&shown] {
        if (shown && g_waitHandler)
            g_waitHandler(false, {});
        shown = false;
    };
    for (;;) {
        if (!haveFile) {
            haveFile = lockFile();
            if (!haveFile && !m_error.isEmpty()) {
                stopShowing();
                return false;
            }
        }
        if (haveFile && lockItself()) {
            stopShowing();
            return true;
        }
        if (waited.elapsed() >= g_timeout) {
            stopShowing();
            release();
            m_busy = true;
            m_error = QStringLiteral("the file is being written by another instance");
            return false;
        }
        if (!shown && waited.elapsed() >= kShowWaitAfter && g_waitHandler) {
            shown = true;
            g_waitHandler(true, m_holderHost);
        }
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

bool isLink(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

namespace {

// Puts the old bytes back into a file that was written in place.
void restore(const QString& path, const QByteArray& old)
{
    if (isLink(path))
        return;
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

// A link in the file's place: QSaveFile would write the file the link points to. A new file is
// written beside it and renamed over the link, which replaces the link itself.
bool replaceLink(const QString& path, const QByteArray& bytes, QString& error)
{
    QTemporaryFile out(path + QStringLiteral(".XXXXXX"));
    if (!out.open()) {
        error = out.errorString();
        return false;
    }
    if (out.write(bytes) != bytes.size() || !sync(out)) {
        error = out.errorString();
        return false;
    }
    if (::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    out.setAutoRemove(false);
    syncFolderOf(path);
    return true;
}

} // namespace

bool replaceFile(const QString& path, const QByteArray& bytes, const QByteArray& old, bool existed,
                 QString* errorString)
{
    QString error;
    if (isLink(path)) {
        if (replaceLink(path, bytes, error))
            return true;
        if (errorString)
            *errorString = error.isEmpty() ? QStringLiteral("write failed") : error;
        return false;
    }
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
