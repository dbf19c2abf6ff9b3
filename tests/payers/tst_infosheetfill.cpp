// The payer information sheet as logic: the 24 rows composed from the editor's texts, and the
// filled template exported to PDF and read back with poppler, row by row.

#include "CoreSupport.h"
#include "PdfReadBack.h"
#include "payers/InfoSheet.h"
#include "reports/Report.h"

#include <QProcess>
#include <QSet>
#include <QTest>

using PdfReadBack::Document;
using PdfReadBack::Word;

namespace {

// Every editor text with blanks around it, which the sheet must not print.
InfoSheet::Values fullPayer()
{
    InfoSheet::Values v;
    v.esecutore = QStringLiteral("  ROSSI MARIO ");
    v.gg = QStringLiteral(" 05");
    v.mm = QStringLiteral("03 ");
    v.aa = QStringLiteral("71");
    v.comuneNasc = QStringLiteral(" CITÀ ");
    v.provNasc = QStringLiteral("PG ");
    v.sesso = QStringLiteral("M");
    v.recapito = QStringLiteral("\tPresso lo studio ");
    v.indirizzoRes = QStringLiteral("VIA ROMA 1 ");
    v.provRes = QStringLiteral(" RM");
    v.comuneRes = QStringLiteral("ROMA");
    v.categoria = QStringLiteral("Artigiani");
    v.telCasa = QStringLiteral("06 1234567");
    v.telUff = QStringLiteral("06 7654321");
    v.telCel = QStringLiteral("333 1234567");
    v.fax = QStringLiteral("06 1111111");
    v.email = QStringLiteral("mario.rossi@example.it");
    v.codFisc = QStringLiteral("RSSMRA71C05H501X");
    v.partitaIva = QStringLiteral("01234567890");
    v.carta = QStringLiteral("4111111111111111");
    v.scadeCarta = QStringLiteral("12/29");
    v.iban = QStringLiteral("IT60X0542811101000000123456");
    v.tipoDoc = QStringLiteral("Carta d'identità");
    v.numDoc = QStringLiteral("AX1234567");
    v.enteRil = QStringLiteral("Comune di Roma");
    v.dataRil = QStringLiteral("01/02/2020");
    v.dataSca = QStringLiteral("01/02/2030 ");
    v.codTariffa = QStringLiteral("8003");
    v.questioni = QStringLiteral("Manca la firma");
    v.note = QStringLiteral("Cliente storico");
    return v;
}

const QStringList kTitles = {
    "Cognome e nome:",
    "Data di nascita:",
    "Comune di nascita:",
    "Sesso:",
    "Recapito preferenziale:",
    "Indirizzo di residenza:",
    "Comune di residenza:",
    "Categoria di appartenenza:",
    "Tel. casa:",
    "Tel. ufficio:",
    "Tel. cellulare:",
    "Fax:",
    "E-mail:",
    "Codice fiscale:",
    "Partita IVA:",
    "Carta di credito:",
    "IBAN:",
    "Tipo documento:",
    "Numero documento:",
    "Ente di rilascio:",
    "Data di rilascio:",
    "Codice tariffa:",
    "Questioni in sospeso:",
    "Note:",
};

const QStringList kFullValues = {
    "ROSSI MARIO",
    "05/03/71",
    "CITÀ PG",
    "M",
    "Presso lo studio",
    "VIA ROMA 1",
    "ROMA RM",
    "Artigiani",
    "06 1234567",
    "06 7654321",
    "333 1234567",
    "06 1111111",
    "mario.rossi@example.it",
    "RSSMRA71C05H501X",
    "01234567890",
    "N. 4111111111111111  -  Scadenza: 12/29",
    "IT60X0542811101000000123456",
    "Carta d'identità",
    "AX1234567",
    "Comune di Roma",
    "01/02/2020  -  Scadenza: 01/02/2030",
    "8003",
    "Manca la firma",
    "Cliente storico",
};

// An empty editor: only the fixed parts of the composed values are left.
QStringList emptyValues()
{
    QStringList values(InfoSheet::kRows);
    values[1] = QStringLiteral("//");
    values[2] = QStringLiteral(" ");
    values[6] = QStringLiteral(" ");
    values[15] = QStringLiteral("N.   -  Scadenza: ");
    values[20] = QStringLiteral("  -  Scadenza: ");
    return values;
}

constexpr double kMargin = 10;
constexpr double kTolerance = 0.3;

double rowCentre(int k)
{
    return kMargin + InfoSheet::rowTop(k) + 3;
}

} // namespace

