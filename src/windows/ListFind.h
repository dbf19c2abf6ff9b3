#pragma once
// The find command of the list windows: "Trova" with the same text moves to the next line that
// holds it, wrapping past the end; a new text starts again from the top. Only the letters A to Z
// are case-folded ("È" does not find "è"). An empty text never matches.

#include "data/Message.h"
#include "windows/LineList.h"

#include <QString>
#include <QStringList>

namespace ListFind {

// The message of a find on a list without lines.
QString emptyListText();

struct Result {
    int select = -1; // the line to select; -1 leaves the selection as it is
    Message message; // shown by the window when not empty
};

// One press of "Trova": selected is the selected line (-1 for none), lastKey the window's last find
// key, updated here.
Result find(const LineList& lines, int selected, const QString& text, QString& lastKey);

} // namespace ListFind
