// The archive walker: any file as a slip archive is counted and read record by record, and an
// append keeps every whole record, moving an incomplete end aside byte for byte.

#include "Fuzz.h"

#include "data/RecordArchive.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("2024.bol"));
    // Short archives are the interesting ones; a few records make the size unlikely to be whole.
    const int recordSize = 1 + (size > 0 ? data[0] % 64 : 0);
    const QByteArray bytes = fuzzBytes(data, size).mid(1);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    RecordArchive archive(path, recordSize);
    const std::optional<qint64> count = archive.count();
    FUZZ_CHECK(count && *count == bytes.size() / recordSize);
    for (qint64 n = 1; n <= *count; ++n)
        FUZZ_CHECK(archive.read(n) == bytes.mid((n - 1) * recordSize, recordSize));
    FUZZ_CHECK(!archive.read(*count + 1));

    const QByteArray added(recordSize, 'N');
    FUZZ_CHECK(archive.append(added) == *count + 1);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const qsizetype whole = *count * recordSize;
    FUZZ_CHECK(file.readAll() == bytes.left(whole) + added);
    const QStringList sides = QDir(folder.path()).entryList({QStringLiteral("2024.bol.coda-*")}, QDir::Files);
    FUZZ_CHECK(sides.size() == (whole < bytes.size() ? 1 : 0));
    for (const QString& side : sides) {
        QFile tail(folder.filePath(side));
        FUZZ_CHECK(tail.open(QIODevice::ReadOnly) && tail.readAll() == bytes.mid(whole));
        tail.remove();
    }
    return 0;
}
