// "Crea PDF" of one payer information sheet, the whole process from a saved payer to the file:
//   bench_sheet prepare <folder>   writes a payer archive with one payer, and the same 24 rows as
//                                  sheet.csv for LibreOffice to turn into a page
//   bench_sheet run <folder>       starts, loads payer 1 into the payer editor offscreen (its first
//                                  record arrow) and runs "Crea PDF", the question answered No;
//                                  fails when no file came out
// bench/sheet.sh times whole runs of it against LibreOffice Calc with hyperfine.

#include "data/RecordFile.h"
#include "data/RecordLayout.h"
#include "payers/Esecutori.h"
#include "payers/InfoSheet.h"
#include "payers/InfoSheetCommands.h"
#include "payers/PayerRecord.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <cstdio>
#include <cstring>

namespace {

const std::pair<const char*, const char*> kPayer[] = {
    {"Esecutore", "ROSSI MARIO"},
    {"GG", "05"},
    {"MM", "03"},
    {"AA", "71"},
    {"ComuneNasc", "PERUGIA"},
    {"ProvNasc", "PG"},
    {"Sesso", "M"},
    {"Recapito", "Presso lo studio Bianchi, via Verdi 3"},
    {"IndirizzoRes", "VIA ROMA 1"},
    {"ProvRes", "RM"},
    {"ComuneRes", "ROMA"},
    {"CapRes", "00100"},
    {"Categoria", "Artigiani"},
    {"TelCasa", "06 1234567"},
    {"TelUff", "06 7654321"},
    {"TelCel", "333 1234567"},
    {"Fax", "06 1111111"},
    {"Email", "mario.rossi@example.it"},
    {"CodFisc", "RSSMRA71C05H501X"},
    {"Carta", "4111111111111111"},
    {"ScadeCarta", "12/29"},
    {"PartitaIva", "01234567890"},
    {"Iban", "IT60X0542811101000000123456"},
    {"TipoDoc", "Carta d'identita"},
    {"NumDoc", "AX1234567"},
    {"EnteRil", "Comune di Roma"},
    {"DataRil", "01/02/2020"},
    {"DataSca", "01/02/2030"},
    {"CodTariffa", "8003"},
    {"Questioni", "Manca la firma sul modulo di delega"},
    {"Note", "Cliente dal 1998; preferisce essere contattato al mattino"},
};

int prepare()
{
    Record record(PayerRecord::layout());
    InfoSheet::Values values;
    for (const auto& [field, text] : kPayer) {
        record.setText(field, QString::fromUtf8(text));
        for (const InfoSheet::Source& source : InfoSheet::sources())
            if (std::strcmp(source.control + 3, field) == 0)
                values.*source.member = QString::fromUtf8(text);
    }
    record.setFlag("Ricontatta", false);
    RecordFile archive(PayerRecord::kSize);
    if (!archive.open(PayerRecord::archivePath()) || !archive.seek(1) || !archive.write(record.bytes()))
        return 1;
    archive.close();
    // The same rows for LibreOffice: title and value, one row each.
    QFile csv(ProgramFolder::file(QStringLiteral("sheet.csv")));
    if (!csv.open(QIODevice::WriteOnly))
        return 1;
    csv.write("SCHEDA ANAGRAFICA ESECUTORE\n");
    for (const InfoSheet::Row& row : InfoSheet::rows(values))
        csv.write(QString(QLatin1Char('"') + row.title + QStringLiteral("\",\"") + row.value + QStringLiteral("\"\n"))
                      .toUtf8());
    csv.write(
        QString(QLatin1Char('"') + InfoSheet::footer(QDateTime::currentDateTime()) + QStringLiteral("\"\n")).toUtf8());
    return csv.flush() ? 0 : 1;
}

int run()
{
    TfrmEsecutori editor;
    auto* first = editor.findChild<QAbstractButton*>(QStringLiteral("cmdPrimo"));
    auto* pdf = editor.findChild<QAbstractButton*>(QStringLiteral("cmdPDF"));
    auto* name = editor.findChild<QLineEdit*>(QStringLiteral("txtEsecutore"));
    if (!first || !pdf || !name) {
        std::fprintf(stderr, "the payer editor lacks cmdPrimo, cmdPDF or txtEsecutore\n");
        return 2;
    }
    QFile::remove(InfoSheet::pdfPath());
    MessageBox::setTestMode(true);
    first->click(); // the saved payer, loaded by the editor itself
    if (name->text() != QLatin1String("ROSSI MARIO")) {
        std::fprintf(stderr, "payer 1 was not loaded\n");
        return 2;
    }
    MessageBox::setNextAnswer(MessageBox::Button::No);
    pdf->click();
    QFile written(InfoSheet::pdfPath());
    return written.size() > 1000 && MessageBox::pendingAnswers() == 0 ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_sheet prepare|run <folder>\n");
        return 64;
    }
    QApplication app(argc, argv);
    ProgramFolder::setOverride(QString::fromLocal8Bit(argv[2]));
    return std::strcmp(argv[1], "prepare") == 0 ? prepare() : run();
}
