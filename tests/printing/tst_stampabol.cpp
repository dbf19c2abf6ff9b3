// The slip print window on real widgets: margins read, stepped and stored in the settings file,
// the slip printed into a PDF and read back with poppler, and the preview over the form's boxes.

#include "PdfReadBack.h"
#include "TestSupport.h"

#include "printing/SlipForm.h"
#include "printing/SlipPreview.h"
#include "printing/SlipTemplate.h"
#include "printing/StampaBol.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"
#include "editors/Bollettino.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QStandardPaths>
#include <QHash>
#include <QTest>

using TestSupport::child;

namespace {
const QString iniName = QStringLiteral("Tassella.ini");

// The rectangle of a template object on the sheet once the margins have shifted it.
QRectF placed(const QString& name, double top, double left)
{
    const Report::TextDef* object = SlipTemplate::find(name);
    return object ? QRectF(object->left + left, object->top + top, object->width, object->height) : QRectF();
}
} // namespace

class TestStampaBol : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmBollettino* m_editor = nullptr;

    QLineEdit* field(const char* name) { return child<QLineEdit>(m_editor, name); }

    void setField(const char* name, const QString& text)
    {
        QLineEdit* edit = field(name);
        QVERIFY2(edit, name);
        edit->setText(text);
    }

    TfrmStampaBol* openPrintWindow()
    {
        auto* stampa = child<QAbstractButton>(m_editor, "cmdStampa");
        if (!stampa)
            return nullptr;
        stampa->click();
        return TestSupport::openDialog<TfrmStampaBol>();
    }

    void click(QWidget* window, const char* name, int times = 1)
    {
        auto* button = child<QAbstractButton>(window, name);
        QVERIFY2(button, name);
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(button, Qt::LeftButton);
    }

    // Prints the slip as it stands through the print window with the given margins into a PDF.
    QString printSlip(const QString& top = QStringLiteral("0"), const QString& left = QStringLiteral("0"))
    {
        TfrmStampaBol* window = openPrintWindow();
        if (!window)
            return {};
        child<QLineEdit>(window, "txtTop")->setText(top);
        child<QLineEdit>(window, "txtLeft")->setText(left);
        const QString pdf = m_session->file(QStringLiteral("slip.pdf"));
        QFile::remove(pdf);
        PrintDialog::setNextAccept(pdf);
        QPointer<TfrmStampaBol> guard(window);
        QTest::mouseClick(child<QAbstractButton>(window, "btnStampa"), Qt::LeftButton);
        // The window closes after every print; a window still open printed nothing.
        return guard && guard->isVisible() ? QString() : pdf;
    }

