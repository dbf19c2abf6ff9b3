#include "data/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryFile>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeWrite {
namespace {

// When this process last let go of each lock, and how long it had held it.
struct LastHold {
    qint64 released = 0;
    qint64 held = 0;
};
QHash<QString, LastHold>& lastHolds()
{
    static QHash<QString, LastHold> holds;
    return holds;
}
QMutex& lastHoldsGuard()
{
    static QMutex guard;
    return guard;
}

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

namespace {

// The attributes of an open file as the file server has them: a plain fstat may answer from what
// a FUSE client of SMB or SFTP remembers of the file for seconds.
bool freshStat(int fd, struct statx& attributes)
{
    return ::statx(fd, "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_SIZE | STATX_MTIME | STATX_INO, &attributes) == 0;
}

qint64 mtimeMs(const struct statx& attributes)
{
    return qint64(attributes.stx_mtime.tv_sec) * 1000 + attributes.stx_mtime.tv_nsec / 1000000;
}

// A lock file as found on the file server: when it was last written, what it is, and what it says.
struct LockFileState {
    qint64 written = 0;
    quint64 inode = 0;
    QByteArray content;
};

// Opening by name asks the file server whether the file is there (a client may still list a file
// another PC removed); nothing when it is not, or cannot be read.
std::optional<LockFileState> lockFileState(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    LockFileState state;
    struct statx attributes;
    bool ok = freshStat(fd, attributes);
    if (ok) {
        state.written = mtimeMs(attributes);
        state.inode = attributes.stx_ino;
        char buffer[512];
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
        ok = n >= 0;
        if (ok)
            state.content = QByteArray(buffer, qsizetype(n));
    }
    ::close(fd);
    return ok ? std::optional<LockFileState>(state) : std::nullopt;
}

// Removes a file by name, waiting a little while the file server refuses because another client
// has it open for a moment (SMB does, with EBUSY); false when it stays.
bool unlinkPatiently(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::unlink(name.constData()) == 0 || errno == ENOENT)
            return true;
        if (errno != EBUSY && errno != ETXTBSY && errno != EACCES && errno != EPERM && errno != EIO)
            return false;
        QThread::msleep(10);
    }
    return false;
}

bool removeFolderPatiently(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::rmdir(name.constData()) == 0 || errno == ENOENT)
            return true;
        if (errno != EBUSY && errno != EACCES && errno != EPERM && errno != EIO)
            return false;
        QThread::msleep(10);
    }
    return false;
}

} // namespace

std::optional<qint64> folderClock(const QString& path)
{
    // A folder of the lock files' family, so that it is known for what it is should it ever stay. A
    // folder rather than a file: an SMB client may keep a file open for a moment after it is closed,
    // and the server then refuses to remove it.
    const QString probe = path + QStringLiteral(".lock.clock-") + QString::number(QCoreApplication::applicationPid())
        + QLatin1Char('-') + QString::number(QRandomGenerator::global()->generate(), 36);
    const QByteArray name = QFile::encodeName(probe);
    if (::mkdir(name.constData(), 0700) != 0)
        return std::nullopt;
    // The time the file system gives a new folder: on a network share, the server's clock, set at the
    // creation and not sent by this computer as a touch may be.
    struct statx attributes;
    const bool known =
        ::statx(AT_FDCWD, name.constData(), AT_STATX_FORCE_SYNC | AT_SYMLINK_NOFOLLOW, STATX_MTIME, &attributes) == 0;
    removeFolderPatiently(probe);
    if (!known)
        return std::nullopt;
    return mtimeMs(attributes);
}

std::optional<qint64> freshSize(int fd)
{
    struct statx attributes;
    if (!freshStat(fd, attributes))
        return std::nullopt;
    return qint64(attributes.stx_size);
}

void dropCachedContent(int fd)
{
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
}

Lock::Lock(const QString& path, bool createMissing)
    : m_path(path)
    , m_lockPath(path + QStringLiteral(".lock"))
    , m_folderPath(path + QStringLiteral(".lock.d"))
    , m_createMissing(createMissing)
    , m_kind(kindFor(path))
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
    if (m_acquiredAt > 0) {
        const qint64 now = nowMs();
        QMutexLocker locked(&lastHoldsGuard());
        lastHolds()[m_lockPath] = {now, now - m_acquiredAt};
        m_acquiredAt = 0;
    }
    // The lock file goes first, while the file's own lock still shows the holder alive: a waiter
    // never sees a lock file without a live holder and takes it for stale.
    if (m_holdsFile)
        removeOwnLockFile();
    if (m_holdsFolder)
        releaseFolder();
    m_holdsFile = false;
    m_holdsFolder = false;
    if (m_fd >= 0) {
        ::close(m_fd); // drops the file's lock
        m_fd = -1;
    }
}

