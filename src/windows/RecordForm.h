#pragma once
// Moves a record to and from a window's controls. A field "Name" is shown by the control
// "chkName" (a yes/no flag), "txtName" (an edit field, memo or editable combo box) or "lblName"
// (a label), looked up in that order among the form's children.

#include "data/RecordEditor.h"
#include "data/RecordLayout.h"
#include "windows/FieldBehaviour.h"

#include <functional>

class QWidget;

namespace RecordForm {

// Writes every field, trimmed, into its control. A flag checks its box on "Sì" and clears it
// on "No"; any other text leaves the box as it was. Fields without a control are skipped.
void load(QWidget* form, const Record& record);

// Fills the record from the controls: texts trimmed and cut to each field's capacity, flags
// "Sì" or "No" from the boxes. Fields without a control are left as they are in the record.
void store(const QWidget* form, Record& record);

// The hints of the commands both record editors have: the arrows, "Guida" and "Esci".
inline constexpr Behaviour::Hint kEditorHints[] = {
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto."},
    {"cmdEsci", "Esci da questa schermata di lavoro."},
    {"cmdPrimo", "Visualizza la prima scheda in archivio."},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio."},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio."},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio."},
};

// Connects the arrows cmdPrimo, cmdIndietro, cmdAvanti and cmdUltimo of form to move.
void connectArrows(QWidget* form, const std::function<void(RecordEditor::Move)>& move);

} // namespace RecordForm
