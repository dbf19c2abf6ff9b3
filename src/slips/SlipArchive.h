#pragma once
// The yearly slip archive as the slip editor uses it: each call opens the file (creating it
// empty when missing), does one whole job and closes it again. Failures come back as an empty
// result; the window shows the access message. Locking, syncing, undoing a failed write and
// mending an incomplete end are RecordArchive's.

#include "data/Message.h"
#include "data/RecordArchive.h"
#include "data/RecordLayout.h"

#include <QString>
#include <optional>

class SlipArchive {
public:
    explicit SlipArchive(const QString& path);

    // A record with every field empty, laid out as a slip.
    static Record blank();

    // The number of whole slips.
    std::optional<qint64> count();
    // Slip n (1-based).
    std::optional<Record> read(qint64 n);
    // Appends the slip and gives its new number (the former count + 1).
    std::optional<qint64> append(const Record& record);
    // Overwrites slip n. A number without a slip behind it is refused: writing there would
    // either leave a gap or file the slip under another number than the one shown.
    bool overwrite(qint64 n, const Record& record);

    QString errorString() const { return m_archive.errorString(); }
    // After an append that moved an incomplete end aside: what to tell the user (shown once).
    Message notice() const { return m_archive.notice(); }

private:
    RecordArchive m_archive;
};
