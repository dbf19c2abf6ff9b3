#pragma once
// What both record editors (slips and payers) share on the window side: moving a record to and from
// the controls through each editor's table of bindings, the command panel (keys, focus, hints, names)
// configured by a table, and the question before a changed record is left.

#include "data/ArchivePlace.h"
#include "data/LayoutArchive.h"
#include "data/RecordEditor.h"
#include "data/RecordLayout.h"
#include "windows/FieldBehaviour.h"
#include "windows/Targets.h"

#include <QKeyCombination>
#include <array>
#include <QString>
#include <functional>
#include <initializer_list>
#include <span>
#include <variant>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace RecordForm {

// One record field and where its editor shows it: a control of the form, taken from the form's
// typed members (a control renamed or of another kind fails to compile), or a text the editor keeps
// itself (the attachment slots, which no control shows).
struct Binding {
    const char* field;
    std::variant<QLineEdit*, QComboBox*, QPlainTextEdit*, QCheckBox*, QString*> to;
};

// The bindings of an editor's record: each field of the layout once (the editors' tests check the
// names against the layout). Empty until the editor's form is built.
class Fields {
public:
    void bind(std::vector<Binding> bindings) { m_bindings = std::move(bindings); }
    std::span<const Binding> bindings() const { return m_bindings; }

    // Writes every field, trimmed, into its control. A flag checks its box on "Sì" and clears it
    // on "No"; any other text leaves the box as it was.
    void load(const Record& record) const;
    // Fills the record from the controls: texts trimmed and cut to each field's capacity, flags
    // "Sì" or "No" from the boxes. Fields not bound are left as they are in the record.
    void store(Record& record) const;

private:
    std::vector<Binding> m_bindings;
};

// The attachment fields File01..File03 and Desc01..Desc03 bound to the editor's own slots.
std::vector<Binding> attachmentBindings(AttachmentSlots& attached);
// The slots trimmed, as they go into a record.
AttachmentSlots trimmed(const AttachmentSlots& attached);

// A command of an editor: a tool button of the command panel or the navigation row, or a clickable
// image. Its key runs it as a click does, while it is visible and enabled and the editor is the
// active window; with a field, only while that field has the focus (the image beside the field).
struct Command {
    const char* name;
    const char* hint;    // the hover hint, without the key; nullptr: none
    QKeyCombination key; // the key that runs it
    const char* field = nullptr;
    const char* caption = nullptr; // what a screen reader calls it when it shows no caption of its own
};

// The commands both record editors have, in their panel's order: "Guida", "Esci" and the arrows.
inline constexpr Command kGuidaEsci[] = {
    {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto.", Qt::Key_F1},
    {"cmdEsci", "Esci da questa schermata di lavoro.", Qt::CTRL | Qt::Key_W},
};
inline constexpr Command kArrows[] = {
    {"cmdPrimo", "Visualizza la prima scheda in archivio.", Qt::CTRL | Qt::Key_Home, nullptr, "Primo"},
    {"cmdIndietro", "Visualizza la scheda precedente in archivio.", Qt::Key_PageUp, nullptr, "Indietro"},
    {"cmdAvanti", "Visualizza la scheda successiva in archivio.", Qt::Key_PageDown, nullptr, "Avanti"},
    {"cmdUltimo", "Visualizza l'ultima scheda in archivio.", Qt::CTRL | Qt::Key_End, nullptr, "Ultimo"},
};

// An editor's own commands followed by the shared ones, as one table.
template <size_t N, size_t M, size_t K> constexpr std::array<Command, N + M + K>
commands(const Command (&own)[N], const Command (&shared)[M], const Command (&arrows)[K])
{
    std::array<Command, N + M + K> all{};
    size_t at = 0;
    for (const Command& c : own)
        all[at++] = c;
    for (const Command& c : shared)
        all[at++] = c;
    for (const Command& c : arrows)
        all[at++] = c;
    return all;
}

// The key as the hints show it ("Ctrl+S", "PgDown", "F1").
QString keyText(QKeyCombination key);
// The hint of a command as the status text and its tooltip show it: "Salva la scheda ... (Ctrl+S)".
QString hintText(const Command& command);

// Makes the commands usable from the keyboard: each runs on its key; the buttons among them take the
// focus, and Tab reaches them after the control named after, in the table's order. Each command gets
// its hint and key as tooltip and accessible description, and its caption as accessible name; while
// a command has the focus, the status text shows its hint. Then installs the hover hints of the
// commands (with their keys) and of the other controls into the status text (Behaviour::installHints).
void installCommands(QWidget* window, std::span<const Command> commands, const char* after, const char* status,
                     std::span<const Behaviour::Hint> otherHints, std::initializer_list<const char*> background);

// Keeps the record an editor's controls showed when it was last loaded, saved or cleared, and asks
// before a change to it is left.
class Changes {
public:
    // fields: the editor's bindings; blank: the editor's empty record, which its controls are stored
    // into; save: the editor's "Salva".
    Changes(QWidget* form, const Fields& fields, Record blank, std::function<void()> save);

    // The record the controls show now.
    Record shown() const;
    // The controls as they stand are the record loaded or saved.
    void keep();
    // The controls were cleared for a new record: they are kept, and are what a new record starts from.
    void keepCleared();
    // The controls hold a record not yet in the archive (a copy): it counts as changed until saved.
    void becomeNew();
    bool changed() const;

    // Before the record shown is left: nothing is asked when it has no changes; otherwise the question,
    // and true to carry on (No, or Yes with a save that stored it) or false to stay (Cancel, or a save
    // that did not succeed).
    bool mayLeave();

private:
    QWidget* m_form;
    const Fields& m_fields;
    Record m_kept;
    Record m_cleared;
    std::function<void()> m_save;
};

// "Salva" from the archive on, the one save of both editors, run once the editor's own checks have
// passed (the slip's amount and due date, the payer's name). The editor supplies its record and texts.
struct Save {
    QWidget* form;        // the editor: its boxes are shown over it
    const Fields& fields; // a reload writes the controls through them
    ArchivePlace& place;  // a new record is appended, a numbered one overwritten; takes the number written
    Changes& changes;     // what is stored (or reloaded) is kept as the record shown
    LayoutArchive& archive;
    const Record& record;   // the record the controls show
    MessageKind accessKind; // how this editor reports an archive it cannot reach
    QString insertedText;   // the information after an append
    QString changedText;    // the information after an overwrite
};
// A number that names no record, or an archive that cannot be opened or written: the access message.
// Another PC holds the archive: "Riprova" runs again (the editor's whole save, its checks too), "Annulla"
// stops. Another PC saved this record after it was loaded here: "Ricarica" shows the stored record,
// "Sovrascrivi" writes over it, "Annulla" stops. Once written: the number, the information, and the
// notice of an archive mended on the way. True when the record was stored.
bool save(const Save& step, const std::function<void()>& retry);

// The record number label shows the place's number: empty for a new record.
void showPosition(QLabel* label, const ArchivePlace& place);

// Sets up the navigation bar panNavigazione of an editor: lays out its caption lblScheda, the record
// number lblPosizione and the arrows cmdPrimo, cmdIndietro, cmdAvanti and cmdUltimo the same way in
// both editors (the caption on top, the number under it, the four arrows in a row at the foot), and
// connects the arrows to move.
void setUpNavigation(QWidget* form, const std::function<void(RecordEditor::Move)>& move);

} // namespace RecordForm
