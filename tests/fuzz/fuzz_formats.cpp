// Dates, amounts and the amount in words on any text.

#include "Fuzz.h"

#include "data/Formats.h"
#include "slips/AmountInWords.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    if (const std::optional<QDate> date = Formats::textToDate(text)) {
        FUZZ_CHECK(date->isValid());
        FUZZ_CHECK(Formats::textToDate(Formats::dateToText(*date)) == date);
    }
    if (const std::optional<double> amount = Formats::textToAmount(text))
        (void)Formats::amountToText(*amount);

    const QString words = AmountInWords::spellDigits(text);
    for (const QChar c : words)
        FUZZ_CHECK(c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    if (size >= 4) {
        quint32 number = 0;
        std::memcpy(&number, data, 4);
        const QString spelt = AmountInWords::spell(number % 100000000);
        FUZZ_CHECK(number % 100000000 == 0 || !spelt.isEmpty());
        FUZZ_CHECK(AmountInWords::spellDigits(QString::number(number % 100000000)) == spelt);
    }
    return 0;
}
