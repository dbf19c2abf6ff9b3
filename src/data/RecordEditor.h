#pragma once
// The decisions both record editors (slips and payers) share, as pure functions: given the record
// number the editor shows (as text: empty for a new record) and the archive's record count, which
// archive action to take and what to tell the user. The windows ask here, carry out the action on
// the archive and show the message.

#include "data/Message.h"
#include "data/RecordLayout.h"

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
    std::optional<QString> position; // the new record number shown, when it changes
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

// Unsaved changes. The editor keeps the record its controls showed when it was last loaded, saved
// or cleared; leaving it (another record loaded, a new one, the window closed) while the record the
// controls show now differs from it asks first, unless the controls hold nothing (they are as
// clearing leaves them: there is nothing to lose). The records are built from the controls, so they
// compare as the archive would store them: texts trimmed and cut to their capacity, flags "Sì" or "No".
bool changed(const Record& shown, const Record& kept, const Record& cleared);
// The question before such a change is left: Yes saves first, No drops it, Cancel stays.
Message unsavedQuestion();

// What the editor does with the answer to that question.
enum class Leave {
    Go,        // nothing to keep, or the change is dropped: carry on
    SaveFirst, // save, and carry on only if the save stored the change
    Stay,      // do nothing: the record and its change stay on screen
};
enum class Answer { Yes, No, Cancel };
Leave leave(Answer answer);

} // namespace RecordEditor