private slots:
    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        m_editor = TestSupport::Session::window<TfrmBollettino>();
        QVERIFY(m_editor);
        m_editor->showFrom(nullptr);
        child<QLineEdit>(m_editor, "txtAnno")->setText(QStringLiteral("2026"));
        click(m_editor, "btnApri");
        QVERIFY(child<QWidget>(m_editor, "panContainer")->isVisible());
    }
    void cleanup()
    {
        // Dialogs still open belong to the slip editor and go with it.
        m_session.reset();
    }

    void marginsAreRead_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QString>("left");
        QTest::newRow("no file") << QByteArray() << "0"
                                 << "0";
        QTest::newRow("stored") << QByteArray("[Margini Stampa]\r\nSuperiore=5\r\nSinistro=-3\r\n") << "5"
                                << "-3";
        QTest::newRow("empty values") << QByteArray("[Margini Stampa]\r\nSuperiore=\r\nSinistro=  \r\n") << "0"
                                      << "0";
        QTest::newRow("other section only") << QByteArray("[Accesso]\r\nSuperiore=9\r\n") << "0"
                                            << "0";
        QTest::newRow("names in another case") << QByteArray("[margini stampa]\nSUPERIORE=7\n") << "7"
                                               << "0";
    }
    void marginsAreRead()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, top);
        QFETCH(QString, left);
        if (!ini.isNull())
            QVERIFY(TestSupport::writeAll(m_session->file(iniName), ini));
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        QCOMPARE(window->parentWidget(), m_editor);
        QCOMPARE(window->windowTitle(), QStringLiteral(" Stampa bollettino postale"));
        QCOMPARE(child<QLineEdit>(window, "txtTop")->text(), top);
        QCOMPARE(child<QLineEdit>(window, "txtLeft")->text(), left);
        QVERIFY(child<QLineEdit>(window, "txtTop")->isReadOnly());
        QVERIFY(!QFile::exists(m_session->file(iniName)) || !ini.isNull()); // reading never creates the file
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // Minus three times from 1 shows -2; "Applica" stores that one key and keeps every other line.
    void stepAndApplyKeepsOtherLines()
    {
        const QByteArray before = "; margini della stampante dell'ufficio\r\n"
                                  "[Margini Stampa]\r\n"
                                  "Superiore=1\r\n"
                                  "Sinistro=4\r\n"
                                  "\r\n"
                                  "[Altro]\r\n"
                                  "Chiave=valore con spazi\r\n";
        QVERIFY(TestSupport::writeAll(m_session->file(iniName), before));
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        click(window, "btnTopMinus", 3);
        QCOMPARE(child<QLineEdit>(window, "txtTop")->text(), QStringLiteral("-2"));
        click(window, "btnLeftPlus", 2);
        QCOMPARE(child<QLineEdit>(window, "txtLeft")->text(), QStringLiteral("6"));
        // Not applied yet: the file is untouched.
        QCOMPARE(TestSupport::readAll(m_session->file(iniName)), before);

        click(window, "btnApplicaTop");
        QByteArray expected = before;
        expected.replace("Superiore=1", "Superiore=-2");
        QCOMPARE(TestSupport::readAll(m_session->file(iniName)), expected);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(window->isVisible());

        // The next opening shows the stored top margin and the left one as it was stored.
        click(window, "btnAnnulla");
        QTRY_VERIFY(!TestSupport::openDialog<TfrmStampaBol>());
        window = openPrintWindow();
        QVERIFY(window);
        QCOMPARE(child<QLineEdit>(window, "txtTop")->text(), QStringLiteral("-2"));
        QCOMPARE(child<QLineEdit>(window, "txtLeft")->text(), QStringLiteral("4"));
    }

    void applyCreatesAMissingFile()
    {
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        click(window, "btnLeftMinus");
        click(window, "btnApplicaLeft");
        QCOMPARE(TestSupport::readAll(m_session->file(iniName)), QByteArray("[Margini Stampa]\r\nSinistro=-1\r\n"));
    }

    // A settings file that cannot be written: an error, nothing stored, the window stays open.
    void unwritableSettingsFile()
    {
        QVERIFY(QDir(m_session->folder()).mkdir(iniName)); // a folder where the file should be
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        click(window, "btnTopPlus");
        click(window, "btnApplicaTop");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Error);
        QVERIFY(MessageBox::shown().first().text.contains(iniName));
        QVERIFY(window->isVisible());
        QVERIFY(QFileInfo(m_session->file(iniName)).isDir());
    }

    // Hand-edited values that are not whole numbers are refused by plus, minus and Stampa alike.
    void notWholeNumbersAreRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("decimal") << "2,5";
        QTest::newRow("letters") << "due";
        QTest::newRow("sign only") << "-";
        QTest::newRow("too large") << "99999999999";
    }
    void notWholeNumbersAreRefused()
    {
        QFETCH(QString, value);
        QVERIFY(TestSupport::writeAll(m_session->file(iniName),
                                      "[Margini Stampa]\r\nSuperiore=" + value.toUtf8() + "\r\n"));
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        auto* top = child<QLineEdit>(window, "txtTop");
        QCOMPARE(top->text(), value);
        for (const char* button : {"btnTopPlus", "btnTopMinus"}) {
            MessageBox::clearShown();
            click(window, button);
            QCOMPARE(top->text(), value);
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Warning);
            QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("\"%1\"").arg(value)));
        }
        MessageBox::clearShown();
        const QString pdf = m_session->file(QStringLiteral("slip.pdf"));
        PrintDialog::setNextAccept(pdf);
        click(window, "btnStampa");
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(window->isVisible());
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(PrintDialog::hasPending()); // the print dialog was never asked
        PrintDialog::reset();
        // The left margin, a whole number, still steps.
        click(window, "btnLeftPlus");
        QCOMPARE(child<QLineEdit>(window, "txtLeft")->text(), QStringLiteral("1"));
    }

    // The boxes land where the form has them, shifted by the margins.
    void boxesStandWhereTheFormHasThem_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::newRow("margins 0") << 0 << 0;
        QTest::newRow("top 5") << 5 << 0;
        QTest::newRow("up 2, left 3") << -2 << -3;
    }
    void boxesStandWhereTheFormHasThem()
    {
        QFETCH(int, top);
        QFETCH(int, left);
        // One letter alone in each box of interest, so that its word is that box.
        setField("txtCodFisc", QStringLiteral("A              Z"));
        setField("txtCapRes", QStringLiteral("Q"));
        const QString pdf = printSlip(QString::number(top), QString::number(left));
        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        QVERIFY2(doc.ok(), qPrintable(pdf));
        QCOMPARE(doc.pages.size(), 1);
        QVERIFY(qAbs(doc.pages.value(0).width() - 203) < 0.2 && qAbs(doc.pages.value(0).height() - 327) < 0.2);

        const auto check = [&](const QString& box, const QString& letter) {
            const QRectF rect = placed(box, top, left);
            const auto words = doc.wordsInside(rect.adjusted(-0.3, -0.3, 0.3, 0.3));
            QVERIFY2(
                words.size() == 1 && words.first().text == letter,
                qPrintable(
                    QStringLiteral("%1 at %2,%3: %4").arg(box).arg(rect.left()).arg(rect.top()).arg(doc.pageText(0))));
            // The letter sits inside its box, which starts at the form's position plus the margin.
            QVERIFY(words.first().box.top() >= rect.top() - 0.3);
            QVERIFY(words.first().box.left() >= rect.left() - 0.3);
        };
        check(QStringLiteral("txtCodFisc_C_16"), QStringLiteral("Z"));
        check(QStringLiteral("txtCodFisc_C_01"), QStringLiteral("A"));
        check(QStringLiteral("txtCapRes_C_01"), QStringLiteral("Q"));
        QCOMPARE(placed(QStringLiteral("txtCodFisc_C_16"), top, left).top(), 7.8 + top);
        QCOMPARE(placed(QStringLiteral("txtCapRes_C_01"), top, left).left(), 178.0 + left);
    }

    void amountWordsAndBoxes()
    {
        QTest::keyClicks(field("txtImporto"), QStringLiteral("120"));
        QCOMPARE(field("txtImpLettere")->text(), QStringLiteral("CENTOVENTI"));
        setField("txtCents", QStringLiteral("50"));
        setField("txtEsecutore", QStringLiteral("ROSSI MARIO"));
        child<QCheckBox>(m_editor, "chkAnnuale")->setChecked(true);
        const PdfReadBack::Document doc = PdfReadBack::words(printSlip());
        QVERIFY(doc.ok());

        QCOMPARE(doc.count(QStringLiteral("CENTOVENTI/50")), 3);
        for (const char* name : {"txtImporto_A", "txtImporto_B"})
            QCOMPARE(doc.wordsInside(placed(QString::fromLatin1(name), 0, 0)).value(0).text, QStringLiteral("120"));
        const auto inBox = [&](const QString& name) {
            QStringList texts;
            for (const auto& word : doc.wordsInside(placed(name, 0, 0)))
                texts.append(word.text);
            return texts.join(QString());
        };
        const QStringList amount{"", "", "", "", "", "1", "2", "0"};
        for (int i = 1; i <= 8; ++i)
            QCOMPARE(inBox(SlipTemplate::boxName("txtImporto_C", i)), amount.at(i - 1));
        QCOMPARE(inBox(QStringLiteral("txtCents_C_01")), QStringLiteral("5"));
        QCOMPARE(inBox(QStringLiteral("txtCents_C_02")), QStringLiteral("0"));

        const QString name = QStringLiteral("ROSSI MARIO");
        for (int i = 1; i <= 23; ++i)
            QCOMPARE(inBox(SlipTemplate::boxName("txtEsecutore_C", i)),
                     i <= name.size() && name.at(i - 1) != QLatin1Char(' ') ? QString(name.at(i - 1)) : QString());

        for (const char* mark : {"txtAnnuale_A", "txtAnnuale_B", "txtAnnuale_C"})
            QCOMPARE(inBox(QString::fromLatin1(mark)), QStringLiteral("X"));
        for (const char* mark : {"txtRilascio_A", "txtRilascio_C", "txtIntegrazione_B"})
            QCOMPARE(inBox(QString::fromLatin1(mark)), QString());
    }

    // The longest amounts in words are wider than the words spaces of the form: they print whole,
    // condensed inside their objects, in all three sections; a short one prints at its full size.
    void longAmountsInWordsPrintWhole_data()
    {
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("words");
        QTest::newRow("777777") << "777777"
                                << "SETTECENTOSETTANTASETTEMILASETTECENTOSETTANTASETTE";
        QTest::newRow("77777777") << "77777777"
                                  << "SETTANTASETTEMILIONISETTECENTOSETTANTASETTEMILASETTECENTOSETTANTASETTE";
        QTest::newRow("120") << "120"
                             << "CENTOVENTI";
    }
    void longAmountsInWordsPrintWhole()
    {
        QFETCH(QString, amount);
        QFETCH(QString, words);
        QTest::keyClicks(field("txtImporto"), amount);
        QCOMPARE(field("txtImpLettere")->text(), words);
        setField("txtCents", QStringLiteral("77"));
        const PdfReadBack::Document doc = PdfReadBack::words(printSlip());
        QVERIFY(doc.ok());
        const QString printed = words + QStringLiteral("/77");
        for (const char* name : {"txtImpLettere_A", "txtImpLettere_B", "txtImpLettere_C"}) {
            const QRectF object = placed(QString::fromLatin1(name), 0, 0);
            const QList<PdfReadBack::Word> inside = doc.wordsInside(object);
            QCOMPARE(inside.size(), 1);
            QCOMPARE(inside[0].text, printed);
            // Rotated: the words run up the object's height and stay within it.
            QVERIFY2(inside[0].box.top() >= object.top() - 0.3 && inside[0].box.bottom() <= object.bottom() + 0.3,
                     qPrintable(QStringLiteral("%1: %2..%3")
                                    .arg(QLatin1String(name))
                                    .arg(inside[0].box.top())
                                    .arg(inside[0].box.bottom())));
        }
        // The letters keep a readable height: never below 4 pt across the line.
        const PdfReadBack::Word a = doc.wordsInside(placed(QStringLiteral("txtImpLettere_A"), 0, 0)).value(0);
        QVERIFY2(a.box.width() >= 4 * 25.4 / 72 * 0.9, qPrintable(QString::number(a.box.width())));
    }

    // An empty slip: separators and the cents only; none of the template's default texts.
    void emptySlipPrintsNoDefaults()
    {
        setField("txtCents", QStringLiteral("00"));
        const PdfReadBack::Document doc = PdfReadBack::words(printSlip());
        QVERIFY(doc.ok());
        QCOMPARE(doc.count(QStringLiteral("/00")), 3);
        QCOMPARE(doc.count(QStringLiteral("C.F.")), 2);
        QCOMPARE(doc.count(QStringLiteral("-")), 2);
        for (const char* leftover : {"Importo", "CIFRA", "ESECUTORE", "X"})
            QVERIFY2(!doc.pageText(0).contains(QLatin1String(leftover)), qPrintable(doc.pageText(0)));
        for (int i = 1; i <= 8; ++i)
            QVERIFY(doc.wordsInside(placed(SlipTemplate::boxName("txtImporto_C", i), 0, 0)).isEmpty());
        QCOMPARE(doc.wordsInside(placed(QStringLiteral("txtCents_C_01"), 0, 0)).value(0).text, QStringLiteral("0"));
        QVERIFY(!doc.pageText(0).contains(QStringLiteral("Sezione")));
    }

    void cancelledPrintClosesTheWindow()
    {
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        QPointer<TfrmStampaBol> guard(window);
        PrintDialog::setNextCancel();
        click(window, "btnStampa");
        QTRY_VERIFY(!guard || !guard->isVisible());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // A print that cannot be carried out is not passed over in silence.
    void failedPrintIsReported()
    {
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        QPointer<TfrmStampaBol> guard(window);
        PrintDialog::setNextAccept(m_session->file(QStringLiteral("no-such-folder/slip.pdf")));
        click(window, "btnStampa");
        QTRY_VERIFY(!guard || !guard->isVisible());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Error);
    }

    // The preview shows the very drawing the printer gets, plus the light form underneath, in the
    // engine's preview window with its print and zoom buttons.
    void previewShowsThePrintOverTheForm()
    {
        setField("txtCodFisc", QStringLiteral("RSSMRA80A01H501U"));
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        click(window, "btnTopPlus", 3);
        click(window, "btnAnteprima");
        auto* preview = TestSupport::openDialog<SlipPreview>();
        QVERIFY(preview);
        QVERIFY(preview->isModal());
        QCOMPARE(preview->windowTitle(), QStringLiteral(" Anteprima bollettino postale"));
        for (const char* name : {"btnStampa", "btnZoomPiu", "btnZoomMeno", "btnPaginaIntera", "btnChiudi"})
            QVERIFY2(child<QAbstractButton>(preview, name), name);
        QTRY_COMPARE(preview->view()->pageCount(), 1);
        const double fitted = preview->view()->zoomFactor();
        click(preview, "btnZoomPiu");
        QVERIFY(preview->view()->zoomFactor() > fitted);

        // The template as prepared for the preview carries the slip and the margin.
        QCOMPARE(window->report().page().topMargin, 3.0);
        QCOMPARE(window->report().text(QStringLiteral("txtCodFisc_C_01"))->text(), QStringLiteral("R"));

        const double scale = 4.0; // pixels per mm
        const QImage print = preview->pageImage(0, scale, false);
        const QImage shown = preview->pageImage(0, scale, true);
        QCOMPARE(shown.size(), QSize(qRound(203 * scale), qRound(327 * scale)));
        int ink = 0, form = 0, altered = 0;
        for (int y = 0; y < print.height(); ++y) {
            for (int x = 0; x < print.width(); ++x) {
                const int p = qGray(print.pixel(x, y));
                const int s = qGray(shown.pixel(x, y));
                if (p < 255) {
                    ++ink;
                    altered += s > p; // the print's ink shows in the preview, never lighter
                } else if (s != p) {
                    ++form;
                    altered += s < 150; // where the print leaves paper white, only the light drawing
                }
            }
        }
        QVERIFY(ink > 100);
        QVERIFY(form > 1000);
        QCOMPARE(altered, 0);

        // The box outline of an empty box is drawn where the form has it, not shifted by the margin.
        const QRectF box = SlipForm::objectRect(*SlipTemplate::find(QStringLiteral("txtCapRes_C_05")));
        QVERIFY(shown.pixel(qRound(box.center().x() * scale), qRound(box.top() * scale)) != qRgb(255, 255, 255));

        click(preview, "btnChiudi");
        QTRY_VERIFY(!TestSupport::openDialog<SlipPreview>());
        QVERIFY(window->isVisible());

        // Printing from a new preview puts none of the drawing on paper (no section captions, no box
        // lines) and, like every print attempt, closes the print window too.
        click(window, "btnAnteprima");
        preview = TestSupport::openDialog<SlipPreview>();
        QVERIFY(preview);
        QPointer<TfrmStampaBol> guard(window);
        const QString pdf = m_session->file(QStringLiteral("from-preview.pdf"));
        PrintDialog::setNextAccept(pdf);
        click(preview, "btnStampa");
        QTRY_VERIFY(!TestSupport::openDialog<SlipPreview>());
        QTRY_VERIFY(!guard || !guard->isVisible());
        QVERIFY(MessageBox::shown().isEmpty());
        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        QVERIFY(doc.ok());
        QCOMPARE(doc.wordsInside(placed(QStringLiteral("txtCodFisc_C_01"), 3, 0)).value(0).text, QStringLiteral("R"));
        QVERIFY(!doc.pageText(0).contains(QStringLiteral("Sezione")));
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"), pdf,
                      m_session->file(QStringLiteral("page"))});
        QVERIFY(raster.waitForFinished(60000));
        QImage page(m_session->file(QStringLiteral("page-1.pgm")));
        QVERIFY(!page.isNull());
        // The address, town and postcode rows are empty on this slip: on paper that area is blank.
        const double px = 50 / 25.4;
        int marks = 0;
        for (int y = qRound(7 * px); y < qRound(106 * px); ++y)
            for (int x = qRound(168 * px); x < qRound(185 * px); ++x)
                marks += qGray(page.pixel(x, y)) < 250;
        QCOMPARE(marks, 0);
    }

    // Through the system's real queue, when a CUPS PDF printer (cups-pdf) is the default one.
    void realQueuePrintsTheSlipSize()
    {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull() || !printer.printerName().contains(QLatin1String("PDF"), Qt::CaseInsensitive))
            QSKIP("no CUPS PDF printer is the default printer here: the real print queue is not tried");
        const QDateTime started = QDateTime::currentDateTime().addSecs(-2);
        const QStringList folders{QDir::homePath() + QStringLiteral("/PDF"), QStringLiteral("/var/spool/cups-pdf")};
        const auto slipFiles = [&folders] {
            QStringList files;
            for (const QString& folder : folders) {
                QDirIterator it(folder, {QStringLiteral("Tassella*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QString file = it.next();
                    if (!QFileInfo(file).fileName().startsWith(QLatin1String("TassellaProva")))
                        files << file;
                }
            }
            return files;
        };
        // The queue names its file after the job title, so this print may replace an earlier one:
        // only a file that is new, or newer than it was, can be this slip.
        QHash<QString, QDateTime> before;
        for (const QString& file : slipFiles())
            before.insert(file, QFileInfo(file).lastModified());
        setField("txtEsecutore", QStringLiteral("CODA DI STAMPA"));
        TfrmStampaBol* window = openPrintWindow();
        QVERIFY(window);
        PrintDialog::setNextAccept(QString()); // the default printer, as the dialog offers it
        click(window, "btnStampa");
        QVERIFY(MessageBox::shown().isEmpty());

        QString found;
        // The file counts once it is complete (pdfinfo reads its page size). The queue's converter
        // does not keep the text readable, so the file's time is what tells this print apart.
        QSizeF size;
        const auto look = [&] {
            for (const QString& file : slipFiles()) {
                const QFileInfo info(file);
                if ((before.contains(file) && info.lastModified() <= before.value(file))
                    || info.lastModified() < started)
                    continue;
                const QSizeF pageSize = PdfReadBack::pageSize(file);
                if (!pageSize.isValid())
                    continue;
                found = file;
                size = pageSize;
            }
            return !found.isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(look(), 60000);
        QVERIFY2(qAbs(size.width() - 203) < 1 && qAbs(size.height() - 327) < 1,
                 qPrintable(QStringLiteral("%1: %2 x %3 mm").arg(found).arg(size.width()).arg(size.height())));
        QFile::remove(found);
    }
};

QTEST_MAIN(TestStampaBol)
#include "tst_stampabol.moc"
