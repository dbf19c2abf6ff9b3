// The record reader: any bytes, read as a slip and as a payer record, field by field.

#include "Fuzz.h"

#include "data/CodePage.h"
#include "data/RecordLayout.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    for (const RecordLayout* layout : {&SlipRecord::layout(), &PayerRecord::layout()}) {
        const Record record(*layout, bytes.left(layout->size()).leftJustified(layout->size(), '\0'));
        Record copy(*layout);
        for (int i = 0; i < layout->fieldCount(); ++i) {
            const QString text = record.text(i);
            // Never beyond the field, and what is read is stored back the same.
            FUZZ_CHECK(text.size() <= layout->capacity(i));
            copy.setText(i, text);
            FUZZ_CHECK(copy.text(i) == text);
        }
        for (const char* flag : {"Saldato", "Ricontatta"})
            if (layout->indexOf(flag) >= 0)
                (void)record.flag(flag);
    }
    return 0;
}
