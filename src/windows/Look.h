#pragma once
// The program's look: one style sheet resource (resources/tassella.qss) for every window. Its
// opening comment tells the object names and properties a window uses to take the look.

#include <QColor>
#include <QString>

class QWidget;

namespace Look {

// The style sheet as the resource holds it.
const QString& styleSheet();

// Gives a window the style sheet when it is first shown, so that only windows that appear pay for
// styling their controls. A window whose owner already has the sheet takes it from the owner. The
// window bases call this for every window.
void applyWhenShown(QWidget* window);

// The colour of the frame around the control that has the focus (the style sheet's focus colour),
// for controls that draw their frame themselves.
QColor focusColour();

// Gives a window the style sheet now (windows made outside the bases: message boxes).
void apply(QWidget* window);

} // namespace Look
