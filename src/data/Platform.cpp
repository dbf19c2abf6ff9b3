#include "data/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

namespace Shell {
namespace {
bool g_recording = false;
bool g_failing = false;
QStringList g_opened;
std::function<void(const QString&, QObject*)> g_failureHandler;
std::function<QObject*()> g_requesterProvider;
std::function<void(bool)> g_busyHandler;

void fail(const QString& target, QObject* requester)
{
    if (g_failureHandler)
        g_failureHandler(target, requester);
}

void busy(bool on)
{
    if (g_busyHandler)
        g_busyHandler(on);
}

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

void open(const QString& target, QObject* requester)
{
    const QUrl url = toUrl(target);
    // Watched, so that a window closed meanwhile is never handed on.
    const QPointer<QObject> asker(requester ? requester : g_requesterProvider ? g_requesterProvider() : nullptr);
    if (g_recording) {
        g_opened.append(url.toString(QUrl::FullyEncoded));
        if (g_failing)
            fail(target, asker);
        return;
    }
    // xdg-open is what the desktop itself uses to open a file or a link (it asks GNOME, KDE, XFCE
    // or the MIME defaults which program to start). QDesktopServices::openUrl ends up there too,
    // but tells only whether xdg-open started, never whether a program was found for the target,
    // and does nothing on platforms without a desktop. Run it ourselves and read its answer:
    // exit code 3 means no program for this kind of target, 4 that the desktop's opener failed.
    // The process is watched through the event loop; nothing waits for it.
    const QString argument = url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded);
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, target, url, asker](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         busy(false);
                         // A missing file (the guide deleted) stays silent, as the shell-open
                         // routine promises; some openers report it with the same code.
                         if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
                             return;
                         if (status == QProcess::NormalExit && (code == 3 || code == 4))
                             fail(target, asker);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, target, asker](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         process->deleteLater();
                         busy(false);
                         fail(target, asker); // no xdg-open on this system: nothing can open anything
                     });
    // Looking for a mail program or a browser can take the desktop several seconds.
    busy(true);
    process->start(QStringLiteral("xdg-open"), {argument});
}

Message failureMessage(const QString& target)
{
    const QUrl url = toUrl(target);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: nel sistema non è impostato alcun programma di posta elettronica, "
                               "per cui non è possibile scrivere a ")
                    + url.path()
                    + QStringLiteral(".\n\r\n\rScegliere il programma di posta predefinito nelle "
                                     "impostazioni del desktop (Applicazioni predefinite).")};
    if (!url.isLocalFile())
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: nel sistema non è impostato alcun programma per aprire l'indirizzo ")
                    + url.toString()
                    + QStringLiteral(".\n\r\n\rScegliere il browser predefinito nelle "
                                     "impostazioni del desktop (Applicazioni predefinite).")};
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: nel sistema non è impostato alcun programma per aprire questo tipo di file:"
                           "\n\r\n\r")
                + QDir::toNativeSeparators(url.toLocalFile())
                + QStringLiteral("\n\r\n\rScegliere il programma da usare con il tasto destro sul file, "
                                 "\"Apri con\", nel gestore dei file del desktop.")};
}

void setFailureHandler(std::function<void(const QString& target, QObject* requester)> handler)
{
    g_failureHandler = std::move(handler);
}

void setRequesterProvider(std::function<QObject*()> provider)
{
    g_requesterProvider = std::move(provider);
}

void setBusyHandler(std::function<void(bool busy)> handler)
{
    g_busyHandler = std::move(handler);
}

void setRecording(bool on)
{
    g_recording = on;
    g_failing = false;
    g_opened.clear();
}
void setFailing(bool on)
{
    g_failing = on;
}
QStringList opened()
{
    return g_opened;
}
void clearOpened()
{
    g_opened.clear();
}
} // namespace Shell

namespace Clock {
namespace {
QDateTime g_fixed;
}
QDate today()
{
    return now().date();
}
QDateTime now()
{
    return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime();
}
void setFixed(const QDateTime& moment)
{
    g_fixed = moment;
}
} // namespace Clock

