#pragma once
// The lines of a list as one block of text and a place per line. The text is kept as the
// archives keep it, one Windows-1252 byte per character: every line a list shows is made of
// archive fields and fixed pieces the code page holds, and a character it lacks is stored as "?",
// as it would be in an archive. A list of 100 000 lines costs one allocation of about the bytes
// it shows, instead of a string each; a line is decoded when it is asked for. Lines are appended
// in any order and sorted once; sorting moves places, not text.

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

class LineList {
public:
    LineList() = default;
    LineList(const QStringList& lines);
    LineList(std::initializer_list<QString> lines);
    LineList(const LineList& other);
    LineList(LineList&& other) noexcept;
    LineList& operator=(const LineList& other);
    LineList& operator=(LineList&& other) noexcept;
    ~LineList();

    qsizetype size() const { return qsizetype(m_places.size()); }
    bool isEmpty() const { return m_places.empty(); }
    // The line as stored, in Windows-1252.
    std::string_view bytes(qsizetype i) const
    {
        return {m_text + m_places[size_t(i)].start, size_t(m_places[size_t(i)].length)};
    }
    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QStringList toList() const;

    // Room for this many lines' places at once (their text grows by itself).
    void reserve(qsizetype lines) { m_places.reserve(size_t(lines)); }
    void append(const QString& line);
    // Appends every line of other, in its order.
    void append(const LineList& other);
    // Appends a line of exactly length bytes, which the caller writes at the returned place before
    // the next change to the list.
    char* appendUninitialized(qsizetype length);

    // Orders the lines as the sorted list boxes show them (ListSort), keeping equal lines in the
    // order they were appended.
    void sort();

    // One of several writers filling a list at once, as when an archive is read in parts on
    // threads of their own. Each part writes into its own stretch of the list's text, all of which
    // is mapped once, sized up front: no line is copied or moved afterwards, and no mapping grows
    // while it is written.
    class Part {
    public:
        // As LineList::appendUninitialized, within the part's stretch.
        char* appendUninitialized(qsizetype length);
        qsizetype size() const { return qsizetype(m_places.size()); }

    private:
        friend class LineList;
        char* m_text = nullptr;
        qsizetype m_used = 0; // from the start of the list's text
        qsizetype m_ready = 0;
        qsizetype m_end = 0;
        std::vector<qsizetype> m_places; // start of each line: the next start (or m_used) ends it
    };
    // Empties the list and gives parts.size() parts their room: part k holds at most lines[k]
    // lines of at most maxLength bytes each.
    void split(std::span<Part> parts, std::span<const qsizetype> lines, qsizetype maxLength);
    // The lines of parts [0, keep), in the parts' order, become the list's lines.
    void join(std::span<Part> parts, int keep);

    class const_iterator {
    public:
        const_iterator(const LineList* list, qsizetype i)
            : m_list(list)
            , m_i(i)
        {}
        QString operator*() const { return m_list->at(m_i); }
        const_iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return m_i != other.m_i; }

    private:
        const LineList* m_list;
        qsizetype m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    struct Place {
        qsizetype start;
        qsizetype length;
    };
    void ensureRoom(qsizetype bytes);
    void release();

    char* m_text = nullptr;
    qsizetype m_used = 0;
    qsizetype m_capacity = 0;
    std::vector<Place> m_places;
};
