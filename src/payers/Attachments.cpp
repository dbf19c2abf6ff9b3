#include "payers/Attachments.h"

#include "data/CodePage.h"
#include "data/Platform.h"
#include "data/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace Attachments {

QString folder()
{
    return ProgramFolder::file(QStringLiteral("Documenti_Allegati/"));
}

QString pathOf(const QString& name)
{
    return folder() + name;
}

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // Separators of either system, a drive ("C:") or a stream, and what Windows refuses in a name;
    // a double quote would also end the quoted path handed to the shell.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name)
        if (c.unicode() < 32 || c.unicode() == 127 || refused.contains(c))
            return false;
    return true;
}

bool makeFolder()
{
    return QDir().mkpath(folder()) && QFileInfo(folder()).isDir();
}

QString nameFor(const QString& chosen)
{
    return CodePage::trimmed(QFileInfo(chosen).fileName());
}

bool copyReplacing(const QString& source, const QString& destination, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return fail(in.errorString());
    // A new file of a name of its own (created, never opened through a link), renamed over the
    // destination: rename replaces whatever stands there, a link included, and follows nothing.
    QTemporaryFile out(QFileInfo(destination).absolutePath() + QStringLiteral("/.allegato-XXXXXX"));
    if (!out.open())
        return fail(out.errorString());
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return fail(out.errorString());
    }
    // A read error looks like the end of the file: never put a short copy in place.
    if (in.error() != QFileDevice::NoError)
        return fail(in.errorString());
    if (!SafeWrite::sync(out))
        return fail(out.errorString());
    // The copy keeps the permissions a new file gets, not the temporary file's private ones.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(out.handle(), 0666 & ~mask);
    if (::rename(QFile::encodeName(out.fileName()).constData(), QFile::encodeName(destination).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    out.setAutoRemove(false);
    SafeWrite::syncFolderOf(destination);
    return true;
}

Message copyFailed(const QString& name, const QString& reason)
{
    return {MessageKind::Error,
            QStringLiteral("Attenzione: non \u00e8 stato possibile copiare il file %1 nella cartella dei documenti "
                           "allegati (%2).\r\n\r\nAccertarsi che nel disco ci sia spazio sufficiente e di possedere i "
                           "privilegi di scrittura nella cartella di installazione del programma. Il file non \u00e8 "
                           "stato allegato.")
                .arg(name, reason)};
}

Message replaceQuestion(const QString& name)
{
    return {MessageKind::Confirmation,
            QStringLiteral("Attenzione: nella cartella dei documenti allegati \u00e8 presente un file con lo stesso "
                           "nome, \"%1\".\r\n\r\nSi vuole sovrascrivere il file esistente?")
                .arg(name)};
}

Message unsafeName()
{
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: il nome del file allegato non \u00e8 valido: indica una cartella o contiene "
                           "caratteri non ammessi.\r\n\r\nI documenti allegati si trovano soltanto nella cartella "
                           "Documenti_Allegati del programma.")};
}

} // namespace Attachments
