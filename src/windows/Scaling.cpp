#include "windows/Scaling.h"

#include "data/InterfaceSize.h"
#include "windows/Look.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace Scaling {
namespace {

// A control as the form made it, at scale 1.
struct Original {
    QRect geometry;
    QSize minimum;
    QSize maximum;
    QFont font;
    QSize iconSize; // a button's
};

struct HeaderOriginal {
    int defaultSection = 0;
    int minimumSection = 0;
    QList<int> sections;
};

// Kept by the window: its controls as made, and the scale it is drawn at.
class Record : public QObject {
public:
    explicit Record(QWidget* window)
        : QObject(window)
    {
        setObjectName(QString::fromLatin1(kName));
    }
    static constexpr const char* kName = "_tassella_scaling";

    QHash<QWidget*, Original> widgets;
    QHash<QHeaderView*, HeaderOriginal> headers;
    double scale = 1.0;
};

Record* recordOf(const QWidget* window)
{
    return window->findChild<Record*>(QString::fromLatin1(Record::kName), Qt::FindDirectChildrenOnly);
}

int scaled(int length, double scale)
{
    return int(std::lround(length * scale));
}

QSize scaledLimit(const QSize& size, double scale)
{
    const auto one = [scale](int length) { return length >= QWIDGETSIZE_MAX ? length : scaled(length, scale); };
    return {one(size.width()), one(size.height())};
}

// Each edge is rounded on its own, so that controls that meet on the form still meet.
QRect scaledRect(const QRect& rect, double scale)
{
    const int left = scaled(rect.x(), scale);
    const int top = scaled(rect.y(), scale);
    return QRect(left, top, scaled(rect.x() + rect.width(), scale) - left,
                 scaled(rect.y() + rect.height(), scale) - top);
}

QFont resized(const QFont& font, double factor)
{
    QFont out = font;
    if (font.pointSizeF() > 0)
        out.setPointSizeF(std::max(1.0, std::round(font.pointSizeF() * factor * 10.0) / 10.0));
    else if (font.pixelSize() > 0)
        out.setPixelSize(std::max(1, scaled(font.pixelSize(), factor)));
    return out;
}

QFont scaledFont(const QFont& font, double scale)
{
    return resized(font, Look::textScale(scale));
}

// Whether the form places the control itself: not a layout, nor the control it is part of (the
// line of a drop-down, the viewport and bars of a list, the cells of a calendar).
bool placedByForm(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent || parent->layout())
        return false;
    if (qobject_cast<const QAbstractScrollArea*>(parent) || qobject_cast<const QComboBox*>(parent)
        || qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QLineEdit*>(parent)
        || qobject_cast<const QCalendarWidget*>(parent))
        return false;
    const QWidget* grandParent = parent->parentWidget();
    return !qobject_cast<const QAbstractScrollArea*>(grandParent);
}

Original take(QWidget* widget, double scale)
{
    // A control added after the window was scaled stands at the scale of that moment.
    const double back = 1.0 / scale;
    Original original;
    original.geometry = scaledRect(widget->geometry(), back);
    original.minimum = scaledLimit(widget->minimumSize(), back);
    original.maximum = scaledLimit(widget->maximumSize(), back);
    original.font = resized(widget->font(), 1.0 / Look::textScale(scale));
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        original.iconSize = scaledLimit(button->iconSize(), back);
    return original;
}

HeaderOriginal takeHeader(QHeaderView* header, double scale)
{
    const double back = 1.0 / scale;
    HeaderOriginal original;
    original.defaultSection = scaled(header->defaultSectionSize(), back);
    original.minimumSection = scaled(header->minimumSectionSize(), back);
    for (int i = 0; i < header->count(); ++i)
        original.sections.append(scaled(header->sectionSize(i), back));
    return original;
}

void scaleHeader(QHeaderView* header, const HeaderOriginal& original, double scale)
{
    header->setMinimumSectionSize(scaled(original.minimumSection, scale));
    header->setDefaultSectionSize(scaled(original.defaultSection, scale));
    if (header->sectionResizeMode(0) != QHeaderView::Interactive && header->sectionResizeMode(0) != QHeaderView::Fixed)
        return;
    for (int i = 0; i < header->count() && i < original.sections.size(); ++i)
        header->resizeSection(i, scaled(original.sections.at(i), scale));
}

} // namespace

double scaleOf(const QWidget* window)
{
    const Record* record = recordOf(window);
    return record ? record->scale : 1.0;
}

void apply(QWidget* window, double scale)
{
    Record* record = recordOf(window);
    if (!record) {
        if (qFuzzyCompare(scale, 1.0))
            return; // drawn as made
        record = new Record(window);
    }
    QList<QWidget*> widgets{window};
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->window() == window)
            widgets.append(child);
    for (QWidget* widget : widgets) {
        if (!record->widgets.contains(widget)) {
            record->widgets.insert(widget, take(widget, record->scale));
            QObject::connect(widget, &QObject::destroyed, record, [record, widget] { record->widgets.remove(widget); });
        }
        if (auto* header = qobject_cast<QHeaderView*>(widget); header && !record->headers.contains(header)) {
            record->headers.insert(header, takeHeader(header, record->scale));
            QObject::connect(header, &QObject::destroyed, record, [record, header] { record->headers.remove(header); });
        }
    }
    record->scale = scale;
    window->setProperty(Look::scaleProperty, scale);
    for (QWidget* widget : widgets) {
        const Original& original = record->widgets[widget];
        // Every control gets its font at its own size: inherited sizes would be scaled twice.
        widget->setFont(scaledFont(original.font, scale));
        widget->setMinimumSize(scaledLimit(original.minimum, scale));
        widget->setMaximumSize(scaledLimit(original.maximum, scale));
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->setIconSize(scaledLimit(original.iconSize, scale));
        if (widget != window && placedByForm(widget))
            widget->setGeometry(scaledRect(original.geometry, scale));
        else if (widget == window && original.minimum == original.maximum)
            widget->resize(scaledLimit(original.maximum, scale));
    }
    for (auto it = record->headers.begin(); it != record->headers.end(); ++it)
        scaleHeader(it.key(), it.value(), scale);
    // The style sheet's lengths (fonts, borders, paddings) follow, once the window has its sheet.
    if (window->property(Look::shownProperty).toBool())
        Look::apply(window);
}

QRect availableArea(const QWidget* window)
{
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

void fitToScreen(QWidget* window, QWidget* form)
{
    const Record* record = recordOf(window);
    const double now = record ? record->scale : 1.0;
    QSize made = form->minimumSize() == form->maximumSize() ? form->maximumSize() : form->size();
    if (record && record->widgets.contains(form))
        made = record->widgets.value(form).maximum == record->widgets.value(form).minimum
            ? record->widgets.value(form).maximum
            : record->widgets.value(form).geometry.size();
    else
        made = scaledLimit(made, 1.0 / now);
    const double scale = InterfaceSize::scaleFor(InterfaceSize::read(), made, availableArea(window).size());
    if (!qFuzzyCompare(scale, now))
        apply(window, scale);
}

} // namespace Scaling
