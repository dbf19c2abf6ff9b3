#pragma once
// The decisions both record editors (slips and payers) share, as pure functions: given what the
// window shows (its record number label lblPosizione) and the archive's record count, which
// archive action to take and what to tell the user. The windows read their controls, ask here,
// carry out the action on the archive and show the message.

#include "data/Message.h"

#include <QString>
#include <optional>

namespace RecordEditor {

enum class Move { First, Previous, Next, Last };

enum class Action {
    None,      // nothing to do on the archive
    Append,    // write the record after the last one
    Overwrite, // write over record `record`
    Load,      // read record `record` into the window
};

struct Decision {
    Action action = Action::None;
    qint64 record = 0;
    Message message;                 // shown when not empty
    std::optional<QString> position; // the new text of lblPosizione, when it changes
    QString focus;                   // the control to put the focus on, when not empty

    friend bool operator==(const Decision&, const Decision&) = default;
};

// The access message the editors show when the archive cannot be opened, read or written.
QString accessText();
// The information shown when an arrow finds an empty archive.
QString emptyArchiveText();

// "Salva": a blank lblPosizione appends; a record number from 1 to count overwrites that record.
// Anything else (not a number, 0, beyond the end) names no record and is refused with the access
// warning: writing there would leave a gap or file the record under another number.
Decision save(const QString& position, qint64 count);
// After a save that succeeded: lblPosizione shows the record written and the information of the
// editor (inserted or changed) is shown.
Decision saved(const Decision& save, qint64 written, const QString& insertedText, const QString& changedText);

// An arrow over an archive of count records (count > 0): the record to load, or nothing.
// first: 1; last: count; next: p + 1 when p < count; previous: p - 1 when p >= 2, 1 from a new
// record (blank lblPosizione); a new record counts as p = 0.
Decision move(Move move, const QString& position, qint64 count);

} // namespace RecordEditor
