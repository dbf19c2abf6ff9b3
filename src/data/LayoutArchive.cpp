#include "data/LayoutArchive.h"

LayoutArchive::LayoutArchive(const QString& path, const RecordLayout& layout, int recordSize)
    : m_layout(layout)
    , m_archive(path, recordSize)
{
    // Two records are the same when every field reads the same: the bytes after a value carry no
    // meaning, and another PC saving the same values may leave other bytes there.
    m_archive.setSameRecord([&layout](const QByteArray& a, const QByteArray& b) {
        const Record first(layout, a);
        const Record second(layout, b);
        for (int i = 0; i < layout.fieldCount(); ++i)
            if (first.text(i) != second.text(i))
                return false;
        return true;
    });
}

std::optional<qint64> LayoutArchive::count()
{
    return m_archive.count();
}

std::optional<Record> LayoutArchive::read(qint64 n)
{
    const std::optional<QByteArray> bytes = m_archive.read(n);
    if (!bytes)
        return std::nullopt;
    return Record(m_layout, *bytes);
}

std::optional<qint64> LayoutArchive::append(const Record& record)
{
    return m_archive.append(record.bytes());
}

bool LayoutArchive::overwrite(qint64 n, const Record& record, Check check)
{
    return m_archive.overwrite(n, record.bytes(), check);
}
