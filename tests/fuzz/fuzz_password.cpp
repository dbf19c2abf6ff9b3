// The password file and the unscrambling: any file reads without a crash, any digits unscramble to
// what scrambles back to them, and a password written reads back.

#include "Fuzz.h"

#include "data/Crypt.h"
#include "data/PasswordFile.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString digits = QString::fromLatin1(bytes);
    if (const std::optional<QString> plain = Crypt::unscramble(digits)) {
        for (const QChar c : *plain)
            FUZZ_CHECK(c.unicode() < 256);
        FUZZ_CHECK(Crypt::scramble(*plain) == digits.left(digits.size() / 2 * 2).toUpper());
    }
    const QString text = QString::fromUtf8(bytes);
    FUZZ_CHECK(Crypt::unscramble(Crypt::scramble(text)).has_value());

    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("unins000.dll"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    (void)PasswordFile::read(path);
    const QString password = QString::fromLatin1(bytes.left(40));
    FUZZ_CHECK(PasswordFile::write(path, password));
    const std::optional<QString> stored = PasswordFile::read(path);
    FUZZ_CHECK(stored && *stored == PasswordFile::normalise(password));
    return 0;
}
