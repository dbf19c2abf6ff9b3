#include "data/RecordArchive.h"

#include "data/Platform.h"
#include "data/RecordFile.h"
#include "data/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtEndian>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString key(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Record number to the bytes last shown or written, per archive.
QHash<QString, QHash<qint64, QByteArray>>& loadedRecords()
{
    static QHash<QString, QHash<qint64, QByteArray>> records;
    return records;
}

// An append reported failed whose record could not be taken off the end again: it stands in the
// archive, and the next append there takes its place rather than adding the record twice.
struct Unsettled {
    QString path;
    qint64 n = 0;
    QByteArray bytes;
};
std::optional<Unsettled>& unsettled()
{
    static std::optional<Unsettled> append;
    return append;
}

// Whether the unsettled record of this archive still stands as its last record.
bool stillLast(const Unsettled& pending, RecordFile& file)
{
    QByteArray last;
    return !file.hasIncompleteTail() && file.count() == pending.n && file.seek(pending.n) && file.read(last)
        && last == pending.bytes;
}

// The journal: a mark, the record number and size, the old bytes, and a hash of all of it, so that
// a journal cut short by the same power loss is known for one and never applied.
constexpr char kJournalMark[8] = {'T', 'S', 'L', 'R', 'I', 'P', 'R', '1'};
constexpr int kHashSize = 20;

QByteArray journalBytes(qint64 n, const QByteArray& old)
{
    QByteArray bytes(kJournalMark, sizeof kJournalMark);
    char number[8];
    qToLittleEndian<qint64>(n, number);
    bytes.append(number, sizeof number);
    char size[4];
    qToLittleEndian<qint32>(qint32(old.size()), size);
    bytes.append(size, sizeof size);
    bytes.append(old);
    bytes.append(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1));
    return bytes;
}

// The record number and old bytes of a whole journal for records of recordSize; nothing otherwise.
std::optional<std::pair<qint64, QByteArray>> parseJournal(const QByteArray& bytes, int recordSize)
{
    const qsizetype head = sizeof kJournalMark + 8 + 4;
    if (bytes.size() != head + recordSize + kHashSize || !bytes.startsWith(QByteArray(kJournalMark, 8)))
        return std::nullopt;
    const QByteArray body = bytes.left(bytes.size() - kHashSize);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha1) != bytes.right(kHashSize))
        return std::nullopt;
    const qint64 n = qFromLittleEndian<qint64>(bytes.constData() + 8);
    const qint32 size = qFromLittleEndian<qint32>(bytes.constData() + 16);
    if (size != recordSize || n < 1)
        return std::nullopt;
    return std::make_pair(n, bytes.mid(head, recordSize));
}

// The journal of a batch append: a mark, the number of whole records before the batch and the
// number the batch adds, and a hash of it. A journal found means the batch never finished.
constexpr char kBatchMark[8] = {'T', 'S', 'L', 'E', 'M', 'I', 'S', '1'};

QByteArray batchJournalBytes(qint64 before, qint64 count)
{
    QByteArray bytes(kBatchMark, sizeof kBatchMark);
    char number[8];
    qToLittleEndian<qint64>(before, number);
    bytes.append(number, sizeof number);
    qToLittleEndian<qint64>(count, number);
    bytes.append(number, sizeof number);
    bytes.append(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1));
    return bytes;
}

std::optional<std::pair<qint64, qint64>> parseBatchJournal(const QByteArray& bytes)
{
    const qsizetype head = sizeof kBatchMark + 16;
    if (bytes.size() != head + kHashSize || !bytes.startsWith(QByteArray(kBatchMark, 8)))
        return std::nullopt;
    if (QCryptographicHash::hash(bytes.left(head), QCryptographicHash::Sha1) != bytes.right(kHashSize))
        return std::nullopt;
    const qint64 before = qFromLittleEndian<qint64>(bytes.constData() + 8);
    const qint64 count = qFromLittleEndian<qint64>(bytes.constData() + 16);
    if (before < 0 || count < 1)
        return std::nullopt;
    return std::make_pair(before, count);
}

