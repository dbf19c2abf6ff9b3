#pragma once
// The check character of an Italian tax code (codice fiscale of a person).

#include "checks/CheckAnswer.h"

#include <QString>
#include <optional>

namespace TaxCode {

// The check character that the first fifteen characters of code call for (always a capital
// letter), or nothing when code is shorter or one of them lies outside "0" to "Z". Letters
// replacing digits (omocodia) are letters like any other and need nothing special.
std::optional<QChar> checkCharacter(const QString& code);

// The sex and date of birth a person's code carries: "M" or "F", and day, month and the year's
// last two digits, each of two digits ("05", "03", "80"). Nothing for a code of another length, with
// a wrong check character, or whose date places cannot be read (a body's code of 11 digits has none).
struct Birth {
    QString sex;
    QString day;
    QString month;
    QString year;
};
std::optional<Birth> birth(const QString& code);

// What "Controlla" says about the text of the field: a length warning (refused) or the verdict.
CheckAnswer check(const QString& text);

} // namespace TaxCode
