#pragma once
// ZIP files through libzip: writing one from files on disk, reading its directory and reading every
// member back through its CRC. The ZIP is written through a device over the file, so that a test
// can make the writes fail as a full disk does.

#include <QDateTime>
#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace ZipFile {

// One member to write: its name in the ZIP ("/" between folders) and the file it holds. A name
// ending in "/" with no source is a folder.
struct Member {
    QString name;
    QString source;
};

// One member as the ZIP's directory tells it.
struct Entry {
    QString name;
    qint64 size = 0;
    quint32 crc = 0;
    QDateTime modified;
    bool isFolder() const { return name.endsWith(QLatin1Char('/')); }
};

// Writes a new ZIP at path (replacing a file of that name) with the members, deflated. The sources
// are read while the ZIP is written. On failure the file at path is removed and error tells why.
bool write(const QString& path, const QList<Member>& members, QString* error);

// The directory of the ZIP at path; false (and error) when it is not a ZIP or its directory does
// not agree with itself.
bool list(const QString& path, QList<Entry>& entries, QString* error);

// Reads every member in the order of the directory, decompressed: begin(entry) first, then data()
// with its bytes piece by piece, then end(entry, crc) with the CRC-32 of the bytes read. Fails when
// the ZIP is damaged, a member's bytes do not match its stored CRC or size, or a callback says no.
// A member whose bytes run past its declared size fails before data() is given the excess.
struct Reader {
    std::function<bool(const Entry&)> begin = [](const Entry&) { return true; };
    std::function<bool(const char*, qint64)> data = [](const char*, qint64) { return true; };
    std::function<bool(const Entry&, quint32 crc)> end = [](const Entry&, quint32) { return true; };
};
bool read(const QString& path, const Reader& reader, QString* error);

// The CRC-32 of a whole file, as a ZIP stores it; false when it cannot be read.
bool fileCrc(const QString& path, quint32& crc, qint64& size);

// Test seam: the ZIP's bytes go through the device this makes from the opened file (a device that
// fails after some bytes, say). Empty restores the file itself.
using DeviceMaker = std::function<std::unique_ptr<QIODevice>(QFile& file)>;
void setDeviceMaker(DeviceMaker maker);

} // namespace ZipFile
