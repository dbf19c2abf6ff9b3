// "Crea PDF" of one payer information sheet, the whole process from a saved payer to the file:
//   bench_sheet prepare <folder>   writes a payer archive with one payer, and the same 24 rows as
//                                  sheet.csv for LibreOffice to turn into a page
//   bench_sheet run <folder>       starts, loads payer 1 into the payer editor offscreen (its first
//                                  record arrow) and runs "Crea PDF", the question answered No;
//                                  fails when no file came out
//   bench_sheet plain <folder>     the floor: the simplest Qt program writing the same page, the
//                                  title, the 24 rows of sheet.csv and the footer drawn with
//                                  QPdfWriter into plain.pdf
// bench/sheet.sh times whole runs of "run" against "plain".

#include "data/RecordFile.h"
#include "data/RecordLayout.h"
#include "editors/Esecutori.h"
#include "payers/InfoSheet.h"
#include "editors/InfoSheetCommands.h"
#include "payers/PayerRecord.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
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

int plain()
{
    QFile csv(ProgramFolder::file(QStringLiteral("sheet.csv")));
    if (!csv.open(QIODevice::ReadOnly))
        return 1;
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QPdfWriter pdf(ProgramFolder::file(QStringLiteral("plain.pdf")));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    QPainter painter(&pdf);
    const int left = 150;
    const int rowHeight = 110;
    int y = 200;
    painter.setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    painter.drawText(left, y, QString::fromUtf8(lines.value(0)));
    y += 2 * rowHeight;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> cells = lines.at(i).split(',');
        if (cells.isEmpty() || cells.first().isEmpty())
            continue;
        const auto cell = [&](int k) { return QString::fromUtf8(cells.value(k)).remove(QLatin1Char('"')); };
        const bool footer = i == lines.size() - 2 || cells.size() == 1;
        painter.setFont(QFont(QStringLiteral("Verdana"), footer ? 8 : 10, QFont::Bold));
        painter.fillRect(QRect(left, y - 80, 2180, rowHeight - 10),
                         footer ? QColor(0x70, 0x80, 0x90) : QColor(0xee, 0xf2, 0xf7));
        painter.drawText(left + 20, y, cell(0));
        painter.setFont(QFont(QStringLiteral("Verdana"), 10));
        painter.drawText(left + 900, y, cell(1));
        y += rowHeight;
    }
    return painter.end() && QFile(ProgramFolder::file(QStringLiteral("plain.pdf"))).size() > 1000 ? 0 : 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_sheet prepare|run|plain <folder>\n");
        return 64;
    }
    QApplication app(argc, argv);
    ProgramFolder::setOverride(QString::fromLocal8Bit(argv[2]));
    if (std::strcmp(argv[1], "prepare") == 0)
        return prepare();
    return std::strcmp(argv[1], "plain") == 0 ? plain() : run();
}
