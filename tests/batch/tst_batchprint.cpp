// The batch print: 500 saved slips in one PDF, read back with poppler: one page per slip, each
// slip's data where the single-slip print puts them (margins included) within 0.3 mm.

#include "BatchFixtures.h"
#include "CoreSupport.h"
#include "PdfReadBack.h"

#include "batch/BatchIssue.h"
#include "batch/BatchPrint.h"
#include "printing/SlipFill.h"
#include "printing/SlipTemplate.h"
#include "reports/Report.h"

#include <QTest>

using namespace BatchFixtures;

namespace {

constexpr int kSlips = 500;
constexpr int kTop = 5;
constexpr int kLeft = -2;

// A tax code-like word per slip, unique on its page: "CF" and the slip's number.
QString codeOf(int i)
{
    return QStringLiteral("CF%1X").arg(i, 4, 10, QLatin1Char('0'));
}

// The single-slip print of the slip window: the editor's controls as they would stand for slip i.
SlipFill::SlipValues typedSlip(int i)
{
    SlipFill::SlipValues values;
    values.texts = {{QStringLiteral("txtImporto"), QStringLiteral("120")},
                    {QStringLiteral("txtCents"), QStringLiteral("50")},
                    {QStringLiteral("txtImpLettere"), QStringLiteral("CENTOVENTI")},
                    {QStringLiteral("txtEsecutore"), QStringLiteral("ROSSI MARIO")},
                    {QStringLiteral("txtCodFisc"), codeOf(i)},
                    {QStringLiteral("txtIndirizzoRes"), QStringLiteral("VIA ROMA 1")},
                    {QStringLiteral("txtComuneRes"), QStringLiteral("MILANO")},
                    {QStringLiteral("txtProvRes"), QStringLiteral("MI")},
                    {QStringLiteral("txtCodTariffa"), QStringLiteral("7111")}};
    values.checked = {QStringLiteral("chkAnnuale")};
    return values;
}

QString singlePrint(const QString& path, int i)
{
    Report::Template report(SlipTemplate::def());
    report.page().setOrientation(Report::Orientation::Portrait);
    report.page().topMargin = kTop;
    report.page().leftMargin = kLeft;
    const QHash<QString, QString> texts = SlipFill::texts(typedSlip(i));
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
        report.text(it.key())->setText(it.value());
    report.prepare();
    report.pdf().fileName = path;
    QString error;
    return Report::exportPdf(report, &error) ? QString() : error;
}

} // namespace

class TestBatchPrint : public QObject {
    Q_OBJECT
private slots:
    void fiveHundredSlipsInOnePdf()
    {
        QVERIFY2(PdfReadBack::toolsPresent(), "poppler's pdftotext, pdfinfo and pdftoppm are needed");
        TestSupport::Folder folder;
        BatchIssue::SlipData d = data();
        d.amount = QStringLiteral("120");
        d.cents = QStringLiteral("50");
        std::vector<Record> slips;
        for (int i = 0; i < kSlips; ++i) {
            BatchIssue::Payer payer;
            payer.setField(0, QStringLiteral("ROSSI MARIO"));
            Record slip = BatchIssue::slip(d, payer);
            slip.setText("CodFisc", codeOf(i));
            slip.setText("IndirizzoRes", QStringLiteral("VIA ROMA 1"));
            slip.setText("ComuneRes", QStringLiteral("MILANO"));
            slip.setText("ProvRes", QStringLiteral("MI"));
            slips.push_back(slip);
        }
        const QString batch = folder.file(QStringLiteral("batch.pdf"));
        QString error;
        QVERIFY2(BatchPrint::writePdf(batch, slips, kTop, kLeft, &error), qPrintable(error));
        QCOMPARE(PdfReadBack::infoValue(batch, QStringLiteral("Pages")), QString::number(kSlips));
        const QSizeF sheet = PdfReadBack::pageSize(batch);
        QVERIFY2(qAbs(sheet.width() - 203) <= 0.3 && qAbs(sheet.height() - 327) <= 0.3, "the TD 451 sheet");

        const PdfReadBack::Document pages = PdfReadBack::words(batch);
        QCOMPARE(pages.pages.size(), kSlips);
        for (int i : {0, 1, 250, kSlips - 1}) {
            const QString single = folder.file(QStringLiteral("single%1.pdf").arg(i));
            QCOMPARE(singlePrint(single, i), QString());
            const PdfReadBack::Document alone = PdfReadBack::words(single);
            // The tax code is printed after the name in sections A and B: two words per slip.
            const QList<PdfReadBack::Word> expected = alone.find(codeOf(i));
            QCOMPARE(expected.size(), 2);
            QList<PdfReadBack::Word> found;
            for (const PdfReadBack::Word& word : pages.find(codeOf(i)))
                if (word.page == i)
                    found << word;
            QCOMPARE(found.size(), 2);
            for (int k = 0; k < 2; ++k) {
                const QRectF want = expected[k].box;
                const QRectF got = found[k].box;
                QVERIFY2(qAbs(got.left() - want.left()) <= 0.3 && qAbs(got.top() - want.top()) <= 0.3
                             && qAbs(got.right() - want.right()) <= 0.3 && qAbs(got.bottom() - want.bottom()) <= 0.3,
                         qPrintable(QStringLiteral("slip %1: %2,%3 instead of %4,%5")
                                        .arg(i)
                                        .arg(got.left())
                                        .arg(got.top())
                                        .arg(want.left())
                                        .arg(want.top())));
            }
            // Nothing of another slip on this page.
            QVERIFY(!pages.pageText(i).contains(codeOf(i == 0 ? 1 : 0)));
        }
    }

    void failedPdfWritesNothing()
    {
        TestSupport::Folder folder;
        const QString path = folder.file(QStringLiteral("missing/batch.pdf"));
        BatchIssue::Payer payer;
        QString error;
        QVERIFY(!BatchPrint::writePdf(path, BatchIssue::Slips(data(), {payer}), 0, 0, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
