#include "backup/Backup.h"

#include "data/IniFile.h"
#include "data/Platform.h"
#include "data/SafeWrite.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace Backup {
namespace {

const QString kSection = QStringLiteral("Backup");
const QString kFolderKey = QStringLiteral("Cartella");
const QString kKeepKey = QStringLiteral("Copie");
const QString kOfferedKey = QStringLiteral("UltimaProposta");
const QString kDayFormat = QStringLiteral("dd/MM/yyyy");

QString settingsFile()
{
    return ProgramFolder::file(kSettings);
}

const QRegularExpression& backupPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^Tassella-backup-(\\d{4})-(\\d{2})-(\\d{2})-(\\d{2})(\\d{2})\\.zip$"));
    return pattern;
}

QString withSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The line that tells what a backup or a restore holds, for the messages.
QString yearsText(const QStringList& years)
{
    return years.isEmpty() ? QStringLiteral("nessun archivio annuale")
                           : QStringLiteral("archivi annuali ") + years.join(QStringLiteral(", "));
}

} // namespace

QString folder()
{
    return IniFile::readString(settingsFile(), kSection, kFolderKey);
}

bool setFolder(const QString& folder)
{
    return IniFile::writeString(settingsFile(), kSection, kFolderKey, folder);
}

int keep()
{
    bool number = false;
    const int count = IniFile::readString(settingsFile(), kSection, kKeepKey).toInt(&number);
    return number && count > 0 ? count : kDefaultKeep;
}

bool setKeep(int count)
{
    return IniFile::writeString(settingsFile(), kSection, kKeepKey, QString::number(std::max(1, count)));
}

QDate lastOffered()
{
    return QDate::fromString(IniFile::readString(settingsFile(), kSection, kOfferedKey), kDayFormat);
}

bool setLastOffered(const QDate& day)
{
    return IniFile::writeString(settingsFile(), kSection, kOfferedKey, day.toString(kDayFormat));
}

bool carrySettings(const QString& from, const QString& to)
{
    const QString chosen = IniFile::readString(from, kSection, kFolderKey);
    if (chosen.isEmpty())
        return true;
    const QString count = IniFile::readString(from, kSection, kKeepKey);
    return IniFile::writeString(to, kSection, kFolderKey, chosen)
        && (count.isEmpty() || IniFile::writeString(to, kSection, kKeepKey, count));
}

bool offerDue(const QDate& today)
{
    return !folder().isEmpty() && lastOffered() != today;
}

Message offerQuestion()
{
    return {MessageKind::Question, // Annulla stays in the program
            QStringLiteral("Prima di uscire, si vuole salvare un backup degli archivi nella cartella\n\r\n\r%1?\n\r\n\r"
                           "La domanda viene posta una sola volta al giorno.")
                .arg(QDir::toNativeSeparators(folder()))};
}

QString fileName(const QDateTime& moment)
{
    return QStringLiteral("Tassella-backup-") + moment.toString(QStringLiteral("yyyy-MM-dd-hhmm"))
        + QStringLiteral(".zip");
}

QDateTime momentOf(const QString& name)
{
    const QRegularExpressionMatch match = backupPattern().match(name);
    if (!match.hasMatch())
        return {};
    const QDate day(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt());
    return day.isValid() && time.isValid() ? QDateTime(day, time) : QDateTime();
}

bool isYearArchive(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{4}\\.bol$"));
    return pattern.match(name).hasMatch();
}

bool isDataName(const QString& name)
{
    return isYearArchive(name) || name == kPayers || name == kSettings || name == kPassword || name == kAttachments
        || name.startsWith(kAttachments + QLatin1Char('/'));
}

