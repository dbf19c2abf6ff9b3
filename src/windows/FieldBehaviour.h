#pragma once
// The behaviours every window repeats, written once and configured per window by tables:
//
//   const Behaviour::Field kFields[] = {
//       {"txtImporto", Behaviour::Digits | Behaviour::Highlight, 8, "txtCents", {.mirror = "txtImpLettere",
//        .mirrorText = &AmountInWords::spellDigits}},
//       {"txtCents", Behaviour::Digits | Behaviour::Highlight, 2, "txtImpLettere", {.exit = Behaviour::Exit::Cents,
//        .mirror = "txtCentLettere"}},
//       {"txtDataScade", Behaviour::Highlight, 10, nullptr, {.key = Behaviour::Key::Dialog, .tag = "calendario"}},
//   };
//   const Behaviour::Hint kHints[] = {{"cmdSalva", "Salva il bollettino in archivio."}};
//   Behaviour::install(this, kFields, [this](const char* tag) { ...open the dialog for tag... });
//   Behaviour::installHints(this, "panInfo", kHints, {"panContainer", "imgSfondo"});
//
// Fields are edit fields (QLineEdit), editable combo boxes (the rules act on their edit line) or
// memo fields (QPlainTextEdit, length only).
// - Highlight: the field's rectangle "eff" + name without "txt" (made when the form has none) lies
//   behind it, 4 pixels larger on every side, and is visible only while the field has the focus.
// - Enter moves the focus to the field's next control (a field without one ignores Enter).
// - Digits: a key that would type a character other than 0-9 is refused; keys that type nothing
//   (Home, End, the arrows with or without Shift, Ctrl+A, Ctrl+C, Backspace, Delete) work as in
//   any field. A paste (Ctrl+V, Shift+Insert, the middle button, a drop) is taken when it is made
//   of digits, blanks at its ends aside, and refused whole otherwise. Text set by the program is
//   not filtered.
// - Upper: typed text becomes upper case (a to z only); TrimUpper also removes blanks at both ends.
// - ClearSelection: a combo box forgets its list selection (keeping its text) when entered.
// - A maximum length above 0 limits what can be typed.
// - Exit rules run when the user moves on to another control (not when another window takes the
//   focus for a while): see Behaviour::Exit in data/TypingRules.h.
// - Mirror: after every key release, and after the exit rule, the mirror control shows the field's
//   text (or mirrorText of it; an empty or blank field shows nothing).
// - Key rules: Key::Dialog makes the field untypable: Backspace and Delete empty it, Tab and the
//   modifiers move on as usual, every other key asks the window to open the dialog named by tag.
//   Key::ListOnly (combo boxes) types nothing either: Backspace and Delete empty it, a value can
//   only be chosen from the list: Up and Down choose the item before or after the one shown,
//   Space, F4 and Alt+Down open the list; the keys that move the cursor work as usual.
// - Every field shows the beginning of a text the program puts into it. Entered by the keyboard or
//   by the program's own focus (not by a mouse click) after the program filled it, or filled while
//   it has the focus, the field selects its whole text, so typing replaces it as after Tab. A field
//   whose text fills its whole length selects it when entered with the mouse too. A whole text
//   selected this way, or by Tab, keeps the cursor at its start: a long one shows its beginning.
// - Hints: hovering a command writes its hint into panInfo; hovering the background empties it.
// - Commands: a picture or caption that acts as a command (ClickLabel), or a button that took no
//   focus, is reached by Tab and speaks its name to screen readers: the table's text, or its own
//   caption when the table gives none. Enter and Space run it.
//
// A name in a table that the form lacks (or that names a control of the wrong kind) is recorded
// in problems(): a test creates every window and requires it to stay empty.

#include "data/TypingRules.h"

#include <QString>
#include <QStringList>
#include <QKeyCombination>
#include <array>
#include <functional>
#include <initializer_list>
#include <span>

class QWidget;

namespace Behaviour {

enum class Key { None, Dialog, ListOnly };

// What a field does beyond its typing rules; every member is optional.
struct Extra {
    Exit exit = Exit::None;
    const char* mirror = nullptr;                    // the control that shows this field's text
    QString (*mirrorText)(const QString&) = nullptr; // what the mirror shows of it (default: the text)
    Key key = Key::None;
    const char* tag = nullptr; // Key::Dialog: what the window's handler receives
};

struct Field {
    const char* name;
    unsigned rules;
    int maxLength;    // 0: no limit
    const char* next; // the control Enter moves to, or nullptr
    Extra extra = {};
};

struct Hint {
    const char* name;
    const char* text;
};

struct Command {
    const char* name;
    const char* accessibleName = nullptr; // nullptr: the control's own caption
};

// A key that presses a command of the window (a button or a clickable picture) while the window is
// the active one and the command is visible and enabled.
struct Shortcut {
    const char* name;
    QKeyCombination key;
};

// A window's own hints followed by hints it shares with other windows, as one table.
template <size_t N, size_t M> constexpr std::array<Hint, N + M> joined(const Hint (&own)[N], const Hint (&shared)[M])
{
    std::array<Hint, N + M> all{};
    for (size_t i = 0; i < N; ++i)
        all[i] = own[i];
    for (size_t i = 0; i < M; ++i)
        all[N + i] = shared[i];
    return all;
}

// Called with a Key::Dialog field's tag when a key asks for its dialog.
using DialogRequest = std::function<void(const char* tag)>;

void install(QWidget* window, std::span<const Field> fields, DialogRequest onDialog = {});
void installHints(QWidget* window, const char* statusName, std::span<const Hint> hints,
                  std::initializer_list<const char*> background);
void installCommands(QWidget* window, std::span<const Command> commands);
void installShortcuts(QWidget* window, std::span<const Shortcut> shortcuts);

// Table names that did not match the form, as "<window class>: <name> (<why>)", since start.
QStringList problems();
// Records one (the window registry reports its own tables here too).
void reportProblem(const QWidget* window, const char* name, const char* why);
void clearProblems();

} // namespace Behaviour
