#include "lists/ListArchive.h"

#include "data/CodePage.h"
#include "data/RecordEditor.h"
#include "data/RecordArchive.h"
#include "data/RecordLayout.h"
#include "windows/ListFind.h"
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

using LineOf = QString (*)(const char*);
using AppendLine = void (*)(LineList::Part&, const char*);

// Lines of the records that keep(part, record) accepts, sorted; kept (optional) tells how many parts
// they come from.
Lines collect(const QString& path, int recordSize, AppendLine append, qsizetype maxLength,
              const std::function<bool(int, const char*)>& keep, int* kept = nullptr)
{
    RecordScan::recoverFirst(path, recordSize);
    // Room for every record's line in one mapping, each part's from its own start: room never
    // filled is never touched.
    const qint64 records = QFileInfo(path).size() / recordSize;
    std::array<LineList::Part, RecordScan::kMaxParts> parts;
    Lines result;
    result.lines.split(parts, RecordScan::partSizes(records, RecordScan::splitParts(records)), maxLength);
    const RecordScan::Split read = RecordScan::scanSplit(
        path, recordSize,
        [&](int part, const char* record) {
            if (keep(part, record))
                append(parts[size_t(part)], record);
        },
        RecordScan::kMaxParts, records);
    result.ok = read.ok;
    result.tail = read.tail;
    result.lines.join(parts, read.keep);
    result.lines.sort();
    if (kept)
        *kept = read.keep;
    return result;
}

Lines search(const QString& path, const RecordLayout& layout, AppendLine line, qsizetype maxLength,
             std::span<const RecordScan::Criterion> criteria)
{
    const int count = RecordScan::countCriteria(criteria);
    struct Compiled {
        int field;
        QByteArray key;
    };
    // The criteria are compared as the archive stores text, so that no record is decoded to be
    // tested. A criterion holding a character the code page cannot store occurs in no field.
    std::vector<Compiled> keys;
    for (const RecordScan::Criterion& criterion : criteria) {
        const QString lower = CodePage::lowerAscii(criterion.text);
        const QByteArray bytes = CodePage::encode(lower);
        if (!lower.isEmpty() && CodePage::decode(bytes) == lower) // an empty criterion never occurs
            keys.push_back({RecordScan::field(layout, criterion.field), bytes});
    }
    return collect(path, layout.size(), line, maxLength, [&](int, const char* record) {
        int score = 0;
        for (const Compiled& key : keys)
            if (RecordScan::fieldContains(layout, record, key.field, key.key))
                ++score;
        return score >= count;
    });
}

Match last(const QString& path, const RecordLayout& layout, LineOf line, const QString& chosen)
{
    Match match;
    const QString wanted = CodePage::trimmed(chosen);
    match.ok = RecordScan::scan(path, layout.size(), [&](const char* record, qint64 number) {
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

} // namespace

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
    static const int paid = RecordScan::field(SlipRecord::layout(), "Saldato");
    return collect(
        path, SlipRecord::kSize, ListLines::appendSlipLine, ListLines::slipLineMax(),
        [](int, const char* record) { return RecordScan::fieldIs(SlipRecord::layout(), record, paid, "No"); });
}

Lines expiredSlips(const QString& path, const QDate& today)
{
    static const int paid = RecordScan::field(SlipRecord::layout(), "Saldato");
    static const int due = RecordScan::field(SlipRecord::layout(), "DataScade");
    std::array<int, RecordScan::kMaxParts> unreadable{};
    int kept = 0;
    Lines result = collect(
        path, SlipRecord::kSize, ListLines::appendSlipLine, ListLines::slipLineMax(),
        [&](int part, const char* record) {
            if (!RecordScan::fieldIs(SlipRecord::layout(), record, paid, "No"))
                return false;
            const auto [text, length] = RecordScan::fieldBytes(SlipRecord::layout(), record, due);
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

Lines searchSlips(const QString& path, std::span<const RecordScan::Criterion> criteria)
{
    return search(path, SlipRecord::layout(), ListLines::appendSlipLine, ListLines::slipLineMax(), criteria);
}

Lines searchPayers(const QString& path, std::span<const RecordScan::Criterion> criteria)
{
    return search(path, PayerRecord::layout(), ListLines::appendPayerLine, ListLines::payerLineMax(), criteria);
}

Lines recontactPayers(const QString& path)
{
    static const int flag = RecordScan::field(PayerRecord::layout(), "Ricontatta");
    return collect(
        path, PayerRecord::kSize, ListLines::appendPayerLine, ListLines::payerLineMax(),
        [](int, const char* record) { return RecordScan::fieldIs(PayerRecord::layout(), record, flag, "S\xec"); });
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
