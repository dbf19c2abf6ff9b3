#pragma once
// The program's look: one style sheet resource (resources/tassella.qss) for every window. Its
// opening comment tells the object names and properties a window uses to take the look.

#include <QString>

namespace Look {

// The style sheet as the resource holds it.
const QString& styleSheet();

// Installs the style sheet for the whole application, once: before the windows are created, so
// that each control is styled only when it is first shown.
void install();

} // namespace Look