QList<ZipFile::Member> members(const QString& programFolder)
{
    const QDir dir(programFolder);
    QList<ZipFile::Member> out;
    auto addFile = [&](const QString& name) {
        const QFileInfo info(dir.filePath(name));
        if (info.isFile())
            out.append({name, info.absoluteFilePath()});
    };
    addFile(kPayers);
    QStringList years = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    years.removeIf([](const QString& name) { return !isYearArchive(name); });
    for (const QString& year : years)
        addFile(year);
    addFile(kSettings);
    addFile(kPassword);

    const QFileInfo attachments(dir.filePath(kAttachments));
    if (attachments.isDir()) {
        out.append({kAttachments + QLatin1Char('/'), {}});
        QStringList inside;
        QDirIterator it(attachments.absoluteFilePath(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            inside.append(dir.relativeFilePath(it.filePath()));
        }
        inside.sort();
        for (const QString& name : inside) {
            const QFileInfo info(dir.filePath(name));
            if (info.isDir())
                out.append({name + QLatin1Char('/'), {}});
            else if (info.isFile())
                out.append({name, info.absoluteFilePath()});
        }
    }
    return out;
}

QString verify(const QString& zipPath, const QList<ZipFile::Member>& members)
{
    QList<ZipFile::Entry> entries;
    QString error;
    if (!ZipFile::list(zipPath, entries, &error))
        return error;
    if (entries.size() != members.size())
        return QStringLiteral("%1 members instead of %2").arg(entries.size()).arg(members.size());
    for (qsizetype i = 0; i < members.size(); ++i)
        if (entries.at(i).name != members.at(i).name)
            return entries.at(i).name + QStringLiteral(": unexpected member");
    qsizetype index = 0;
    ZipFile::Reader reader;
    reader.end = [&](const ZipFile::Entry& entry, quint32 crc) {
        const ZipFile::Member& member = members.at(index++);
        if (member.source.isEmpty())
            return entry.size == 0;
        quint32 fileCrc = 0;
        qint64 fileSize = 0;
        if (!ZipFile::fileCrc(member.source, fileCrc, fileSize)) {
            error = member.source + QStringLiteral(": cannot be read");
            return false;
        }
        if (fileCrc != crc || fileCrc != entry.crc || fileSize != entry.size) {
            error = entry.name + QStringLiteral(": differs from its file");
            return false;
        }
        return true;
    };
    if (!ZipFile::read(zipPath, reader, &error))
        return error;
    return {};
}

QStringList prune(const QString& folder, int keep)
{
    QStringList backups = QDir(folder).entryList(QDir::Files, QDir::Name);
    backups.removeIf([](const QString& name) { return !momentOf(name).isValid(); });
    // The names sort by their moment.
    QStringList removed;
    for (qsizetype i = 0; i + keep < backups.size(); ++i)
        if (QFile::remove(withSlash(folder) + backups.at(i)))
            removed.append(backups.at(i));
    return removed;
}

QString partName(const QString& finalPath)
{
    QString host = QSysInfo::machineHostName();
    for (QChar& c : host)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return finalPath + QStringLiteral(".%1-%2.part").arg(host).arg(QCoreApplication::applicationPid());
}

Result create(const QString& programFolder, const QString& target, const QDateTime& moment, int keep)
{
    Result result;
    auto failed = [&](const QString& text) {
        result.message = {MessageKind::Warning, text};
        return result;
    };
    if (target.isEmpty() || !QFileInfo(target).isDir())
        return failed(QStringLiteral("Attenzione: la cartella dei backup non esiste.\n\r\n\rScegliere la cartella in "
                                     "cui salvare i backup."));
    const QList<ZipFile::Member> saved = members(programFolder);
    if (std::none_of(saved.begin(), saved.end(), [](const ZipFile::Member& m) { return !m.source.isEmpty(); }))
        return failed(QStringLiteral("Attenzione: nella cartella del programma non ci sono file da salvare."));

    // The archives and settings stay as they are while they are copied and compared: every write of
    // the program waits for these locks.
    std::vector<std::unique_ptr<SafeWrite::Lock>> locks;
    for (const ZipFile::Member& member : saved) {
        if (member.source.isEmpty() || member.name.startsWith(kAttachments + QLatin1Char('/')))
            continue;
        auto lock = std::make_unique<SafeWrite::Lock>(member.source);
        if (!lock->acquire())
            return failed(QStringLiteral("Attenzione: l'archivio %1 \u00e8 in scrittura da parte di un'altra copia "
                                         "del programma.\n\r\n\rRiprovare tra qualche istante.")
                              .arg(member.name));
        locks.push_back(std::move(lock));
    }

    const QString finalPath = withSlash(target) + fileName(moment);
    const QString partPath = partName(finalPath);
    QString error;
    if (!ZipFile::write(partPath, saved, &error)) {
        return failed(QStringLiteral("Attenzione: non \u00e8 stato possibile scrivere il backup nella cartella\n\r\n\r"
                                     "%1\n\r\n\r(%2).\n\r\n\rNessun backup incompleto \u00e8 stato lasciato.")
                          .arg(QDir::toNativeSeparators(target), error));
    }
    error = verify(partPath, saved);
    if (!error.isEmpty()) {
        QFile::remove(partPath);
        return failed(QStringLiteral("Attenzione: il backup riletto non corrisponde ai file del programma (%1) ed "
                                     "\u00e8 stato eliminato.")
                          .arg(error));
    }
    locks.clear();
    // A backup of the same minute is replaced by this newer one.
    if (std::rename(QFile::encodeName(partPath).constData(), QFile::encodeName(finalPath).constData()) != 0) {
        QFile::remove(partPath);
        return failed(QStringLiteral("Attenzione: non \u00e8 stato possibile dare al backup il suo nome nella "
                                     "cartella\n\r\n\r%1.\n\r\n\rNessun backup incompleto \u00e8 stato lasciato.")
                          .arg(QDir::toNativeSeparators(target)));
    }
    SafeWrite::syncFolderOf(finalPath);

    result.ok = true;
    result.path = finalPath;
    bool payers = false;
    for (const ZipFile::Member& member : saved) {
        if (isYearArchive(member.name))
            result.years.append(member.name.left(4));
        else if (member.name == kPayers)
            payers = true;
        else if (member.name.startsWith(kAttachments + QLatin1Char('/')) && !member.source.isEmpty())
            ++result.attachments;
    }
    result.removed = prune(target, keep);
    QString text = QStringLiteral("Il backup \u00e8 stato salvato nel file\n\r\n\r%1\n\r\n\rContenuto: %2; %3; "
                                  "impostazioni e password; %4 documenti allegati.\n\r\n\rIl backup \u00e8 stato "
                                  "verificato: ogni file \u00e8 stato riletto e confrontato con l'originale.")
                       .arg(QDir::toNativeSeparators(finalPath), yearsText(result.years),
                            payers ? QStringLiteral("archivio Esecutori") : QStringLiteral("nessun archivio Esecutori"))
                       .arg(result.attachments);
    if (!result.removed.isEmpty())
        text += QStringLiteral("\n\r\n\rSono stati eliminati i backup pi\u00f9 vecchi: %1.")
                    .arg(result.removed.join(QStringLiteral(", ")));
    result.message = {MessageKind::Information, text};
    return result;
}

} // namespace Backup
