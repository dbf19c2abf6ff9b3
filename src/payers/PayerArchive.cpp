#include "payers/PayerArchive.h"

#include "data/RecordFile.h"
#include "payers/PayerRecord.h"

PayerArchive::PayerArchive(const QString& path)
    : m_path(path)
{
}

Record PayerArchive::blank() { return Record(PayerRecord::layout()); }

bool PayerArchive::fail(const QString& why)
{
    m_error = why;
    return false;
}

std::optional<qint64> PayerArchive::count()
{
    RecordFile file(PayerRecord::kSize);
    if (!file.open(m_path)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.count();
}

std::optional<Record> PayerArchive::read(qint64 n)
{
    RecordFile file(PayerRecord::kSize);
    QByteArray bytes;
    if (!file.open(m_path) || !file.seek(n) || !file.read(bytes)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return Record(PayerRecord::layout(), bytes);
}

std::optional<qint64> PayerArchive::append(const Record& record)
{
    RecordFile file(PayerRecord::kSize);
    if (!file.open(m_path) || !file.seek(file.count() + 1) || !file.write(record.bytes())) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.position();
}

bool PayerArchive::overwrite(qint64 n, const Record& record)
{
    RecordFile file(PayerRecord::kSize);
    if (!file.open(m_path))
        return fail(file.errorString());
    if (n < 1 || n > file.count())
        return fail(QStringLiteral("payer %1 is not in the archive").arg(n));
    if (!file.seek(n) || !file.write(record.bytes()))
        return fail(file.errorString());
    return true;
}
