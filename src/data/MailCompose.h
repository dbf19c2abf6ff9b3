#pragma once
// Composing a message in the desktop's mail program, with a file attached: the one way the program
// sends mail. The user reads the message there and sends it, or not. A hook records the messages
// instead of handing them to the desktop, for tests.

#include <QList>
#include <QString>
#include <QStringList>

namespace MailCompose {

struct Draft {
    QString address;
    QString subject;
    QString body;
    QString attachment; // a local path
    friend bool operator==(const Draft&, const Draft&) = default;
};

// The arguments of xdg-email for the draft.
QStringList arguments(const Draft& draft);
// Hands the draft to xdg-email and returns at once; false when the tool cannot be started.
bool compose(const Draft& draft);

// Test hooks: while recording, drafts are kept instead of handed over; with setFailing(true) each
// recorded draft also fails, as when the desktop has no xdg-email.
void setRecording(bool on);
void setFailing(bool on);
QList<Draft> composed();
void clearComposed();

} // namespace MailCompose
