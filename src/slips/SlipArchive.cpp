#include "slips/SlipArchive.h"

#include "data/RecordFile.h"
#include "slips/SlipRecord.h"

SlipArchive::SlipArchive(const QString& path)
    : m_path(path)
{
}

Record SlipArchive::blank() { return Record(SlipRecord::layout()); }

bool SlipArchive::fail(const QString& why)
{
    m_error = why;
    return false;
}

std::optional<qint64> SlipArchive::count()
{
    RecordFile file(SlipRecord::kSize);
    if (!file.open(m_path)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.count();
}

std::optional<Record> SlipArchive::read(qint64 n)
{
    RecordFile file(SlipRecord::kSize);
    QByteArray bytes;
    if (!file.open(m_path) || !file.seek(n) || !file.read(bytes)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return Record(SlipRecord::layout(), bytes);
}

std::optional<qint64> SlipArchive::append(const Record& record)
{
    RecordFile file(SlipRecord::kSize);
    if (!file.open(m_path) || !file.seek(file.count() + 1) || !file.write(record.bytes())) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.position();
}

bool SlipArchive::overwrite(qint64 n, const Record& record)
{
    RecordFile file(SlipRecord::kSize);
    if (!file.open(m_path))
        return fail(file.errorString());
    if (n < 1 || n > file.count())
        return fail(QStringLiteral("slip %1 is not in the archive").arg(n));
    if (!file.seek(n) || !file.write(record.bytes()))
        return fail(file.errorString());
    return true;
}
