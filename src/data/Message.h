#pragma once
// What the logic asks a window to tell the user: one message box of a kind, with its text.
// The logic never shows it; the window hands it to MessageBox::show.

#include <QString>
#include <QStringList>

// Confirmation offers Yes and No; Question offers Yes, No and Cancel (keep the changes, drop them, or
// stay where one was).
enum class MessageKind { Warning, Error, Information, Confirmation, Plain, Question };

struct Message {
    MessageKind kind = MessageKind::Information;
    QString text;
    // The buttons' texts when they are not the kind's own (MessageBox::choose shows them): the
    // first is the default, the last answers Escape.
    QStringList buttons;
    // A confirmation or question whose default button is No: the answer Enter gives where saying
    // Yes without reading would do harm.
    bool noByDefault = false;

    bool isEmpty() const { return text.isEmpty(); }
    friend bool operator==(const Message&, const Message&) = default;
};
