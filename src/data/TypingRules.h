#pragma once
// The typing rules of edit fields as pure functions on text: what the shared field behaviour
// (windows/FieldBehaviour.h) does to what the user types.

#include <QString>
#include <QStringList>
#include <optional>

namespace Behaviour {

enum Rule : unsigned {
    None = 0,
    Highlight = 1u << 0,
    Digits = 1u << 1,
    Upper = 1u << 2,
    TrimUpper = 1u << 3,
    ClearSelection = 1u << 4,
};

// What a field does to its text when the user leaves it.
enum class Exit {
    None,
    TwoDigits, // a lone character gets a leading zero: 7 becomes 07
    Cents,     // empty or blank becomes 00, a lone digit gets a trailing zero: 5 becomes 50
    Trim,      // blanks (codes 0 to 32) removed at both ends
    TrimUpper, // trimmed and a to z upper-cased
    InList,    // a value that is not one of the field's list entries becomes empty
};

// The exit rule applied to text; list holds the entries for Exit::InList.
QString applyExit(Exit exit, const QString& text, const QStringList& list = {});

// What the typing rules do to a text, with the cursor position kept on the same character.
QString applyRule(unsigned rules, const QString& text, int* cursor = nullptr);

// One key typed at the end of a text the rules already shaped: text becomes applyRule(rules, text +
// key), in the time of one character (the rules change characters one by one and trim blanks only
// at the ends). A typed cell of any length then costs its length, not its square.
void typeKey(unsigned rules, QString& text, QChar key);
// The character one key adds at the end of a shaped text under the rules, if any.
inline std::optional<QChar> keyTyped(unsigned rules, QChar key)
{
    if ((rules & TrimUpper) && key.unicode() <= 32)
        return std::nullopt; // a blank at the end is trimmed at once, at the start there is nothing before it
    if ((rules & (Upper | TrimUpper)) && key >= QLatin1Char('a') && key <= QLatin1Char('z'))
        return QChar(key.unicode() - 32);
    return key;
}

} // namespace Behaviour
