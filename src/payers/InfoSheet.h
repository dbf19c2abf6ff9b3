#pragma once
// The payer information sheet "Scheda informativa": one A4 page listing the payer on screen in the
// payer editor, 24 rows of a title on a teal strip and its value. The template is data (the
// tables in InfoSheet.cpp); filling it is a pure function of the editor's texts and the clock.

#include "data/Message.h"
#include "reports/Report.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <span>

namespace InfoSheet {

// The payer editor's texts as they stand on screen, one per control the sheet shows.
struct Values {
    QString esecutore, gg, mm, aa, comuneNasc, provNasc, sesso, recapito, indirizzoRes, provRes, comuneRes, categoria,
        telCasa, telUff, telCel, fax, email, codFisc, partitaIva, carta, scadeCarta, iban, tipoDoc, numDoc, enteRil,
        dataRil, dataSca, codTariffa, questioni, note;
};

// Which editor control fills which member.
struct Source {
    const char* control;
    QString Values::*member;
};
std::span<const Source> sources();

struct Row {
    QString title;
    QString value;
};
inline constexpr int kRows = 24;

// The 24 rows as the sheet prints them: every value trimmed, the fixed parts of a composed value
// printed even around empty values ("//" for an empty date of birth).
std::array<Row, kRows> rows(const Values& values);

// "Stampa eseguita in data dd/mm/yyyy alle ore hh:mm:ss".
QString footer(const QDateTime& moment);

// The template "Scheda informativa", page "Page1": A4 portrait, 10 mm margins, no bands.
const Report::TemplateDef& def();
// The names of row k (1 to 24): "titCampo01" and "txtCampo01" to "titCampo24" and "txtCampo24".
QString titleObject(int k);
QString valueObject(int k);
// Top of row k in millimetres inside the margins: 24 + 10 x (k - 1).
constexpr double rowTop(int k)
{
    return 24 + 10 * (k - 1);
}

// Fills every object the sheet prints: orientation, title, the 24 rows and the footer at moment.
void fill(Report::Template& sheet, const Values& values, const QDateTime& moment);

// The PDF "Esecutore.pdf" in the program folder.
QString pdfPath();
// After the export: the question whether to open the file, or the failure.
Message pdfWritten();
Message pdfNotWritten();

} // namespace InfoSheet
