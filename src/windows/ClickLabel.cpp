#include "windows/ClickLabel.h"

#include "windows/Accessible.h"
#include "windows/Look.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickLabel::ClickLabel(QWidget* parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    Accessible::installRoles();
}

void ClickLabel::click()
{
    if (isEnabled())
        emit clicked();
}

bool ClickLabel::isLink() const
{
    return property("link").isValid() || font().underline();
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

void ClickLabel::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (plain && (focusPolicy() & Qt::TabFocus)) {
            event->accept();
            if (!event->isAutoRepeat())
                click();
            return;
        }
        break;
    default: break;
    }
    QLabel::keyPressEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // Drawn over whatever the label shows, so style sheets that give labels their own borders
    // cannot hide it.
    QPainter painter(this);
    QPen pen(Look::focusColour());
    pen.setWidth(2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void ClickLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void ClickLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}
