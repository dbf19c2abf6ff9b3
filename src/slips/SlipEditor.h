#pragma once
// The slip editor's own decisions, as pure functions: what "Apri", "Salva" and "Duplica" check and
// what they tidy before the shared record-editor decisions (data/RecordEditor.h) take over.

#include "data/Message.h"

#include <QString>
#include <optional>

namespace SlipEditor {

// What Salva writes back into the amount fields before anything else: an empty amount becomes 0,
// the cents are cut to two characters, empty cents become 00 and a lone digit gets its zero.
struct Amount {
    QString amount;       // txtImporto
    QString cents;        // txtCents
    QString centsInWords; // txtCentLettere
    QString whole;        // txtIntero: amount + "," + cents
};
Amount tidyAmount(const QString& amount, const QString& cents);

// "Apri": a year must be written with four characters.
std::optional<Message> checkYear(const QString& year);
// "Salva": the due date must be given and exist (dd/mm/yyyy); the focus then goes to txtDataScade.
std::optional<Message> checkDueDate(const QString& dueDate);
// "Duplica" needs a slip that is in the archive (a record number in lblPosizione).
std::optional<Message> checkDuplicate(const QString& position);

QString insertedText();
QString changedText();
QString duplicatedText();
QString readyText();

} // namespace SlipEditor
