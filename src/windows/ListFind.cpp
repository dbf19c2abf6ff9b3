#include "windows/ListFind.h"

#include "data/CodePage.h"

#include <string_view>

namespace ListFind {

QString emptyListText()
{
    return QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
}

namespace {
// An empty key is found nowhere: there is nothing to look for.
bool containsFoldedBytes(std::string_view line, std::string_view lowerKey)
{
    return !lowerKey.empty() && CodePage::containsFolded(line, lowerKey);
}
} // namespace

Result find(const LineList& lines, int selected, const QString& text, QString& lastKey)
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
    // Lines hold only what the code page can store: a key it cannot store occurs in none.
    QByteArray stored = CodePage::encode(key);
    if (CodePage::decode(stored) != key)
        stored.clear();
    const std::string_view keyBytes(stored.constData(), size_t(stored.size()));
    int start = selected;
    bool found = false;
    if (key != lastKey) {
        start = 0;
        found = containsFoldedBytes(lines.bytes(0), keyBytes);
    }
    int current = start;
    if (!found) {
        // From the line after the start round to the start itself, which is tested last.
        for (int step = 1; step <= count; ++step) {
            current = (start + step) % count;
            if (containsFoldedBytes(lines.bytes(current), keyBytes)) {
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