// Whether the slips of the archive's folder are on a share that let two PCs write at one place:
// said once per session, with the first save that found it.
bool& unsafeShareTold()
{
    static bool told = false;
    return told;
}

bool removeDurably(const QString& path)
{
    if (!QFile::remove(path) && QFileInfo::exists(path))
        return false;
    SafeWrite::syncFolderOf(path);
    return true;
}

} // namespace

RecordArchive::RecordArchive(const QString& path, int recordSize)
    : m_path(path)
    , m_recordSize(recordSize)
{}

bool RecordArchive::fail(const QString& why)
{
    m_error = why;
    return false;
}

Message RecordArchive::notice() const
{
    if (m_recovered.isEmpty() || m_notice.isEmpty())
        return m_recovered.isEmpty() ? m_notice : m_recovered;
    return {MessageKind::Information, m_recovered.text + QStringLiteral("\n\r\n\r") + m_notice.text};
}

void RecordArchive::setSameRecord(std::function<bool(const QByteArray&, const QByteArray&)> same)
{
    m_same = std::move(same);
}

void RecordArchive::remember(const QString& path, qint64 n, const QByteArray& bytes)
{
    loadedRecords()[key(path)][n] = bytes;
}

QString RecordArchive::sideFileName(const QString& path)
{
    return path + QStringLiteral(".coda-") + Clock::now().toString(QStringLiteral("yyyyMMdd-hhmmss"));
}

QString RecordArchive::journalName(const QString& path)
{
    return path + QStringLiteral(".ripristino");
}

QString RecordArchive::batchJournalName(const QString& path)
{
    return path + QStringLiteral(".emissione");
}

bool RecordArchive::needsRecovery(const QString& path)
{
    const auto present = [](const QString& name) { return QFileInfo::exists(name) || SafeWrite::isLink(name); };
    return present(journalName(path)) || present(batchJournalName(path));
}

Message RecordArchive::unsafeShareMessage(const QString& path)
{
    return {
        MessageKind::Warning,
        QStringLiteral("Attenzione: la cartella\n\r\n\r%1\n\r\n\rsi trova su una condivisione di rete che non "
                       "impedisce a due postazioni di salvare nello stesso punto dell'archivio: un'altra postazione "
                       "ha scritto dove era appena stata salvata una scheda di questa. La scheda \u00e8 stata "
                       "salvata di nuovo, in fondo all'archivio.\n\r\n\rPer lavorare da pi\u00f9 postazioni "
                       "collegare la cartella condivisa con il client SMB del sistema (cifs) oppure disattivare la "
                       "cache del programma che la collega (per sshfs: -o cache=no), e chiudere Tassella sulle "
                       "altre postazioni fino ad allora.")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()))};
}

Message RecordArchive::busyQuestion(const QString& host)
{
    const QString who =
        host.isEmpty() ? QStringLiteral("un'altra postazione") : QStringLiteral("un'altra postazione (%1)").arg(host);
    return {MessageKind::Warning,
            QStringLiteral("Attenzione: l'archivio \u00e8 in uso da %1, che vi sta salvando una scheda.\n\r\n\r"
                           "Premere Riprova per salvare di nuovo fra qualche istante, oppure Annulla per tornare "
                           "alla scheda senza salvarla.")
                .arg(who),
            {QStringLiteral("Riprova"), QStringLiteral("Annulla")}};
}

Message RecordArchive::changedQuestion()
{
    return {MessageKind::Warning,
            QStringLiteral("La scheda \u00e8 stata modificata da un'altra postazione dopo che \u00e8 stata aperta "
                           "qui.\n\r\n\rRicarica: mostra la scheda come \u00e8 ora in archivio, scartando le modifiche "
                           "fatte qui.\n\rSovrascrivi: salva la scheda come appare qui, scartando le modifiche "
                           "dell'altra postazione.\n\rAnnulla: torna alla scheda senza salvarla."),
            {QStringLiteral("Ricarica"), QStringLiteral("Sovrascrivi"), QStringLiteral("Annulla")}};
}

