#include "data/Formats.h"

#include <QRegularExpression>

namespace Formats {

QString dateToText(const QDate& date)
{
    return date.toString(dateFormat);
}

std::optional<QDate> textToDate(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString timeToText(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

std::optional<double> textToAmount(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?\\d+(,\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    QString dotted = trimmed;
    dotted.replace(decimalSeparator, QLatin1Char('.'));
    bool ok = false;
    const double value = dotted.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString amountToText(double amount, int decimals)
{
    QString text = QString::number(amount, 'f', decimals);
    text.replace(QLatin1Char('.'), decimalSeparator);
    return text;
}

} // namespace Formats
