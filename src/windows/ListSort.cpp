#include "windows/ListSort.h"

#include "data/CodePage.h"

#include <algorithm>
#include <array>

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

const unsigned char* byteCodes()
{
    // A stored byte sorts as the character it reads back as: one comparison for lines kept as
    // text and lines kept as archive bytes.
    static const auto codes = [] {
        std::array<unsigned char, 256> built{};
        for (int b = 0; b < 256; ++b)
            built[size_t(b)] = table()[CodePage::decodeByte(static_cast<unsigned char>(b)).unicode()];
        return built;
    }();
    return codes.data();
}

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

} // namespace ListSort
