#include "backup/ZipFile.h"

#include "data/SafeWrite.h"

#include <QFileInfo>

#include <cerrno>
#include <zip.h>
#include <zlib.h>

namespace ZipFile {
namespace {

DeviceMaker g_deviceMaker;
// The level zip and most ZIP writers use by default.
constexpr zip_uint32_t kLevel = 6;

QString zipError(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

QString archiveError(zip_t* archive)
{
    return QString::fromLocal8Bit(zip_strerror(archive));
}

// The file libzip writes the ZIP into. libzip asks for it as a source that can be written: a new
// file (it does not exist yet), written from the start, with seeks back to complete the headers.
struct Target {
    QString path;
    QFile file;
    std::unique_ptr<QIODevice> wrapper;
    QIODevice* device = nullptr;
    zip_error_t error;
    QString why; // the device's own words for a failure

    zip_int64_t fail(int code, const QString& reason = {})
    {
        zip_error_set(&error, code, code == ZIP_ER_WRITE || code == ZIP_ER_SEEK ? EIO : 0);
        if (why.isEmpty())
            why = reason;
        return -1;
    }

    void drop()
    {
        wrapper.reset();
        device = nullptr;
        file.close();
        QFile::remove(path);
    }
};

zip_int64_t targetCommand(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* target = static_cast<Target*>(state);
    switch (command) {
    case ZIP_SOURCE_SUPPORTS: return ZIP_SOURCE_SUPPORTS_WRITABLE;
    case ZIP_SOURCE_STAT:
        // A new ZIP: libzip takes "no such file" as leave to create one.
        zip_error_set(&target->error, ZIP_ER_READ, ENOENT);
        return -1;
    case ZIP_SOURCE_ERROR: return zip_error_to_data(&target->error, data, length);
    case ZIP_SOURCE_FREE: return 0;
    case ZIP_SOURCE_BEGIN_WRITE:
        target->file.setFileName(target->path);
        if (!target->file.open(QIODevice::ReadWrite | QIODevice::Truncate))
            return target->fail(ZIP_ER_OPEN, target->file.errorString());
        if (g_deviceMaker) {
            target->wrapper = g_deviceMaker(target->file);
            target->device = target->wrapper.get();
        } else {
            target->device = &target->file;
        }
        return 0;
    case ZIP_SOURCE_WRITE: {
        const qint64 written = target->device->write(static_cast<const char*>(data), qint64(length));
        if (written != qint64(length))
            return target->fail(ZIP_ER_WRITE, target->device->errorString());
        return written;
    }
    case ZIP_SOURCE_SEEK_WRITE: {
        const zip_int64_t offset = zip_source_seek_compute_offset(
            zip_uint64_t(target->device->pos()), zip_uint64_t(target->device->size()), data, length, &target->error);
        if (offset < 0)
            return -1;
        if (!target->device->seek(offset))
            return target->fail(ZIP_ER_SEEK, target->device->errorString());
        return 0;
    }
    case ZIP_SOURCE_TELL_WRITE: return target->device->pos();
    case ZIP_SOURCE_COMMIT_WRITE: {
        // The ZIP counts as written once it is on the disk.
        const bool synced = SafeWrite::sync(target->file);
        const QString why = target->file.errorString();
        target->wrapper.reset();
        target->device = nullptr;
        target->file.close();
        if (!synced) {
            QFile::remove(target->path);
            return target->fail(ZIP_ER_WRITE, why);
        }
        return 0;
    }
    case ZIP_SOURCE_ROLLBACK_WRITE: target->drop(); return 0;
    case ZIP_SOURCE_REMOVE: target->drop(); return 0;
    default: return target->fail(ZIP_ER_OPNOTSUPP);
    }
}

} // namespace

void setDeviceMaker(DeviceMaker maker)
{
    g_deviceMaker = std::move(maker);
}

bool write(const QString& path, const QList<Member>& members, QString* error)
{
    Target target;
    target.path = path;
    zip_error_init(&target.error);
    auto fail = [&](const QString& why) {
        if (error)
            *error = target.why.isEmpty() ? why : target.why;
        QFile::remove(path);
        zip_error_fini(&target.error);
        return false;
    };

    zip_error_t openError;
    zip_error_init(&openError);
    zip_source_t* source = zip_source_function_create(&targetCommand, &target, &openError);
    if (!source) {
        const QString why = zipError(&openError);
        zip_error_fini(&openError);
        return fail(why);
    }
    zip_t* archive = zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (!archive) {
        const QString why = zipError(&openError);
        zip_error_fini(&openError);
        zip_source_free(source);
        return fail(why);
    }
    zip_error_fini(&openError);

    for (const Member& member : members) {
        const QByteArray name = member.name.toUtf8();
        if (member.source.isEmpty()) {
            if (zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8) < 0) {
                const QString why = archiveError(archive);
                zip_discard(archive);
                return fail(why);
            }
            continue;
        }
        zip_source_t* file = zip_source_file(archive, QFile::encodeName(member.source).constData(), 0, -1);
        const zip_int64_t index =
            file ? zip_file_add(archive, name.constData(), file, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) : -1;
        if (index < 0) {
            const QString why = member.source + QStringLiteral(": ") + archiveError(archive);
            if (file)
                zip_source_free(file);
            zip_discard(archive);
            return fail(why);
        }
        // libzip deflates at level 9 unless told: on the archives' records that takes twice the time
        // of level 6 for a ZIP hardly smaller.
        if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, kLevel) < 0) {
            const QString why = archiveError(archive);
            zip_discard(archive);
            return fail(why);
        }
    }
    if (zip_close(archive) < 0) {
        const QString why = archiveError(archive);
        zip_discard(archive);
        return fail(why);
    }
    zip_error_fini(&target.error);
    if (!QFileInfo::exists(path))
        return fail(QStringLiteral("the ZIP was not written"));
    return true;
}

