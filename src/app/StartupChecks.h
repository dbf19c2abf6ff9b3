#pragma once
// What the start-up adds for a desktop: the message for a target no program opens, the warning
// for a program folder that cannot be written, and the settling of a restore cut short.

class QWidget;

namespace StartupChecks {
// Shows Shell::failureMessage over the window that asked whenever the desktop cannot open a target,
// and a busy cursor while the desktop looks for a program.
void installShellFailureMessage();
// While a save waits for a lock held by another PC: a busy cursor, and the active window's status
// text panInfo naming that PC.
void installLockWait();
// Warns once, over parent, when the program folder or one of its data files cannot be written,
// so that the user learns it now and not from the first save that fails.
void warnIfProgramFolderReadOnly(QWidget* parent);
// Warns over parent when the program folder is on a network share reached through a client with
// which several PCs saving at once are not known to be safe.
void warnIfShareUntested(QWidget* parent);
// Finishes or undoes a restore of a backup that a crash or a power cut left half done, before
// anything reads the program's data (the login's password file among them), and tells the user
// over parent which it did.
void finishInterruptedRestore(QWidget* parent);
} // namespace StartupChecks
