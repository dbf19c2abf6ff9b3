#include "data/RecordFile.h"

#include "data/SafeWrite.h"

#include <QFileInfo>

#include <algorithm>

namespace {
RecordFile::DeviceMaker& deviceMaker()
{
    static RecordFile::DeviceMaker maker;
    return maker;
}
} // namespace

void RecordFile::setDeviceMaker(DeviceMaker maker)
{
    deviceMaker() = std::move(maker);
}

RecordFile::RecordFile(int recordSize)
    : m_recordSize(recordSize)
{}

RecordFile::~RecordFile()
{
    close();
}

bool RecordFile::fail(const QString& why)
{
    m_error = why;
    return false;
}

bool RecordFile::failed(const QString& why)
{
    const QString device = m_device->errorString();
    return fail(device.isEmpty() || device == QLatin1String("Unknown error") ? why : device);
}

bool RecordFile::open(const QString& path)
{
    close();
    m_error.clear();
    m_position = 0;
    m_file.setFileName(path);
    // Unbuffered: a write that fails says so at once, not at some later flush.
    if (!openOrCreate(m_file, QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    refreshSize();
    if (deviceMaker()) {
        m_wrapper = deviceMaker()(m_file);
        m_device = m_wrapper.get();
    }
    return true;
}

bool RecordFile::openOrCreate(QFile& file, QIODevice::OpenMode mode)
{
    // ReadWrite alone never truncates; NewOnly creates only a file that is not there, so an existing
    // archive that cannot be opened is never replaced by an empty one.
    const QString path = file.fileName();
    const bool existed = QFileInfo::exists(path);
    bool opened = existed ? file.open(mode) : file.open(mode | QIODevice::NewOnly);
    if (opened && !existed)
        SafeWrite::syncFolderOf(path);
    // Another instance may have created it in between.
    if (!opened && QFileInfo(path).isFile())
        opened = file.open(mode);
    return opened;
}

void RecordFile::refreshSize()
{
    // Asked of the file server, not of what a network client remembers: another PC may have
    // appended a moment ago.
    const std::optional<qint64> fresh = m_file.isOpen() ? SafeWrite::freshSize(m_file.handle()) : std::nullopt;
    m_size = fresh ? *fresh : (m_file.isOpen() ? m_file.size() : 0);
}

void RecordFile::forgetContent()
{
    if (m_file.isOpen())
        SafeWrite::dropCachedContent(m_file.handle());
}

void RecordFile::close()
{
    m_device = &m_file;
    m_wrapper.reset();
    if (m_file.isOpen())
        m_file.close();
    m_size = 0;
}

qint64 RecordFile::count() const
{
    return m_file.isOpen() ? m_size / m_recordSize : 0;
}

bool RecordFile::hasIncompleteTail() const
{
    return m_file.isOpen() && m_size % m_recordSize != 0;
}

bool RecordFile::seek(qint64 n)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (n < 1 || n > count() + 1)
        return fail(QStringLiteral("record %1 out of range").arg(n));
    m_position = n - 1;
    return true;
}

bool RecordFile::read(QByteArray& record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (m_position >= count())
        return fail(QStringLiteral("read past the last whole record"));
    if (!m_device->seek(m_position * m_recordSize))
        return failed(QStringLiteral("seek failed"));
    QByteArray bytes = m_device->read(m_recordSize);
    if (bytes.size() != m_recordSize)
        return failed(QStringLiteral("short read"));
    record = bytes;
    ++m_position;
    return true;
}

bool RecordFile::writeAt(qint64 offset, const QByteArray& bytes)
{
    if (!m_device->seek(offset))
        return failed(QStringLiteral("seek failed"));
    if (m_device->write(bytes) != bytes.size())
        return failed(QStringLiteral("write failed"));
    m_size = std::max<qint64>(m_size, offset + bytes.size());
    if (!SafeWrite::sync(m_file))
        return fail(QStringLiteral("sync to disk failed: ") + m_file.errorString());
    return true;
}

bool RecordFile::write(const QByteArray& record)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    const qint64 records = record.size() / m_recordSize;
    if (records < 1 || record.size() % m_recordSize != 0)
        return fail(QStringLiteral("record of the wrong size"));
    const qint64 size = m_size;
    const qint64 offset = m_position * m_recordSize;
    const bool append = m_position >= size / m_recordSize;
    if (append && size % m_recordSize != 0)
        return fail(QStringLiteral("the file ends with an incomplete record"));
    // Several records at once only at the end: a batch is appended whole or not at all.
    if (!append && records > 1)
        return fail(QStringLiteral("several records overwrite nothing"));

    QByteArray old;
    if (!append) {
        // Read before writing, so that a failed overwrite can put the old record back.
        if (!m_device->seek(offset))
            return failed(QStringLiteral("seek failed"));
        old = m_device->read(m_recordSize);
        if (old.size() != m_recordSize)
            return failed(QStringLiteral("short read"));
    }
    if (!writeAt(offset, record)) {
        // Undone on the file itself: the device may be the one that failed.
        if (append) {
            if (m_file.resize(size))
                SafeWrite::sync(m_file);
            refreshSize();
        } else if (m_file.seek(offset) && m_file.write(old) == old.size()) {
            SafeWrite::sync(m_file);
        }
        return false;
    }
    m_position += records;
    return true;
}

