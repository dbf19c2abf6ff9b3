#include "payers/Attachments.h"

#include "data/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool copyReplacing(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    // A read error looks like the end of the file: never put a short copy in place.
    if (in.error() != QFileDevice::NoError || !out.flush()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
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
