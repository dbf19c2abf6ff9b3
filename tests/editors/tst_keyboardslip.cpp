// A whole slip from the keyboard alone, as a clerk who never touches the mouse makes it: the year
// opened, the fields typed, the due date picked, saved, and printed to a PDF.

#include "PdfReadBack.h"
#include "TestSupport.h"

#include "data/Platform.h"
#include "data/RecordLayout.h"
#include "editors/Bollettino.h"
#include "slips/SlipRecord.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

QWidget* focusWidget()
{
    return QApplication::focusWidget();
}

void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(code), modifiers);
}

// Tab until the named control has the focus.
bool tabTo(const char* name)
{
    for (int i = 0; i < 60; ++i) {
        if (TestSupport::focused() == QLatin1String(name))
            return true;
        QTest::keyClick(focusWidget(), Qt::Key_Tab);
    }
    return false;
}

} // namespace

class TestKeyboardSlip : public QObject {
    Q_OBJECT
private slots:
    void wholeSlipFromTheKeyboard()
    {
        TestSupport::Session session;
        Clock::setFixed(QDateTime(QDate(2031, 3, 10), QTime(9, 0)));
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(slip));
        QTRY_COMPARE(TestSupport::focused(), QStringLiteral("txtAnno"));

        // The year: End, four Backspaces, the year, Enter to "Apri", Enter to open it.
        key(Qt::Key_End);
        for (int i = 0; i < 4; ++i)
            key(Qt::Key_Backspace);
        TestSupport::typeText(focusWidget(), QStringLiteral("2031"));
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        QTRY_VERIFY(TestSupport::textOf(slip, "lblFile").endsWith(QLatin1String("2031.bol")));

        const struct {
            const char* field;
            const char* text;
        } typed[] = {
            {"txtImporto", "168"},
            {"txtCents", "50"},
            {"txtCodTariffa", "8445"},
            {"txtAnnoTariffa", "31"},
            {"txtCodFisc", "rssmra80a01h501u"},
            {"txtEsecutore", "rossi mario"},
            {"txtComuneRes", "roma"},
            {"txtCausale", "Porto d'armi uso caccia"},
        };
        for (const auto& entry : typed) {
            QVERIFY2(tabTo(entry.field), entry.field);
            TestSupport::typeText(focusWidget(), QString::fromUtf8(entry.text));
        }
        QVERIFY(tabTo("chkAnnuale"));
        key(Qt::Key_Space);
        // Any key in the due date asks for the date picker; Enter there takes today.
        QVERIFY(tabTo("txtDataScade"));
        key(Qt::Key_Space);
        QTRY_VERIFY(TestSupport::openDialog<QDialog>() != nullptr);
        QDialog* picker = TestSupport::openDialog<QDialog>();
        QTRY_VERIFY(picker->isActiveWindow());
        QTRY_VERIFY2(picker->isAncestorOf(focusWidget()), qPrintable(TestSupport::focused()));
        key(Qt::Key_Return);
        QTRY_COMPARE(TestSupport::textOf(slip, "txtDataScade"), QStringLiteral("10/03/2031"));

        // Salva: Ctrl+S from wherever the focus stands. (The window manager gives the editor back
        // its activation when the picker closes; the offscreen platform needs telling.)
        slip->activateWindow();
        QTRY_VERIFY(slip->isActiveWindow());
        key(Qt::Key_S, Qt::ControlModifier);
        const QString archive = session.file(QStringLiteral("2031.bol"));
        QTRY_COMPARE(QFileInfo(archive).size(), qint64(SlipRecord::layout().size()));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const Record record(SlipRecord::layout(), file.readAll());
        QCOMPARE(record.text("Importo"), QStringLiteral("168"));
        QCOMPARE(record.text("Cents"), QStringLiteral("50"));
        QCOMPARE(record.text("CodFisc"), QStringLiteral("RSSMRA80A01H501U"));
        QCOMPARE(record.text("Esecutore"), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(record.text("DataScade"), QStringLiteral("10/03/2031"));
        QCOMPARE(record.flag("Annuale"), Record::Flag::Yes);
        TestSupport::closeDialogs(); // the saved message

        // Stampa: Ctrl+P opens the print window on "Stampa"; Enter prints into the PDF.
        slip->activateWindow();
        QTRY_VERIFY(slip->isActiveWindow());
        const QString pdf = session.file(QStringLiteral("slip.pdf"));
        PrintDialog::setNextAccept(pdf);
        key(Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(TestSupport::focused(), QStringLiteral("btnStampa"));
        key(Qt::Key_Return);
        QTRY_VERIFY(QFileInfo(pdf).size() > 0);
        const QString text =
            QString::fromUtf8(PdfReadBack::run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
        QVERIFY2(text.contains(QLatin1String("ROSSI MARIO")), qPrintable(text));
        QVERIFY(text.contains(QLatin1String("RSSMRA80A01H501U")));
        TestSupport::closeDialogs();
    }
};

QTEST_MAIN(TestKeyboardSlip)
#include "tst_keyboardslip.moc"
