#include "payers/PayerArchive.h"

#include "payers/PayerRecord.h"

PayerArchive::PayerArchive(const QString& path)
    : m_archive(path, PayerRecord::kSize)
{}

Record PayerArchive::blank()
{
    return Record(PayerRecord::layout());
}

std::optional<qint64> PayerArchive::count()
{
    return m_archive.count();
}

std::optional<Record> PayerArchive::read(qint64 n)
{
    const std::optional<QByteArray> bytes = m_archive.read(n);
    if (!bytes)
        return std::nullopt;
    return Record(PayerRecord::layout(), *bytes);
}

std::optional<qint64> PayerArchive::append(const Record& record)
{
    return m_archive.append(record.bytes());
}

bool PayerArchive::overwrite(qint64 n, const Record& record)
{
    return m_archive.overwrite(n, record.bytes());
}
