#pragma once
// The size of the windows' forms, chosen by the user and kept in the settings file "Tassella.ini",
// section "Interfaccia", key "Dimensione": "Automatica" (the largest that fits the screen) or a
// percentage ("100", "125", "150", "200"). A missing or unknown value reads as 100 %: the forms stay
// as they always were until the user chooses otherwise.
//
// The forms are drawn for a screen of about 1024 × 768. Whatever the choice, a window never grows
// beyond the screen's free area: a form that would not fit is drawn smaller, so that every command
// stays on the screen and in reach of the mouse.

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace InterfaceSize {

inline const QString section = QStringLiteral("Interfaccia");
inline const QString key = QStringLiteral("Dimensione");

// The choices, in the order the user is offered them; 0 is "Automatica".
inline constexpr int automatic = 0;
QList<int> choices();
// "Automatica" or "125 %".
QString caption(int choice);

// The stored choice; 100 for a missing or unknown value.
int read();
// Stores the choice; false when the settings file cannot be written.
bool write(int choice);

// The size of the work windows' forms at 100 %, which Automatica fits to the screen.
inline constexpr QSize workForm(995, 692);
// What a window's frame (title bar and borders) takes at most around its form.
inline constexpr QSize frameAllowance(16, 40);

// The scale of the forms before fitting: the chosen percentage, or for Automatica the largest that
// lets a work form fit into area (the screen's free area), at most 200 %.
double chosenScale(int choice, const QSize& area);
// The scale of a form of size form at 100 %: the chosen scale, shrunk where the form and its frame
// would not fit into area.
double scaleFor(int choice, const QSize& form, const QSize& area);

} // namespace InterfaceSize
