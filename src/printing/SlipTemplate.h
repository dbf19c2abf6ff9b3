#pragma once
// The TD 451 slip as a print template: one custom-size page and the 139 text objects that sit over
// the spaces and boxes of the pre-printed form. Only data is printed, never the form itself.
//
// Every object is rotated by 90 degrees: its text runs up the sheet along the object's height.
// Positions are millimetres from the sheet's top-left corner, before the print margins shift them.

#include "reports/Report.h"

#include <QString>
#include <span>

namespace SlipTemplate {

// A datum of section C printed one character per box. Box 01 holds the datum's first character
// and is the lowest box on the sheet; the numbers climb the sheet.
struct BoxRow {
    const char* prefix;      // the boxes are prefix + "_01", prefix + "_02", ...
    const char* sourceField; // the slip editor's field that fills the row
    double left;
    int count;
    double tops[23];   // one per box, box 01 first
    bool rightAligned; // amounts keep their units in the last box
};

// The sections of the form, from the foot of the sheet up: A, B and C.
enum class Section { A, B, C };

// The template "Tassella" with its page "Page1", 203 x 327 mm.
const Report::TemplateDef& def();
std::span<const Report::TextDef> texts();
std::span<const BoxRow> boxRows();

// The declaration of the object of that name, or nothing.
const Report::TextDef* find(const QString& name);
QString boxName(const char* prefix, int number);
Section sectionOf(const QString& objectName);

} // namespace SlipTemplate
