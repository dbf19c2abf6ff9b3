#pragma once
// Hand-made slip and payer records and archives for the list tests.

#include "CoreSupport.h"
#include "data/RecordLayout.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QByteArray>
#include <QList>
#include <initializer_list>
#include <utility>

namespace ListFixtures {

using Fields = std::initializer_list<std::pair<const char*, QString>>;

// A slip: the given fields over a blank record whose flags are "No".
inline Record slip(Fields fields)
{
    Record record(SlipRecord::layout());
    for (const char* flag : {"Saldato", "Rilascio", "Annuale", "Integrazione"})
        record.setFlag(flag, false);
    for (const auto& [name, value] : fields)
        record.setText(name, value);
    return record;
}

inline Record payer(Fields fields)
{
    Record record(PayerRecord::layout());
    record.setFlag("Ricontatta", false);
    for (const auto& [name, value] : fields)
        record.setText(name, value);
    return record;
}

inline QByteArray archive(const QList<Record>& records)
{
    QByteArray bytes;
    for (const Record& record : records)
        bytes += record.bytes();
    return bytes;
}

inline bool writeArchive(const QString& path, const QList<Record>& records)
{
    return TestSupport::writeAll(path, archive(records));
}

} // namespace ListFixtures