bool RecordArchive::lock(std::unique_ptr<SafeWrite::Lock>& held)
{
    m_busy = false;
    m_busyHost.clear();
    held = std::make_unique<SafeWrite::Lock>(m_path, true);
    if (held->acquire())
        return true;
    m_busy = held->busy();
    m_busyHost = held->holderHost();
    return fail(held->errorString());
}

std::optional<Message> RecordArchive::recover(const QString& path, int recordSize, QString* error)
{
    const QString journal = journalName(path);
    const auto failed = [error](const QString& why) -> std::optional<Message> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    Message aside;
    // A link in the journal's place is never followed (it would point the undo at another file): it
    // is set aside, and the archive is used as it stands.
    if (SafeWrite::isLink(journal)) {
        const QString moved =
            journal + QStringLiteral("-collegamento-") + Clock::now().toString(QStringLiteral("yyyyMMdd-hhmmss"));
        if (::rename(QFile::encodeName(journal).constData(), QFile::encodeName(moved).constData()) != 0)
            return failed(QStringLiteral("a link stands in the journal's place and cannot be moved"));
        SafeWrite::syncFolderOf(journal);
        aside = {
            MessageKind::Information,
            QStringLiteral("Accanto all'archivio c'era un collegamento al posto del file di ripristino dei "
                           "salvataggi. Non \u00e8 stato seguito ed \u00e8 stato spostato nel file\n\r\n\r%1\n\r\n\r"
                           "L'archivio non \u00e8 stato modificato.")
                .arg(QDir::toNativeSeparators(moved))};
    }
    const std::optional<Message> batch = recoverBatch(path, recordSize, error);
    if (!batch)
        return std::nullopt;
    const auto withOthers = [&aside, &batch](Message notice) {
        for (const Message* other : {static_cast<const Message*>(&aside), &*batch})
            if (!other->isEmpty())
                notice = notice.isEmpty()
                    ? *other
                    : Message{MessageKind::Information, notice.text + QStringLiteral("\n\r\n\r") + other->text};
        return notice;
    };
    QFile file(journal);
    if (!file.exists())
        return withOthers(Message{});
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    const QByteArray bytes = file.readAll();
    file.close();
    const auto entry = parseJournal(bytes, recordSize);
    // A journal cut short: the power failed before the archive was touched.
    if (!entry)
        return removeDurably(journal) ? std::optional<Message>(withOthers(Message{}))
                                      : failed(QStringLiteral("journal stays"));
    const auto& [n, old] = *entry;
    RecordFile archive(recordSize);
    QByteArray now;
    if (!archive.open(path))
        return failed(archive.errorString());
    Message notice;
    if (n <= archive.count()) {
        if (!archive.seek(n) || !archive.read(now))
            return failed(archive.errorString());
        if (now != old) {
            if (!archive.seek(n) || !archive.write(old))
                return failed(archive.errorString());
            notice = {MessageKind::Information,
                      QStringLiteral("Un salvataggio della scheda n. %1 \u00e8 stato interrotto (per esempio da "
                                     "un'interruzione di corrente) e l'avrebbe lasciata in parte vecchia e in parte "
                                     "nuova.\n\r\n\rLa scheda \u00e8 stata riportata com'era prima di quel "
                                     "salvataggio: se necessario, ripetere le modifiche e salvarla di nuovo.")
                          .arg(n)};
            remember(path, n, old);
        }
    }
    archive.close();
    if (!removeDurably(journal))
        return failed(QStringLiteral("the journal cannot be removed"));
    return withOthers(notice);
}

