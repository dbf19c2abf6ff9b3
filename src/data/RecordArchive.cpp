#include "data/RecordArchive.h"

#include "data/Platform.h"
#include "data/RecordFile.h"
#include "data/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

RecordArchive::RecordArchive(const QString& path, int recordSize)
    : m_path(path)
    , m_recordSize(recordSize)
{}

bool RecordArchive::fail(const QString& why)
{
    m_error = why;
    return false;
}

QString RecordArchive::sideFileName(const QString& path)
{
    return path + QStringLiteral(".coda-") + Clock::now().toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

std::optional<qint64> RecordArchive::count()
{
    RecordFile file(m_recordSize);
    if (!file.open(m_path)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.count();
}

std::optional<QByteArray> RecordArchive::read(qint64 n)
{
    RecordFile file(m_recordSize);
    QByteArray bytes;
    if (!file.open(m_path) || !file.seek(n) || !file.read(bytes)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return bytes;
}

// Copies the incomplete end to a new side file, synced, and only then cuts it from the archive.
bool RecordArchive::moveTail(RecordFile& file, QByteArray& tail, QString& sidePath)
{
    if (!file.readTail(tail))
        return fail(file.errorString());
    const QString base = sideFileName(m_path);
    sidePath = base;
    for (int i = 2; QFileInfo::exists(sidePath); ++i)
        sidePath = base + QLatin1Char('-') + QString::number(i);
    QFile side(sidePath);
    if (!side.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(side.errorString());
    if (side.write(tail) != tail.size() || !SafeWrite::sync(side)) {
        const QString why = side.errorString();
        side.remove();
        return fail(why);
    }
    side.close();
    SafeWrite::syncFolderOf(sidePath);
    if (!file.dropTail()) {
        const QString why = file.errorString();
        // Whatever the cut did, the archive ends as it did before.
        if (file.size() == file.count() * m_recordSize && file.restoreTail(tail))
            QFile::remove(sidePath);
        return fail(why);
    }
    m_notice = {MessageKind::Information,
                QStringLiteral("L'archivio terminava con una scheda incompleta, rimasta da un salvataggio interrotto. "
                               "I suoi %1 byte sono stati spostati nel file\n\r\n\r%2\n\r\n\rLe schede complete "
                               "dell'archivio non sono state modificate.")
                    .arg(tail.size())
                    .arg(QDir::toNativeSeparators(sidePath))};
    return true;
}

std::optional<qint64> RecordArchive::append(const QByteArray& record)
{
    m_notice = {};
    SafeWrite::Lock lock(m_path);
    if (!lock.acquire()) {
        fail(lock.errorString());
        return std::nullopt;
    }
    RecordFile file(m_recordSize);
    if (!file.open(m_path)) {
        fail(file.errorString());
        return std::nullopt;
    }
    QByteArray tail;
    QString sidePath;
    if (file.hasIncompleteTail() && !moveTail(file, tail, sidePath))
        return std::nullopt;
    // The end as found under the lock: another instance may have appended since this one counted.
    if (!file.seek(file.count() + 1) || !file.write(record)) {
        fail(file.errorString());
        if (!sidePath.isEmpty() && file.restoreTail(tail) && QFile::remove(sidePath))
            m_notice = {};
        return std::nullopt;
    }
    return file.position();
}

bool RecordArchive::overwrite(qint64 n, const QByteArray& record)
{
    SafeWrite::Lock lock(m_path);
    if (!lock.acquire())
        return fail(lock.errorString());
    RecordFile file(m_recordSize);
    if (!file.open(m_path))
        return fail(file.errorString());
    if (n < 1 || n > file.count())
        return fail(QStringLiteral("record %1 is not in the archive").arg(n));
    if (!file.seek(n) || !file.write(record))
        return fail(file.errorString());
    return true;
}
