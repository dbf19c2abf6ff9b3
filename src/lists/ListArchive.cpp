#include "lists/ListArchive.h"

#include "data/CodePage.h"
#include "data/RecordEditor.h"
#include "data/RecordArchive.h"
#include "data/RecordLayout.h"
#include "lists/ListFind.h"
#include "lists/ListLines.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <thread>
#include <vector>

namespace ListArchive {

namespace {

// About a megabyte and a half per read: few system calls, little memory.
constexpr qint64 kBlockBytes = 1536 * 1024;

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

using LineOf = QString (*)(const char*);
using AppendLine = void (*)(LineList::Part&, const char*);

void recoverFirst(const QString& path, int recordSize);

// Lines of the records that keep(part, record) accepts, sorted; kept (optional) tells how many parts
// they come from.
Lines collect(const QString& path, int recordSize, AppendLine append, qsizetype maxLength,
              const std::function<bool(int, const char*)>& keep, int* kept = nullptr)
{
    recoverFirst(path, recordSize);
    // Room for every record's line in one mapping, each part's from its own start: room never
    // filled is never touched.
    const qint64 records = QFileInfo(path).size() / recordSize;
    std::array<LineList::Part, kMaxParts> parts;
    Lines result;
    result.lines.split(parts, partSizes(records, splitParts(records)), maxLength);
    const Split read = scanSplit(
        path, recordSize,
        [&](int part, const char* record) {
            if (keep(part, record))
                append(parts[size_t(part)], record);
        },
        kMaxParts, records);
    result.ok = read.ok;
    result.tail = read.tail;
    result.lines.join(parts, read.keep);
    result.lines.sort();
    if (kept)
        *kept = read.keep;
    return result;
}

Lines search(const QString& path, const RecordLayout& layout, AppendLine line, qsizetype maxLength,
             std::span<const Criterion> criteria)
{
    const int count = countCriteria(criteria);
    struct Compiled {
        int field;
        QByteArray key;
    };
    // The criteria are compared as the archive stores text, so that no record is decoded to be
    // tested. A criterion holding a character the code page cannot store occurs in no field.
    std::vector<Compiled> keys;
    for (const Criterion& criterion : criteria) {
        const QString lower = CodePage::lowerAscii(criterion.text);
        const QByteArray bytes = CodePage::encode(lower);
        if (!lower.isEmpty() && CodePage::decode(bytes) == lower) // an empty criterion never occurs
            keys.push_back({ListLines::field(layout, criterion.field), bytes});
    }
    return collect(path, layout.size(), line, maxLength, [&](int, const char* record) {
        int score = 0;
        for (const Compiled& key : keys)
            if (ListLines::fieldContains(layout, record, key.field, key.key))
                ++score;
        return score >= count;
    });
}

Match last(const QString& path, const RecordLayout& layout, LineOf line, const QString& chosen)
{
    Match match;
    const QString wanted = CodePage::trimmed(chosen);
    match.ok = scan(path, layout.size(), [&](const char* record, qint64 number) {
        if (CodePage::trimmed(line(record)) == wanted) {
            match.position = number;
            match.record = QByteArray(record, layout.size());
        }
        return true;
    });
    // The record goes to an editor: its next save checks that nobody changed it meanwhile.
    if (match.position > 0)
        RecordArchive::remember(path, match.position, match.record);
    return match;
}

// An overwrite or a batch cut short (a journal beside the archive) is undone before the archive is
// read.
void recoverFirst(const QString& path, int recordSize)
{
    if (RecordArchive::needsRecovery(path))
        RecordArchive(path, recordSize).count();
}

} // namespace

QString accessText()
{
    return RecordEditor::accessText();
}

bool scan(const QString& path, int recordSize, const std::function<bool(const char*, qint64)>& visit, QString* error)
{
    recoverFirst(path, recordSize);
    QFile file(path);
    // Read and write, as every command opens an archive; a missing one is created, an existing one
    // never replaced.
    const bool exists = QFileInfo::exists(path);
    if (!file.open(exists ? QIODevice::ReadWrite : (QIODevice::ReadWrite | QIODevice::NewOnly)))
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
        // Opened as scan opens it: a missing archive is created, an existing one never replaced.
        QFile file(path);
        const bool exists = QFileInfo::exists(path);
        if (!file.open(exists ? QIODevice::ReadWrite : (QIODevice::ReadWrite | QIODevice::NewOnly))) {
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

namespace {

template <class Char> QDate parseDate(const Char* text, qsizetype length)
{
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int part = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned>(text[i]);
        if (c == '/') {
            if (++part > 2)
                return {};
        } else if (c >= '0' && c <= '9') {
            if (++digits[part] > 4)
                return {};
            parts[part] = parts[part] * 10 + int(c - '0');
        } else {
            return {};
        }
    }
    if (part != 2 || digits[0] < 1 || digits[0] > 2 || digits[1] < 1 || digits[1] > 2 || digits[2] != 4)
        return {};
    return QDate(parts[2], parts[1], parts[0]); // invalid for 31/04 and the like
}

} // namespace

QDate dueDate(QStringView text)
{
    text = text.trimmed();
    return parseDate(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

Lines unpaidSlips(const QString& path)
{
    static const int paid = ListLines::field(SlipRecord::layout(), "Saldato");
    return collect(
        path, SlipRecord::kSize, ListLines::appendSlipLine, ListLines::slipLineMax(),
        [](int, const char* record) { return ListLines::fieldIs(SlipRecord::layout(), record, paid, "No"); });
}

Lines expiredSlips(const QString& path, const QDate& today)
{
    static const int paid = ListLines::field(SlipRecord::layout(), "Saldato");
    static const int due = ListLines::field(SlipRecord::layout(), "DataScade");
    std::array<int, kMaxParts> unreadable{};
    int kept = 0;
    Lines result = collect(
        path, SlipRecord::kSize, ListLines::appendSlipLine, ListLines::slipLineMax(),
        [&](int part, const char* record) {
            if (!ListLines::fieldIs(SlipRecord::layout(), record, paid, "No"))
                return false;
            const auto [text, length] = ListLines::fieldBytes(SlipRecord::layout(), record, due);
            const QDate date = parseDate(text, length);
            if (!date.isValid()) {
                ++unreadable[size_t(part)];
                return false;
            }
            return date <= today;
        },
        &kept);
    // Only the parts kept count: their slips are the ones the list was made of.
    for (int part = 0; part < kept; ++part)
        result.unreadable += unreadable[size_t(part)];
    return result;
}

int countCriteria(std::span<const Criterion> criteria)
{
    int count = 0;
    for (const Criterion& criterion : criteria)
        if (!CodePage::trimmed(criterion.text).isEmpty())
            ++count;
    return count;
}

Lines searchSlips(const QString& path, std::span<const Criterion> criteria)
{
    return search(path, SlipRecord::layout(), ListLines::appendSlipLine, ListLines::slipLineMax(), criteria);
}

Lines searchPayers(const QString& path, std::span<const Criterion> criteria)
{
    return search(path, PayerRecord::layout(), ListLines::appendPayerLine, ListLines::payerLineMax(), criteria);
}

Lines recontactPayers(const QString& path)
{
    static const int flag = ListLines::field(PayerRecord::layout(), "Ricontatta");
    return collect(
        path, PayerRecord::kSize, ListLines::appendPayerLine, ListLines::payerLineMax(),
        [](int, const char* record) { return ListLines::fieldIs(PayerRecord::layout(), record, flag, "S\xec"); });
}

Match lastSlip(const QString& path, const QString& line)
{
    return last(path, SlipRecord::layout(), ListLines::slipLine, line);
}

Match lastPayer(const QString& path, const QString& line)
{
    return last(path, PayerRecord::layout(), ListLines::payerLine, line);
}

} // namespace ListArchive
