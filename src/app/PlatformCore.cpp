#include "app/Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace Shell {
namespace {
bool g_recording = false;
QStringList g_opened;

QUrl toUrl(QString target)
{
    target = target.trimmed();
    if (target.size() >= 2 && target.startsWith(QLatin1Char('"')) && target.endsWith(QLatin1Char('"')))
        target = target.mid(1, target.size() - 2);
    const QString lower = target.toLower();
    if (lower.startsWith(QLatin1String("mailto:")) || lower.startsWith(QLatin1String("http://"))
        || lower.startsWith(QLatin1String("https://")) || lower.startsWith(QLatin1String("www.")))
        return QUrl(lower.startsWith(QLatin1String("www.")) ? QStringLiteral("http://") + target : target,
                    QUrl::TolerantMode);
    return QUrl::fromLocalFile(target);
}
} // namespace

void open(const QString& target)
{
    const QUrl url = toUrl(target);
    if (g_recording) {
        g_opened.append(url.toString(QUrl::FullyEncoded));
        return;
    }
    QDesktopServices::openUrl(url);
}

void setRecording(bool on)
{
    g_recording = on;
    g_opened.clear();
}
QStringList opened() { return g_opened; }
void clearOpened() { g_opened.clear(); }
} // namespace Shell

namespace Clock {
namespace {
QDateTime g_fixed;
}
QDate today() { return now().date(); }
QDateTime now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
void setFixed(const QDateTime& moment) { g_fixed = moment; }
} // namespace Clock

namespace ProgramFolder {
namespace {
QString g_override;
}
QString path()
{
    QString folder = g_override.isEmpty() ? QCoreApplication::applicationDirPath() : g_override;
    folder = QDir::cleanPath(folder);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
void setOverride(const QString& folder) { g_override = folder; }
} // namespace ProgramFolder

