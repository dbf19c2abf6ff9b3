#include "data/Platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace Shell {
namespace {
bool g_recording = false;
QStringList g_opened;

// The text as the windows build it: a path, a web address or a mailto link, usually enclosed in
// double quotes so that blanks in a path survive. Web and mail addresses become URLs as they
// stand (the blanks of a mail's subject and body are kept and encoded only for transport);
// anything else is a local file or folder.
QUrl toUrl(QString target)
{
    target = target.trimmed();
    if (target.startsWith(QLatin1Char('"')))
        target.remove(0, 1);
    if (target.endsWith(QLatin1Char('"')))
        target.chop(1);
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + target, QUrl::TolerantMode);
    // A scheme has two letters or more before the colon; "C:" is a drive, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(target).hasMatch())
        return QUrl(target, QUrl::TolerantMode);
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

