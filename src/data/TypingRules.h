#pragma once
// The typing rules of edit fields as pure functions on text: what the shared field behaviour
// (windows/FieldBehaviour.h) does to what the user types.

#include <QString>

namespace Behaviour {

enum Rule : unsigned {
    None = 0,
    Highlight = 1u << 0,
    Digits = 1u << 1,
    Upper = 1u << 2,
    TrimUpper = 1u << 3,
};

// What the typing rules do to a text, with the cursor position kept on the same character.
QString applyRule(unsigned rules, const QString& text, int* cursor = nullptr);

} // namespace Behaviour