std::optional<Message> RecordArchive::recoverBatch(const QString& path, int recordSize, QString* error)
{
    const QString journal = batchJournalName(path);
    const auto failed = [error](const QString& why) -> std::optional<Message> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (SafeWrite::isLink(journal)) {
        // Never followed: it says nothing of a batch of this program.
        return removeDurably(journal) ? std::optional<Message>(Message{}) : failed(QStringLiteral("journal stays"));
    }
    QFile file(journal);
    if (!file.exists())
        return Message{};
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    const auto entry = parseBatchJournal(file.read(4096));
    file.close();
    Message notice;
    if (entry) {
        const auto& [before, count] = *entry;
        RecordFile archive(recordSize);
        if (!archive.open(path))
            return failed(archive.errorString());
        // A batch is one act: cut short, none of its slips stays. Slips before it are never touched.
        if (archive.size() > before * recordSize) {
            const qint64 saved = std::min(archive.count() - before, count);
            QByteArray tail;
            if (archive.hasIncompleteTail() && !archive.readTail(tail))
                return failed(archive.errorString());
            if (!archive.cutBack(before))
                return failed(archive.errorString());
            notice = {MessageKind::Information,
                      QStringLiteral("Un salvataggio di %1 schede insieme (per esempio un'emissione per pi\u00f9 "
                                     "esecutori) \u00e8 stato interrotto dopo %2 schede.\n\r\n\rPer non lasciarlo "
                                     "a met\u00e0, le schede dalla n. %3 in poi sono state tolte dall'archivio: "
                                     "l'archivio \u00e8 com'era prima di quel salvataggio. Ripetere l'operazione per "
                                     "salvarle.")
                          .arg(count)
                          .arg(saved)
                          .arg(before + 1)};
        }
        archive.close();
    }
    if (!removeDurably(journal))
        return failed(QStringLiteral("the batch journal cannot be removed"));
    return notice;
}

bool RecordArchive::recoverHere()
{
    const std::optional<Message> notice = recover(m_path, m_recordSize, &m_error);
    if (!notice)
        return false;
    if (!notice->isEmpty())
        m_recovered = *notice;
    return true;
}

std::optional<qint64> RecordArchive::count()
{
    if (needsRecovery(m_path)) {
        std::unique_ptr<SafeWrite::Lock> held;
        if (!lock(held) || !recoverHere())
            return std::nullopt;
    }
    RecordFile file(m_recordSize);
    if (!file.open(m_path)) {
        fail(file.errorString());
        return std::nullopt;
    }
    return file.count();
}

std::optional<QByteArray> RecordArchive::read(qint64 n)
{
    if (needsRecovery(m_path)) {
        std::unique_ptr<SafeWrite::Lock> held;
        if (!lock(held) || !recoverHere())
            return std::nullopt;
    }
    RecordFile file(m_recordSize);
    QByteArray bytes;
    if (!file.open(m_path) || !file.seek(n) || !file.read(bytes)) {
        fail(file.errorString());
        return std::nullopt;
    }
    remember(m_path, n, bytes);
    return bytes;
}

