#pragma once
// What choosing a line of a slip or payer list does: the record behind it goes to the window that
// opened the list.

#include "windows/Targets.h"

class QString;
class QWidget;

namespace ListTakeOver {

// The slip behind a chosen line, from the target's year, into the target (the slip editor), then
// the list window closes, unless the editor's user chose to stay with the slip shown. No target,
// nothing chosen, no equal record or a file error: the window just closes.
void slip(QWidget* listWindow, const QString& line, SlipTarget* target);
// The payer behind a chosen line into the target (the payer editor, the slip editor's payer
// fields, the payment summary selection's filters), then the list window closes, unless the
// target's user chose to stay with what it shows; as above otherwise.
void payer(QWidget* listWindow, const QString& line, PayerTarget* target);

} // namespace ListTakeOver