class TestInfoSheetFill : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Folder> m_folder;

    Document exported(const InfoSheet::Values& values, const QString& name = QStringLiteral("sheet.pdf"))
    {
        Report::Template sheet(InfoSheet::def());
        InfoSheet::fill(sheet, values, QDateTime(QDate(2026, 3, 5), QTime(9, 4, 3)));
        sheet.prepare();
        sheet.pdf().fileName = m_folder->file(name);
        QString error;
        if (!Report::exportPdf(sheet, &error))
            qWarning("%s", qPrintable(error));
        return PdfReadBack::words(sheet.pdf().fileName);
    }

    // The words of row k in the title or the value column, left to right.
    static QList<Word> rowWords(const Document& pdf, int k, double left, double width)
    {
        const double top = kMargin + InfoSheet::rowTop(k);
        return pdf.wordsInside(QRectF(kMargin + left - 1, top - 2, width + 2, 10));
    }

    static QString joined(const QList<Word>& words)
    {
        QStringList texts;
        for (const Word& word : words)
            texts << word.text;
        return texts.join(QLatin1Char(' '));
    }

    // Every row's title and value stand in their columns, centred on the row's height.
    static void checkRows(const Document& pdf, const QStringList& values)
    {
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(qAbs(pdf.pages.front().width() - 210) < 0.5 && qAbs(pdf.pages.front().height() - 297) < 0.5);
        for (int k = 1; k <= InfoSheet::kRows; ++k) {
            const QList<Word> title = rowWords(pdf, k, 3, 52);
            const QList<Word> value = rowWords(pdf, k, 60, 128);
            const QString row = QStringLiteral("row %1").arg(k);
            QVERIFY2(!title.isEmpty(), qPrintable(row));
            QCOMPARE(joined(title), kTitles.at(k - 1));
            QCOMPARE(joined(value), values.at(k - 1).simplified());
            QVERIFY2(qAbs(title.front().box.left() - (kMargin + 3)) < 1.0, qPrintable(row));
            for (const Word& word : title + value)
                QVERIFY2(qAbs(word.box.center().y() - rowCentre(k)) <= kTolerance,
                         qPrintable(row + QStringLiteral(": ") + word.text + QStringLiteral(" at ")
                                    + QString::number(word.box.center().y())));
            if (!values.at(k - 1).startsWith(QLatin1Char(' ')) && !value.isEmpty())
                QVERIFY2(qAbs(value.front().box.left() - (kMargin + 60)) < 1.0, qPrintable(row));
        }
    }

