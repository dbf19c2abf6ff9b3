#include "printing/PrintMargins.h"

#include "data/CodePage.h"
#include "data/IniFile.h"
#include "data/Platform.h"

#include <limits>

namespace PrintMargins {

QString settingsPath()
{
    return ProgramFolder::file(fileName);
}

QString read(const QString& key)
{
    const QString value = CodePage::trimmed(IniFile::readString(settingsPath(), section, key, QString()));
    return value.isEmpty() ? QStringLiteral("0") : value;
}

bool write(const QString& key, const QString& value)
{
    return IniFile::writeString(settingsPath(), section, key, CodePage::trimmed(value));
}

std::optional<int> wholeNumber(const QString& text)
{
    const QString t = CodePage::trimmed(text);
    qsizetype i = 0;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))
        i = 1;
    if (i >= t.size())
        return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j)
        if (t.at(j) < QLatin1Char('0') || t.at(j) > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QString> stepped(const QString& text, int step)
{
    const std::optional<int> value = wholeNumber(text);
    if (!value)
        return std::nullopt;
    const long long result = static_cast<long long>(*value) + step;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return std::nullopt;
    return QString::number(result);
}

} // namespace PrintMargins