// Copies the incomplete end to a new side file, synced, and only then cuts it from the archive.
bool RecordArchive::moveTail(RecordFile& file, QByteArray& tail, QString& sidePath)
{
    if (!file.readTail(tail))
        return fail(file.errorString());
    const QString base = sideFileName(m_path);
    sidePath = base;
    for (int i = 2; QFileInfo::exists(sidePath); ++i)
        sidePath = base + QLatin1Char('-') + QString::number(i);
    QFile side(sidePath);
    if (!side.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return fail(side.errorString());
    if (side.write(tail) != tail.size() || !SafeWrite::sync(side)) {
        const QString why = side.errorString();
        // Removed by name: QFile::remove() on the open file gives up when its close fails.
        side.close();
        QFile::remove(sidePath);
        return fail(why);
    }
    side.close();
    SafeWrite::syncFolderOf(sidePath);
    if (!file.dropTail()) {
        const QString why = file.errorString();
        // Whatever the cut did, the archive ends as it did before.
        if (file.size() == file.count() * m_recordSize && file.restoreTail(tail))
            QFile::remove(sidePath);
        return fail(why);
    }
    m_notice = {MessageKind::Information,
                QStringLiteral("L'archivio terminava con una scheda incompleta, rimasta da un salvataggio interrotto. "
                               "I suoi %1 byte sono stati spostati nel file\n\r\n\r%2\n\r\n\rLe schede complete "
                               "dell'archivio non sono state modificate.")
                    .arg(tail.size())
                    .arg(QDir::toNativeSeparators(sidePath))};
    return true;
}

bool RecordArchive::openForAppend(std::unique_ptr<SafeWrite::Lock>& held, RecordFile& file)
{
    m_notice = {};
    if (!lock(held) || !recoverHere())
        return false;
    if (!file.open(m_path)) {
        fail(file.errorString());
        return false;
    }
    file.forgetContent();
    return true;
}

bool RecordArchive::holds(RecordFile& file, qint64 n, const QByteArray& record)
{
    // Read back from the disk or the file server, not from what this computer kept of its write.
    file.forgetContent();
    file.refreshSize();
    QByteArray stored;
    const qint64 records = record.size() / m_recordSize;
    return file.count() >= n && file.seek(n - records + 1) && file.read(stored) && stored == record.left(m_recordSize);
}

void RecordArchive::tellUnsafeShare()
{
    if (unsafeShareTold())
        return;
    unsafeShareTold() = true;
    const Message warning = unsafeShareMessage(m_path);
    m_notice = m_notice.isEmpty()
        ? warning
        : Message{MessageKind::Warning, m_notice.text + QStringLiteral("\n\r\n\r") + warning.text};
}

std::optional<qint64> RecordArchive::append(const QByteArray& record)
{
    std::unique_ptr<SafeWrite::Lock> held;
    RecordFile file(m_recordSize);
    if (!openForAppend(held, file))
        return std::nullopt;
    // A former append of this program that was reported failed but could not be taken back, still
    // the last record: this save takes its place.
    std::optional<Unsettled>& pending = unsettled();
    if (pending && pending->path == key(m_path)) {
        const qint64 n = pending->n;
        if (stillLast(*pending, file)) {
            // A failed write here is undone to the record that stood there: still unsettled.
            if (!file.seek(n) || !file.write(record)) {
                fail(file.errorString());
                return std::nullopt;
            }
            pending.reset();
            remember(m_path, n, record);
            return n;
        }
        pending.reset();
    }
    QByteArray tail;
    QString sidePath;
    if (file.hasIncompleteTail() && !moveTail(file, tail, sidePath))
        return std::nullopt;
    // The end as found under the lock, from the file server: another instance may have appended
    // since this one counted. Read back afterwards: should another PC have written at the same place
    // (a share whose client gives no working lock), the record goes again at the new end.
    for (int attempt = 0;; ++attempt) {
        const qint64 n = file.count() + 1;
        if (!file.seek(n) || !file.write(record)) {
            fail(file.errorString());
            if (file.size() > (n - 1) * m_recordSize) {
                // The record could not be taken off again (the disk keeps failing).
                pending = Unsettled{key(m_path), n, record};
            } else if (!sidePath.isEmpty() && file.restoreTail(tail) && QFile::remove(sidePath)) {
                m_notice = {};
            }
            return std::nullopt;
        }
        const qint64 last = file.position();
        if (holds(file, last, record)) {
            remember(m_path, last, record);
            if (attempt > 0)
                tellUnsafeShare();
            return last;
        }
        if (attempt == 3 || file.hasIncompleteTail()) {
            tellUnsafeShare();
            fail(QStringLiteral("another PC wrote where this record was saved"));
            return std::nullopt;
        }
    }
}

std::optional<qint64> RecordArchive::append(qint64 count, const std::function<QByteArray(qint64)>& make)
{
    std::unique_ptr<SafeWrite::Lock> held;
    RecordFile file(m_recordSize);
    if (!openForAppend(held, file))
        return std::nullopt;
    // A former append reported failed that still stands as the last record: it goes, and these
    // records follow the one before it.
    std::optional<Unsettled>& pending = unsettled();
    if (pending && pending->path == key(m_path)) {
        if (stillLast(*pending, file) && !file.cutBack(pending->n - 1)) {
            fail(file.errorString());
            return std::nullopt;
        }
        pending.reset();
    }
    QByteArray tail;
    QString sidePath;
    if (file.hasIncompleteTail() && !moveTail(file, tail, sidePath))
        return std::nullopt;
    // The end as found under the lock: another instance may have appended since this one counted.
    const qint64 before = file.count();
    // A journal first: a batch cut short by a crash is taken off whole at the next command.
    if (!writeBatchJournal(before, count))
        return std::nullopt;
    SafeWrite::Lock* lock = held.get();
    file.setProgress([lock] { lock->keepAlive(); });
    QByteArray first, last;
    const auto keep = [&](qint64 i) {
        QByteArray record = make(i);
        if (i == 0)
            first = record;
        if (i == count - 1)
            last = record;
        return record;
    };
    const bool written = file.append(count, keep);
    file.setProgress({});
    if (!written) {
        fail(file.errorString());
        // Records that could not be taken off again stay (the disk keeps failing); the failure is
        // reported all the same, and the journal takes them off at the next command. Taken off, the
        // incomplete end goes back where it was.
        if (file.size() == before * m_recordSize) {
            removeDurably(batchJournalName(m_path));
            if (!sidePath.isEmpty() && file.restoreTail(tail) && QFile::remove(sidePath))
                m_notice = {};
        }
        return std::nullopt;
    }
    if (!holds(file, before + 1, first) || !holds(file, before + count, last)) {
        tellUnsafeShare();
        removeDurably(batchJournalName(m_path));
        fail(QStringLiteral("another PC wrote where these records were saved"));
        return std::nullopt;
    }
    // Once the journal is gone the batch stands; should it stay, the next command takes the batch off
    // again, so this one must not be reported done.
    if (!removeDurably(batchJournalName(m_path))) {
        fail(QStringLiteral("the batch journal cannot be removed"));
        return std::nullopt;
    }
    return before + count;
}

bool RecordArchive::writeJournalFile(const QString& journal, const QByteArray& bytes)
{
    // Never through a link, and never over another file: a journal left here was applied by now.
    const int fd =
        ::open(QFile::encodeName(journal).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(QStringLiteral("the journal cannot be created"));
    const bool written = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::fdatasync(fd) == 0;
    ::close(fd);
    if (!written) {
        QFile::remove(journal);
        return fail(QStringLiteral("the journal cannot be written"));
    }
    SafeWrite::syncFolderOf(journal);
    return true;
}

bool RecordArchive::writeBatchJournal(qint64 before, qint64 count)
{
    return writeJournalFile(batchJournalName(m_path), batchJournalBytes(before, count));
}

bool RecordArchive::writeJournal(qint64 n, const QByteArray& old)
{
    return writeJournalFile(journalName(m_path), journalBytes(n, old));
}

bool RecordArchive::overwrite(qint64 n, const QByteArray& record, Check check)
{
    m_notice = {};
    m_changedElsewhere = false;
    m_stored.clear();
    std::unique_ptr<SafeWrite::Lock> held;
    if (!lock(held) || !recoverHere())
        return false;
    RecordFile file(m_recordSize);
    if (!file.open(m_path))
        return fail(file.errorString());
    // The record as stored now on the disk or the file server, not as this computer remembers it.
    file.forgetContent();
    if (n < 1 || n > file.count())
        return fail(QStringLiteral("record %1 is not in the archive").arg(n));
    QByteArray old;
    if (!file.seek(n) || !file.read(old))
        return fail(file.errorString());
    if (check == Check::Loaded) {
        const auto archive = loadedRecords().constFind(key(m_path));
        if (archive != loadedRecords().cend() && archive->contains(n)) {
            const QByteArray loaded = archive->value(n);
            if (!(m_same ? m_same(old, loaded) : old == loaded)) {
                m_changedElsewhere = true;
                m_stored = old;
                remember(m_path, n, old);
                return fail(QStringLiteral("record %1 was changed by another instance").arg(n));
            }
        }
    }
    if (!writeJournal(n, old))
        return false;
    const bool written = file.seek(n) && file.write(record);
    if (!written)
        fail(file.errorString());
    // Undone or done, the archive is synced: the journal is no longer needed. Should the undo have
    // failed, the journal stays and the next command puts the old record back.
    QByteArray now;
    const bool settled = written || (file.seek(n) && file.read(now) && now == old);
    file.close();
    if (settled && !removeDurably(journalName(m_path)) && written)
        return fail(QStringLiteral("the journal cannot be removed")); // the next command undoes the overwrite
    if (!written)
        return false;
    remember(m_path, n, record);
    return true;
}
