#include "slips/SlipArchive.h"

#include "slips/SlipRecord.h"

SlipArchive::SlipArchive(const QString& path)
    : m_archive(path, SlipRecord::kSize)
{}

Record SlipArchive::blank()
{
    return Record(SlipRecord::layout());
}

std::optional<qint64> SlipArchive::count()
{
    return m_archive.count();
}

std::optional<Record> SlipArchive::read(qint64 n)
{
    const std::optional<QByteArray> bytes = m_archive.read(n);
    if (!bytes)
        return std::nullopt;
    return Record(SlipRecord::layout(), *bytes);
}

std::optional<qint64> SlipArchive::append(const Record& record)
{
    return m_archive.append(record.bytes());
}

bool SlipArchive::overwrite(qint64 n, const Record& record)
{
    return m_archive.overwrite(n, record.bytes());
}
