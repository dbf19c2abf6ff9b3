#pragma once
// The payer editor's decisions, as pure functions over what the window shows (the record number,
// the name field) and the payer archive's record count. The window reads its controls, asks here,
// acts on the archive and shows the message. "Salva" itself is the editors' shared one
// (RecordForm::save), with this editor's texts.

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
// "Cancella": on a new payer the warning; on a stored one the question (a confirmation).
Message clearRequest(const QString& position);
// After Yes: the fields are emptied, the number stays, and the hint names the record to overwrite.
Decision cleared(const QString& position);

// An arrow over an archive of count records, count 0 included: the record to load, what the
// record number becomes and what to tell the user.
Decision move(Move move, const QString& position, qint64 count);

} // namespace PayerEditor
