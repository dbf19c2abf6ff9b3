// "Crea PDF" of one payer information sheet, the whole process from a saved payer to the file:
//   bench_sheet prepare <folder>   writes a payer archive with one payer, and the same 24 rows as
//                                  sheet.csv for LibreOffice to turn into a page
//   bench_sheet run <folder>       starts, loads payer 1 into the payer editor offscreen and runs
//                                  "Crea PDF", the question answered No; fails when no file came out
// bench/sheet.sh times whole runs of it against LibreOffice Calc with hyperfine.

#include "data/RecordFile.h"
#include "data/RecordLayout.h"
#include "payers/Esecutori.h"
#include "payers/InfoSheet.h"
#include "payers/InfoSheetCommands.h"
#include "payers/PayerRecord.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const std::pair<const char*, const char*> kPayer[] = {
    {"Esecutore", "ROSSI MARIO"},        {"GG", "05"},
    {"MM", "03"},                        {"AA", "71"},
    {"ComuneNasc", "PERUGIA"},           {"ProvNasc", "PG"},
    {"Sesso", "M"},                      {"Recapito", "Presso lo studio Bianchi, via Verdi 3"},
    {"IndirizzoRes", "VIA ROMA 1"},      {"ProvRes", "RM"},
    {"ComuneRes", "ROMA"},               {"CapRes", "00100"},
    {"Categoria", "Artigiani"},          {"TelCasa", "06 1234567"},
    {"TelUff", "06 7654321"},            {"TelCel", "333 1234567"},
    {"Fax", "06 1111111"},               {"Email", "mario.rossi@example.it"},
    {"CodFisc", "RSSMRA71C05H501X"},     {"Carta", "4111111111111111"},
    {"ScadeCarta", "12/29"},             {"PartitaIva", "01234567890"},
    {"Iban", "IT60X0542811101000000123456"}, {"TipoDoc", "Carta d'identita"},
    {"NumDoc", "AX1234567"},             {"EnteRil", "Comune di Roma"},
    {"DataRil", "01/02/2020"},           {"DataSca", "01/02/2030"},
    {"CodTariffa", "8003"},              {"Questioni", "Manca la firma sul modulo di delega"},
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
    csv.write(QString(QLatin1Char('"') + InfoSheet::footer(QDateTime::currentDateTime()) + QStringLiteral("\"\n"))
                  .toUtf8());
    return csv.flush() ? 0 : 1;
}

// Writes the payer's fields into the editor's controls, as the payer search hands a payer over.
bool load(QWidget* editor, const Record& record)
{
    bool any = false;
    for (int i = 0; i < record.layout().fieldCount(); ++i) {
        const QString name = QStringLiteral("txt") + QLatin1String(record.layout().name(i));
        if (auto* edit = editor->findChild<QLineEdit*>(name)) {
            edit->setText(record.text(i));
            any = true;
        } else if (auto* combo = editor->findChild<QComboBox*>(name)) {
            combo->setEditText(record.text(i));
            any = true;
        }
    }
    return any;
}

int run()
{
    RecordFile archive(PayerRecord::kSize);
    QByteArray bytes;
    if (!archive.open(PayerRecord::archivePath()) || !archive.seek(1) || !archive.read(bytes))
        return 1;
    archive.close();
    const Record record(PayerRecord::layout(), bytes);

    auto editor = std::make_unique<TfrmEsecutori>();
    std::unique_ptr<QWidget> standIn;
    QWidget* target = editor.get();
    if (!load(target, record)) {
        // The payer editor's form has no fields yet: a form with its control names stands in.
        std::fprintf(stderr, "payer editor without fields: a stand-in form is used\n");
        standIn = std::make_unique<QWidget>();
        for (int i = 0; i < record.layout().fieldCount(); ++i)
            (new QLineEdit(standIn.get()))
                ->setObjectName(QStringLiteral("txt") + QLatin1String(record.layout().name(i)));
        target = standIn.get();
        load(target, record);
    }

    QFile::remove(InfoSheet::pdfPath());
    MessageBox::setTestMode(true);
    MessageBox::setNextAnswer(MessageBox::Button::No);
    InfoSheetCommands::createPdf(target);
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
