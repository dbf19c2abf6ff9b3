#include "payers/PayerArchive.h"

#include "payers/PayerRecord.h"

PayerArchive::PayerArchive(const QString& path)
    : LayoutArchive(path, PayerRecord::layout(), PayerRecord::kSize)
{}

Record PayerArchive::blank()
{
    return Record(PayerRecord::layout());
}
