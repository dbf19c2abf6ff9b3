#include "data/ArchivePlace.h"

ArchivePlace::ArchivePlace(QObject* parent)
    : QObject(parent)
{}

void ArchivePlace::setPosition(qint64 position)
{
    position = qMax<qint64>(position, 0);
    if (position == m_position)
        return;
    m_position = position;
    emit positionChanged(m_position);
}

QString ArchivePlace::positionText() const
{
    return m_position > 0 ? QString::number(m_position) : QString();
}

void ArchivePlace::setPositionText(const QString& text)
{
    setPosition(text.trimmed().toLongLong());
}
