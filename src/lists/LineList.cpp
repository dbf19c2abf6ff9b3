#include "lists/LineList.h"

#include "data/CodePage.h"
#include "lists/ListSort.h"

#include <algorithm>
#include <cstdlib>
#include <new>
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
    : m_places(other.m_places)
{
    ensureRoom(other.m_used);
    std::copy_n(other.m_text, other.m_used, m_text);
    m_used = other.m_used;
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
    ensureRoom(other.m_used);
    std::copy_n(other.m_text, other.m_used, m_text + m_used);
    m_places.reserve(m_places.size() + other.m_places.size());
    for (const Place& place : other.m_places)
        m_places.push_back({m_used + place.start, place.length});
    m_used += other.m_used;
}

char* LineList::appendUninitialized(qsizetype length)
{
    ensureRoom(length);
    const qsizetype start = m_used;
    m_used += length;
    m_places.push_back({start, length});
    return m_text + start;
}

void LineList::sort()
{
    const qsizetype count = size();
    if (count < 2)
        return;
    // Lines are ordered by their sort codes. Most comparisons end within 16 codes past what every
    // line shares (slip lines all begin "Scad. "), so those codes travel with each entry and the
    // text is read again only on a tie.
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
    // Eight codes from position from, most significant first (0 past the end of the line):
    // comparing two of these compares the lines there in order.
    const auto prefix = [&](std::string_view line, qsizetype from) {
        quint64 value = 0;
        for (qsizetype i = from; i < from + 8; ++i)
            value = (value << 8) | (i < qsizetype(line.size()) ? code(line, i) : 0u);
        return value;
    };
    struct Entry {
        quint64 first;
        quint64 second;
        qsizetype line;
    };
    std::vector<Entry> entries(static_cast<size_t>(count));
    const auto less = [&](const Entry& a, const Entry& b) {
        if (a.first != b.first)
            return a.first < b.first;
        if (a.second != b.second)
            return a.second < b.second;
        const std::string_view la = bytes(a.line);
        const std::string_view lb = bytes(b.line);
        const qsizetype length = qsizetype(std::min(la.size(), lb.size()));
        for (qsizetype i = std::min(shared + 16, length); i < length; ++i) {
            const unsigned char ca = code(la, i);
            const unsigned char cb = code(lb, i);
            if (ca != cb)
                return ca < cb;
        }
        if (la.size() != lb.size())
            return la.size() < lb.size();
        return a.line < b.line; // equal lines keep their order
    };
    // Entries [from, to) made and sorted.
    const auto sortPart = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const std::string_view line = bytes(i);
            entries[size_t(i)] = {prefix(line, shared), prefix(line, shared + 8), i};
        }
        std::sort(entries.begin() + from, entries.begin() + to, less);
    };
    // A long list is sorted in two halves at once, then merged: the order is total (ties go by
    // position), so the result is the same as one sort.
    if (count >= 20000 && std::thread::hardware_concurrency() > 1) {
        const qsizetype half = count / 2;
        std::thread other(sortPart, half, count);
        sortPart(0, half);
        other.join();
        std::inplace_merge(entries.begin(), entries.begin() + half, entries.end(), less);
    } else {
        sortPart(0, count);
    }
    std::vector<Place> sorted(static_cast<size_t>(count));
    for (qsizetype i = 0; i < count; ++i)
        sorted[size_t(i)] = m_places[size_t(entries[size_t(i)].line)];
    m_places = std::move(sorted);
}
