#include "payers/PayerFile.h"

#include "payers/PayerRecord.h"

PayerFile::PayerFile(QObject* parent)
    : ArchivePlace(parent)
{}

QString PayerFile::path() const
{
    return PayerRecord::archivePath();
}
