#pragma once
// A header-less file of fixed-size records, numbered from 1 in file order. Every command opens
// the file, works and closes it; every failure is returned to the caller, never hidden.
//
// An existing file is only ever opened for reading and writing in place: it is never truncated
// or replaced. A missing file is created empty, and only when it does not exist.

#include <QByteArray>
#include <QFile>
#include <QString>

class RecordFile {
public:
    explicit RecordFile(int recordSize);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens path for reading and writing, creating it empty when it does not exist.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // Whole records in the file; an incomplete tail is not counted.
    qint64 count() const;
    // True when the file ends with an incomplete record.
    bool hasIncompleteTail() const;

    // Positions before record n (1-based); n = count() + 1 positions at the end.
    bool seek(qint64 n);
    // Records before the current position: after reading or writing record n it is n.
    qint64 position() const { return m_position; }

    // Reads the record at the current position and advances by one.
    bool read(QByteArray& record);
    // Writes the record at the current position (overwriting, or appending at the end) and advances.
    // An append after an incomplete tail is refused: it would shift every later record.
    bool write(const QByteArray& record);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why);

    const int m_recordSize;
    QFile m_file;
    qint64 m_position = 0;
    QString m_error;
};
