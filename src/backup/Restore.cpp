#include "backup/Restore.h"

#include "backup/Backup.h"
#include "backup/ZipFile.h"
#include "data/SafeWrite.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace Restore {
namespace {

const QString kNothingChanged = QStringLiteral("\n\r\n\rNessun file del programma \u00e8 stato modificato.");

Message refused(const QString& why)
{
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: il file scelto non \u00e8 un backup di Tassella integro (%1).").arg(why)
                + kNothingChanged};
}

// A member's name is one of the program's data files or lies in the attachment folder, and
// cannot reach outside the folder it is unpacked into.
bool acceptable(const QString& name)
{
    const QString bare = name.endsWith(QLatin1Char('/')) ? name.chopped(1) : name;
    if (bare.isEmpty() || bare.startsWith(QLatin1Char('/')) || bare.contains(QLatin1Char('\\')))
        return false;
    const QStringList parts = bare.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return Backup::isDataName(bare);
}

// The program's data at the top of folder: the names a restore replaces.
QStringList dataItems(const QString& folder)
{
    QStringList items =
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    items.removeIf([](const QString& name) { return name.contains(QLatin1Char('/')) || !Backup::isDataName(name); });
    return items;
}

bool move(const QString& from, const QString& to)
{
    return QDir().rename(from, to);
}

} // namespace

QString asideFolderName(const QDateTime& moment)
{
    return QStringLiteral("Prima del ripristino ") + moment.toString(QStringLiteral("yyyy-MM-dd hhmmss"));
}

std::optional<Contents> inspect(const QString& path, Message* refusal)
{
    Contents contents;
    contents.path = path;
    contents.moment = Backup::momentOf(QFileInfo(path).fileName());
    QDateTime newest;
    int members = 0;
    QString bad;
    ZipFile::Reader reader;
    reader.begin = [&](const ZipFile::Entry& entry) {
        if (!acceptable(entry.name)) {
            bad = entry.name;
            return false;
        }
        ++members;
        if (entry.modified.isValid() && (!newest.isValid() || entry.modified > newest))
            newest = entry.modified;
        if (Backup::isYearArchive(entry.name))
            contents.years.append(
                {entry.name.left(4), entry.size / SlipRecord::kSize, entry.size % SlipRecord::kSize != 0});
        else if (entry.name == Backup::kPayers)
            contents.payers = entry.size / PayerRecord::kSize;
        else if (entry.name == Backup::kSettings)
            contents.settings = true;
        else if (entry.name == Backup::kPassword)
            contents.password = true;
        else if (!entry.isFolder())
            ++contents.attachments;
        return true;
    };
    QString error;
    if (!ZipFile::read(path, reader, &error)) {
        if (refusal)
            *refusal = refused(bad.isEmpty() ? error : QStringLiteral("contiene il file estraneo ") + bad);
        return std::nullopt;
    }
    if (members == 0) {
        if (refusal)
            *refusal = refused(QStringLiteral("non contiene alcun file"));
        return std::nullopt;
    }
    if (!contents.moment.isValid())
        contents.moment = newest;
    return contents;
}

QString describe(const Contents& contents)
{
    QStringList lines;
    lines << QStringLiteral("Backup del %1")
                 .arg(contents.moment.isValid() ? contents.moment.toString(QStringLiteral("dd/MM/yyyy 'ore' hh:mm"))
                                                : QStringLiteral("(data sconosciuta)"));
    lines << QString();
    if (contents.years.isEmpty())
        lines << QStringLiteral("Nessun archivio dei bollettini");
    for (const Year& year : contents.years)
        lines << QStringLiteral("Anno %1: %2 bollettini%3")
                     .arg(year.year)
                     .arg(year.slips)
                     .arg(year.incomplete ? QStringLiteral(" (l'archivio termina con una scheda incompleta)")
                                          : QString());
    lines << (contents.payers ? QStringLiteral("Esecutori: %1").arg(*contents.payers)
                              : QStringLiteral("Nessun archivio degli Esecutori"));
    lines << QStringLiteral("Documenti allegati: %1").arg(contents.attachments);
    lines
        << QStringLiteral("Impostazioni: %1").arg(contents.settings ? QStringLiteral("s\u00ec") : QStringLiteral("no"));
    lines << QStringLiteral("Password di accesso: %1")
                 .arg(contents.password ? QStringLiteral("s\u00ec") : QStringLiteral("no"));
    return lines.join(QLatin1Char('\n'));
}

