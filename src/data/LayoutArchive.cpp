#include "data/LayoutArchive.h"

LayoutArchive::LayoutArchive(const QString& path, const RecordLayout& layout, int recordSize)
    : m_layout(layout)
    , m_archive(path, recordSize)
{}

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

bool LayoutArchive::overwrite(qint64 n, const Record& record)
{
    return m_archive.overwrite(n, record.bytes());
}
