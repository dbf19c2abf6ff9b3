#pragma once
// The program's one date format and decimal separator: dates read and write as "dd/mm/yyyy"
// and amounts use ",".

#include <QDate>
#include <QString>
#include <optional>

namespace Formats {

inline constexpr QChar decimalSeparator = QLatin1Char(',');
inline const QString dateFormat = QStringLiteral("dd/MM/yyyy");

QString dateToText(const QDate& date);
// A real calendar date written "dd/mm/yyyy" (day and month may have one digit, as the
// date conversion of the windows has always allowed); anything else gives nothing.
std::optional<QDate> textToDate(const QString& text);
// "hh:mm:ss", the long time format.
QString timeToText(const QTime& time);

// "120,50" and the like: a decimal number with "," as separator, no thousands separator.
std::optional<double> textToAmount(const QString& text);
QString amountToText(double amount, int decimals = 2);

} // namespace Formats