namespace ProgramFolder {
namespace {
QString g_override;
QString g_executableFolder;
QString g_userFolder;
QString g_home;
QString g_config;

const QString kPasswordFile = QStringLiteral("unins000.dll");
const QString kConfigGroup = QStringLiteral("Tassella");
const QString kConfigKey = QStringLiteral("Cartella");

QString withSeparator(const QString& folder)
{
    QString clean = QDir::cleanPath(folder);
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

QString executableFolder()
{
    return g_executableFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_executableFolder;
}
} // namespace

QString path()
{
    if (!g_override.isEmpty())
        return withSeparator(g_override);
    if (!g_userFolder.isEmpty())
        return withSeparator(g_userFolder);
    return withSeparator(executableFolder());
}
void setOverride(const QString& folder)
{
    g_override = folder;
}

QString installedFiles()
{
    if (!g_override.isEmpty())
        return {};
    const QString executable = withSeparator(executableFolder());
    // A password file beside the executable makes its folder the program folder, wherever it is.
    if (QFileInfo::exists(executable + kPasswordFile))
        return {};
    const QString installed = withSeparator(executable + QStringLiteral("../share/tassella"));
    return QFileInfo(installed + kPasswordFile).isFile() ? installed : QString();
}

QString programFile(const QString& name)
{
    const QString installed = installedFiles();
    return installed.isEmpty() ? file(name) : installed + name;
}

QString configFile()
{
    const QString folder = g_config.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Tassella")
        : g_config;
    return QDir::cleanPath(folder + QStringLiteral("/Tassella.conf"));
}

QString remembered()
{
    if (!QFileInfo::exists(configFile()))
        return {};
    QSettings settings(configFile(), QSettings::IniFormat);
    const QString folder = settings.value(kConfigGroup + QLatin1Char('/') + kConfigKey).toString().trimmed();
    return folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString proposed()
{
    const QString home = g_home.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::HomeLocation) : g_home;
    return QDir::cleanPath(home + QStringLiteral("/Tassella"));
}

Message prepare(const QString& folder)
{
    const QString target = withSeparator(folder);
    const QString password = target + kPasswordFile;
    const QString initial = installedFiles() + kPasswordFile;
    bool ready = QDir().mkpath(target) && QFileInfo(target).isDir();
    if (ready && !QFileInfo::exists(password)) {
        // Copied through a temporary name, so that a failed copy never leaves half a password file.
        const QString part = password + QStringLiteral(".copia");
        QFile::remove(part);
        ready = QFile::copy(initial, part);
        if (ready) {
            // The copy keeps the read-only bits of the installed file; the user changes the password.
            QFile::setPermissions(part, QFile::permissions(part) | QFileDevice::WriteOwner);
            ready = QFile::rename(part, password);
        }
        if (!ready)
            QFile::remove(part);
    }
    if (ready)
        return {};
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: il programma non può usare la cartella:\n\r\n\r")
                + QDir::toNativeSeparators(QDir::cleanPath(folder))
                + QStringLiteral("\n\r\n\rAccertarsi di possedere i privilegi di scrittura in questa cartella, "
                                 "oppure sceglierne un'altra.")};
}

Message remember(const QString& folder)
{
    const QString config = configFile();
    QDir().mkpath(QFileInfo(config).path());
    QSettings settings(config, QSettings::IniFormat);
    settings.setValue(kConfigGroup + QLatin1Char('/') + kConfigKey, QDir::cleanPath(folder));
    settings.sync();
    if (settings.status() == QSettings::NoError && remembered() == QDir::cleanPath(folder))
        return {};
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: non è stato possibile ricordare la cartella scelta nella configurazione "
                           "dell'utente:\n\r\n\r")
                + QDir::toNativeSeparators(config)
                + QStringLiteral("\n\r\n\rAl prossimo avvio il programma chiederà di nuovo quale cartella usare.")};
}

void use(const QString& folder)
{
    g_userFolder = folder;
}

void setExecutableFolder(const QString& folder)
{
    g_executableFolder = folder;
}

void setUserFolders(const QString& home, const QString& config)
{
    g_home = home;
    g_config = config;
}

Message writeCheck()
{
    const QString folder = path();
    const QString shown = QDir::toNativeSeparators(QDir::cleanPath(folder));
    // A file created and removed again: the only sure way to know that saving will work.
    QTemporaryFile probe(folder + QStringLiteral(".tassella-scrittura-XXXXXX"));
    if (!QFileInfo(folder).isDir() || !probe.open())
        return {MessageKind::Warning,
                QStringLiteral("Attenzione: il programma non può scrivere nella propria cartella:\n\r\n\r") + shown
                    + QStringLiteral("\n\r\n\rI bollettini, gli Esecutori, i margini di stampa e la password non "
                                     "potranno essere salvati. Accertarsi di possedere i privilegi di scrittura in "
                                     "questa cartella, oppure installare Tassella in una cartella propria.")};
    probe.close();
    probe.remove();
    // The files that the commands change in place: an archive or setting that cannot be opened for
    // writing would fail only on the first save. Opening without truncation changes nothing.
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.bol"), QStringLiteral("Esecutori.pro"),
                                                      QStringLiteral("Tassella.ini"), QStringLiteral("unins000.dll")},
                                                     QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile file(folder + name);
        if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return {MessageKind::Warning,
                    QStringLiteral("Attenzione: il programma non può modificare il file ") + name
                        + QStringLiteral(" nella propria cartella:\n\r\n\r") + shown
                        + QStringLiteral("\n\r\n\rLe modifiche a questo file non potranno essere salvate. "
                                         "Accertarsi di possedere i privilegi di scrittura su questo file.")};
    }
    return {};
}
} // namespace ProgramFolder
