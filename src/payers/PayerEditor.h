#pragma once
// The payer editor's decisions, as pure functions over what the window shows (its record number
// label lblPosizione, the name field) and the payer archive's record count. The window reads its
// controls, asks here, acts on the archive and shows the message.

#include "data/RecordEditor.h"

#include <QStringList>

namespace PayerEditor {

using RecordEditor::Action;
using RecordEditor::Decision;
using RecordEditor::Move;

// The province codes offered by the province fields, in the order of their lists.
QStringList provinces();

QString insertedText();
QString changedText();

// The archive could not be opened, read or written: this editor reports it as an error.
Message accessError();

// "Salva", before the archive is opened: a blank name stops the save with a warning and the focus
// on the name; otherwise the decision is empty (no message) and the save goes on.
Decision checkName(const QString& name);
// "Salva" over an archive of count records: append, overwrite the record shown, or refuse a
// number that names no record (the access error, nothing written).
Decision save(const QString& position, qint64 count);
// After the write succeeded: the record number to show and the information.
Decision saved(const Decision& save, qint64 written);

// "Cancella": on a new payer the warning; on a stored one the question (a confirmation).
Message clearRequest(const QString& position);
// After Yes: the fields are emptied, the number stays, and the hint names the record to overwrite.
Decision cleared(const QString& position);

// An arrow over an archive of count records, count 0 included: the record to load, what
// lblPosizione becomes and what to tell the user.
Decision move(Move move, const QString& position, qint64 count);

} // namespace PayerEditor