private slots:
    void init() { m_folder = std::make_unique<TestSupport::Folder>(); }
    void cleanup() { m_folder.reset(); }

    void rowsOfAFullPayer()
    {
        const auto rows = InfoSheet::rows(fullPayer());
        for (int k = 1; k <= InfoSheet::kRows; ++k) {
            QCOMPARE(rows[size_t(k - 1)].title, kTitles.at(k - 1));
            QCOMPARE(rows[size_t(k - 1)].value, kFullValues.at(k - 1));
        }
    }

    void rowsOfAnEmptyEditor()
    {
        const auto rows = InfoSheet::rows({});
        const QStringList expected = emptyValues();
        for (int k = 1; k <= InfoSheet::kRows; ++k)
            QCOMPARE(rows[size_t(k - 1)].value, expected.at(k - 1));
    }

    // Every control the sheet reads is named once and fills its own member.
    void everyValueHasOneControl()
    {
        QSet<QString> controls;
        InfoSheet::Values probe;
        for (const InfoSheet::Source& source : InfoSheet::sources()) {
            controls.insert(QString::fromLatin1(source.control));
            QVERIFY2((probe.*source.member).isEmpty(), source.control);
            probe.*source.member = QString::fromLatin1(source.control);
        }
        QCOMPARE(controls.size(), 30);
        QCOMPARE(InfoSheet::rows(probe)[1].value, QStringLiteral("txtGG/txtMM/txtAA"));
        QCOMPARE(InfoSheet::rows(probe)[6].value, QStringLiteral("txtComuneRes txtProvRes"));
    }

    void footerFromTheClock()
    {
        QCOMPARE(InfoSheet::footer(QDateTime(QDate(2026, 1, 2), QTime(7, 8, 9))),
                 QStringLiteral("Stampa eseguita in data 02/01/2026 alle ore 07:08:09"));
        QCOMPARE(InfoSheet::footer(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 0))),
                 QStringLiteral("Stampa eseguita in data 31/12/2026 alle ore 23:59:00"));
    }

    void sheetReadBackWithAFullPayer()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        const Document pdf = exported(fullPayer());
        checkRows(pdf, kFullValues);

        // Title strip centred over its 165 mm, footer strip over its 185 mm.
        const QList<Word> title = pdf.wordsInside(QRectF(kMargin + 23, kMargin + 3, 165, 9));
        QCOMPARE(joined(title), QStringLiteral("SCHEDA ANAGRAFICA ESECUTORE"));
        QVERIFY(qAbs((title.front().box.left() + title.back().box.right()) / 2 - (kMargin + 23 + 82.5)) < 1.0);
        const QList<Word> footer = pdf.wordsInside(QRectF(kMargin + 3, kMargin + 269, 185, 6));
        QCOMPARE(joined(footer), QStringLiteral("Stampa eseguita in data 05/03/2026 alle ore 09:04:03"));
        QVERIFY(qAbs((footer.front().box.left() + footer.back().box.right()) / 2 - (kMargin + 3 + 92.5)) < 1.0);
        QVERIFY(qAbs(footer.front().box.center().y() - (kMargin + 272)) <= kTolerance);
    }

    void sheetReadBackOfAnEmptyEditor()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        checkRows(exported({}), emptyValues());
    }

    // The strips are drawn: white titles on teal, the title and footer on orange, the folder picture.
    void colouredStripsAndPicture()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        exported({});
        const QImage page = PdfReadBack::render(m_folder->file(QStringLiteral("sheet.pdf")), 0, 72);
        QVERIFY(!page.isNull());
        const auto at = [&page](double xMm, double yMm) {
            return QColor(page.pixel(int(xMm * 72 / 25.4), int(yMm * 72 / 25.4)));
        };
        const QColor teal = at(kMargin + 54, kMargin + InfoSheet::rowTop(24) + 3);
        QVERIFY2(teal.red() < 30 && qAbs(teal.green() - 128) < 20 && qAbs(teal.blue() - 128) < 20,
                 qPrintable(teal.name()));
        const QColor orange = at(kMargin + 25, kMargin + 4);
        QVERIFY2(orange.red() > 230 && qAbs(orange.green() - 140) < 20 && orange.blue() < 30,
                 qPrintable(orange.name()));
        QCOMPARE(at(kMargin + 186, kMargin + 272), orange);
        // The folder is yellow somewhere inside its 17 x 13 mm.
        bool yellow = false;
        for (double x = 0; x < 17 && !yellow; x += 0.5)
            for (double y = 0; y < 13 && !yellow; y += 0.5) {
                const QColor c = at(kMargin + 3 + x, kMargin + 3 + y);
                yellow = c.red() > 200 && c.green() > 150 && c.blue() < 90;
            }
        QVERIFY(yellow);
    }

    // A note of 250 characters stays on one line and stops at the right edge of its 128 mm.
    void longNoteClippedAtTheEdge()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        InfoSheet::Values values;
        QString note;
        for (int i = 0; note.size() < 250; ++i)
            note += QStringLiteral("NOTA%1 ").arg(i, 3, 10, QLatin1Char('0'));
        note.truncate(250);
        values.note = note;
        const Document pdf = exported(values);
        const QList<Word> words = rowWords(pdf, 24, 60, 140);
        QVERIFY(words.size() > 5);
        const QString printed = joined(words);
        QVERIFY2(note.startsWith(printed.left(printed.size() - 1)), qPrintable(printed));
        QVERIFY(printed.size() < 150);
        double right = 0;
        for (const Word& word : words) {
            QVERIFY(qAbs(word.box.center().y() - rowCentre(24)) <= kTolerance);
            right = std::max(right, word.box.right());
        }
        // Up to the edge, less than one character beyond it.
        const double edge = kMargin + 60 + 128;
        QVERIFY2(right > edge - 4 && right < edge + 3, qPrintable(QString::number(right)));
        // Nothing of the note reaches the next column or the row below.
        QVERIFY(pdf.wordsInside(QRectF(edge + 3, kMargin + InfoSheet::rowTop(24) - 1, 20, 8)).isEmpty());
        QVERIFY(rowWords(pdf, 23, 60, 128).isEmpty());
    }

    // The document information that pdfinfo and file managers read holds all four entries.
    void documentInformation()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        exported(fullPayer());
        const QString file = m_folder->file(QStringLiteral("sheet.pdf"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Title")), QStringLiteral("Scheda informativa"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Subject")), QStringLiteral("Scheda informativa"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Author")), QStringLiteral("Officina Tessera"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Creator")),
                 QStringLiteral("Officina Tessera - Tassella"));
        QVERIFY(!PdfReadBack::infoValue(file, QStringLiteral("CreationDate")).isEmpty());
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Pages")), QStringLiteral("1"));
        // The appended update is read without complaint.
        QProcess pdfinfo;
        pdfinfo.setProcessChannelMode(QProcess::MergedChannels);
        pdfinfo.start(QStringLiteral("pdfinfo"), {file});
        QVERIFY(pdfinfo.waitForFinished(60000));
        const QString said = QString::fromUtf8(pdfinfo.readAll());
        QVERIFY2(!said.contains(QStringLiteral("Error"), Qt::CaseInsensitive), qPrintable(said));
    }

    void pdfPathAndMessages()
    {
        QCOMPARE(InfoSheet::pdfPath(), m_folder->folder() + QStringLiteral("/Esecutore.pdf"));
        QCOMPARE(InfoSheet::pdfWritten().kind, MessageKind::Confirmation);
        QCOMPARE(InfoSheet::pdfWritten().text,
                 QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\n"
                                "Si vuole aprire il file?"));
        QCOMPARE(InfoSheet::pdfNotWritten().kind, MessageKind::Error);
    }
};

QTEST_MAIN(TestInfoSheetFill)
#include "tst_infosheetfill.moc"
