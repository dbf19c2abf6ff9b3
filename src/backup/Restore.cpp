#include "backup/Restore.h"

#include "backup/Backup.h"
#include "backup/ZipFile.h"
#include "data/RecordArchive.h"
#include "data/SafeWrite.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

namespace Restore {
namespace {

const QString kNothingChanged = QStringLiteral("\n\r\n\rNessun file del programma \u00e8 stato modificato.");
const QString kBreak = QStringLiteral("\n\r\n\r");
// The working folder of a restore, in the program folder: the backup unpacked, and its journal.
const QString kStagingPrefix = QStringLiteral(".ripristino-");
const QString kJournal = QStringLiteral("giornale");
const QString kAsidePrefix = QStringLiteral("Prima del ripristino ");
const QByteArray kJournalHeader = "Tassella: ripristino da backup";
const QByteArray kJournalEnd = "fine";
// Room left free on the disk after a restore has unpacked its backup.
constexpr qint64 kSpareSpace = 16 << 20;

std::function<qint64(const QString&)> g_freeSpace;

Message refused(const QString& why)
{
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: il file scelto non \u00e8 un backup di Tassella integro (%1).").arg(why)
                + kNothingChanged};
}

Message notWritten(const QString& why)
{
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: non \u00e8 stato possibile ripristinare il backup (%1).").arg(why)
                + kNothingChanged};
}

QString dayAndTime(const QDateTime& moment)
{
    return moment.isValid() ? moment.toString(QStringLiteral("dd/MM/yyyy 'ore' hh:mm"))
                            : QStringLiteral("(data sconosciuta)");
}

// Why a member cannot be restored; empty when it can. Its name is one of the program's data files or
// lies in the attachment folder and cannot reach outside the folder it is unpacked into; a folder
// is the attachment folder or lies in it (a folder named like an archive would stand where the
// archive goes); a file is no larger than the program ever writes.
QString problemOf(const ZipFile::Entry& entry)
{
    const QString foreign = QStringLiteral("contiene il file estraneo ") + entry.name;
    const QString bare = entry.isFolder() ? entry.name.chopped(1) : entry.name;
    if (bare.isEmpty() || bare.startsWith(QLatin1Char('/')) || bare.contains(QLatin1Char('\\')))
        return foreign;
    // A line break in a name would break the restore's journal.
    if (std::any_of(bare.begin(), bare.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; }))
        return foreign;
    const QStringList parts = bare.split(QLatin1Char('/'));
    for (const QString& part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return foreign;
    if (!Backup::isDataName(bare))
        return foreign;
    const bool attachment = bare == Backup::kAttachments || bare.startsWith(Backup::kAttachments + QLatin1Char('/'));
    if (entry.isFolder() && (!attachment || entry.size != 0))
        return QStringLiteral("contiene una cartella con il nome di un archivio: ") + entry.name;
    if (!entry.isFolder() && bare == Backup::kAttachments)
        return QStringLiteral("contiene un file con il nome della cartella dei documenti allegati");
    if (!entry.isFolder() && entry.size > sizeLimit(bare))
        return QStringLiteral("il file %1 dichiara %2 byte, molti pi\u00f9 di quanti il programma ne scriva")
            .arg(entry.name)
            .arg(entry.size);
    return {};
}

// The program's data at the top of folder: the names a restore replaces.
QStringList dataItems(const QString& folder)
{
    QStringList items =
        QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    items.removeIf([](const QString& name) { return name.contains(QLatin1Char('/')) || !Backup::isDataName(name); });
    return items;
}

