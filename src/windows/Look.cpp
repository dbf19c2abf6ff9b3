#include "windows/Look.h"

#include "windows/Accessible.h"

#include <QEvent>
#include <QFile>
#include <QVariant>
#include <QWidget>

static void initLookResources()
{
    Q_INIT_RESOURCE(look);
}

namespace Look {

namespace {
// The sheet is set per window, when the window first appears, rather than for the whole
// application: Qt polishes every window created at start-up in its first event loop round, shown
// or not, and with a sheet in force that would style the controls of all 25 windows at start.
// A window that later sets a few rules of its own (often in its own showEvent, which runs after
// this filter) would replace the shared sheet with them: the filter keeps watching and puts the
// shared rules back in front.
class FirstShow : public QObject {
public:
    static FirstShow* instance()
    {
        static FirstShow filter;
        return &filter;
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool shown = watched->property(kShown).toBool();
        if (event->type() == QEvent::Show && !shown) {
            watched->setProperty(kShown, true);
            apply(static_cast<QWidget*>(watched));
            Accessible::nameControls(static_cast<QWidget*>(watched));
        } else if (event->type() == QEvent::StyleChange && shown) {
            apply(static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    static constexpr const char* kShown = "_tassella_look_shown";
};
} // namespace

const QString& styleSheet()
{
    static const QString sheet = [] {
        initLookResources();
        QFile file(QStringLiteral(":/look/tassella.qss"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return sheet;
}

QColor focusColour()
{
    return QColor(0xe0, 0xa1, 0x00);
}

void applyWhenShown(QWidget* window)
{
    window->installEventFilter(FirstShow::instance());
}

void apply(QWidget* window)
{
    const auto hasIt = [](const QWidget* widget) { return widget->styleSheet().startsWith(styleSheet()); };
    for (const QWidget* owner = window->parentWidget(); owner; owner = owner->parentWidget())
        if (hasIt(owner))
            return;
    if (hasIt(window))
        return;
    // A window's own few rules, if it has any, come after the shared ones and take precedence.
    const QString own = window->styleSheet();
    window->setStyleSheet(own.isEmpty() ? styleSheet() : styleSheet() + QLatin1Char('\n') + own);
}

} // namespace Look
