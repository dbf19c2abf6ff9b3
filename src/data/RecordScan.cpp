#include "data/RecordScan.h"

#include "data/CodePage.h"
#include "data/RecordArchive.h"
#include "data/RecordFile.h"

#include <QFile>
#include <thread>
#include <vector>

namespace RecordScan {

namespace {

// About a megabyte and a half per read: few system calls, little memory.
constexpr qint64 kBlockBytes = 1536 * 1024;

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

void recoverFirst(const QString& path, int recordSize)
{
    if (RecordArchive::needsRecovery(path))
        RecordArchive(path, recordSize).count();
}

bool scan(const QString& path, int recordSize, const std::function<bool(const char*, qint64)>& visit, QString* error)
{
    recoverFirst(path, recordSize);
    QFile file(path);
    // Read and write, as every command opens an archive.
    if (!RecordFile::openOrCreate(file, QIODevice::ReadWrite))
        return fail(error, file.errorString());
    const qint64 perBlock = std::max<qint64>(1, kBlockBytes / recordSize);
    QByteArray block(perBlock * recordSize, Qt::Uninitialized);
    qint64 number = 0;
    for (;;) {
        const qint64 got = file.read(block.data(), block.size());
        if (got < 0)
            return fail(error, file.errorString());
        const qint64 whole = got / recordSize;
        for (qint64 i = 0; i < whole; ++i)
            if (!visit(block.constData() + i * recordSize, ++number))
                return true;
        // A short block is the end of the file; what follows its whole records is an incomplete one.
        if (got < block.size())
            return true;
    }
}

namespace {
qint64 g_splitFrom = 0;
} // namespace

void setSplitFrom(qint64 records)
{
    g_splitFrom = records;
}

std::array<qsizetype, kMaxParts> partSizes(qint64 records, int parts)
{
    std::array<qsizetype, kMaxParts> sizes{};
    for (int part = 0; part < parts; ++part)
        sizes[size_t(part)] = records * (part + 1) / parts - records * part / parts;
    return sizes;
}

int splitParts(qint64 records, int maxParts)
{
    // Below this a second thread costs more than it saves.
    constexpr qint64 kSplitFrom = 20000;
    const bool split =
        g_splitFrom > 0 ? records >= g_splitFrom : records >= kSplitFrom && std::thread::hardware_concurrency() > 1;
    return maxParts > 1 && split ? std::min(maxParts, kMaxParts) : 1;
}

Split scanSplit(const QString& path, int recordSize, const std::function<void(int, const char*)>& visit, int maxParts,
                qint64 limit)
{
    Split result;
    qint64 size = 0;
    recoverFirst(path, recordSize);
    {
        // Opened as scan opens it.
        QFile file(path);
        if (!RecordFile::openOrCreate(file, QIODevice::ReadWrite)) {
            result.ok = false;
            result.error = file.errorString();
            return result;
        }
        size = file.size();
    }
    result.size = size;
    // The caller's count decides the parts, so that they hold what it made room for; a file that
    // turned out shorter fails in its last part.
    const qint64 records = limit >= 0 ? limit : size / recordSize;
    result.parts = splitParts(records, maxParts);

    struct Range {
        qint64 first = 0;
        qint64 end = 0;
        bool ok = true;
        QString error;
        qint64 read = 0;
    };
    std::array<Range, kMaxParts> ranges;
    for (int part = 0; part < result.parts; ++part)
        ranges[size_t(part)] = {records * part / result.parts, records * (part + 1) / result.parts, true, {}, 0};
    const auto readRange = [&](int part) {
        Range& range = ranges[size_t(part)];
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(range.first * recordSize)) {
            range.ok = false;
            range.error = file.errorString();
            return;
        }
        const qint64 perBlock = std::max<qint64>(1, kBlockBytes / recordSize);
        QByteArray block(perBlock * recordSize, Qt::Uninitialized);
        for (qint64 at = range.first; at < range.end;) {
            const qint64 want = std::min(perBlock, range.end - at) * recordSize;
            const qint64 got = file.read(block.data(), want);
            for (qint64 i = 0; i < std::max<qint64>(got, 0) / recordSize; ++i) {
                visit(part, block.constData() + i * recordSize);
                ++range.read;
            }
            if (got != want) {
                range.ok = false;
                range.error = got < 0 ? file.errorString() : QStringLiteral("archive shorter than expected");
                return;
            }
            at += got / recordSize;
        }
    };
    std::vector<std::thread> others;
    for (int part = 1; part < result.parts; ++part)
        others.emplace_back(readRange, part);
    readRange(0);
    for (std::thread& other : others)
        other.join();

    result.keep = result.parts;
    for (int part = 0; part < result.parts; ++part) {
        result.read += ranges[size_t(part)].read;
        if (!ranges[size_t(part)].ok) {
            result.ok = false;
            result.error = ranges[size_t(part)].error;
            result.keep = part + 1;
            return result;
        }
    }
    result.tail = size % recordSize != 0 && records == size / recordSize;
    return result;
}

int field(const RecordLayout& layout, const char* name)
{
    const int index = layout.indexOf(name);
    Q_ASSERT(index >= 0);
    return index;
}

QString fieldText(const RecordLayout& layout, const char* record, int index)
{
    const auto [text, length] = fieldBytes(layout, record, index);
    QString value(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        value[i] = CodePage::decodeByte(text[i]);
    return value;
}

bool fieldIs(const RecordLayout& layout, const char* record, int index, std::string_view bytes)
{
    const auto [text, length] = fieldBytes(layout, record, index);
    return size_t(length) == bytes.size()
        && std::equal(bytes.begin(), bytes.end(), text, [](char a, unsigned char b) { return (unsigned char)a == b; });
}

int countCriteria(std::span<const Criterion> criteria)
{
    int count = 0;
    for (const Criterion& criterion : criteria)
        if (!CodePage::trimmed(criterion.text).isEmpty())
            ++count;
    return count;
}

} // namespace RecordScan
