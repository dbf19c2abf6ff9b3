#pragma once
// Issuing the same slip for many payers at once: which payers, the slip each of them gets (byte
// for byte what the slip editor stores after "Importa dati" and the same typed data), the slips
// the year's archive already holds for them, and one append of them all.
//
// The window reads its controls into SlipData and a Selection, asks here and shows the answers.

#include "data/Message.h"
#include "data/RecordLayout.h"
#include "data/RecordScan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace BatchIssue {

// ---- Choosing the payers ----

enum class Choice {
    All,       // every payer of the archive
    Tariff,    // the payers whose tariff code is the one given
    Recontact, // the payers to recontact
    Search,    // the payers the criteria find, as the payer search finds them
};

struct Selection {
    Choice choice = Choice::All;
    QString tariff;                             // Choice::Tariff
    QList<RecordScan::Criterion> criteria = {}; // Choice::Search: field names of the payer record
};

// One payer as the batch uses it: its number in the payer archive and the thirteen fields a slip
// takes from it (SlipFromPayer::fields() order).
struct Payer {
    qint64 number = 0;
    // Why the payer is not ticked at first: its tax code fails the check or fields a slip needs are
    // empty. Empty when the payer is fit for a slip.
    QString problem;

    QString field(int slot) const;
    QString field(const char* name) const;
    // Texts in the archive's code page, at most 255 characters each, as a payer record holds them.
    void setField(int slot, const QString& text);
    void setFields(const std::array<QString, 13>& texts);

    QString name() const { return field("Esecutore"); }
    QString taxCode() const { return field("CodFisc"); }

private:
    // The thirteen texts in the archive's code page, each after a byte with its length: a payer of
    // a list of thousands costs about two hundred bytes.
    QByteArray m_fields;
};

struct Payers {
    std::vector<Payer> payers; // ordered by name, then by record number
    bool ok = true;            // false: the archive could not be read; payers holds those before the failure
    QString error;
};

// The payers of the archive at path that the selection takes. A missing archive is created empty,
// as every reader of it does.
Payers choose(const QString& path, const Selection& selection);

// The problem of a payer's fields (Payer::problem): a tax code of 16 characters must carry its
// check letter, one of 11 digits (a body's VAT number) its check digit; a person needs name, sex,
// birth and residence, a body name and residence. Empty when nothing is wrong.
QString problem(const Payer& payer);

// What is wrong with the payer's own tariff code for a slip: missing, or not a code of the tariff
// list. Empty when it is one of the list's codes.
QString tariffProblem(const Payer& payer);

// The warning shown beside a payer: its problem and, when each slip takes its payer's own tariff
// code (ownTariff), that code's problem too. A payer with a warning is not ticked at first.
QString warning(const Payer& payer, bool ownTariff);

// ---- The slip ----

// The slip's own data, as typed in the batch window's fields.
struct SlipData {
    QString amount;     // euros as typed (digits)
    QString cents;      // as typed
    QString tariff;     // tariff code; empty: each payer's own
    QString tariffYear; // two digits
    QString dueDate;    // dd/mm/yyyy, from the date picker
    QString reason;
    QString notes;
    bool issue = false;  // RILASCIO
    bool yearly = false; // ANNUALE
    bool topUp = false;  // INTEGRAZIONE
};

// What Salva refuses for every slip alike: no due date or one that does not exist (the slip
// editor's messages), an amount that is not digits.
std::optional<Message> check(const SlipData& data);

// The slip record of a payer: what the slip editor stores when the payer was imported with
// "Importa dati", the amount, cents, tariff, year, due date, reason, notes and boxes typed as in
// data, and Salva pressed: amount in words as typing made it, cents tidied, full amount, paid "No",
// no payment date and no attachments.
Record slip(const SlipData& data, const Payer& payer);

// The slips of a batch, each made only when it is asked for (index from 0): a batch of any size
// holds its payers and the slip data, never its records all at once.
struct Slips {
    qint64 count = 0;
    std::function<Record(qint64)> at;

    Slips() = default;
    // The slip of data for each payer, in order.
    Slips(const SlipData& data, std::vector<Payer> payers);
    // Records held elsewhere, which must outlive these slips.
    Slips(const std::vector<Record>& records);
};

// ---- Slips already issued ----

// The key that makes two slips the same issue: tariff code, tariff year and payer (tax code, or
// the name when there is no tax code).
QString issueKey(const Record& slip);

struct Duplicates {
    std::vector<bool> found; // per slip: the archive, or an earlier slip of the batch, has its issue
    int count = 0;           // inArchive + inBatch
    int inArchive = 0;       // slips whose issue the archive holds
    int inBatch = 0;         // the others that repeat an earlier slip of the same batch
    bool ok = true;
    QString error;
};
// Which of the slips the yearly archive at path already holds the same issue of. A missing
// archive holds nothing (and is created empty, as every reader does).
Duplicates duplicates(const QString& path, const Slips& slips);

// The question asked before saving when duplicates were found, with both counts: Yes keeps them,
// No (the default button) leaves them out.
Message duplicateQuestion(const Duplicates& found);
// Said when No left every slip out.
Message nothingSaved();
// The question asked before count slips are appended.
Message saveQuestion(qint64 count);

// ---- Saving ----

struct Saved {
    qint64 first = 0; // record number of the first slip saved
    qint64 count = 0;
    bool ok = false;
    QString error;
    Message notice; // the archive's own notice (an incomplete end moved aside); shown after
};
// Appends every slip to the yearly archive at path in one locked write and one sync, each record
// made as it is written; a failure leaves the archive as it was.
Saved append(const QString& path, const Slips& slips);

// "Sono state inserite in archivio N schede, dalla numero F alla numero L." and the like.
Message savedMessage(const Saved& saved);
// Nothing chosen to save.
Message nothingChosen();

} // namespace BatchIssue
