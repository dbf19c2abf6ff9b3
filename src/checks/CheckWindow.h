#pragma once
// What the four check windows share: their look, and what they do with a check's answer.

#include "checks/CheckAnswer.h"

class QDialog;
class QLabel;
class QLineEdit;
class QString;
class QWidget;

namespace CheckWindow {

// Gives a check window the program's look, with the drawing ":/checks/icons/<drawing>.svg" in
// picture. Called when the window first appears: the start-up instances never do.
void dress(QDialog* window, QLabel* picture, const char* drawing);

// Shows the answer's message, if any. A refused input puts the focus back on field and the
// window stays open; after a verdict the window closes.
void conclude(QDialog* window, QLineEdit* field, const CheckAnswer& answer);

// The check windows as the editors open them, with the value to check already in their field.
// A tax code made of digits only is a company's: its VAT number is checked instead.
void openTaxCode(QWidget* owner, const QString& code);
void openVatNumber(QWidget* owner, const QString& number);
void openIban(QWidget* owner, const QString& iban);
void openCard(QWidget* owner, const QString& number);

} // namespace CheckWindow
