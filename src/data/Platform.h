#pragma once
// The platform interfaces that need no window: shell open, clock and program folder. Each has a
// hook that tests use instead of the real thing; in normal use the hooks are empty and the real
// platform answers. The interfaces that show something (message boxes, file and print dialogs)
// are in windows/Prompts.h.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

#include "data/Message.h"

class QObject;

namespace Shell {
// Hands a local path, a web address or a mailto link to the desktop's "open" action (xdg-open).
// Returns at once; when no program of the desktop can open the target, the failure handler is
// called later with the target as the caller gave it and the window that asked (requester, or
// the one the requester provider names at the call; nothing once that window is gone). While
// the desktop looks for a program, the busy handler is told so.
void open(const QString& target, QObject* requester = nullptr);

// What the user is told when nothing on the desktop opens the target. On Windows the shell
// itself says so; here the program does it in the shell's place.
Message failureMessage(const QString& target);

// The windows install a handler that shows failureMessage(); without one a failure goes unseen.
void setFailureHandler(std::function<void(const QString& target, QObject* requester)> handler);
// Names the window asking when a caller gives none (the windows: the one in front at the call).
void setRequesterProvider(std::function<QObject*()> provider);
// Called with true when a search for a program starts and with false when it has ended, one call
// each; searches may overlap.
void setBusyHandler(std::function<void(bool busy)> handler);

// Test hooks: while recording, targets are kept (as the URL that would be opened) instead of opened;
// with setFailing(true) each recorded open also fails at once, as when no program is set.
void setRecording(bool on);
void setFailing(bool on);
QStringList opened();
void clearOpened();
} // namespace Shell

namespace ProgramFolder {
// Whether the program can write its files in the program folder. Tries it (a probe file created
// and removed, each data file opened for writing without change), since permission bits do not
// tell the whole story (root, read-only mounts, immutable files). An empty message when all is well.
Message writeCheck();
} // namespace ProgramFolder

namespace Clock {
QDate today();
QDateTime now();
// Test hook: a fixed moment; an invalid one returns to the real clock.
void setFixed(const QDateTime& moment);
} // namespace Clock

namespace ProgramFolder {
// The folder that holds the executable, with a trailing separator; file names are appended to it.
QString path();
inline QString file(const QString& name)
{
    return path() + name;
}
// Test hook: use another folder (a temporary one); empty returns to the executable's folder.
void setOverride(const QString& folder);

// A system package puts the executable in <prefix>/bin and the program's own read-only files (the
// guide, the initial password file) in <prefix>/share/tassella, where no user may write. Each user
// then keeps the data in a folder of their own (chosen at the first start, remembered in their
// configuration), which becomes the program folder. A folder holding the executable together with
// a password file (a build, a user install) is always the program folder itself.

// The folder of the installed read-only files, with a trailing separator, when the program runs
// from a system package; empty otherwise.
QString installedFiles();
// One of the program's own files (the guide): from the installed files of a package, else from
// the program folder.
QString programFile(const QString& name);
// The user's folder remembered in their configuration; empty when none is.
QString remembered();
// The folder proposed at the first start: "Tassella" in the user's home folder.
QString proposed();
// The user's configuration file that remembers the folder.
QString configFile();
// Makes folder ready to be the program folder: creates it and copies the initial password file
// there when none is (a user's own password is never replaced). A message when it cannot.
Message prepare(const QString& folder);
// Remembers folder in the user's configuration; a message when it cannot be written.
Message remember(const QString& folder);
// Uses folder as the program folder of this run; empty returns to the executable's folder.
void use(const QString& folder);
// Test hooks: where the executable lives (for telling a package), and the user's home and
// configuration folders. Empty returns each to the real one.
void setExecutableFolder(const QString& folder);
void setUserFolders(const QString& home, const QString& config);
} // namespace ProgramFolder
