#pragma once
// The payer archive "Esecutori.pro" as the payer editor uses it: each call opens the file
// (creating it empty when missing), does one whole job and closes it again. Failures come back
// as an empty result; the window shows the access message.

#include "data/RecordLayout.h"

#include <QString>
#include <optional>

class PayerArchive {
public:
    explicit PayerArchive(const QString& path);

    // A record with every field empty, laid out as a payer.
    static Record blank();

    // The number of whole payers.
    std::optional<qint64> count();
    // Payer n (1-based).
    std::optional<Record> read(qint64 n);
    // Appends the payer and gives its new number (the former count + 1).
    std::optional<qint64> append(const Record& record);
    // Overwrites payer n. A number without a payer behind it is refused: writing there would
    // either leave a gap or file the payer under another number than the one shown.
    bool overwrite(qint64 n, const Record& record);

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why);

    QString m_path;
    QString m_error;
};
