#pragma once
// The start menu's row of link commands for the care of the data: backup, restore, archive check.

class QWidget;

namespace StartMenuLinks {

// Puts the row at the foot of the start menu's panel, between the corner images; each link opens
// its window as a dialog of menu.
void install(QWidget* menu, QWidget* panel);

} // namespace StartMenuLinks
