#include "printing/SlipForm.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace SlipForm {
namespace {
constexpr double sectionRoom = 2.0; // mm around a section's objects
constexpr double pen = 0.2;         // mm

bool isBox(const Report::TextDef& object)
{
    return object.width == 5 && object.height == 4;
}
} // namespace

QRectF objectRect(const Report::TextDef& object)
{
    return QRectF(object.left, object.top, object.width, object.height);
}

QRectF sectionRect(SlipTemplate::Section section)
{
    QRectF united;
    for (const Report::TextDef& object : SlipTemplate::texts())
        if (SlipTemplate::sectionOf(QString::fromLatin1(object.name)) == section)
            united = united.isNull() ? objectRect(object) : united.united(objectRect(object));
    return united.adjusted(-sectionRoom, -sectionRoom, sectionRoom, sectionRoom);
}

QString sectionCaption(SlipTemplate::Section section)
{
    switch (section) {
    case SlipTemplate::Section::A: return QStringLiteral("Sezione A");
    case SlipTemplate::Section::B: return QStringLiteral("Sezione B");
    case SlipTemplate::Section::C: return QStringLiteral("Sezione C");
    }
    return {};
}

void paint(QPainter& painter)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);

    QPen sectionPen(sectionColour, pen * 2);
    painter.setPen(sectionPen);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(30); // drawn at a tenth: 3 mm
    painter.setFont(font);
    for (auto section : {SlipTemplate::Section::A, SlipTemplate::Section::B, SlipTemplate::Section::C}) {
        const QRectF outline = sectionRect(section);
        painter.setPen(sectionPen);
        painter.drawRect(outline);
        // The caption reads up the sheet, as the slip's own lines do, just right of the outline.
        painter.save();
        painter.setPen(labelColour);
        painter.translate(outline.right() + 1.0, outline.bottom());
        painter.rotate(-90);
        painter.scale(0.1, 0.1);
        painter.drawText(QRectF(0, 0, outline.height() * 10, 50), Qt::AlignLeft | Qt::AlignTop,
                         sectionCaption(section));
        painter.restore();
    }

    // Character boxes as the form's boxes; the spaces of whole texts dotted.
    QPen boxPen(boxColour, pen);
    QPen spacePen(boxColour, pen, Qt::DotLine);
    for (const Report::TextDef& object : SlipTemplate::texts()) {
        painter.setPen(isBox(object) ? boxPen : spacePen);
        painter.drawRect(objectRect(object));
    }
    painter.restore();
}

} // namespace SlipForm
