#pragma once
// The print margins of the slip, kept in the settings file "Tassella.ini" of the program folder,
// section "Margini Stampa": "Superiore" (top) and "Sinistro" (left), whole millimetres as decimal
// text, possibly negative. A missing file, key or value reads as "0".

#include <QString>
#include <optional>

namespace PrintMargins {

inline const QString fileName = QStringLiteral("Tassella.ini");
inline const QString section = QStringLiteral("Margini Stampa");
inline const QString topKey = QStringLiteral("Superiore");
inline const QString leftKey = QStringLiteral("Sinistro");

QString settingsPath();

// The stored text of key as it stands (trimmed), or "0" when there is none.
QString read(const QString& key);
// Stores the trimmed value under key; false when the settings file cannot be written.
bool write(const QString& key, const QString& value);

// A whole number of millimetres ("-2", "15", "+3"), or nothing for any other text
// (hand-edited values such as "2,5", "abc" or numbers beyond the int range).
std::optional<int> wholeNumber(const QString& text);

// value + step as decimal text, or nothing when the text is not a whole number or the result
// would leave the int range.
std::optional<QString> stepped(const QString& text, int step);

} // namespace PrintMargins
