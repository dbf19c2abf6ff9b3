#pragma once
// The attachment folder "Documenti_Allegati" in the program folder, shared by every payer and slip:
// an attachment slot holds only a bare file name, and the file is found by that name alone.

#include "data/Message.h"

#include <QString>

namespace Attachments {

// The program folder followed by "Documenti_Allegati/".
QString folder();
// The folder followed by the name.
QString pathOf(const QString& name);

// True for a bare file name that stays inside the attachment folder: not empty, not "." nor "..",
// without folder separators, drive letters or characters a file name cannot hold. A stored name
// comes from an archive that may have been written elsewhere; anything else is refused.
bool isPlainFileName(const QString& name);

// Creates the attachment folder with any missing parent; true when it exists afterwards.
bool makeFolder();

// The name a chosen file gets in the folder: its name without the folder, trimmed as the slot
// stores it, so that the copy and the slot name the same file.
QString nameFor(const QString& chosen);

// Copies source over destination. The copy is written aside, synced, and renamed into place at the
// end, so a failed copy leaves an existing destination whole; a link standing at destination is
// replaced itself, never written through. False when nothing was replaced, with the reason in
// error (optional).
bool copyReplacing(const QString& source, const QString& destination, QString* error = nullptr);

// The question before the file of that name in the folder is replaced.
Message replaceQuestion(const QString& name);
// A copy that failed (a full disk, a folder that cannot be written): the slot stays as it was.
Message copyFailed(const QString& name, const QString& reason);
// "Apri" or "Sfoglia..." on a name that is not a bare file name.
Message unsafeName();

} // namespace Attachments
