#include "app/Artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

static void initArtResources() { Q_INIT_RESOURCE(art); }

namespace Artwork {

QPixmap pixmap(const QString& name, const QSize& size)
{
    static const bool loaded = (initArtResources(), true);
    Q_UNUSED(loaded);
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

void show(QLabel* label, const QString& name)
{
    if (!label)
        return;
    label->setPixmap(pixmap(name, label->size()));
    label->setAlignment(Qt::AlignCenter);
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
