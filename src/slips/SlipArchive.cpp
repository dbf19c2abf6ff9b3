#include "slips/SlipArchive.h"

#include "slips/SlipRecord.h"

SlipArchive::SlipArchive(const QString& path)
    : LayoutArchive(path, SlipRecord::layout(), SlipRecord::kSize)
{}

Record SlipArchive::blank()
{
    return Record(SlipRecord::layout());
}
