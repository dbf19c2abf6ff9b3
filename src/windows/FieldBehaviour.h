#pragma once
// The behaviours every window repeats, written once and configured per window by tables:
//
//   static const Behaviour::Field kFields[] = {
//       {"txtImporto", Behaviour::Digits | Behaviour::Highlight, 8, "txtCents"},
//       {"txtCodFisc", Behaviour::TrimUpper | Behaviour::Highlight, 16, "txtEsecutore"},
//   };
//   static const Behaviour::Hint kHints[] = {{"cmdSalva", "Salva il bollettino in archivio."}};
//   Behaviour::install(this, kFields, "panInfo", kHints, {"panContainer", "imgSfondo"});
//
// - Highlight: the field's rectangle "eff" + name without "txt" (made when the form has none) lies
//   behind it, 4 pixels larger on every side, and is visible only while the field has the focus.
// - Enter moves the focus to the field's next control (a field without one ignores Enter).
// - Digits: only 0-9, Backspace, Delete, Left and Right reach the field; text set by the program
//   is not filtered.
// - Upper: typed text becomes upper case (a to z only); TrimUpper also removes blanks at both ends.
// - A maximum length above 0 limits what can be typed.
// - Hints: hovering a command writes its hint into panInfo; hovering the background empties it.

#include "data/TypingRules.h"

#include <QString>
#include <initializer_list>
#include <span>

class QWidget;

namespace Behaviour {



struct Field {
    const char* name;
    unsigned rules;
    int maxLength;     // 0: no limit
    const char* next;  // the control Enter moves to, or nullptr
};

struct Hint {
    const char* name;
    const char* text;
};

void install(QWidget* window, std::span<const Field> fields);
void installHints(QWidget* window, const char* statusName, std::span<const Hint> hints,
                  std::initializer_list<const char*> background);


} // namespace Behaviour
