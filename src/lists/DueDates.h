#pragma once
// The unpaid slips that fall due: those due within a period from today and those already expired,
// for the start-up notice and the reminder letters. The period and the notice are settings of
// their own in Tassella.ini, beside the office's heading that the letters print; the existing
// sections and keys are never touched.
//
// The archive read is today's year, and the next year's as well when the period runs past 31
// December. A slip is expired when its due date is today or earlier (as the expired list counts
// it), falls due when its due date lies after today and no later than the period's last day.

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace DueDates {

// The periods the user can choose, in days, and the one used until a choice is made.
inline constexpr std::array<int, 4> kPeriods{7, 15, 30, 60};
inline constexpr int kDefaultDays = 30;

struct Settings {
    bool notice = true;      // the notice at start-up
    int days = kDefaultDays; // one of kPeriods
    QDate lastNotice;        // the day the notice was last shown
};
// Tassella.ini in the program folder.
QString settingsPath();
// Section "Promemoria Scadenze", keys "Avviso" ("Sì" or "No"), "Giorni" and "UltimoAvviso"
// (dd/mm/yyyy). A missing or unknown value reads as its default.
Settings readSettings(const QString& path);
// Writes "Avviso" and "Giorni"; false when the file could not be written.
bool writeSettings(const QString& path, const Settings& settings);
// Remembers that the notice was shown on day.
bool noteNoticeShown(const QString& path, const QDate& day);
// The notice is due on the first start of a day, unless switched off.
bool noticeDue(const Settings& settings, const QDate& today);

// The office's heading on the letters: section "Intestazione Ufficio", keys "Nome", "Indirizzo",
// "Telefono" and "Email".
struct Office {
    QString name, address, telephone, email;
    friend bool operator==(const Office&, const Office&) = default;
};
Office readOffice(const QString& path);
bool writeOffice(const QString& path, const Office& office);

struct Slip {
    QString year;        // the archive it was read from
    qint64 position = 0; // its record number there
    QDate due;
    bool expired = false; // due today or earlier
    QString line;         // the slip's list line
    QString payer, taxCode, address, postcode, town, province;
    QString tariff, tariffYear, amount, cents, causale;

    // The amount in cents, from the whole euros and the two digits stored.
    qint64 amountCents() const;
};

struct Selection {
    QDate today;
    QDate last; // the period's last day
    QStringList years;
    std::vector<Slip> slips; // by due date, then by archive and record
    int dueSoon = 0;
    int expired = 0;
    int unreadable = 0; // unpaid slips passed over because their due date cannot be read
    bool ok = true;     // false: an archive could not be read; the slips read before stay
};

// The years whose archives the selection reads.
QStringList yearsRead(const QDate& today, int days);
// The unpaid slips of those archives (in the program folder) due up to today + days. An archive
// that does not exist is not created: there is nothing due in it.
Selection select(const QDate& today, int days);

// One payer's slips of a selection. Slips belong to the same payer when they carry the same tax
// code, or, without one, the same name.
struct Payer {
    QString key;
    QString name, taxCode, address, postcode, town, province; // from the payer's latest slip
    QString email;                                            // from the payer archive, when found there
    std::vector<int> slips;                                   // indices into Selection::slips
};
// The payers of a selection, by name.
std::vector<Payer> payers(const Selection& selection);
// The key of a slip's payer (see Payer).
QString payerKey(const QString& taxCode, const QString& name);
// Fills each payer's e-mail address from the payer archive at path: the last record with the same
// tax code, or without one the same name. False when the archive exists and cannot be read.
bool addEmails(std::vector<Payer>& payers, const QString& path);

// "N bollettini non saldati scadono entro D giorni, M sono già scaduti", in the singular for one.
QString noticeText(int dueSoon, int expired, int days);

} // namespace DueDates
