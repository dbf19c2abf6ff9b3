#pragma once
// The program's look: one style sheet resource (resources/tassella.qss) for every window. Its
// opening comment tells the object names and properties a window uses to take the look.

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

namespace Look {

// The style sheet as the resource holds it.
const QString& styleSheet();

// The looks a window asks for: the "look" property of the window and of its controls, sorted.
QStringList looksOf(const QWidget* window);

// The part of the style sheet a window with these looks uses: every rule that names no look and
// every rule for one of them. A window is given only that part, which spares Qt matching each of
// its controls against the rules of all the other windows' forms. Its lengths (font sizes, borders,
// paddings) are given at scale, for a window drawn larger or smaller (windows/Scaling.h).
QString styleSheetFor(const QStringList& looks, double scale = 1.0);

// The scale of texts in a window drawn at scale: text at a size its font was not hinted for can take
// a little more room than the scale gives it, so fonts grow or shrink a little less than the boxes
// around them and wrapped texts stay inside.
double textScale(double scale);

// The window property holding the scale its form is drawn at, and the one set once a window has
// been given its sheet.
inline constexpr const char* scaleProperty = "_tassella_scale";
inline constexpr const char* shownProperty = "_tassella_look_shown";

// Gives a window its part of the style sheet when it is first shown, so that only windows that
// appear pay for styling their controls. A window whose owner's part already holds the rules for
// its looks takes them from the owner. The window bases call this for every window.
void applyWhenShown(QWidget* window);

// The colour of the frame around the control that has the focus (the style sheet's focus colour),
// for controls that draw their frame themselves.
QColor focusColour();

// Gives a window the style sheet now (windows made outside the bases: message boxes).
void apply(QWidget* window);

} // namespace Look
