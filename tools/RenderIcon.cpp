// Build tool: renders the program's SVG icon as the PNG sizes of the desktop's hicolor theme.
//   tassella_rendericon <icon.svg> <folder> <size>...
// Writes <folder>/<size>x<size>/apps/tassella.png for each size.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        QTextStream(stderr) << "usage: tassella_rendericon <icon.svg> <folder> <size>...\n";
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        QTextStream(stderr) << "cannot read " << args.at(1) << "\n";
        return 1;
    }
    for (const QString& text : args.mid(3)) {
        const int size = text.toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString folder = args.at(2) + QStringLiteral("/%1x%1/apps").arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/tassella.png"))) {
            QTextStream(stderr) << "cannot write " << folder << "\n";
            return 1;
        }
    }
    return 0;
}
