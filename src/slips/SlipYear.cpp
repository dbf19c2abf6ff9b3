#include "slips/SlipYear.h"

#include "data/CodePage.h"
#include "slips/SlipRecord.h"

SlipYear::SlipYear(QObject* parent)
    : ArchivePlace(parent)
{}

void SlipYear::open(const QString& year)
{
    const QString trimmed = CodePage::trimmed(year);
    open(trimmed, SlipRecord::archivePath(trimmed));
}

void SlipYear::open(const QString& year, const QString& path)
{
    const QString trimmed = CodePage::trimmed(year);
    if (trimmed != m_year) {
        m_year = trimmed;
        emit yearChanged(m_year);
    }
    if (path != m_path) {
        m_path = path;
        emit pathChanged(m_path);
    }
}
