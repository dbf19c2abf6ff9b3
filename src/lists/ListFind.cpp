#include "lists/ListFind.h"

#include "data/CodePage.h"

namespace ListFind {

namespace {
inline char16_t fold(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}
} // namespace

QString emptyListText()
{
    return QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
}

bool containsFolded(QStringView line, QStringView lowerKey)
{
    const qsizetype n = lowerKey.size();
    if (n == 0 || n > line.size())
        return false;
    const char16_t first = lowerKey.at(0).unicode();
    const QChar* text = line.data();
    const QChar* key = lowerKey.data();
    const qsizetype last = line.size() - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (fold(text[i].unicode()) != first)
            continue;
        qsizetype j = 1;
        while (j < n && fold(text[i + j].unicode()) == key[j].unicode())
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

Result find(const QStringList& lines, int selected, const QString& text, QString& lastKey)
{
    Result result;
    const int count = int(lines.size());
    if (count == 0) {
        result.message = {MessageKind::Plain, emptyListText()};
        return result;
    }
    if (selected < 0 || selected >= count)
        selected = 0;
    const QString key = CodePage::lowerAscii(text);
    int start = selected;
    bool found = false;
    if (key != lastKey) {
        start = 0;
        found = containsFolded(lines.at(0), key);
    }
    int current = start;
    if (!found) {
        // From the line after the start round to the start itself, which is tested last.
        for (int step = 1; step <= count; ++step) {
            current = (start + step) % count;
            if (containsFolded(lines.at(current), key)) {
                found = true;
                break;
            }
        }
    }
    if (found)
        result.select = current;
    lastKey = key;
    return result;
}

} // namespace ListFind
