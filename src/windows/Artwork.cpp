#include "windows/Artwork.h"

#include "windows/Look.h"

#include <QGuiApplication>
#include <QIcon>
#include <QEvent>
#include <QLabel>
#include <QVariant>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace Artwork {

QPixmap pixmap(const QString& name, const QSize& size)
{
    static const bool loaded = (initArtResources(), true);
    Q_UNUSED(loaded);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    // Each drawing is rendered once per size: the same pictures return in every dialog opened, and
    // rendering (the text in them above all) costs far more than showing.
    const QString key =
        QStringLiteral("tassella-art/%1@%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(ratio);
    if (QPixmap cached; QPixmapCache::find(key, &cached))
        return cached;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    QPixmapCache::insert(key, picture);
    return picture;
}

namespace {
const char* const kName = "artworkName";
const char* const kRendered = "artworkSize"; // the size the label's drawing was rendered at
const char* const kIcon = "artworkIcon";     // an icon's path, and its size at scale 1
const char* const kIconSize = "artworkIconSize";

double windowScale(const QWidget* widget)
{
    const QVariant scale = widget->window()->property(Look::scaleProperty);
    return scale.isValid() ? scale.toDouble() : 1.0;
}

// Renders a label's drawing the first time the label is shown, at its size then: windows are
// created at start-up, long before most of them appear, and rendering costs more than creating.
// A label drawn larger or smaller later (a form at another scale) renders its drawing again.
class LazyRender : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Resize)
            return false;
        // Not a label any more while it is being destroyed.
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && (event->type() == QEvent::Show || label->property(kRendered).isValid()))
            render(label);
        return false;
    }

    static LazyRender* instance()
    {
        static LazyRender filter;
        return &filter;
    }

    static void render(QLabel* label)
    {
        if (const QString icon = label->property(kIcon).toString(); !icon.isEmpty()) {
            const QSize size = label->property(kIconSize).toSize() * windowScale(label);
            if (label->property(kRendered).toSize() != size) {
                label->setProperty(kRendered, size);
                label->setPixmap(QIcon(icon).pixmap(size));
            }
            return;
        }
        const QString name = label->property(kName).toString();
        if (name.isEmpty() || label->property(kRendered).toSize() == label->size())
            return;
        label->setProperty(kRendered, label->size());
        label->setPixmap(pixmap(name, label->size()));
    }
};
} // namespace

void show(QLabel* label, const QString& name)
{
    if (!label)
        return;
    label->setAlignment(Qt::AlignCenter);
    label->setProperty(kName, name);
    label->setProperty(kRendered, QVariant());
    label->installEventFilter(LazyRender::instance());
    if (label->isVisible())
        LazyRender::render(label);
}

void showIcon(QLabel* label, const QString& path, const QSize& size)
{
    if (!label)
        return;
    label->setProperty(kIcon, path);
    label->setProperty(kIconSize, size);
    label->setProperty(kRendered, QVariant());
    label->installEventFilter(LazyRender::instance());
    LazyRender::render(label);
}

} // namespace Artwork

namespace Artwork {
void paintBackground(QWidget* window)
{
    QLinearGradient gradient(0, 0, 0, window->height());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(0xe8, 0xf0, 0xfa));
    QPalette palette = window->palette();
    palette.setBrush(QPalette::Window, gradient);
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}
} // namespace Artwork