bool RecordFile::append(qint64 count, const Maker& make)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (count < 1)
        return fail(QStringLiteral("no records to append"));
    const qint64 size = m_size;
    if (size % m_recordSize != 0)
        return fail(QStringLiteral("the file ends with an incomplete record"));
    // Undone on the file itself: the device may be the one that failed.
    const auto undo = [this, size] {
        if (m_file.resize(size))
            SafeWrite::sync(m_file);
        refreshSize();
        return false;
    };
    if (!m_device->seek(size)) {
        failed(QStringLiteral("seek failed"));
        return undo();
    }
    // About 150 KB of slips per write: few system calls, little memory.
    constexpr qint64 kBlock = 64;
    QByteArray block;
    block.reserve(qsizetype(std::min(count, kBlock) * m_recordSize));
    for (qint64 i = 0; i < count; ++i) {
        const QByteArray record = make(i);
        if (record.size() != m_recordSize) {
            fail(QStringLiteral("record of the wrong size"));
            return undo();
        }
        block.append(record);
        if (block.size() >= kBlock * m_recordSize || i + 1 == count) {
            if (m_device->write(block) != block.size()) {
                failed(QStringLiteral("write failed"));
                return undo();
            }
            m_size += block.size();
            block.resize(0);
            if (m_progress)
                m_progress();
        }
    }
    if (!SafeWrite::sync(m_file)) {
        fail(QStringLiteral("sync to disk failed: ") + m_file.errorString());
        return undo();
    }
    m_position = size / m_recordSize + count;
    return true;
}

bool RecordFile::cutBack(qint64 records)
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    if (records < 0 || records > count())
        return fail(QStringLiteral("record %1 out of range").arg(records));
    const bool cut = m_file.resize(records * m_recordSize) && SafeWrite::sync(m_file);
    refreshSize();
    if (!cut)
        return fail(m_file.errorString());
    m_position = std::min(m_position, records);
    return true;
}

bool RecordFile::readTail(QByteArray& tail)
{
    tail.clear();
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    const qint64 whole = count() * m_recordSize;
    const qint64 size = m_size;
    if (size == whole)
        return true;
    if (!m_device->seek(whole))
        return failed(QStringLiteral("seek failed"));
    tail = m_device->read(size - whole);
    if (tail.size() != size - whole)
        return failed(QStringLiteral("short read"));
    return true;
}

bool RecordFile::dropTail()
{
    if (!m_file.isOpen())
        return fail(QStringLiteral("file not open"));
    const bool cut = m_file.resize(count() * m_recordSize) && SafeWrite::sync(m_file);
    refreshSize();
    if (!cut)
        return fail(m_file.errorString());
    return true;
}

bool RecordFile::restoreTail(const QByteArray& tail)
{
    const bool restored =
        m_file.isOpen() && m_file.seek(m_size) && m_file.write(tail) == tail.size() && SafeWrite::sync(m_file);
    refreshSize();
    return restored;
}