// Whether anything, a link to nothing included, bears the name.
bool present(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// One rename, never the copy that QFile falls back to: where an item lies must tell whether it was
// moved, and a copy cut short would lie in both places.
bool move(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // Some network file systems know no RENAME_NOREPLACE.
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return !present(to) && std::rename(source.constData(), target.constData()) == 0;
}

qint64 freeSpace(const QString& folder)
{
    if (g_freeSpace)
        return g_freeSpace(folder);
    const QStorageInfo storage(folder);
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

// A restore's steps as its journal holds them. Every file unpacked is in the working folder when the
// journal is written; the moves then set every current data item aside, and only then put every
// item of the backup in its place. Each move is one rename, so where an item lies tells whether it
// was moved, and the journal with the folders tells how far the restore came.
struct Plan {
    struct File {
        QString name; // as in the backup
        quint32 crc = 0;
        qint64 size = 0;
    };
    QString program;
    QString staging;
    QString asideName;
    QDateTime backup;
    QStringList current;  // set aside
    QStringList incoming; // put in place
    QList<File> files;

    QString journal() const { return QDir(staging).filePath(kJournal); }
    QString inProgram(const QString& name) const { return QDir(program).filePath(name); }
    QString inStaging(const QString& name) const { return QDir(staging).filePath(name); }
    QString aside() const { return QDir(program).filePath(asideName); }
    QString inAside(const QString& name) const { return QDir(aside()).filePath(name); }
};

QByteArray journalText(const Plan& plan)
{
    QStringList lines;
    lines << QString::fromLatin1(kJournalHeader);
    lines << QStringLiteral("backup=") + plan.backup.toString(Qt::ISODate);
    lines << QStringLiteral("accantonati=") + plan.asideName;
    for (const QString& name : plan.current)
        lines << QStringLiteral("vecchio=") + name;
    for (const QString& name : plan.incoming)
        lines << QStringLiteral("nuovo=") + name;
    for (const Plan::File& file : plan.files)
        lines << QStringLiteral("file=%1 %2 %3").arg(file.crc, 8, 16, QLatin1Char('0')).arg(file.size).arg(file.name);
    lines << QString::fromLatin1(kJournalEnd);
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

// The plan of the restore whose working folder is staging; nothing when its journal is missing or
// incomplete: the restore had not yet moved anything.
std::optional<Plan> readJournal(const QString& staging, const QString& program)
{
    QFile file(QDir(staging).filePath(kJournal));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    // The text ends with its closing line and a line break: an empty last piece.
    if (lines.size() < 4 || lines.first() != kJournalHeader || lines.at(lines.size() - 2) != kJournalEnd
        || !lines.last().isEmpty())
        return std::nullopt;
    Plan plan;
    plan.program = program;
    plan.staging = staging;
    for (qsizetype i = 1; i < lines.size() - 2; ++i) {
        const QString line = QString::fromUtf8(lines.at(i));
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            return std::nullopt;
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("backup")) {
            plan.backup = QDateTime::fromString(value, Qt::ISODate);
        } else if (key == QLatin1String("accantonati")) {
            plan.asideName = value;
        } else if (key == QLatin1String("vecchio")) {
            plan.current << value;
        } else if (key == QLatin1String("nuovo")) {
            plan.incoming << value;
        } else if (key == QLatin1String("file")) {
            bool crcOk = false, sizeOk = false;
            Plan::File entry;
            entry.crc = value.section(QLatin1Char(' '), 0, 0).toUInt(&crcOk, 16);
            entry.size = value.section(QLatin1Char(' '), 1, 1).toLongLong(&sizeOk);
            entry.name = value.section(QLatin1Char(' '), 2);
            if (!crcOk || !sizeOk || entry.name.isEmpty())
                return std::nullopt;
            plan.files << entry;
        } else {
            return std::nullopt;
        }
    }
    // Only names of the program's data: a journal never sends a move outside the program folder.
    const auto data = [](const QString& name) { return !name.contains(QLatin1Char('/')) && Backup::isDataName(name); };
    if (!plan.asideName.startsWith(kAsidePrefix) || plan.asideName.contains(QLatin1Char('/'))
        || !std::all_of(plan.current.begin(), plan.current.end(), data)
        || !std::all_of(plan.incoming.begin(), plan.incoming.end(), data))
        return std::nullopt;
    return plan;
}

// Written in place into the journal file the restore holds locked, synced, with the folders that
// name it: once it is complete on the disk, the moves may begin.
bool writeJournal(const Plan& plan)
{
    QFile file(plan.journal());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = journalText(plan);
    if (file.write(text) != text.size() || !SafeWrite::sync(file))
        return false;
    file.close();
    SafeWrite::syncFolderOf(plan.journal());
    SafeWrite::syncFolderOf(plan.staging);
    return true;
}

// Every file of the backup, wherever it lies now (still in the working folder or in its place),
// is whole: the restore may be finished.
bool unpackedWhole(const Plan& plan)
{
    for (const Plan::File& file : plan.files) {
        const QString top = file.name.section(QLatin1Char('/'), 0, 0);
        const QString path = present(plan.inStaging(top)) ? plan.inStaging(file.name) : plan.inProgram(file.name);
        quint32 crc = 0;
        qint64 size = 0;
        if (!ZipFile::fileCrc(path, crc, size) || crc != file.crc || size != file.size)
            return false;
    }
    return true;
}

void syncProgramFolder(const Plan& plan)
{
    SafeWrite::syncFolderOf(plan.inProgram(Backup::kSettings));
    if (present(plan.aside()))
        SafeWrite::syncFolderOf(plan.inAside(Backup::kSettings));
    SafeWrite::syncFolderOf(plan.journal());
}

// The moves still to do, from wherever an interrupted restore left them: every current item aside,
// then every item of the backup into its place. On failure, why names the item.
bool rollForward(const Plan& plan, QString* why)
{
    for (const QString& name : plan.current) {
        if (present(plan.inAside(name)) || !present(plan.inProgram(name)))
            continue;
        if (!QDir().mkpath(plan.aside())) {
            *why = QStringLiteral("cartella ") + QDir::toNativeSeparators(plan.aside());
            return false;
        }
        if (!move(plan.inProgram(name), plan.inAside(name))) {
            *why = name;
            return false;
        }
    }
    for (const QString& name : plan.incoming) {
        if (!present(plan.inStaging(name)))
            continue;
        if (present(plan.inProgram(name)) || !move(plan.inStaging(name), plan.inProgram(name))) {
            *why = name;
            return false;
        }
    }
    syncProgramFolder(plan);
    return true;
}

// The moves undone, from wherever they stopped: the backup's items back into the working folder,
// then the items set aside back into their place.
bool rollBack(const Plan& plan, QString* why)
{
    for (auto name = plan.incoming.crbegin(); name != plan.incoming.crend(); ++name) {
        if (present(plan.inStaging(*name)) || !present(plan.inProgram(*name)))
            continue;
        // What stands there is the backup's only once the current item of that name is aside.
        if (plan.current.contains(*name) && !present(plan.inAside(*name)))
            continue;
        if (!move(plan.inProgram(*name), plan.inStaging(*name))) {
            *why = *name;
            return false;
        }
    }
    for (auto name = plan.current.crbegin(); name != plan.current.crend(); ++name) {
        if (!present(plan.inAside(*name)))
            continue;
        if (present(plan.inProgram(*name)) || !move(plan.inAside(*name), plan.inProgram(*name))) {
            *why = *name;
            return false;
        }
    }
    QDir().rmdir(plan.aside()); // only when empty
    syncProgramFolder(plan);
    return true;
}

using Locks = std::vector<std::unique_ptr<SafeWrite::Lock>>;

// The archives' locks over every name the restore replaces, so that no other copy of the program
// writes into a file being moved. An empty text when all are held, else the name of the one busy.
QString lockAll(const QString& program, const QStringList& names, Locks& locks)
{
    QStringList all = names;
    all.removeDuplicates();
    for (const QString& name : all) {
        if (name == Backup::kAttachments)
            continue;
        const QString path = QDir(program).filePath(name);
        auto lock = std::make_unique<SafeWrite::Lock>(path);
        if (!lock->acquire())
            return name;
        locks.push_back(std::move(lock));
        // A save of the current archive cut short is settled now: its journal must not stay behind
        // and be applied to the archive the backup puts in its place.
        const int size =
            name == Backup::kPayers ? PayerRecord::kSize : (Backup::isYearArchive(name) ? SlipRecord::kSize : 0);
        if (size > 0 && QFileInfo(path).isFile() && RecordArchive::needsRecovery(path))
            RecordArchive::recover(path, size);
    }
    return {};
}

// The working folder removed once the restore is settled. The journal goes after everything else
// and before the folder: what the working folder still holds counts only while the journal is there.
void removeStaging(const QString& staging, std::unique_ptr<SafeWrite::Lock>& journalLock)
{
    QDir dir(staging);
    for (const QFileInfo& item :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (item.fileName() == kJournal || item.fileName() == kJournal + QStringLiteral(".lock"))
            continue;
        if (item.isDir() && !item.isSymLink())
            QDir(item.filePath()).removeRecursively();
        else
            QFile::remove(item.filePath());
    }
    QFile::remove(dir.filePath(kJournal));
    journalLock.reset();
    dir.removeRecursively();
}

QString asideText(const Plan& plan)
{
    return present(plan.aside())
        ? kBreak + QStringLiteral("I file presenti prima del ripristino sono stati spostati nella cartella") + kBreak
            + QDir::toNativeSeparators(plan.aside())
        : QString();
}

QString interrupted(const Plan& plan)
{
    return QStringLiteral("Il ripristino del backup del %1 era stato interrotto (il programma si era chiuso mentre "
                          "sostituiva i file)")
        .arg(dayAndTime(plan.backup));
}

} // namespace

qint64 sizeLimit(const QString& name)
{
    constexpr qint64 kRecords = 250000;
    if (Backup::isYearArchive(name))
        return kRecords * SlipRecord::kSize;
    if (name == Backup::kPayers)
        return kRecords * PayerRecord::kSize;
    if (name == Backup::kSettings || name == Backup::kPassword)
        return qint64(1) << 20;
    return qint64(256) << 20;
}

void setFreeSpaceProbe(std::function<qint64(const QString& folder)> probe)
{
    g_freeSpace = std::move(probe);
}

QString asideFolderName(const QDateTime& moment)
{
    return kAsidePrefix + moment.toString(QStringLiteral("yyyy-MM-dd hhmmss"));
}

namespace {

// The backup's directory checked and counted; with readThrough, every member read through its CRC
// as well.
std::optional<Contents> contentsOf(const QString& path, Message* refusal, bool readThrough)
{
    auto refuse = [&](const Message& message) -> std::optional<Contents> {
        if (refusal)
            *refusal = message;
        return std::nullopt;
    };
    Contents contents;
    contents.path = path;
    contents.moment = Backup::momentOf(QFileInfo(path).fileName());
    QDateTime newest;
    QList<ZipFile::Entry> entries;
    QString error;
    // The directory first: a hostile member is refused before a byte of it is unpacked.
    if (!ZipFile::list(path, entries, &error))
        return refuse(refused(error));
    if (entries.isEmpty())
        return refuse(refused(QStringLiteral("non contiene alcun file")));
    for (const ZipFile::Entry& entry : entries) {
        const QString problem = problemOf(entry);
        if (!problem.isEmpty())
            return refuse(refused(problem));
        if (entry.modified.isValid() && (!newest.isValid() || entry.modified > newest))
            newest = entry.modified;
        contents.bytes += entry.size;
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
    }
    // Restored, such a file would set the archives or the password aside and put nothing in their
    // place: the program would open empty, or not at all.
    const bool archives = !contents.years.isEmpty() || contents.payers;
    if (!archives || !contents.password) {
        const QString missing = !archives && !contents.password
            ? QStringLiteral("n\u00e9 gli archivi n\u00e9 la password di accesso")
            : !archives ? QStringLiteral("n\u00e9 archivi dei bollettini n\u00e9 l'archivio degli Esecutori")
                        : QStringLiteral("la password di accesso");
        return refuse({MessageKind::Warning,
                       QStringLiteral("Attenzione: il file scelto non contiene %1: il ripristino metterebbe da parte "
                                      "i dati attuali del programma senza sostituirli.")
                               .arg(missing)
                           + kNothingChanged});
    }
    if (readThrough && !ZipFile::read(path, ZipFile::Reader{}, &error))
        return refuse(refused(error));
    if (!contents.moment.isValid())
        contents.moment = newest;
    return contents;
}

} // namespace

std::optional<Contents> inspect(const QString& path, Message* refusal)
{
    return contentsOf(path, refusal, true);
}

QString describe(const Contents& contents)
{
    QStringList lines;
    lines << QStringLiteral("Backup del %1").arg(dayAndTime(contents.moment));
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
    auto failed = [&](const Message& message) {
        result.message = message;
        return result;
    };
    // The directory only: unpacking reads every member through its CRC, and a backup that fails
    // there is refused as the whole read would have refused it, before anything of the program's
    // is moved.
    Message refusal;
    const std::optional<Contents> contents = contentsOf(path, &refusal, false);
    if (!contents)
        return failed(refusal);

    const QDir program(programFolder);
    // A restore that another copy of the program is doing, or one the start-up could not settle.
    if (!program.entryList({kStagingPrefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)
             .isEmpty())
        return failed(notWritten(QStringLiteral("un altro ripristino \u00e8 in corso o non \u00e8 stato completato")));
    const qint64 free = freeSpace(programFolder);
    if (free >= 0 && contents->bytes + kSpareSpace > free)
        return failed({MessageKind::Warning,
                       QStringLiteral("Attenzione: nella cartella del programma non c'\u00e8 spazio sufficiente per "
                                      "ripristinare il backup: servono %1 MB, ne sono liberi %2 MB.")
                               .arg((contents->bytes + kSpareSpace + 999999) / 1000000)
                               .arg(free / 1000000)
                           + kNothingChanged});

    Plan plan;
    plan.program = programFolder;
    plan.staging = program.filePath(kStagingPrefix + moment.toString(QStringLiteral("yyyyMMddhhmmss")));
    plan.asideName = asideFolderName(moment);
    plan.backup = contents->moment;
    if (!QDir().mkpath(plan.staging))
        return failed(notWritten(QStringLiteral("cartella ") + plan.staging));
    // Held to the end: a copy of the program that starts meanwhile leaves this restore alone. The
    // journal file is created empty: until it is complete, nothing of the program's has been moved.
    auto journalLock = std::make_unique<SafeWrite::Lock>(plan.journal(), true);
    auto discard = [&](const Message& message) {
        removeStaging(plan.staging, journalLock);
        return failed(message);
    };
    if (!journalLock->acquire())
        return discard(notWritten(QStringLiteral("cartella ") + plan.staging));

    // Unpacked into the working folder first, each file synced: the data is touched only once the
    // whole backup is on disk.
    QFile out;
    QString target;
    // One file of each folder written into, whose folder is synced once all are unpacked.
    QStringList folders;
    bool written = true; // false: the failure was the disk's, not the backup's
    const auto wrote = [&written](bool ok) { return written = ok; };
    ZipFile::Reader reader;
    reader.begin = [&](const ZipFile::Entry& entry) {
        target = plan.inStaging(entry.name);
        if (entry.isFolder())
            return wrote(QDir().mkpath(target));
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return wrote(false);
        out.setFileName(target);
        return wrote(out.open(QIODevice::WriteOnly | QIODevice::NewOnly));
    };
    reader.data = [&](const char* bytes, qint64 size) { return wrote(out.write(bytes, size) == size); };
    reader.end = [&](const ZipFile::Entry& entry, quint32 crc) {
        if (entry.isFolder())
            return true;
        const bool synced = SafeWrite::sync(out);
        if (entry.modified.isValid())
            out.setFileTime(entry.modified, QFileDevice::FileModificationTime);
        out.close();
        const QString folder = QFileInfo(target).absolutePath();
        if (std::none_of(folders.cbegin(), folders.cend(),
                         [&folder](const QString& f) { return QFileInfo(f).absolutePath() == folder; }))
            folders.append(target);
        plan.files.append({entry.name, crc, entry.size});
        return wrote(synced);
    };
    QString error;
    if (!ZipFile::read(path, reader, &error)) {
        out.close();
        return discard(written ? refused(error) : notWritten(error));
    }
    for (const QString& file : folders)
        SafeWrite::syncFolderOf(file);
    // Read back: what landed on the disk is what the backup holds.
    if (!unpackedWhole(plan))
        return discard(notWritten(QStringLiteral("i file estratti non corrispondono al backup")));

    plan.current = dataItems(programFolder);
    plan.incoming = dataItems(plan.staging);
    Locks locks;
    const QString busy = lockAll(programFolder, plan.current + plan.incoming, locks);
    if (!busy.isEmpty())
        return discard(notWritten(QStringLiteral("l'archivio %1 \u00e8 in scrittura").arg(busy)));
    if (!writeJournal(plan))
        return discard(notWritten(QStringLiteral("giornale del ripristino")));

    QString why;
    if (!rollForward(plan, &why)) {
        QString undoWhy;
        if (!rollBack(plan, &undoWhy)) {
            // The journal stays: the next start tries again.
            result.message = {MessageKind::Error,
                              QStringLiteral("Attenzione: non \u00e8 stato possibile ripristinare il backup (%1), "
                                             "n\u00e9 rimettere al loro posto tutti i file spostati (%2).")
                                      .arg(why, undoWhy)
                                  + kBreak
                                  + QStringLiteral("I file presenti prima del ripristino si trovano nella cartella")
                                  + kBreak + QDir::toNativeSeparators(plan.aside()) + kBreak
                                  + QStringLiteral("Chiudere il programma: al prossimo avvio tenter\u00e0 di nuovo di "
                                                   "rimetterli al loro posto.")};
            return result;
        }
        locks.clear();
        return discard(notWritten(why));
    }
    locks.clear();
    Backup::carrySettings(plan.inAside(Backup::kSettings), plan.inProgram(Backup::kSettings));
    removeStaging(plan.staging, journalLock);

    result.ok = true;
    result.aside = present(plan.aside()) ? plan.aside() : QString();
    result.message = {MessageKind::Information,
                      QStringLiteral("Il backup del %1 \u00e8 stato ripristinato.").arg(dayAndTime(contents->moment))
                          + asideText(plan)};
    return result;
}

Message recover(const QString& programFolder)
{
    const QDir program(programFolder);
    QStringList texts;
    MessageKind kind = MessageKind::Information;
    for (const QString& name : program.entryList({kStagingPrefix + QLatin1Char('*')},
                                                 QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString staging = program.filePath(name);
        auto journalLock = std::make_unique<SafeWrite::Lock>(QDir(staging).filePath(kJournal));
        if (!journalLock->acquire())
            continue; // another copy of the program is restoring now
        const std::optional<Plan> plan = readJournal(staging, programFolder);
        if (!plan) {
            // Stopped while unpacking, or after it was settled: nothing of the program's was moved.
            const bool unpacking = present(QDir(staging).filePath(kJournal));
            removeStaging(staging, journalLock);
            if (unpacking)
                texts << QStringLiteral("Un ripristino da backup era stato interrotto prima di modificare i dati del "
                                        "programma, che sono rimasti quelli di prima. Per ripristinare il backup, "
                                        "ripetere il ripristino.");
            continue;
        }
        Locks locks;
        const QString busy = lockAll(programFolder, plan->current + plan->incoming, locks);
        if (!busy.isEmpty()) {
            kind = MessageKind::Warning;
            texts << QStringLiteral("Attenzione: un ripristino da backup era stato interrotto e non \u00e8 stato "
                                    "ancora completato, perch\u00e9 l'archivio %1 \u00e8 in uso da un'altra copia del "
                                    "programma.")
                         .arg(busy)
                    + kBreak
                    + QStringLiteral("Chiudere le altre copie del programma, poi chiudere e riavviare questa.");
            continue;
        }
        QString why;
        if (unpackedWhole(*plan) && rollForward(*plan, &why)) {
            locks.clear();
            Backup::carrySettings(plan->inAside(Backup::kSettings), plan->inProgram(Backup::kSettings));
            removeStaging(staging, journalLock);
            texts << interrupted(*plan) + QStringLiteral(" ed \u00e8 stato completato ora.") + asideText(*plan);
            continue;
        }
        if (rollBack(*plan, &why)) {
            locks.clear();
            removeStaging(staging, journalLock);
            texts << interrupted(*plan)
                    + QStringLiteral(" ed \u00e8 stato annullato: i dati del programma sono tornati quelli di prima "
                                     "del ripristino.");
            continue;
        }
        kind = MessageKind::Error;
        texts << QStringLiteral("Attenzione: il ripristino del backup del %1 era stato interrotto e non \u00e8 stato "
                                "possibile n\u00e9 completarlo n\u00e9 annullarlo (%2).")
                     .arg(dayAndTime(plan->backup), why)
                + kBreak + QStringLiteral("I file presenti prima del ripristino si trovano nella cartella") + kBreak
                + QDir::toNativeSeparators(plan->aside()) + kBreak
                + QStringLiteral("e quelli del backup nella cartella") + kBreak + QDir::toNativeSeparators(staging)
                + kBreak + QStringLiteral("Il programma riprover\u00e0 al prossimo avvio.");
    }
    return texts.isEmpty() ? Message{} : Message{kind, texts.join(kBreak)};
}

} // namespace Restore
