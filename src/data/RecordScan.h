#pragma once
// Reading an archive of fixed-size records front to back, for the lists, the searches, the
// batch, the payer import and the summary. The archives are read in large blocks, and only the
// fields a reader needs are decoded from the raw bytes: 100 000 records cost little more than
// reading the file. A missing archive is created empty, as every command on the archives does.

#include "data/CodePage.h"
#include "data/RecordLayout.h"

#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <utility>

namespace RecordScan {

// Calls visit(record bytes, 1-based number) for every whole record, in file order, until visit
// returns false. False when the file cannot be opened, created or read. Bytes after the last whole
// record (left by an interrupted save) are no record and no failure: the editors read past them too,
// and their next append moves them aside.
bool scan(const QString& path, int recordSize, const std::function<bool(const char*, qint64)>& visit,
          QString* error = nullptr);

// The whole records read at once in up to maxParts consecutive ranges of the file, each on a thread
// of its own (a long archive only, where a second processor is free); visit(part, record) sees the
// records of a range in file order, and must keep any state of its own per part. keep tells how
// many parts to use, in order: all of them when the whole file was read, else up to and including
// the first range whose reading failed (its records before the failure count, later ranges do not).
struct Split {
    bool ok = true;    // false: the file could not be opened or a read failed
    int parts = 1;     // parts the records were split into
    int keep = 0;      // parts to use
    qint64 size = -1;  // the file's size when it was opened; -1 when it could not be
    qint64 read = 0;   // whole records read in the parts kept
    bool tail = false; // the file ends with an incomplete record, which was not read
    QString error;
};
constexpr int kMaxParts = 2;
// Exactly limit records are read when limit is not negative: a file that grew meanwhile is read as
// it was when the caller counted it, and one that is shorter fails.
Split scanSplit(const QString& path, int recordSize, const std::function<void(int, const char*)>& visit,
                int maxParts = kMaxParts, qint64 limit = -1);
// How many parts scanSplit reads an archive of this many records in; part k holds the records from
// records * k / parts up to records * (k + 1) / parts.
int splitParts(qint64 records, int maxParts = kMaxParts);
// The records of each of those parts, in order (0 for the parts beyond).
std::array<qsizetype, kMaxParts> partSizes(qint64 records, int parts);
// Test hook: split archives from this many records on, whatever the processors (0 restores the
// default: 20 000 records, with a second processor).
void setSplitFrom(qint64 records);

// An overwrite or a batch cut short (a journal beside the archive) is undone before the archive is
// read; scan and scanSplit do it themselves.
void recoverFirst(const QString& path, int recordSize);

// Field index of a layout by name; a name the layout lacks is a programming error.
int field(const RecordLayout& layout, const char* name);
// A short string of a raw record, decoded from Windows-1252 and trimmed.
QString fieldText(const RecordLayout& layout, const char* record, int index);
// The same as stored bytes, without decoding: where the value without the characters 0..32 at both
// ends starts, and its length. Inline: the lines of 100 000 records are written from it.
inline std::pair<const unsigned char*, int> fieldBytes(const RecordLayout& layout, const char* record, int index)
{
    const auto* field = reinterpret_cast<const unsigned char*>(record + layout.offset(index));
    int length = std::min<int>(field[0], layout.capacity(index));
    const unsigned char* text = field + 1;
    while (length > 0 && text[0] <= 32) {
        ++text;
        --length;
    }
    while (length > 0 && text[length - 1] <= 32)
        --length;
    return {text, length};
}
// True when the trimmed value is exactly these Windows-1252 bytes ("No", "S\xEC").
bool fieldIs(const RecordLayout& layout, const char* record, int index, std::string_view bytes);
// True when lowerKey (stored bytes, a to z lower case) occurs in the field as the searches match.
inline bool fieldContains(const RecordLayout& layout, const char* record, int index, const QByteArray& lowerKey)
{
    const auto [text, length] = fieldBytes(layout, record, index);
    return CodePage::containsFolded({reinterpret_cast<const char*>(text), size_t(length)},
                                    {lowerKey.constData(), size_t(lowerKey.size())});
}

// Search criteria: field name and the text as typed (not trimmed).
struct Criterion {
    const char* field;
    QString text;
};
// Filled criteria: those whose trimmed text is not empty.
int countCriteria(std::span<const Criterion> criteria);

} // namespace RecordScan
