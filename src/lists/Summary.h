#pragma once
// The payment summary: the year, period and payer filters chosen in the selection window, checked
// and turned into two dates and the archive to read; then the slips due in that period, listed
// and added up.
//
// The total is kept exact, never in floating point: the accountant gets 0,30 for 0,10 + 0,20 and
// the right figure over any number of slips, also of amounts another program wrote with more than
// two decimals. A slip whose due date or amount cannot be read is left out and counted, so the
// window can say so beside the total instead of presenting a partial sum as the real one.

#include "data/Message.h"
#include "windows/LineList.h"

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

// An amount or a sum of amounts, exact: whole euros and the rest in ten-billionths of a euro, the
// rest always from 0 up to one euro (-0,25 is -1 and 0,75). An amount text holds at most eleven
// characters, so no amount has more than ten decimals.
struct Decimal {
    static constexpr qint64 kUnit = 10'000'000'000;
    qint64 euros = 0;
    qint64 rest = 0; // 0 <= rest < kUnit

    static Decimal fromCents(qint64 cents);
    // False, and nothing added, when the euros would overflow.
    bool add(const Decimal& other);
    bool operator==(const Decimal&) const = default;
};

struct Result {
    LineList lines;     // slip list lines of the slips summed, in list order
    Decimal total;      // their total
    int unreadable = 0; // slips that passed the filters but whose due date or amount cannot be read
    // Records that could not be read at all: those after a read that failed, or every one of an
    // archive that cannot be opened. -1: the archive could not be read and its size tells nothing
    // (a folder under its name).
    qint64 unread = 0;
    // The archive ends with an incomplete record: the part of a save that never finished, no slip,
    // passed over as the lists pass it over.
    bool tail = false;
    bool ok = true; // false: the archive could not be opened, created or read to its end
};

// Slips of the archive (created empty when missing) whose payer matches every filter given and
// whose due date lies from start to end, both included; paid or not. Reading stops at the first
// failure: the slips read before it are listed and summed, and the rest is counted in unread.
Result compute(const QString& archive, const Filters& filters, const QDate& start, const QDate& end);

// A slip's amount text read as a decimal number with "," as separator, exactly: "168,00", also
// "168", "168,5", "1,005", "-5,00", "+5". The text is trimmed of codes 0 to 32 only, so a
// non-breaking space (0xA0) around it makes it no number. A comma with digits on one side only is
// read as a user would: ",50" is 0,50 and "12," is 12,00. Nothing for anything else: no digit,
// letters, a point, a blank inside, two commas, more than fifteen whole digits.
std::optional<Decimal> amountValue(QStringView text);
// The same in cents; nothing too when it holds a fraction of a cent.
std::optional<qint64> amountCents(QStringView text);
// Rounded half up to four decimals, shown with two to four of them (trailing zeros after the
// second dropped), a decimal comma and no thousands separator: 184,50, 0,00, -0,50, 1,005, 12,3456.
QString totalText(const Decimal& total);
// "Dal   01/03/2014   al   31/03/2014".
QString periodText(const QString& start, const QString& end);
// Said under the total when slips were left out; empty when none was.
QString unreadableText(int count);
// The same for a whole result: slips left out for their date or amount and records that could not
// be read are counted together; an incomplete end of the archive is named as such on a line of its
// own, never counted as a slip.
QString noteText(const Result& result);

// "Stampa riepilogo".
QString emptyPrintText();
QString confirmPrintText();
QString printTitle(const QString& payerTitle);
// The list lines, then the hyphens, the period and the total (and the lines of the note on slips
// left out, if any).
QStringList printBody(const LineList& lines, const QString& period, const QString& total, const QString& note = {});

// "Visualizza riepilogo" failing for another reason than the choice.
QString inaccessibleText();

} // namespace Summary
