#pragma once
// The program folder of a system package: each user's own data folder, chosen at the first start.

#include <QString>

namespace StartupFolder {
// When the program runs from a system package, makes the user's data folder the program folder:
// the one remembered in the user's configuration, or at the first start (or when the remembered
// one can no longer be reached) one the user chooses with a folder dialog, proposed as "Tassella"
// in the home folder. The initial password file is copied into it when none is there. Run from
// its own folder the program asks nothing. False when the user chooses no folder: the program ends.
bool choose();

// What the first start tells before the folder dialog: the folder proposed, and the first password
// when the installed password file still holds it.
QString welcomeText(const QString& proposed, bool initialPassword);
} // namespace StartupFolder
