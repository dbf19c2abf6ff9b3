#pragma once
// The payment summary: the year, period and payer filters chosen in the selection window, checked
// and turned into two dates and the archive to read; then the slips due in that period, listed
// and added up.
//
// The total is kept in whole cents, never in floating point: the accountant gets 0,30 for
// 0,10 + 0,20 and the right figure over any number of slips. A slip whose due date or amount
// cannot be read is left out and counted, so the window can say so beside the total instead of
// presenting a partial sum as the real one.

#include "data/Message.h"
#include "lists/LineList.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace Summary {

// "01" to "31" and "Gennaio" to "Dicembre": the entries of the day and month fields.
const QStringList& days();
const QStringList& months();
// 1 to 12 for a month name in any case of a to z with blanks around it; 0 for anything else.
int monthNumber(const QString& name);

// What the selection window's fields hold when "Visualizza riepilogo" is pressed.
struct Choice {
    QString year;       // txtAnno as typed
    QString startDay;   // txtGiornoInizio
    QString startMonth; // txtMeseInizio
    QString endDay;     // txtGiornoFine
    QString endMonth;   // txtMeseFine
    QString startYear;  // lblAnnoInizio
    QString endYear;    // lblAnnoFine
};

struct Checked {
    Message message; // empty when the choice can be summarised
    QString focus;   // the control the focus goes back to with the message; empty: it stays
    QString start;   // lblDataInizio as the checks leave it
    QString end;     // lblDataFine
    QString archive; // lblFile: the year's archive, set when the choice is good
    bool ok() const { return message.isEmpty(); }
};

// The checks of "Visualizza riepilogo" in order: four-digit year, the four period fields, a start
// and an end date that exist, an end not before the start (one day is a period).
Checked check(const Choice& choice);

// The payer filters as typed (not trimmed).
struct Filters {
    QString name;
    QString taxCode;
};

// Filters given: one for each whose trimmed text is not empty.
int filterCount(const Filters& filters);
// The name filter trimmed, or "- - -" when there is none.
QString payerTitle(const Filters& filters);

struct Result {
    LineList lines;     // slip list lines of the slips summed, in list order
    qint64 cents = 0;   // their total
    int unreadable = 0; // slips that passed the filters but whose due date or amount cannot be read
    // Records that could not be read at all: an incomplete one at the end, those after a read that
    // failed, or every one of an archive that cannot be opened. -1: the archive could not be read
    // and its size tells nothing (a folder under its name).
    qint64 unread = 0;
    bool ok = true; // false: the archive could not be opened, created or read to its end
};

// Slips of the archive (created empty when missing) whose payer matches every filter given and
// whose due date lies from start to end, both included; paid or not. Reading stops at the first
// failure: the slips read before it are listed and summed, and the rest is counted in unread.
Result compute(const QString& archive, const Filters& filters, const QDate& start, const QDate& end);

// A slip's amount ("168,00", also "168", "168,5", "-5,00") in cents; nothing when it is not a
// number or holds a fraction of a cent.
std::optional<qint64> amountCents(QStringView text);
// Two decimals, a decimal comma and no thousands separator: 184,50, 0,00, -0,50.
QString totalText(qint64 cents);
// "Dal   01/03/2014   al   31/03/2014".
QString periodText(const QString& start, const QString& end);
// Said under the total when slips were left out; empty when none was.
QString unreadableText(int count);
// The same for a whole result: slips left out for their date or amount and records that could not
// be read are counted together.
QString noteText(const Result& result);

// "Stampa riepilogo".
QString emptyPrintText();
QString confirmPrintText();
QString printTitle(const QString& payerTitle);
// The list lines, then the hyphens, the period and the total (and the note on slips left out, if any).
QStringList printBody(const LineList& lines, const QString& period, const QString& total, const QString& note = {});

// "Visualizza riepilogo" failing for another reason than the choice.
QString inaccessibleText();

} // namespace Summary
