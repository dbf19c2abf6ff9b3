#include "data/InterfaceSize.h"

#include "data/CodePage.h"
#include "data/IniFile.h"
#include "data/Platform.h"

#include <algorithm>
#include <cmath>

namespace InterfaceSize {
namespace {
QString settingsPath()
{
    return ProgramFolder::file(QStringLiteral("Tassella.ini"));
}

constexpr double kLargest = 2.0;

// How far a form of size form may grow and still fit, with its frame, into area.
double fit(const QSize& form, const QSize& area)
{
    if (form.isEmpty() || area.isEmpty())
        return 1.0;
    const double across = double(area.width() - frameAllowance.width()) / form.width();
    const double down = double(area.height() - frameAllowance.height()) / form.height();
    // A hundredth below the exact fit: rounding each control's position must not push the last one
    // a pixel past the edge.
    return std::max(0.1, std::floor(std::min(across, down) * 100.0) / 100.0);
}
} // namespace

QList<int> choices()
{
    return {automatic, 100, 125, 150, 200};
}

QString caption(int choice)
{
    return choice == automatic ? QStringLiteral("Automatica") : QStringLiteral("%1 %").arg(choice);
}

int read()
{
    const QString value = CodePage::trimmed(IniFile::readString(settingsPath(), section, key, QString()));
    if (value.compare(QLatin1String("Automatica"), Qt::CaseInsensitive) == 0)
        return automatic;
    bool number = false;
    const int percent = value.toInt(&number);
    return number && percent != automatic && choices().contains(percent) ? percent : 100;
}

bool write(int choice)
{
    const QString value = choice == automatic ? QStringLiteral("Automatica") : QString::number(choice);
    return IniFile::writeString(settingsPath(), section, key, value);
}

double chosenScale(int choice, const QSize& area)
{
    if (choice != automatic)
        return choice / 100.0;
    return std::min(kLargest, fit(workForm, area));
}

double scaleFor(int choice, const QSize& form, const QSize& area)
{
    return std::min(chosenScale(choice, area), fit(form, area));
}

} // namespace InterfaceSize
