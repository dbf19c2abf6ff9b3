#include "data/OpenURL.h"

#include "data/Platform.h"

void TMisc::Open(const QString& command, QObject* requester)
{
    Shell::open(command, requester);
}

QString TMisc::MailLink(const QString& address)
{
    QString link = QStringLiteral("mailto:");
    for (const QChar c : address) {
        switch (c.unicode()) {
        case '%': link += QLatin1String("%25"); break;
        case '?': link += QLatin1String("%3F"); break;
        case '&': link += QLatin1String("%26"); break;
        case '#': link += QLatin1String("%23"); break;
        case '"': link += QLatin1String("%22"); break;
        default: link += c;
        }
    }
    return link;
}
