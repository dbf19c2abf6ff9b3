#pragma once
// The platform interfaces that need no window: shell open, clock and program folder. Each has a
// hook that tests use instead of the real thing; in normal use the hooks are empty and the real
// platform answers. The interfaces that show something (message boxes, file and print dialogs)
// are in windows/Prompts.h.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace Shell {
// Hands a local path, a web address or a mailto link to the desktop's "open" action.
// Reports nothing, whatever happens.
void open(const QString& target);

// Test hooks: while recording, targets are kept (as the URL that would be opened) instead of opened.
void setRecording(bool on);
QStringList opened();
void clearOpened();
} // namespace Shell

namespace Clock {
QDate today();
QDateTime now();
// Test hook: a fixed moment; an invalid one returns to the real clock.
void setFixed(const QDateTime& moment);
} // namespace Clock

namespace ProgramFolder {
// The folder that holds the executable, with a trailing separator; file names are appended to it.
QString path();
inline QString file(const QString& name) { return path() + name; }
// Test hook: use another folder (a temporary one); empty returns to the executable's folder.
void setOverride(const QString& folder);
} // namespace ProgramFolder
