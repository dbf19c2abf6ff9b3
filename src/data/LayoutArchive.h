#pragma once
// An archive of fixed-size records of one layout, as the editors use it (the payer archive, the
// yearly slip archives): each call opens the file (creating it empty when missing), does one whole
// job and closes it again. Failures come back as an empty result; the window shows the access
// message. Locking, syncing, undoing a failed write and mending an incomplete end are RecordArchive's.

#include "data/Message.h"
#include "data/RecordArchive.h"
#include "data/RecordLayout.h"

#include <QString>
#include <optional>

class LayoutArchive {
public:
    LayoutArchive(const QString& path, const RecordLayout& layout, int recordSize);

    // The number of whole records.
    std::optional<qint64> count();
    // Record n (1-based).
    std::optional<Record> read(qint64 n);
    // Appends the record and gives its new number (the former count + 1).
    std::optional<qint64> append(const Record& record);
    // Overwrites record n. A number without a record behind it is refused: writing there would
    // either leave a gap or file the record under another number than the one shown.
    bool overwrite(qint64 n, const Record& record);

    QString errorString() const { return m_archive.errorString(); }
    // After an append that moved an incomplete end aside: what to tell the user (shown once).
    Message notice() const { return m_archive.notice(); }

private:
    const RecordLayout& m_layout;
    RecordArchive m_archive;
};