void Lock::removeOwnLockFile()
{
    const std::optional<LockFileState> mine = lockFileState(m_lockPath);
    m_lock->unlock();
    // A file server refuses to remove a file another client has open for a moment (a waiter reading
    // the holder's name): the removal is tried again, and only while the file is still this one.
    if (!mine)
        return;
    const std::optional<LockFileState> now = lockFileState(m_lockPath);
    if (now && now->content == mine->content && now->inode == mine->inode)
        unlinkPatiently(m_lockPath);
}

void Lock::keepAlive()
{
    if (!m_holdsFile && !m_holdsFolder)
        return;
    const qint64 now = nowMs();
    if (now - m_lastAlive < 1000)
        return;
    m_lastAlive = now;
    // Written again with what it holds: the file server dates the write by its own clock.
    const int fd = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return;
    char buffer[512];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    if (n > 0 && ::pwrite(fd, buffer, size_t(n), 0) == n)
        ::fdatasync(fd);
    ::close(fd);
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
    const std::optional<LockFileState> found = lockFileState(m_lockPath);
    if (!found)
        return false; // gone: try again at once
    if (!m_clockKnown) {
        const std::optional<qint64> folder = folderClock(m_path);
        if (!folder)
            return false; // no clock to judge by: never taken over
        m_clockOffset = *folder - nowMs();
        m_clockKnown = true;
    }
    const auto isOld = [this](const LockFileState& state) {
        return nowMs() + m_clockOffset - state.written >= g_staleAge;
    };
    if (!isOld(*found))
        return false;
    // Under a second lock file, so that two waiters never remove each other's fresh lock; the lock
    // file is checked again under it, since another waiter may have taken over in between. A removal
    // lock left by a waiter that died grows old in its turn, and goes.
    const QString removalPath = m_lockPath + QStringLiteral(".rmlock");
    const int removal =
        ::open(QFile::encodeName(removalPath).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (removal < 0) {
        const std::optional<LockFileState> other = lockFileState(removalPath);
        if (other && isOld(*other))
            unlinkPatiently(removalPath);
        return false;
    }
    const QByteArray who =
        QByteArray::number(QCoreApplication::applicationPid()) + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    const bool written = ::write(removal, who.constData(), size_t(who.size())) == who.size();
    ::close(removal);
    bool removed = false;
    const std::optional<LockFileState> again = lockFileState(m_lockPath);
    if (written && again && again->inode == found->inode && again->written == found->written
        && again->content == found->content)
        removed = unlinkPatiently(m_lockPath);
    unlinkPatiently(removalPath);
    return removed;
}

bool Lock::lockFile()
{
    if (m_lock->tryLock(0)) {
        m_refusals = 0;
        m_holdsFile = true;
        m_lastAlive = nowMs();
        return true;
    }
    const QLockFile::LockError error = m_lock->error();
    // A client may report a lock file that exists with another error than "exists" (an SFTP client
    // says EPERM), and may still show one that another PC has removed. Opening it by name asks the
    // server: there, it is in use; not there, the creation is tried again.
    if (error != QLockFile::LockFailedError && !lockFileState(m_lockPath)) {
        if (++m_refusals < 3)
            return false;
        if (error == QLockFile::PermissionError)
            return true; // the folder takes no lock file: nobody can hold one
        m_error = QStringLiteral("the lock file cannot be created");
        return false;
    }
    m_refusals = 0;
    if (m_holderHost.isEmpty()) {
        qint64 pid = 0;
        QString app;
        m_lock->getLockInfo(&pid, &m_holderHost, &app);
    }
    if (staleCheckDue())
        takeOverIfStale();
    return false;
}

bool Lock::staleCheckDue()
{
    // A lock is stale only after seconds: a waiter asks the server about it a few times a second, and
    // otherwise only tries to take it, so that its questions do not slow the holder down.
    const qint64 now = nowMs();
    if (m_lastStaleCheck != 0 && now - m_lastStaleCheck < 250)
        return false;
    m_lastStaleCheck = now;
    return true;
}

namespace {

// The file system client that serves path, as the system's mount table names it ("ext4", "nfs4",
// "cifs", "fuse.sshfs", "fuse.smbnetfs", ...): the entry with the longest mount point above it.
QString mountTypeOf(const QString& path)
{
    const QString where = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (where.isEmpty() || !table.open(QIODevice::ReadOnly))
        return {};
    QString best, type;
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        const int dash = int(fields.indexOf("-"));
        if (fields.size() < 5 || dash < 0 || dash + 1 >= fields.size())
            continue;
        // The mount point, with its blanks and backslashes written as octal escapes.
        QByteArray point = fields.at(4);
        point.replace("\\040", " ").replace("\\011", "\t").replace("\\134", "\\");
        const QString mount = QFile::decodeName(point);
        const bool above = where == mount || mount == QLatin1String("/") || where.startsWith(mount + QLatin1Char('/'));
        if (above && mount.size() >= best.size()) {
            best = mount;
            type = QString::fromLatin1(fields.at(dash + 1));
        }
    }
    return type;
}

bool folderExists(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0;
}

} // namespace

