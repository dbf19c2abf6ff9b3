#include "windows/Look.h"

#include "windows/Accessible.h"

#include <QEvent>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

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
    static constexpr const char* kShown = shownProperty;
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

namespace {
// One rule of the sheet and the looks its selectors ask for; none when any selector asks for none.
struct Rule {
    QString text;
    QStringList looks;

    bool usedBy(const QStringList& windowLooks) const
    {
        return looks.isEmpty() || std::any_of(looks.cbegin(), looks.cend(), [&](const QString& look) {
                   return windowLooks.contains(look);
               });
    }
};

std::vector<Rule> parseRules(const QString& sheet)
{
    static const QRegularExpression comment(QStringLiteral("/\\*.*?\\*/"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression look(QStringLiteral("\\[look=\"([^\"]*)\"\\]"));
    const QString text = QString(sheet).remove(comment);
    std::vector<Rule> rules;
    qsizetype from = 0;
    while (true) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), from);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open);
        if (close < 0)
            break;
        const QString selectors = text.mid(from, open - from).trimmed();
        Rule rule{selectors + QLatin1Char(' ') + text.mid(open, close + 1 - open), {}};
        bool everyWindow = false;
        for (const QString& selector : selectors.split(QLatin1Char(','))) {
            QStringList named;
            for (auto match = look.globalMatch(selector); match.hasNext();)
                named.append(match.next().captured(1));
            everyWindow = everyWindow || named.isEmpty();
            rule.looks.append(named);
        }
        if (everyWindow)
            rule.looks.clear();
        rule.looks.removeDuplicates();
        rules.push_back(std::move(rule));
        from = close + 1;
    }
    return rules;
}

const char* const kLooks = "_tassella_looks";   // the looks whose rules a window's sheet holds
const char* const kShared = "_tassella_shared"; // the shared rules a window's sheet begins with
} // namespace

QStringList looksOf(const QWidget* window)
{
    QStringList looks;
    const auto add = [&looks](const QWidget* widget) {
        const QString look = widget->property("look").toString();
        if (!look.isEmpty() && !looks.contains(look))
            looks.append(look);
    };
    add(window);
    for (const QWidget* control : window->findChildren<QWidget*>())
        add(control);
    looks.sort();
    return looks;
}

namespace {
// "1px" and "7.5pt" at scale: pixels stay whole and a line drawn stays at least one pixel wide.
QString scaledLengths(const QString& sheet, double scale)
{
    static const QRegularExpression length(QStringLiteral("(\\d+(?:\\.\\d+)?)(px|pt)\\b"));
    QString out;
    qsizetype from = 0;
    for (auto match = length.globalMatch(sheet); match.hasNext();) {
        const QRegularExpressionMatch one = match.next();
        out += sheet.mid(from, one.capturedStart() - from);
        const double value = one.captured(1).toDouble() * scale;
        if (one.captured(2) == QLatin1String("px"))
            out += QString::number(value > 0 ? std::max(1L, std::lround(value)) : 0L) + QLatin1String("px");
        else
            out += QString::number(std::round(one.captured(1).toDouble() * textScale(scale) * 10.0) / 10.0)
                + QLatin1String("pt");
        from = one.capturedEnd();
    }
    return out + sheet.mid(from);
}
} // namespace

QString styleSheetFor(const QStringList& looks, double scale)
{
    static const std::vector<Rule> rules = parseRules(styleSheet());
    static QHash<QString, QString> made;
    const QString key = looks.join(QLatin1Char(' ')) + QLatin1Char('@') + QString::number(scale);
    if (const auto found = made.constFind(key); found != made.cend())
        return *found;
    QString sheet;
    for (const Rule& rule : rules)
        if (rule.usedBy(looks))
            sheet += rule.text + QLatin1Char('\n');
    if (!qFuzzyCompare(scale, 1.0))
        sheet = scaledLengths(sheet, scale);
    made.insert(key, sheet);
    return sheet;
}

double textScale(double scale)
{
    return qFuzzyCompare(scale, 1.0) ? 1.0 : scale * 0.96;
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
    const QStringList looks = looksOf(window);
    const double scale = window->property(scaleProperty).isValid() ? window->property(scaleProperty).toDouble() : 1.0;
    const auto scaleOf = [](const QWidget* widget) {
        return widget->property(scaleProperty).isValid() ? widget->property(scaleProperty).toDouble() : 1.0;
    };
    // An owner's sheet serves only a window drawn at the owner's scale.
    const auto covers = [&looks, scale, &scaleOf](const QWidget* widget) {
        const QStringList held = widget->property(kLooks).toStringList();
        return widget->property(kLooks).isValid() && qFuzzyCompare(scaleOf(widget), scale)
            && std::all_of(looks.cbegin(), looks.cend(), [&held](const QString& look) { return held.contains(look); });
    };
    for (const QWidget* owner = window->parentWidget(); owner; owner = owner->parentWidget())
        if (covers(owner))
            return;
    const QString shared = styleSheetFor(looks, scale);
    if (covers(window) && window->styleSheet().startsWith(shared))
        return;
    // A window's own few rules, if it has any, come after the shared ones and take precedence.
    QString own = window->styleSheet();
    if (const QString before = window->property(kShared).toString(); !before.isEmpty() && own.startsWith(before))
        own = own.mid(before.size()).trimmed(); // the shared rules at the scale before
    window->setProperty(kLooks, looks);
    window->setProperty(kShared, shared);
    window->setStyleSheet(own.isEmpty() ? shared : shared + QLatin1Char('\n') + own);
}

} // namespace Look