Result apply(const QString& path, const QString& programFolder, const QDateTime& moment)
{
    Result result;
    const QDir program(programFolder);
    const QString staging =
        program.filePath(QStringLiteral(".ripristino-") + moment.toString(QStringLiteral("yyyyMMddhhmmss")));
    auto failed = [&](const Message& message) {
        QDir(staging).removeRecursively();
        result.message = message;
        return result;
    };
    const auto notWritten = [](const QString& why) {
        return Message{MessageKind::Warning,
                       QStringLiteral("Attenzione: non \u00e8 stato possibile ripristinare il backup (%1).").arg(why)
                           + kNothingChanged};
    };

    Message refusal;
    const std::optional<Contents> contents = inspect(path, &refusal);
    if (!contents)
        return failed(refusal);

    // Unpacked beside the data first, each file synced: the data is touched only once the whole
    // backup is on disk, read through its CRCs once more.
    QDir(staging).removeRecursively();
    if (!QDir().mkpath(staging))
        return failed(notWritten(QStringLiteral("cartella ") + staging));
    QFile out;
    ZipFile::Reader reader;
    reader.begin = [&](const ZipFile::Entry& entry) {
        const QString target = QDir(staging).filePath(entry.name);
        if (entry.isFolder())
            return QDir().mkpath(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return false;
        out.setFileName(target);
        return out.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    };
    reader.data = [&](const char* bytes, qint64 size) { return out.write(bytes, size) == size; };
    reader.end = [&](const ZipFile::Entry& entry, quint32) {
        if (entry.isFolder())
            return true;
        const bool synced = SafeWrite::sync(out);
        if (entry.modified.isValid())
            out.setFileTime(entry.modified, QFileDevice::FileModificationTime);
        out.close();
        return synced;
    };
    QString error;
    if (!ZipFile::read(path, reader, &error)) {
        out.close();
        return failed(notWritten(error));
    }

    const QStringList current = dataItems(programFolder);
    const QStringList incoming = dataItems(staging);
    std::vector<std::unique_ptr<SafeWrite::Lock>> locks;
    QStringList lockedNames = current + incoming;
    lockedNames.removeDuplicates();
    for (const QString& name : lockedNames) {
        if (name == Backup::kAttachments)
            continue;
        auto lock = std::make_unique<SafeWrite::Lock>(program.filePath(name));
        if (!lock->acquire())
            return failed(notWritten(QStringLiteral("l'archivio %1 \u00e8 in scrittura").arg(name)));
        locks.push_back(std::move(lock));
    }

    const QString aside = program.filePath(asideFolderName(moment));
    if (!current.isEmpty() && !QDir().mkpath(aside))
        return failed(notWritten(QStringLiteral("cartella ") + aside));
    QStringList setAside, placed;
    auto undo = [&] {
        for (const QString& name : placed)
            move(program.filePath(name), QDir(staging).filePath(name));
        for (const QString& name : setAside)
            move(QDir(aside).filePath(name), program.filePath(name));
        QDir().rmdir(aside);
    };
    for (const QString& name : current) {
        if (!move(program.filePath(name), QDir(aside).filePath(name))) {
            undo();
            return failed(notWritten(name));
        }
        setAside.append(name);
    }
    for (const QString& name : incoming) {
        if (!move(QDir(staging).filePath(name), program.filePath(name))) {
            undo();
            return failed(notWritten(name));
        }
        placed.append(name);
    }
    SafeWrite::syncFolderOf(program.filePath(Backup::kSettings));
    QDir(staging).removeRecursively();

    result.ok = true;
    result.aside = current.isEmpty() ? QString() : aside;
    QString text = QStringLiteral("Il backup del %1 \u00e8 stato ripristinato.")
                       .arg(contents->moment.toString(QStringLiteral("dd/MM/yyyy 'ore' hh:mm")));
    if (!result.aside.isEmpty())
        text +=
            QStringLiteral("\n\r\n\rI file presenti prima del ripristino sono stati spostati nella cartella\n\r\n\r")
            + QDir::toNativeSeparators(result.aside);
    result.message = {MessageKind::Information, text};
    return result;
}

} // namespace Restore
