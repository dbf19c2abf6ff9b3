// The tariff code list on the real window: its 23 entries in table order, find, print and the
// code written into the caller's tariff field.

#include "TestSupport.h"

#include "PdfReadBack.h"
#include "checks/Voci_Tariffa.h"
#include "editors/Esecutori.h"
#include "editors/Bollettino.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>

using TestSupport::child;
using TestSupport::doubleClick;
using TestSupport::selectedRow;
using TestSupport::shownLines;

class TestVociTariffa : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;

    // The list over the slip editor, handing its code to target.
    TfrmVoci_Tariffa* open(TariffTarget* target)
    {
        auto* owner = TestSupport::Session::window<TfrmBollettino>();
        auto* dialog = Windows::openDialog<TfrmVoci_Tariffa>(
            owner, [target](TfrmVoci_Tariffa* opened) { opened->setTarget(target); });
        return QTest::qWaitForWindowExposed(dialog) ? dialog : nullptr;
    }
    TfrmVoci_Tariffa* open() { return open(TestSupport::Session::window<TfrmBollettino>()); }

private slots:
    void init() { m_session = std::make_unique<TestSupport::Session>(); }
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<Dialog*>(widget) && widget->isVisible())
                widget->close();
        m_session.reset();
    }

    void showsTheTableInOrder()
    {
        auto* window = open();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString(" Elenco dei codici delle voci di tariffa"));
        QCOMPARE(window->size(), QSize(862, 560));
        QCOMPARE(child<QLabel>(window, "lblRigo01")->text(),
                 QString::fromUtf8("Immettere una o più parole consecutive presenti nella voce di tariffa in elenco "
                                   "da cercare e premere il pulsante Trova."));
        const QStringList lines = shownLines(window);
        QCOMPARE(lines.size(), 23);
        QStringList codes;
        for (const QString& line : lines)
            codes << line.left(4);
        QCOMPARE(codes, QStringList({"1417", "1518", "2914", "3511", "4613", "7019", "7111", "7212",
                                     "7223", "7313", "7324", "7414", "7515", "7526", "7616", "7717",
                                     "7728", "7739", "7818", "7919", "8011", "8213", "8617"}));
        QCOMPARE(lines[3], QString("3511  -  ATTIVITA' RELATIVE A METALLI PREZIOSI"));
        QCOMPARE(lines[22],
                 QString("8617  -  AUTORIZZAZIONI, CONCESSIONI, LICENZE, ISCRIZIONI NON CONSIDERATE NEI "
                         "CODICI TARIFFA PRECEDENTI, PER L'ESERCIZIO DI ATTIVITA' INDUSTRIALI O "
                         "COMMERCIALI E DI PROFESSIONI, ARTI E MESTIERI"));
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(window, "txtTrova"));
        // Plain items in the list's own style, not the lists' fixed-pitch font.
        QVERIFY(child<QListView>(window, "lstRecords")->font().family() != QString("Courier New"));
    }

    void findRadio()
    {
        auto* window = open();
        QVERIFY(window);
        child<QLineEdit>(window, "txtTrova")->setText("radio");
        QTest::mouseClick(child<QPushButton>(window, "btnTrova"), Qt::LeftButton);
        QCOMPARE(shownLines(window).at(selectedRow(window)).left(4), QString("7616"));
        QTest::mouseClick(child<QPushButton>(window, "btnTrova"), Qt::LeftButton);
        QCOMPARE(shownLines(window).at(selectedRow(window)).left(4), QString("7717"));
    }

    void doubleClickWritesTheCode_data()
    {
        // The list always opens over the slip editor: the code goes to the target, not the owner.
        TestSupport::tagRows({{"slip editor", "bollettino"}, {"payer editor", "esecutori"}, {"none", ""}});
    }
    void doubleClickWritesTheCode()
    {
        QFETCH(QString, tag);
        auto* slipEditor = TestSupport::Session::window<TfrmBollettino>();
        auto* payerEditor = TestSupport::Session::window<TfrmEsecutori>();
        auto* slipCode = child<QLineEdit>(slipEditor, "txtCodTariffa");
        auto* payerCode = child<QLineEdit>(payerEditor, "txtCodTariffa");
        QVERIFY(payerCode);
        TariffTarget* target = tag == "bollettino" ? static_cast<TariffTarget*>(slipEditor)
            : tag == "esecutori"                   ? static_cast<TariffTarget*>(payerEditor)
                                                   : nullptr;
        auto* window = open(target);
        QVERIFY(window);
        QPointer<QDialog> guard(window);
        doubleClick(window, 6);
        QTRY_VERIFY(!guard || !guard->isVisible());
        QCOMPARE(slipCode->text(), tag == "bollettino" ? QString("7111") : QString());
        QCOMPARE(payerCode->text(), tag == "esecutori" ? QString("7111") : QString());
    }

    void printsTheEntriesUnderItsTitle()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils (pdftotext, pdfinfo, pdftoppm) are not installed");
        auto* window = open();
        QVERIFY(window);
        const QString pdf = m_session->file("tariffe.pdf");
        PrintDialog::setNextAccept(pdf);
        QTest::mouseClick(child<QPushButton>(window, "btnStampa"), Qt::LeftButton);
        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        QCOMPARE(doc.pages.size(), 1);
        // The last word is left out: the font draws its "ff" as one ligature.
        QVERIFY(doc.pageText(0).startsWith("TASSE SULLE CONCESSIONI GOVERNATIVE - Elenco dei codici delle voci di "));
        for (const char* code : {"1417", "7111", "8617"})
            QCOMPARE(doc.count(QLatin1String(code)), 1);
    }
};

QTEST_MAIN(TestVociTariffa)
#include "tst_voci_tariffa.moc"
