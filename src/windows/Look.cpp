#include "windows/Look.h"

#include <QApplication>
#include <QFile>

static void initLookResources() { Q_INIT_RESOURCE(look); }

namespace Look {

const QString& styleSheet()
{
    static const QString sheet = [] {
        initLookResources();
        QFile file(QStringLiteral(":/look/tassella.qss"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return sheet;
}

void install()
{
    // Setting the same sheet again would restyle every existing control for nothing.
    if (qApp && qApp->styleSheet() != styleSheet())
        qApp->setStyleSheet(styleSheet());
}

} // namespace Look
