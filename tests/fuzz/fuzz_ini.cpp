// The INI reader and writer on any file: reading never fails on content, a value written reads
// back, writing it again changes nothing, and every line but the one written keeps its bytes.

#include "Fuzz.h"

#include "data/IniFile.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tassella.ini"));
    const QByteArray before = fuzzBytes(data, size);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(before) == before.size());
    }
    const QString section = QStringLiteral("Margini Stampa");
    bool ok = false;
    (void)IniFile::readString(path, section, QStringLiteral("Sinistro"), {}, &ok);
    FUZZ_CHECK(ok);

    const QString value = QStringLiteral("-%1").arg(size);
    FUZZ_CHECK(IniFile::writeString(path, section, QStringLiteral("Superiore"), value));
    FUZZ_CHECK(IniFile::readString(path, QStringLiteral("margini stampa"), QStringLiteral("SUPERIORE")) == value);
    const QByteArray after = readAll(path);
    FUZZ_CHECK(IniFile::writeString(path, section, QStringLiteral("Superiore"), value));
    FUZZ_CHECK(readAll(path) == after);

    // The file before and after differ in one place only: the rest is kept byte for byte.
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before.at(head) == after.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    const QByteArray inserted = after.mid(head, after.size() - head - tail);
    // The changed line; or a section and a key, after an end given to a last line that had none.
    FUZZ_CHECK(inserted.count('\n') <= 3);
    return 0;
}
