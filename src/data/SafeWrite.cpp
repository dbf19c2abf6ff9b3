#include "data/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace SafeWrite {
namespace {
constexpr int kDefaultTimeout = 10000;
int g_timeout = kDefaultTimeout;
} // namespace

Lock::Lock(const QString& path)
    : m_lock(std::make_unique<QLockFile>(path + QStringLiteral(".lock")))
{
}

Lock::~Lock() = default; // QLockFile unlocks on destruction

void Lock::setTimeout(int milliseconds) { g_timeout = milliseconds > 0 ? milliseconds : kDefaultTimeout; }

bool Lock::acquire()
{
    if (m_lock->tryLock(g_timeout))
        return true;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        m_error = QStringLiteral("the file is being written by another instance");
        return false;
    case QLockFile::PermissionError:
        // The folder takes no lock file: nobody can hold one here.
        return true;
    default:
        m_error = QStringLiteral("the lock file cannot be created");
        return false;
    }
}

bool sync(QFileDevice& file)
{
    if (!file.flush())
        return false;
    return ::fdatasync(file.handle()) == 0;
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
