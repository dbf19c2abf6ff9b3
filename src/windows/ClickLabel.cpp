#include "windows/ClickLabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed();
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit released();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}
