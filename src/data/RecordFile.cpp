#include "data/RecordFile.h"

#include <QFileInfo>

RecordFile::RecordFile(int recordSize)
    : m_recordSize(recordSize)
{
}

RecordFile::~RecordFile() { close(); }

bool RecordFile::fail(const QString& why)
{
    m_error = why;
    return false;
}

bool RecordFile::open(const QString& path)
{
    close();
    m_error.clear();
    m_position = 0;
    m_file.setFileName(path);
    // ReadWrite alone never truncates; NewOnly creates only a file that is not there, so an existing
    // archive that cannot be opened is never replaced by an empty one.
    const bool exists = QFileInfo::exists(path);
    const QIODevice::OpenMode mode = exists ? QIODevice::ReadWrite : (QIODevice::ReadWrite | QIODevice::NewOnly);
    if (!m_file.open(mode))
        return fail(m_file.errorString());
    return true;
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

qint64 RecordFile::count() const { return m_file.isOpen() ? m_file.size() / m_recordSize : 0; }

bool RecordFile::hasIncompleteTail() const { return m_file.isOpen() && m_file.size() % m_recordSize != 0; }

bool RecordFile::seek(qint64 n)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (n < 1 || n > count() + 1)
        return fail(QStringLiteral("record %1 out of range").arg(n));
    if (!m_file.seek((n - 1) * m_recordSize))
        return fail(m_file.errorString());
    m_position = n - 1;
    return true;
}

bool RecordFile::read(QByteArray& record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (m_position >= count())
        return fail(QStringLiteral("read past the last whole record"));
    if (!m_file.seek(m_position * m_recordSize))
        return fail(m_file.errorString());
    QByteArray bytes = m_file.read(m_recordSize);
    if (bytes.size() != m_recordSize)
        return fail(m_file.errorString());
    record = bytes;
    ++m_position;
    return true;
}

bool RecordFile::write(const QByteArray& record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (record.size() != m_recordSize)
        return fail(QStringLiteral("record of the wrong size"));
    if (m_position >= count() && hasIncompleteTail())
        return fail(QStringLiteral("the file ends with an incomplete record"));
    if (!m_file.seek(m_position * m_recordSize))
        return fail(m_file.errorString());
    if (m_file.write(record) != m_recordSize || !m_file.flush())
        return fail(m_file.errorString());
    ++m_position;
    return true;
}