namespace {

zip_t* openForReading(const QString& path, QString* error)
{
    int code = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive && error) {
        zip_error_t why;
        zip_error_init_with_code(&why, code);
        *error = zipError(&why);
        zip_error_fini(&why);
    }
    return archive;
}

bool entries(zip_t* archive, QList<Entry>& out, QString* error)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &stat) < 0) {
            if (error)
                *error = archiveError(archive);
            return false;
        }
        Entry entry;
        entry.name = QString::fromUtf8(stat.name);
        entry.size = qint64(stat.size);
        entry.crc = stat.crc;
        if (stat.valid & ZIP_STAT_MTIME)
            entry.modified = QDateTime::fromSecsSinceEpoch(stat.mtime);
        out.append(entry);
    }
    return true;
}

} // namespace

bool list(const QString& path, QList<Entry>& out, QString* error)
{
    out.clear();
    zip_t* archive = openForReading(path, error);
    if (!archive)
        return false;
    const bool ok = entries(archive, out, error);
    zip_discard(archive);
    return ok;
}

bool read(const QString& path, const Reader& reader, QString* error)
{
    zip_t* archive = openForReading(path, error);
    if (!archive)
        return false;
    QList<Entry> all;
    if (!entries(archive, all, error)) {
        zip_discard(archive);
        return false;
    }
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        zip_discard(archive);
        return false;
    };
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Entry& entry = all.at(i);
        if (!reader.begin(entry))
            return fail(entry.name + QStringLiteral(": not taken"));
        // libzip checks the member's stored CRC itself when it reaches the end of the member.
        zip_file_t* member = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!member)
            return fail(entry.name + QStringLiteral(": ") + archiveError(archive));
        uLong crc = crc32(0L, Z_NULL, 0);
        qint64 total = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(member, buffer.data(), zip_uint64_t(buffer.size()));
            if (n < 0) {
                const QString why =
                    entry.name + QStringLiteral(": ") + QString::fromLocal8Bit(zip_file_strerror(member));
                zip_fclose(member);
                return fail(why);
            }
            if (n == 0)
                break;
            // A member that inflates beyond the size it declares is a trap (a few megabytes that
            // would fill the disk): it is stopped at once, not read to its end.
            if (total + n > entry.size) {
                zip_fclose(member);
                return fail(entry.name + QStringLiteral(": longer than declared"));
            }
            crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.constData()), uInt(n));
            total += n;
            if (!reader.data(buffer.constData(), n)) {
                zip_fclose(member);
                return fail(entry.name + QStringLiteral(": not written"));
            }
        }
        zip_fclose(member);
        if (total != entry.size || quint32(crc) != entry.crc)
            return fail(entry.name + QStringLiteral(": CRC or size differ"));
        if (!reader.end(entry, quint32(crc)))
            return fail(entry.name + QStringLiteral(": not taken"));
    }
    zip_discard(archive);
    return true;
}

bool fileCrc(const QString& path, quint32& crc, qint64& size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    uLong sum = crc32(0L, Z_NULL, 0);
    size = 0;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (n == 0)
            break;
        sum = crc32(sum, reinterpret_cast<const Bytef*>(buffer.constData()), uInt(n));
        size += n;
    }
    crc = quint32(sum);
    return true;
}

} // namespace ZipFile
