#pragma once
// A light drawing of the pre-printed TD 451 form, made from the template's own boxes: each
// character box, each space of a whole-text object and the outline of the three sections. It is
// drawn under the slip's data in the preview only and never goes to the printer.

#include "printing/SlipTemplate.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace SlipForm {

inline const QColor boxColour = QColor(0x9D, 0xB9, 0xE0);
inline const QColor sectionColour = QColor(0xC8, 0xD3, 0xE3);
inline const QColor labelColour = QColor(0xA8, 0xB6, 0xCC);

// The space a template object fills on the sheet, in millimetres, before the margins shift it.
QRectF objectRect(const Report::TextDef& object);
// The outline of a section: its objects with some room around them.
QRectF sectionRect(SlipTemplate::Section section);
// The section's caption drawn beside its outline ("Sezione A").
QString sectionCaption(SlipTemplate::Section section);

// Draws the form. The painter works in millimetres from the paper's top-left corner.
void paint(QPainter& painter);

} // namespace SlipForm
