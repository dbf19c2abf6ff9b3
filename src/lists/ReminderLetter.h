#pragma once
// The reminder letter "Promemoria di scadenza": one letter per payer, on A4, with the office's
// heading, the payer's name and address, each of the payer's unpaid slips that falls due (tariff
// code and description, year, amount in figures and words, due date, causale), the total and how
// to pay. The template is data (the tables in ReminderLetter.cpp); a letter is a plain value made
// from a selection, and filling the template is a pure function of it. Also the e-mail that
// carries a letter, and the PDF files letters are written to.

#include "lists/DueDates.h"
#include "reports/Report.h"

#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace ReminderLetter {

struct Item {
    QString tariff;      // the code
    QString description; // from the tariff list; empty for a code it lacks
    QString year;        // the tariff year as stored, two digits
    QString amount;      // "120,50"
    QString words;       // "CENTOVENTI/50"
    QString due;         // dd/mm/yyyy
    bool expired = false;
    QString causale;
};

struct Letter {
    DueDates::Office office;
    QString name, address, place; // place: postcode, town and province, as one line
    QString email;
    QDate date;
    QDate last; // the period's last day
    std::vector<Item> items;
    QString total;      // "240,00"
    QString totalWords; // "DUECENTOQUARANTA/00"
};

// The letter of one payer of a selection.
Letter make(const DueDates::Payer& payer, const DueDates::Selection& selection, const DueDates::Office& office);

// An amount of cents as the slips show it ("1234,05") and in words ("MILLEDUECENTOTRENTAQUATTRO/05").
QString amountText(qint64 cents);
QString amountWords(qint64 cents);
// The description of a tariff code in the tariff list; empty when the list lacks it.
QString tariffDescription(const QString& code);

// The template "Promemoria di scadenza": A4 portrait, a title band with the heading, the address
// and the opening, the slips as master data (running on to further pages when many), a footer with
// the total and how to pay.
const Report::TemplateDef& def();
void fill(Report::Template& report, const Letter& letter);

// The lines the letter gives each slip, as printed.
QStringList itemLines(const Item& item);

// Every letter drawn on device, one after the other, each from a new page; letterAt(i) makes the
// i-th when its turn comes, so that one letter stands in memory at a time. False when the device
// could not be painted on.
bool render(QPagedPaintDevice& device, int count, const std::function<Letter(int)>& letterAt);
// The letters into one PDF at path, replaced whole only when all were written.
bool writePdf(const QString& path, int count, const std::function<Letter(int)>& letterAt, QString* error = nullptr);

// The file name of a payer's letter: "Promemoria_" and the name (letters and digits, the rest "_").
QString fileName(const Letter& letter);

// The e-mail that carries a letter: its subject and its body, in Italian.
QString mailSubject(const Letter& letter);
QString mailBody(const Letter& letter);

} // namespace ReminderLetter