Lock::Kind Lock::kindFor(const QString& path)
{
    static QHash<QString, Kind> kinds;
    static QMutex guard;
    const QString folder = QFileInfo(path).absolutePath();
    QMutexLocker locked(&guard);
    const auto known = kinds.constFind(folder);
    if (known != kinds.cend())
        return *known;
    // smbnetfs creates a file that another client created a moment before instead of refusing it,
    // so that two PCs both "create" one lock file; it refuses a second folder of one name, as the
    // server decides. Every other client tried refuses the file's second creation.
    const Kind kind = mountTypeOf(path) == QLatin1String("fuse.smbnetfs") ? Kind::Folder : Kind::File;
    kinds.insert(folder, kind);
    return kind;
}

QString Lock::clientOf(const QString& path)
{
    return mountTypeOf(path);
}

QString untestedShareWarning(const QString& folder)
{
    const QString client = mountTypeOf(QDir(folder).filePath(QStringLiteral("x")));
    if (!client.startsWith(QLatin1String("fuse.")) || client == QLatin1String("fuse.sshfs")
        || client == QLatin1String("fuse.smbnetfs"))
        return {};
    return QStringLiteral(
               "Attenzione: la cartella del programma\n\r\n\r%1\n\r\n\rsi trova su un disco di rete "
               "collegato con \u00ab%2\u00bb, un programma con cui Tassella non \u00e8 stato provato: se pi\u00f9 "
               "postazioni salvano insieme nello stesso archivio, non \u00e8 garantito che nessuna scheda "
               "vada persa.\n\r\n\rPer lavorare da pi\u00f9 postazioni collegare la cartella condivisa con "
               "il client SMB o NFS del sistema, oppure con smbnetfs o sshfs. Lavorando da una postazione "
               "alla volta non c'\u00e8 alcun rischio.")
        .arg(QDir::toNativeSeparators(QDir::cleanPath(folder)), client.mid(5));
}

bool Lock::lockFolder()
{
    const QByteArray name = QFile::encodeName(m_folderPath);
    if (::mkdir(name.constData(), 0777) == 0) {
        m_refusals = 0;
        m_holdsFolder = true;
        m_lastAlive = nowMs();
        writeHolder();
        return true;
    }
    const int error = errno;
    if (error != EEXIST) {
        // A read-only folder refuses at once and for good; a file server may also refuse for a moment
        // while another PC removes its lock folder (SMB answers EIO or EBUSY then): that is a wait.
        const bool refused = error == EACCES || error == EROFS || error == EPERM;
        if (refused && !folderExists(m_folderPath) && ++m_refusals >= 3)
            return true; // the folder takes no lock: nobody can hold one
        if (!refused && error != EIO && error != EBUSY && error != EAGAIN && error != EINTR) {
            m_error = QStringLiteral("the lock folder cannot be created: ") + QString::fromLocal8Bit(strerror(error));
            return false;
        }
        return false;
    }
    m_refusals = 0;
    if (m_holderHost.isEmpty()) {
        if (const std::optional<LockFileState> holder = lockFileState(m_lockPath)) {
            const QList<QByteArray> lines = holder->content.split('\n');
            if (lines.size() >= 3)
                m_holderHost = QString::fromUtf8(lines.at(2));
        }
    }
    if (staleCheckDue())
        takeOverFolderIfStale();
    return false;
}

