#pragma once
// The start menu's row of link commands for the care of the data: backup, restore, archive check,
// payers imported from a spreadsheet.

class QWidget;

namespace StartMenuLinks {

// Puts the row at the foot of the start menu's panel, between the corner images; each link opens
// its window as a dialog of menu. Closing the menu (which ends the program) offers a backup first.
void install(QWidget* menu, QWidget* panel);

// At most once a day, when a backup folder is set: asks whether to save a backup and, on Yes, writes
// it and tells how it went. False when the user chose Annulla, to stay in the program (the question
// then comes again at the next leaving).
bool offerBackup(QWidget* menu);

} // namespace StartMenuLinks
