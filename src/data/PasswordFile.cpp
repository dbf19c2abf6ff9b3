#include "data/PasswordFile.h"

#include "data/CodePage.h"
#include "data/Crypt.h"
#include "data/IniFile.h"

namespace PasswordFile {

QString normalise(const QString& typed)
{
    return CodePage::trimmed(CodePage::upperAscii(typed));
}

bool storable(const QString& password)
{
    for (const QChar ch : password)
        if (ch.unicode() > 255)
            return false;
    return true;
}

std::optional<QString> read(const QString& path)
{
    bool ok = true;
    const QString digits = IniFile::readString(path, section, key, {}, &ok);
    if (!ok)
        return std::nullopt;
    const std::optional<QString> password = Crypt::unscramble(digits);
    if (!password)
        return std::nullopt;
    return CodePage::trimmed(*password);
}

bool holdsInitial(const QString& path)
{
    return read(path) == initial;
}

bool write(const QString& path, const QString& password)
{
    return IniFile::writeString(path, section, key, Crypt::scramble(normalise(password)));
}

} // namespace PasswordFile