// The lock file beside the lock folder names the holder for the user, in the lock file's format,
// and its time shows the other PCs that the holder is alive.
void Lock::writeHolder()
{
    const QByteArray content = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n'
        + QSysInfo::machineUniqueId() + '\n';
    const int fd =
        ::open(QFile::encodeName(m_lockPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return;
    if (::write(fd, content.constData(), size_t(content.size())) == content.size())
        m_holderContent = content;
    ::close(fd);
}

namespace {

// When a lock folder was made, from the file server; nothing when it is not there.
std::optional<std::pair<qint64, quint64>> folderState(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return std::nullopt;
    struct statx attributes;
    const bool ok = freshStat(fd, attributes);
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return std::make_pair(mtimeMs(attributes), quint64(attributes.stx_ino));
}

} // namespace

bool Lock::takeOverFolderIfStale()
{
    const std::optional<std::pair<qint64, quint64>> found = folderState(m_folderPath);
    if (!found)
        return false; // gone: try again at once
    const std::optional<LockFileState> holder = lockFileState(m_lockPath);
    const qint64 lastSign = std::max(found->first, holder ? holder->written : 0);
    if (!m_clockKnown) {
        const std::optional<qint64> folder = folderClock(m_path);
        if (!folder)
            return false;
        m_clockOffset = *folder - nowMs();
        m_clockKnown = true;
    }
    if (nowMs() + m_clockOffset - lastSign < g_staleAge)
        return false;
    // A second lock folder, so that two waiters never remove each other's fresh lock; one left by a
    // waiter that died grows old in its turn, and goes.
    const QString removal = m_folderPath + QStringLiteral(".rimozione");
    if (::mkdir(QFile::encodeName(removal).constData(), 0777) != 0) {
        const std::optional<std::pair<qint64, quint64>> other = folderState(removal);
        if (other && nowMs() + m_clockOffset - other->first >= g_staleAge)
            removeFolderPatiently(removal);
        return false;
    }
    bool removed = false;
    const std::optional<std::pair<qint64, quint64>> again = folderState(m_folderPath);
    const std::optional<LockFileState> holderAgain = lockFileState(m_lockPath);
    const bool sameHolder = holder.has_value() == holderAgain.has_value()
        && (!holder || (holder->content == holderAgain->content && holder->written == holderAgain->written));
    if (again && *again == *found && sameHolder) {
        if (holder)
            unlinkPatiently(m_lockPath);
        removed = removeFolderPatiently(m_folderPath);
    }
    removeFolderPatiently(removal);
    return removed;
}

void Lock::releaseFolder()
{
    // The holder's name goes first: a waiter that sees the folder without it judges its age by the
    // folder alone.
    const std::optional<LockFileState> holder = lockFileState(m_lockPath);
    if (holder && holder->content == m_holderContent)
        unlinkPatiently(m_lockPath);
    removeFolderPatiently(m_folderPath);
}

bool Lock::lockItself()
{
    // Through smbnetfs the system's lock reaches no other PC, and the server refuses to replace a
    // file that is open (the settings are replaced whole): the lock folder is all.
    if (m_kind == Kind::Folder)
        return true;
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

void Lock::giveOthersTheirTurn()
{
    // Saves one after another (a loop, a user saving fast) would take the lock again the moment they
    // let it go, and a PC that waits on a slow share would hardly ever find it free. This process
    // leaves it free for about twice as long as it held it (at most a fifth of a second) before
    // taking it again.
    qint64 pause = 0;
    {
        QMutexLocker locked(&lastHoldsGuard());
        const auto last = lastHolds().constFind(m_lockPath);
        if (last != lastHolds().cend())
            pause = std::min<qint64>(2 * last->held, 200) - (nowMs() - last->released);
    }
    if (pause > 0)
        QThread::msleep(quint64(pause));
}

bool Lock::acquire()
{
    giveOthersTheirTurn();
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
            haveFile = m_kind == Kind::Folder ? lockFolder() : lockFile();
            if (!haveFile && !m_error.isEmpty()) {
                stopShowing();
                return false;
            }
        }
        if (haveFile && lockItself()) {
            stopShowing();
            m_acquiredAt = nowMs();
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
