#pragma once
// An archive of fixed-size records of one layout, as the editors use it (the payer archive, the
// yearly slip archives): each call opens the file (creating it empty when missing), does one whole
// job and closes it again. Failures come back as an empty result; the window shows the access
// message, or the question for a busy archive or a record changed elsewhere. Locking, syncing,
// undoing a failed write, the overwrite journal and mending an incomplete end are RecordArchive's.

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
    // either leave a gap or file the record under another number than the one shown. Refused too
    // (changedElsewhere()) when another PC saved the record after it was loaded here, unless check
    // is None.
    using Check = RecordArchive::Check;
    bool overwrite(qint64 n, const Record& record, Check check = Check::Loaded);

    QString errorString() const { return m_archive.errorString(); }
    // After a command that mended the archive: what to tell the user (shown once).
    Message notice() const { return m_archive.notice(); }

    // After a failed save: another PC held the archive; the question to ask (Riprova, Annulla).
    bool busy() const { return m_archive.busy(); }
    Message busyQuestion() const { return RecordArchive::busyQuestion(m_archive.busyHost()); }
    // After a refused overwrite: the record as another PC stored it, and the question to ask
    // (Ricarica, Sovrascrivi, Annulla; see RecordArchive::Choice).
    bool changedElsewhere() const { return m_archive.changedElsewhere(); }
    Record stored() const { return Record(m_layout, m_archive.stored()); }
    static Message changedQuestion() { return RecordArchive::changedQuestion(); }

private:
    const RecordLayout& m_layout;
    RecordArchive m_archive;
};
