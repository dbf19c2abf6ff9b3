#pragma once
// What the logic asks a window to tell the user: one message box of a kind, with its text.
// The logic never shows it; the window hands it to MessageBox::show.

#include <QString>

enum class MessageKind { Warning, Error, Information, Confirmation, Plain };

struct Message {
    MessageKind kind = MessageKind::Information;
    QString text;

    bool isEmpty() const { return text.isEmpty(); }
    friend bool operator==(const Message&, const Message&) = default;
};
