// The code page: any bytes decode and encode back to themselves; any text encodes to one byte per
// character the user sees.

#include "Fuzz.h"

#include "data/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const QString decoded = CodePage::decode(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    FUZZ_CHECK(CodePage::encode(decoded) == bytes);

    const QString text = QString::fromUtf8(bytes);
    const QByteArray encoded = CodePage::encode(text);
    FUZZ_CHECK(encoded.size() <= text.size());
    const QString trimmed = CodePage::trimmed(text);
    FUZZ_CHECK(trimmed.isEmpty() || (trimmed.front().unicode() > 32 && trimmed.back().unicode() > 32));
    FUZZ_CHECK(CodePage::upperAscii(text).size() == text.size());
    return 0;
}
