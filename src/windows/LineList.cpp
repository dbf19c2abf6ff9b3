#include "windows/LineList.h"

#include "data/CodePage.h"
#include "windows/ListSort.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace {

// Large blocks are asked for on 2 MB pages: a list of 100 000 lines then fills a few pages instead
// of thousands, each of which the system would otherwise prepare on first use.
void preferLargePages(const void* data, qsizetype bytes)
{
#ifdef Q_OS_LINUX
    constexpr quintptr kLarge = 2 * 1024 * 1024;
    const quintptr begin = (quintptr(data) + kLarge - 1) & ~(kLarge - 1);
    const quintptr end = (quintptr(data) + quintptr(bytes)) & ~(kLarge - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

// Makes the pages of [data, data + bytes) ready for writing in one call, instead of one fault per
// page when each is first written. Where the system cannot, the pages come on first use as before.
void prepare(void* data, qsizetype bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    constexpr quintptr kPage = 4096;
    const quintptr begin = quintptr(data) & ~(kPage - 1);
    const quintptr end = (quintptr(data) + quintptr(bytes) + kPage - 1) & ~(kPage - 1);
    if (bytes > 0)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

// A block of count T, written whole by its user: mapped on its own and made ready at once.
template <class T> class Block {
public:
    explicit Block(qsizetype count)
        : m_bytes(size_t(count) * sizeof(T))
    {
#ifdef Q_OS_LINUX
        void* data = mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (data == MAP_FAILED)
            throw std::bad_alloc();
        preferLargePages(data, qsizetype(m_bytes));
        prepare(data, qsizetype(m_bytes));
        m_data = static_cast<T*>(data);
#else
        m_data = new T[size_t(count)];
#endif
    }
    ~Block()
    {
#ifdef Q_OS_LINUX
        munmap(m_data, m_bytes);
#else
        delete[] m_data;
#endif
    }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
    T* get() const
    {
        return m_data;
    }
    T& operator[](size_t i) const
    {
        return m_data[i];
    }

private:
    size_t m_bytes;
    T* m_data = nullptr;
};

} // namespace

LineList::LineList(const QStringList& lines)
{
    for (const QString& line : lines)
        append(line);
}

LineList::LineList(std::initializer_list<QString> lines)
{
    for (const QString& line : lines)
        append(line);
}

LineList::LineList(const LineList& other)
{
    append(other);
}

LineList::LineList(LineList&& other) noexcept
    : m_text(std::exchange(other.m_text, nullptr))
    , m_used(std::exchange(other.m_used, 0))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_places(std::move(other.m_places))
{
    other.m_places.clear();
}

LineList& LineList::operator=(const LineList& other)
{
    if (this != &other)
        *this = LineList(other);
    return *this;
}

LineList& LineList::operator=(LineList&& other) noexcept
{
    if (this != &other) {
        release();
        m_text = std::exchange(other.m_text, nullptr);
        m_used = std::exchange(other.m_used, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_places = std::move(other.m_places);
        other.m_places.clear();
    }
    return *this;
}

LineList::~LineList()
{
    release();
}

void LineList::release()
{
    if (!m_text)
        return;
#ifdef Q_OS_LINUX
    munmap(m_text, size_t(m_capacity));
#else
    std::free(m_text);
#endif
    m_text = nullptr;
    m_used = m_capacity = 0;
}

QString LineList::at(qsizetype i) const
{
    const std::string_view line = bytes(i);
    return CodePage::decode(QByteArray::fromRawData(line.data(), qsizetype(line.size())));
}

QStringList LineList::toList() const
{
    QStringList list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

void LineList::ensureRoom(qsizetype bytes)
{
    const qsizetype needed = m_used + bytes;
    if (needed <= m_capacity)
        return;
    const qsizetype capacity = std::max({needed, m_capacity * 2, qsizetype(512 * 1024)});
#ifdef Q_OS_LINUX
    // The text lives in its own mapping: growing it remaps the pages already written instead of
    // copying them, and room not yet written costs no memory.
    void* grown = m_text ? mremap(m_text, size_t(m_capacity), size_t(capacity), MREMAP_MAYMOVE)
                         : mmap(nullptr, size_t(capacity), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (grown == MAP_FAILED)
        throw std::bad_alloc();
#else
    void* grown = std::realloc(m_text, size_t(capacity));
    if (!grown)
        throw std::bad_alloc();
#endif
    m_text = static_cast<char*>(grown);
    m_capacity = capacity;
    preferLargePages(grown, capacity);
}

void LineList::append(const QString& line)
{
    const QByteArray bytes = CodePage::encode(line);
    std::copy(bytes.begin(), bytes.end(), appendUninitialized(bytes.size()));
}

void LineList::append(const LineList& other)
{
    // Line by line: a list filled in parts has room between them that was never written.
    qsizetype bytes = 0;
    for (const Place& place : other.m_places)
        bytes += place.length;
    ensureRoom(bytes);
    m_places.reserve(m_places.size() + other.m_places.size());
    for (const Place& place : other.m_places) {
        std::copy_n(other.m_text + place.start, place.length, m_text + m_used);
        m_places.push_back({m_used, place.length});
        m_used += place.length;
    }
}

char* LineList::appendUninitialized(qsizetype length)
{
    ensureRoom(length);
    const qsizetype start = m_used;
    m_used += length;
    m_places.push_back({start, length});
    return m_text + start;
}

char* LineList::Part::appendUninitialized(qsizetype length)
{
    // The room was sized for the longest line the part can hold: more is a caller's mistake.
    if (length > m_end - m_used)
        throw std::length_error("list part full");
    // The pages ahead are made ready a few at a time, never past the part's room.
    if (m_used + length > m_ready) {
        constexpr qsizetype kAhead = 1024 * 1024;
        const qsizetype ready = std::min(m_end, m_used + length + kAhead);
        prepare(m_text + m_ready, ready - m_ready);
        m_ready = ready;
    }
    m_places.push_back(m_used);
    char* at = m_text + m_used;
    m_used += length;
    return at;
}

void LineList::split(std::span<Part> parts, std::span<const qsizetype> lines, qsizetype maxLength)
{
    release();
    m_places.clear();
    qsizetype total = 0;
    for (qsizetype count : lines)
        total += count;
    if (total > 0)
        ensureRoom(total * maxLength);
    qsizetype at = 0;
    for (size_t k = 0; k < parts.size(); ++k) {
        Part& part = parts[k];
        const qsizetype count = k < lines.size() ? lines[k] : 0;
        part.m_text = m_text;
        part.m_used = part.m_ready = at;
        part.m_end = at + count * maxLength;
        part.m_places.clear();
        part.m_places.reserve(size_t(count));
        at = part.m_end;
    }
}

void LineList::join(std::span<Part> parts, int keep)
{
    m_places.clear();
    qsizetype total = 0;
    for (int k = 0; k < keep; ++k)
        total += parts[size_t(k)].size();
    m_places.reserve(size_t(total));
    for (int k = 0; k < keep; ++k) {
        const Part& part = parts[size_t(k)];
        const size_t count = part.m_places.size();
        for (size_t i = 0; i < count; ++i) {
            const qsizetype start = part.m_places[i];
            const qsizetype end = i + 1 < count ? part.m_places[i + 1] : part.m_used;
            m_places.push_back({start, end - start});
        }
        if (count > 0)
            m_used = part.m_used;
    }
}

namespace {

// A line's place in the order being made: thirty-two of its sort codes from some position, most
// significant first, its number and its length.
struct SortEntry {
    quint64 high;
    quint64 low;
    quint64 nextHigh; // the sixteen codes after them
    quint64 nextLow;
    quint32 line;
    quint32 length;
};

bool sameKey(const SortEntry& a, const SortEntry& b)
{
    return a.high == b.high && a.low == b.low;
}

// Long lists are worked on in two halves at once where a second processor is free.
bool twoThreads(qsizetype count)
{
    return count >= 20000 && std::thread::hardware_concurrency() > 1;
}

} // namespace

void LineList::sort()
{
    const qsizetype count = size();
    if (count < 2)
        return;
    // Lines are ordered by their sort codes, sixteen at a time. Every entry carries the sixteen
    // codes past what all lines share (slip lines all begin "Scad. "), and the entries are put in
    // order by those with a radix sort: no comparison reads a line. Only lines still tied after
    // them are read again, once for each further sixteen codes, and only among themselves.
    const unsigned char* codes = ListSort::byteCodes();
    const auto code = [&](std::string_view line, qsizetype i) {
        return codes[static_cast<unsigned char>(line[size_t(i)])];
    };
    const std::string_view first = bytes(0);
    qsizetype shared = qsizetype(first.size());
    for (qsizetype i = 1; i < count && shared > 0; ++i) {
        const std::string_view line = bytes(i);
        const qsizetype limit = std::min(shared, qsizetype(line.size()));
        qsizetype same = 0;
        while (same < limit && code(line, same) == code(first, same))
            ++same;
        shared = same;
    }
    // Sixteen codes of a line from position from; 0 past its end, so that a line that is the start
    // of another comes first (or ties with it when the other goes on with NUL characters, which the
    // lengths then settle).
    const auto load = [&](quint32 index, qsizetype from, quint64& high, quint64& low) {
        const std::string_view line = bytes(index);
        const auto* text = reinterpret_cast<const unsigned char*>(line.data());
        const qsizetype length = qsizetype(line.size());
        std::array<unsigned char, 16> key{};
        if (from + 16 <= length) {
            for (int i = 0; i < 16; ++i)
                key[size_t(i)] = codes[text[from + i]];
        } else {
            for (qsizetype i = from; i < length; ++i)
                key[size_t(i - from)] = codes[text[i]];
        }
        high = qFromBigEndian<quint64>(key.data());
        low = qFromBigEndian<quint64>(key.data() + 8);
    };
    const auto fill = [&](SortEntry& entry, qsizetype i) {
        entry.line = quint32(i);
        entry.length = quint32(m_places[size_t(i)].length);
        load(entry.line, shared, entry.high, entry.low);
        load(entry.line, shared + 16, entry.nextHigh, entry.nextLow);
    };
    // The entries carry line numbers and lengths in 32 bits.
    if (count > qsizetype(std::numeric_limits<quint32>::max())
        || m_used > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::length_error("list too long to sort");

    // Made in two halves at once for a long list: each thread reads its half of the text in order.
    // The bits that differ between entries tell which bytes of the keys the radix sort must visit.
    const Block<SortEntry> entries(count);
    std::array<quint64, 2> highDiffer{}, lowDiffer{};
    const auto make = [&](int half, qsizetype from, qsizetype to) {
        quint64 high = 0, low = 0;
        for (qsizetype i = from; i < to; ++i) {
            fill(entries[size_t(i)], i);
            high |= entries[size_t(i)].high ^ entries[0].high;
            low |= entries[size_t(i)].low ^ entries[0].low;
        }
        highDiffer[size_t(half)] = high;
        lowDiffer[size_t(half)] = low;
    };
    const bool parallel = twoThreads(count);
    const qsizetype half = parallel ? count / 2 : count;
    // Entry 0 first: both halves compare with it.
    fill(entries[0], 0);
    if (parallel) {
        std::thread other(make, 1, half, count);
        make(0, 0, half);
        other.join();
    } else {
        make(0, 0, count);
    }
    const quint64 highBits = highDiffer[0] | highDiffer[1];
    const quint64 lowBits = lowDiffer[0] | lowDiffer[1];

    // Least significant byte first, each pass stable: entries equal on all sixteen codes stay in
    // the order of their lines. Bytes equal in every entry take no pass.
    {
        std::unique_ptr<Block<SortEntry>> spare;
        SortEntry* from = entries.get();
        SortEntry* to = nullptr;
        for (int byte = 0; byte < 16; ++byte) {
            const bool isLow = byte < 8;
            const int shift = (byte % 8) * 8;
            if ((((isLow ? lowBits : highBits) >> shift) & 0xFF) == 0)
                continue;
            if (!spare)
                spare = std::make_unique<Block<SortEntry>>(count);
            if (!to)
                to = spare->get();
            std::array<qsizetype, 256> offsets{};
            for (qsizetype i = 0; i < count; ++i)
                ++offsets[((isLow ? from[i].low : from[i].high) >> shift) & 0xFF];
            qsizetype sum = 0;
            for (qsizetype& offset : offsets)
                sum += std::exchange(offset, sum);
            for (qsizetype i = 0; i < count; ++i)
                to[offsets[((isLow ? from[i].low : from[i].high) >> shift) & 0xFF]++] = from[i];
            std::swap(from, to);
        }
        if (from != entries.get())
            std::copy_n(from, count, entries.get());
    }

    // Entries [begin, end) tie on every code before at, and carry the sixteen from at: they settle
    // the order, then the line is read for the next sixteen, and so on; lines that all end before at
    // are ordered by length, equal lines by their order.
    const auto settle = [&](auto& self, SortEntry* begin, SortEntry* end, qsizetype at) -> void {
        bool longer = false;
        for (SortEntry* e = begin; e != end && !longer; ++e)
            longer = e->length > at;
        if (!longer) {
            std::sort(begin, end, [](const SortEntry& a, const SortEntry& b) {
                return a.length != b.length ? a.length < b.length : a.line < b.line;
            });
            return;
        }
        for (SortEntry* e = begin; e != end; ++e) {
            e->high = e->nextHigh;
            e->low = e->nextLow;
        }
        std::sort(begin, end, [](const SortEntry& a, const SortEntry& b) {
            if (a.high != b.high)
                return a.high < b.high;
            if (a.low != b.low)
                return a.low < b.low;
            return a.line < b.line;
        });
        for (SortEntry* run = begin; run != end;) {
            SortEntry* next = run + 1;
            while (next != end && sameKey(*next, *run))
                ++next;
            if (next - run > 1) {
                for (SortEntry* e = run; e != next; ++e)
                    load(e->line, at + 16, e->nextHigh, e->nextLow);
                self(self, run, next, at + 16);
            }
            run = next;
        }
    };
    // Ties settled in two halves at once for a long list, split between two runs.
    const auto settleRange = [&](SortEntry* begin, SortEntry* end) {
        for (SortEntry* run = begin; run != end;) {
            SortEntry* next = run + 1;
            while (next != end && sameKey(*next, *run))
                ++next;
            if (next - run > 1)
                settle(settle, run, next, shared + 16);
            run = next;
        }
    };
    SortEntry* all = entries.get();
    SortEntry* middle = all + count;
    if (parallel) {
        middle = all + count / 2;
        while (middle != all + count && sameKey(*middle, *(middle - 1)))
            ++middle;
    }
    if (middle != all + count) {
        std::thread other(settleRange, middle, all + count);
        settleRange(all, middle);
        other.join();
    } else {
        settleRange(all, all + count);
    }

    std::vector<Place> sorted(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        sorted[size_t(i)] = m_places[size_t(entries[size_t(i)].line)];
    m_places = std::move(sorted);
}
