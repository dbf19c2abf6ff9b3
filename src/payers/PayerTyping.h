#pragma once
// The payer editor's fields as typing shapes them: each field's typing rule, exit rule and Enter
// order, its length limit (the capacity of its record field) and its caption; and what a text
// becomes when it is typed into the field. The editor installs its field behaviour from this table
// and stores its fields through Record::setText; the spreadsheet import passes each value through
// typed() and stores it the same way, so an imported payer is stored byte for byte as the same
// payer typed in the editor.

#include "data/RecordLayout.h"
#include "data/TypingRules.h"

#include <QString>
#include <QStringView>
#include <span>

namespace PayerTyping {

struct Field {
    const char* control; // "txt" + the record field's name
    unsigned rules;      // Behaviour::Rule bits
    const char* next;    // the control Enter moves to
    Behaviour::Exit exit;
    const char* caption; // the label beside the field, without its colon
};

// The 31 edit fields in Enter order (the order of the form and of the record).
std::span<const Field> fields();

// The record field a control shows ("Esecutore" for "txtEsecutore"), its index in the payer
// record, and its capacity, which is the field's length limit.
QString recordName(const Field& field);
int recordIndex(const Field& field);
int limit(const Field& field);
// The field of a control, or nullptr.
const Field* find(const char* control);

struct Typed {
    QString text;     // what the field holds, as Record::setText then stores it
    bool cut = false; // characters beyond the length limit were refused
};

// What the field holds after text is typed into it, empty, one character after the other, and the
// focus leaves it: the digit filter refuses any other character, a full field refuses more, the
// typing rule rewrites the text after each character, the exit rule runs at the end. A line break
// or tab cannot be typed (Enter and Tab move on): each becomes a blank; other control characters
// are dropped. Blanks at the start count against the limit as they do in the editor. The time
// grows with the text's length, not with its square: a cell of a megabyte is no harder than a page.
Typed typed(const Field& field, QStringView text);

} // namespace PayerTyping
