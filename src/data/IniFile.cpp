#include "data/IniFile.h"

#include "data/CodePage.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

namespace IniFile {
namespace {

struct Lines {
    QList<QByteArray> lines; // without their line ends
    QByteArray newline = "\r\n";
    bool ok = true;
};

Lines load(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.ok = false;
        return result;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.ok = false;
        return result;
    }
    // Keep the file's own line ends when it is rewritten.
    const qsizetype firstLf = bytes.indexOf('\n');
    if (firstLf >= 0)
        result.newline = (firstLf > 0 && bytes.at(firstLf - 1) == '\r') ? QByteArray("\r\n") : QByteArray("\n");
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.isEmpty())
        return result;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        result.lines.append(line);
    }
    return result;
}

QString text(const QByteArray& bytes) { return CodePage::trimmed(CodePage::decode(bytes)); }

// The section name of a "[name]" line, or nothing for any other line.
bool sectionName(const QByteArray& line, QString* name)
{
    const QString t = text(line);
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    *name = CodePage::trimmed(close < 0 ? t.mid(1) : t.mid(1, close - 1));
    return true;
}

// The key and value of a "key=value" line.
bool keyValue(const QByteArray& line, QString* key, QString* value)
{
    const QString t = text(line);
    const qsizetype equals = t.indexOf(QLatin1Char('='));
    if (equals <= 0 || t.startsWith(QLatin1Char(';')))
        return false;
    *key = CodePage::trimmed(t.left(equals));
    *value = CodePage::trimmed(t.mid(equals + 1));
    return true;
}

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

struct Place {
    qsizetype section = -1; // line of the section header
    qsizetype end = -1;     // first line after the section
    qsizetype key = -1;     // line of the key
};

Place find(const QList<QByteArray>& lines, const QString& section, const QString& key)
{
    Place place;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString name;
        if (sectionName(lines.at(i), &name)) {
            if (place.section >= 0) {
                place.end = i;
                return place;
            }
            if (same(name, section))
                place.section = i;
            continue;
        }
        QString k, v;
        if (place.section >= 0 && place.key < 0 && keyValue(lines.at(i), &k, &v) && same(k, key))
            place.key = i;
    }
    if (place.section >= 0)
        place.end = lines.size();
    return place;
}

} // namespace

QString readString(const QString& path, const QString& section, const QString& key, const QString& defaultValue,
                   bool* ok)
{
    const Lines file = load(path);
    if (ok)
        *ok = file.ok;
    const Place place = find(file.lines, section, key);
    if (place.key < 0)
        return defaultValue;
    QString k, value;
    keyValue(file.lines.at(place.key), &k, &value);
    // Like the Windows settings API, a value enclosed in a pair of quotes reads without them.
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

bool writeString(const QString& path, const QString& section, const QString& key, const QString& value)
{
    Lines file = load(path);
    if (!file.ok)
        return false;
    const QByteArray entry = CodePage::encode(key) + '=' + CodePage::encode(value);
    const Place place = find(file.lines, section, key);
    if (place.key >= 0) {
        // Keep the key as the file spells it.
        const QByteArray& old = file.lines.at(place.key);
        file.lines[place.key] = old.left(old.indexOf('=')).trimmed() + '=' + CodePage::encode(value);
    } else if (place.section >= 0) {
        // After the section's last non-blank line, so that a blank line before the next section stays.
        qsizetype at = place.end;
        while (at - 1 > place.section && file.lines.at(at - 1).trimmed().isEmpty())
            --at;
        file.lines.insert(at, entry);
    } else {
        file.lines.append('[' + CodePage::encode(section) + ']');
        file.lines.append(entry);
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (const QByteArray& line : file.lines)
        bytes += line + file.newline;
    if (out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}

} // namespace IniFile
