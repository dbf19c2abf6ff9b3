#pragma once
// What the four check windows share: their look, and what they do with a check's answer.

#include "checks/CheckAnswer.h"

class QDialog;
class QLabel;
class QLineEdit;

namespace CheckWindow {

// Gives a check window the program's look, with the drawing ":/checks/icons/<drawing>.svg" in
// picture. Called when the window first appears: the start-up instances never do.
void dress(QDialog* window, QLabel* picture, const char* drawing);

// Shows the answer's message, if any. A refused input puts the focus back on field and the
// window stays open; after a verdict the window closes.
void conclude(QDialog* window, QLineEdit* field, const CheckAnswer& answer);

} // namespace CheckWindow
