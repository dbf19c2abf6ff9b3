#include "lists/ListSort.h"

#include "data/CodePage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace ListSort {

namespace {

// One byte per UTF-16 code: built once from the code page's own encoder.
const std::array<unsigned char, 65536>& table()
{
    static const auto codes = [] {
        auto* built = new std::array<unsigned char, 65536>;
        for (int c = 0; c < 65536; ++c) {
            unsigned char b = '?';
            if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
                b = static_cast<unsigned char>(c);
            else if (!QChar::isSurrogate(char32_t(c)))
                b = static_cast<unsigned char>(CodePage::encode(QString(QChar(char16_t(c)))).at(0));
            // The five bytes the code page leaves undefined read back as themselves.
            if (b == '?' && c >= 0x80 && c < 0xA0)
                b = static_cast<unsigned char>(c);
            if (b >= 'a' && b <= 'z')
                b = static_cast<unsigned char>(b - 'a' + 'A');
            (*built)[size_t(c)] = b;
        }
        return built;
    }();
    return *codes;
}

} // namespace

unsigned char code(QChar c)
{
    return table()[c.unicode()];
}

int compare(QStringView a, QStringView b)
{
    const auto& codes = table();
    const qsizetype n = std::min(a.size(), b.size());
    const QChar* pa = a.data();
    const QChar* pb = b.data();
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const int ca = codes[pa[i].unicode()];
        const int cb = codes[pb[i].unicode()];
        if (ca != cb)
            return ca - cb;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void sort(QStringList& lines)
{
    // Each line's sort codes are laid out once in one block, and the lines are ordered by comparing
    // those bytes: far quicker than mapping characters again in every comparison.
    const auto& codes = table();
    std::vector<qsizetype> start(static_cast<size_t>(lines.size()) + 1);
    qsizetype total = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        start[size_t(i)] = total;
        total += lines.at(i).size();
    }
    start[size_t(lines.size())] = total;
    // Written before it is read: no need to clear it first.
    const std::unique_ptr<unsigned char[]> keys(new unsigned char[size_t(total) + 1]);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        unsigned char* out = keys.get() + start[size_t(i)];
        for (QChar c : lines.at(i))
            *out++ = codes[c.unicode()];
    }
    std::vector<int> order(static_cast<size_t>(lines.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const size_t la = size_t(start[size_t(a) + 1] - start[size_t(a)]);
        const size_t lb = size_t(start[size_t(b) + 1] - start[size_t(b)]);
        const int c = std::memcmp(keys.get() + start[size_t(a)], keys.get() + start[size_t(b)], std::min(la, lb));
        return c != 0 ? c < 0 : la < lb;
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (int i : order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

} // namespace ListSort
