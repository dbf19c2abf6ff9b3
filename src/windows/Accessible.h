#pragma once
// What a screen reader says of each control. Qt names a button after its caption; an edit field,
// a drop-down list, a picture that acts as a command or a button showing only a drawing has no
// name of its own. When a window first appears, every such control without a name takes one:
// - an edit field, drop-down, check box without caption or list: the label beside it on its left,
//   or else the label just above it (the forms place their captions so);
// - a command: its caption, else its hint (tooltip or the status-bar hint), else its picture's
//   name as the form gives it ("imgGuida" is read "Guida").
// A name set by the window itself is kept.

#include <QStringList>

class QWidget;

namespace Accessible {

// Names the controls of window that have no name yet, now and once more when the window's own
// showing is done (controls a window makes as it appears).
void nameControls(QWidget* window);

// Gives screen readers the roles Qt cannot know: a picture or caption that acts as a command
// (ClickLabel) is a push button or a link with a Press action; a workspace is a window, not a
// filler; a drop-down's name is its caption, not the value it shows. Runs once.
void installRoles();

// The controls the table of names speaks of, by object name (a test requires each to exist).
QStringList tableNames();

} // namespace Accessible
