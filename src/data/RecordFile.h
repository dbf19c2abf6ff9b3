#pragma once
// A header-less file of fixed-size records, numbered from 1 in file order. Every command opens
// the file, works and closes it; every failure is returned to the caller, never hidden.
//
// An existing file is only ever opened for reading and writing in place: it is never truncated
// or replaced. A missing file is created empty, and only when it does not exist.
//
// A write either happens whole or not at all, as far as the system lets a program know: the record
// is written, flushed and synced to disk, and when any of these fails an append is cut back to the
// former size and an overwrite puts the record's old bytes back.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

class RecordFile {
public:
    explicit RecordFile(int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens path for reading and writing, creating it empty when it does not exist.
    bool open(const QString& path);
    // The one way any command opens an archive (file named, not open): an existing file in mode
    // (which must not truncate), a missing one created empty and the creation synced into its
    // folder; should another PC create it meanwhile, that one is opened. Never replaces a file.
    static bool openOrCreate(QFile& file, QIODevice::OpenMode mode);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    // Whole records in the file; an incomplete tail is not counted.
    qint64 count() const;
    // True when the file ends with an incomplete record.
    bool hasIncompleteTail() const;
    qint64 size() const { return m_file.isOpen() ? m_size : 0; }
    // Reads the size again from the file server (it is read once at open, and kept by this
    // object's own writes).
    void refreshSize();
    // Forgets what the system keeps in memory of the content, so that the next reads ask the disk or
    // the file server (what another PC wrote, not what this one remembers).
    void forgetContent();
    // Called after each block that append() writes (a long batch keeps its lock alive with it).
    void setProgress(std::function<void()> progress) { m_progress = std::move(progress); }
    int recordSize() const { return m_recordSize; }

    // Positions before record n (1-based); n = count() + 1 positions at the end.
    bool seek(qint64 n);
    // Records before the current position: after reading or writing record n it is n.
    qint64 position() const { return m_position; }

    // Reads the record at the current position and advances by one.
    bool read(QByteArray& record);
    // Writes the record at the current position (overwriting, or appending at the end), syncs it to
    // disk and advances. A failed write is undone (see above). An append after an incomplete tail is
    // refused: it would shift every later record. At the end of the file, record may also hold
    // several whole records: they are written and synced as one, and cut back together on failure.
    bool write(const QByteArray& record);

    // Appends count records that make(i) gives one at a time (i from 0), written in blocks and
    // synced once at the end, so that a long run of records never stands in memory whole. A failure
    // of any block, or of the sync, cuts the file back to its former size.
    using Maker = std::function<QByteArray(qint64)>;
    bool append(qint64 count, const Maker& make);
    // Cuts the file back to its first `records` whole records and syncs it.
    bool cutBack(qint64 records);

    // The bytes after the last whole record, if any.
    bool readTail(QByteArray& tail);
    // Cuts the file back to its whole records and syncs it.
    bool dropTail();
    // Puts bytes taken by dropTail back at the end of the file (on the file itself, not the device).
    bool restoreTail(const QByteArray& tail);

    QString errorString() const { return m_error; }

    // Test seam: every read and write of the records goes through the device this makes from the
    // opened file (a device that fails after some bytes, say). Empty restores the file itself.
    using DeviceMaker = std::function<std::unique_ptr<QIODevice>(QFile& file)>;
    static void setDeviceMaker(DeviceMaker maker);

private:
    bool fail(const QString& why);
    bool failed(const QString& why); // fail with the device's own error when it has one
    bool writeAt(qint64 offset, const QByteArray& bytes);

    const int m_recordSize;
    QFile m_file;
    std::unique_ptr<QIODevice> m_wrapper;
    QIODevice* m_device = &m_file;
    qint64 m_position = 0;
    qint64 m_size = 0;
    std::function<void()> m_progress;
    QString m_error;
};
