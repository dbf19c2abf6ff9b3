#include "data/IniFile.h"

#include "data/CodePage.h"
#include "data/SafeWrite.h"

#include <QFile>
#include <QList>

namespace IniFile {
namespace {

struct Lines {
    QList<QByteArray> lines;     // without their line ends
    QList<QByteArray> ends;      // each line's own end: "\n" with any CRs before it, or nothing on a last line
    QByteArray newline = "\r\n"; // for lines the program adds: the file's first line end
    QByteArray bytes;            // the file as read
    bool exists = false;
    bool ok = true;
};

Lines load(const QString& path)
{
    Lines result;
    QFile file(path);
    if (!file.exists())
        return result;
    result.exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        result.ok = false;
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.ok = false;
        return result;
    }
    // Each line keeps its own end when the file is rewritten: a file may mix CR LF and LF, and a
    // line may carry extra CRs; only the line that changes is touched.
    const QByteArray& bytes = result.bytes;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            result.lines.append(bytes.mid(start));
            result.ends.append(QByteArray());
            break;
        }
        qsizetype end = lf;
        while (end > start && bytes.at(end - 1) == '\r')
            --end;
        result.lines.append(bytes.mid(start, end - start));
        result.ends.append(bytes.mid(end, lf + 1 - end));
        start = lf + 1;
    }
    if (!result.ends.isEmpty() && !result.ends.first().isEmpty())
        result.newline = result.ends.first();
    return result;
}

QString text(const QByteArray& bytes)
{
    return CodePage::trimmed(CodePage::decode(bytes));
}

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

bool same(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

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
    // Held from reading to replacing, so that two instances changing the file at once both count.
    SafeWrite::Lock lock(path);
    if (!lock.acquire())
        return false;
    Lines file = load(path);
    if (!file.ok)
        return false;
    const QByteArray entry = CodePage::encode(key) + '=' + CodePage::encode(value);
    const Place place = find(file.lines, section, key);
    const auto insert = [&file](qsizetype at, const QByteArray& line) {
        // A last line without an end gets one before a line follows it.
        if (at > 0 && file.ends.at(at - 1).isEmpty())
            file.ends[at - 1] = file.newline;
        file.lines.insert(at, line);
        file.ends.insert(at, file.newline);
    };
    if (place.key >= 0) {
        QString k, stored;
        keyValue(file.lines.at(place.key), &k, &stored);
        if (stored == CodePage::trimmed(CodePage::decode(CodePage::encode(value))))
            return true; // already so: the file is left as it is
        // Keep the key as the file spells it.
        const QByteArray& old = file.lines.at(place.key);
        file.lines[place.key] = old.left(old.indexOf('=')).trimmed() + '=' + CodePage::encode(value);
    } else if (place.section >= 0) {
        // After the section's last non-blank line, so that a blank line before the next section stays.
        qsizetype at = place.end;
        while (at - 1 > place.section && file.lines.at(at - 1).trimmed().isEmpty())
            --at;
        insert(at, entry);
    } else {
        insert(file.lines.size(), '[' + CodePage::encode(section) + ']');
        insert(file.lines.size(), entry);
    }

    QByteArray bytes;
    for (qsizetype i = 0; i < file.lines.size(); ++i)
        bytes += file.lines.at(i) + file.ends.at(i);
    if (file.exists && bytes == file.bytes)
        return true;
    return SafeWrite::replaceFile(path, bytes, file.bytes, file.exists);
}

} // namespace IniFile
