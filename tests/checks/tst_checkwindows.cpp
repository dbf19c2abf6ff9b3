// The four check windows on real widgets: their form, the typing rules of their fields, Enter
// reaching "Controlla", the message each input gets, and whether the window stays open for
// another try or closes after its verdict.

#include "TestSupport.h"

#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "editors/Bollettino.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using Kind = MessageBox::Kind;
using TestSupport::child;
using namespace TestSupport::Messages;

namespace {

struct Form {
    const char* window;
    const char* caption;
    QSize size;
    const char* field;
    int maxLength;
    const char* title;
};

const Form kForms[] = {
    {"TfrmCodFisc",
     " Controllo codice fiscale",
     {478, 254},
     "txtCodFisc",
     16,
     "Immettere il codice fiscale e premere il pulsante di controllo."},
    {"TfrmPartitaIva",
     " Controllo partita IVA",
     {480, 254},
     "txtPartitaIva",
     11,
     "Immettere il numero di partita IVA e premere il pulsante di controllo."},
    {"TfrmIban", " Controllo IBAN", {608, 270}, "txtIban", 27, "Immettere l'IBAN e premere il pulsante di controllo."},
    {"TfrmCarta",
     " Controllo carta di credito",
     {519, 254},
     "txtNumero",
     30,
     "Immettere il numero di carta di credito e premere il pulsante di controllo."},
};

const Form& form(const QString& window)
{
    for (const Form& f : kForms)
        if (window == QLatin1String(f.window))
            return f;
    qFatal("no such check window");
}

} // namespace

class TestCheckWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    QPointer<QDialog> m_dialog;

    // Opens a fresh check window as its callers do, with text written into its field.
    QDialog* open(const QString& window, const QString& text = {})
    {
        const auto fill = [&](QDialog* dialog) {
            if (!text.isEmpty())
                child<QLineEdit>(dialog, form(window).field)->setText(text);
        };
        QDialog* dialog = nullptr;
        if (window == QLatin1String("TfrmCodFisc"))
            dialog = Windows::openDialog<TfrmCodFisc>(nullptr, fill);
        else if (window == QLatin1String("TfrmPartitaIva"))
            dialog = Windows::openDialog<TfrmPartitaIva>(nullptr, fill);
        else if (window == QLatin1String("TfrmIban"))
            dialog = Windows::openDialog<TfrmIban>(nullptr, fill);
        else
            dialog = Windows::openDialog<TfrmCarta>(nullptr, fill);
        m_dialog = dialog;
        if (!QTest::qWaitForWindowActive(dialog))
            return nullptr;
        return dialog;
    }

    QLineEdit* field(const QString& window) const { return child<QLineEdit>(m_dialog, form(window).field); }

    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

private slots:
    void init() { m_session = std::make_unique<TestSupport::Session>(); }

    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget) && widget->isVisible())
                widget->close();
        m_session.reset();
    }

    void theForm_data()
    {
        QTest::addColumn<QString>("window");
        for (const Form& f : kForms)
            QTest::newRow(f.window) << QString::fromLatin1(f.window);
    }

    void theForm()
    {
        QFETCH(QString, window);
        const Form& f = form(window);
        QDialog* dialog = open(window);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString::fromLatin1(f.caption));
        QCOMPARE(dialog->size(), f.size);
        QCOMPARE(dialog->minimumSize(), f.size);
        QCOMPARE(dialog->maximumSize(), f.size);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(child<QLabel>(dialog, "lblTitolo")->text(), QString::fromUtf8(f.title));
        QCOMPARE(child<QPushButton>(dialog, "btnControlla")->text(), QStringLiteral("Controlla"));
        QCOMPARE(child<QPushButton>(dialog, "btnChiudi")->text(), QStringLiteral("Chiudi"));
        QLineEdit* edit = field(window);
        QCOMPARE(edit->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(edit->font().pointSize(), 20);
        QVERIFY(edit->font().bold());
        QCOMPARE(edit->maxLength(), f.maxLength);
        // Every control lies inside the client area.
        for (QWidget* control : dialog->findChildren<QWidget*>())
            if (control->isVisible())
                QVERIFY2(dialog->rect().contains(QRect(control->mapTo(dialog, QPoint(0, 0)), control->size())),
                         qPrintable(control->objectName()));
        QCOMPARE(focused(), QString::fromLatin1(f.field));
        // The start-up instances, created with the others, carry the same limit.
        QWidget* startup = Windows::byClass(f.window);
        QVERIFY(startup);
        QCOMPARE(child<QLineEdit>(startup, f.field)->maxLength(), f.maxLength);
    }

    void typingRules_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tax code in capitals") << "TfrmCodFisc"
                                              << "rssmra80a01h501u"
                                              << "RSSMRA80A01H501U";
        QTest::newRow("tax code drops outer blanks") << "TfrmCodFisc"
                                                     << " rss mra "
                                                     << "RSSMRA";
        QTest::newRow("tax code keeps accents") << "TfrmCodFisc"
                                                << "àx"
                                                << "àX";
        QTest::newRow("tax code stops at 16") << "TfrmCodFisc"
                                              << "RSSMRA80A01H501UX"
                                              << "RSSMRA80A01H501U";
        QTest::newRow("VAT refuses letters and signs") << "TfrmPartitaIva"
                                                       << "0a04b8 4-9,6.0588"
                                                       << "00484960588";
        QTest::newRow("VAT stops at 11") << "TfrmPartitaIva"
                                         << "004849605881"
                                         << "00484960588";
        QTest::newRow("IBAN in capitals") << "TfrmIban"
                                          << "it60x"
                                          << "IT60X";
        QTest::newRow("IBAN loses a trailing blank") << "TfrmIban"
                                                     << "IT60 "
                                                     << "IT60";
        QTest::newRow("IBAN stops at 27") << "TfrmIban"
                                          << "IT60X05428111010000001234567"
                                          << "IT60X0542811101000000123456";
        QTest::newRow("card refuses letters, blanks, hyphens") << "TfrmCarta"
                                                               << "4111 1111-abcd1111 1111"
                                                               << "4111111111111111";
        QTest::newRow("card stops at 30")
            << "TfrmCarta" << QString(32, QLatin1Char('4')) << QString(30, QLatin1Char('4'));
    }

    void typingRules()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QVERIFY(open(window));
        TestSupport::typeText(field(window), typed);
        QCOMPARE(field(window)->text(), shown);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // Backspace still works in the digit fields.
    void digitFieldsEdit_data() { theForm_data(); }
    void digitFieldsEdit()
    {
        QFETCH(QString, window);
        QVERIFY(open(window));
        TestSupport::typeText(field(window), QStringLiteral("123"));
        QTest::keyClick(field(window), Qt::Key_Backspace);
        QTest::keyClick(field(window), Qt::Key_Left);
        TestSupport::typeText(field(window), QStringLiteral("9"));
        QCOMPARE(field(window)->text(), QStringLiteral("192"));
    }

    // Enter in the field moves to "Controlla"; Enter there runs the check.
    void enterReachesControlla_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("tax code") << "TfrmCodFisc"
                                  << "rssmra80a01h501u" << kCfValid;
        QTest::newRow("VAT number") << "TfrmPartitaIva"
                                    << "00876220633" << kVatValid + "Napoli 1.";
        QTest::newRow("IBAN") << "TfrmIban"
                              << "it60x0542811101000000123456" << kIbanValid;
        QTest::newRow("card") << "TfrmCarta"
                              << "5555555555554444" << cardValid("5555555555554444", "MasterCard");
    }

    void enterReachesControlla()
    {
        QFETCH(QString, window);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QVERIFY(open(window));
        TestSupport::typeText(field(window), typed);
        QTest::keyClick(field(window), Qt::Key_Return);
        QCOMPARE(focused(), QStringLiteral("btnControlla"));
        QVERIFY(MessageBox::shown().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, Kind::Information);
        QCOMPARE(MessageBox::shown().first().text, message);
        QTRY_VERIFY(m_dialog.isNull());
    }

    // "Controlla" on a value written in by the caller: the box shown, and whether the window
    // stays open on its field for another try.
    void controlla_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind"); // -1: no box at all
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysOpen");
        const int warning = int(Kind::Warning);
        const int information = int(Kind::Information);

        QTest::newRow("tax code valid") << "TfrmCodFisc"
                                        << "MRTMTT91D08F205J" << information << kCfValid << false;
        QTest::newRow("tax code omocodia") << "TfrmCodFisc"
                                           << "RSSMRA80A01HRLMS" << information << kCfValid << false;
        QTest::newRow("tax code wrong") << "TfrmCodFisc"
                                        << "MRTMTT91D08F205K" << warning << kCfWrong << false;
        QTest::newRow("tax code of 15") << "TfrmCodFisc"
                                        << "MRTMTT91D08F205" << warning << kCfLength << true;
        QTest::newRow("tax code empty") << "TfrmCodFisc"
                                        << "" << warning << kCfLength << true;

        QTest::newRow("VAT office 058") << "TfrmPartitaIva"
                                        << "00484960588" << information << kVatValid + "Roma 1." << false;
        QTest::newRow("VAT unknown office") << "TfrmPartitaIva"
                                            << "12345677897" << information << kVatValid + "." << false;
        QTest::newRow("VAT wrong digit") << "TfrmPartitaIva"
                                         << "00484960580" << warning << kVatWrong << false;
        QTest::newRow("VAT with a letter") << "TfrmPartitaIva"
                                           << "0048496058A" << warning << kVatWrong << false;
        QTest::newRow("VAT of 10") << "TfrmPartitaIva"
                                   << "0048496058" << warning << kVatLength << true;
        QTest::newRow("VAT empty") << "TfrmPartitaIva"
                                   << "" << warning << kVatLength << true;

        QTest::newRow("IBAN valid") << "TfrmIban"
                                    << "IT60X0542811101000000123456" << information << kIbanValid << false;
        QTest::newRow("IBAN other check digits") << "TfrmIban"
                                                 << "IT99X0542811101000000123456" << warning << kIbanWrong << false;
        QTest::newRow("IBAN of 26 and a blank") << "TfrmIban"
                                                << "IT60X054281110100000012345 " << warning << kIbanLength << true;
        QTest::newRow("IBAN 27 with inner blank") << "TfrmIban"
                                                  << "IT60 X054281110100000012345" << warning << kIbanWrong << false;
        QTest::newRow("IBAN of 26") << "TfrmIban"
                                    << "IT60X054281110100000012345" << warning << kIbanLength << true;
        QTest::newRow("IBAN empty") << "TfrmIban"
                                    << "" << warning << kIbanLength << true;

        QTest::newRow("card Amex with blanks")
            << "TfrmCarta"
            << "3782 822463 10005" << information << cardValid("3782 822463 10005", "American Express") << false;
        QTest::newRow("card Diners") << "TfrmCarta"
                                     << "38520000023237" << information
                                     << cardValid("38520000023237", "Diner's Club / Carte Blanche") << false;
        QTest::newRow("card 32: nothing said") << "TfrmCarta"
                                               << "3211111111111112" << -1 << "" << false;
        QTest::newRow("card wrong") << "TfrmCarta"
                                    << "4111111111111113" << warning << kCardWrong << false;
        QTest::newRow("card beginning with 7") << "TfrmCarta"
                                               << "7111111111111114" << warning << kCardWrong << false;
        QTest::newRow("card blanks only") << "TfrmCarta"
                                          << "   " << warning << kCardEmpty << true;
    }

    void controlla()
    {
        QFETCH(QString, window);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QFETCH(bool, staysOpen);
        QVERIFY(open(window, text));
        // OK and Cancel both only close the box.
        if (kind >= 0)
            MessageBox::setNextAnswer(MessageBox::Button::Cancel);
        QTest::mouseClick(child<QPushButton>(m_dialog, "btnControlla"), Qt::LeftButton);
        if (kind < 0) {
            QVERIFY(MessageBox::shown().isEmpty());
        } else {
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(int(MessageBox::shown().first().kind), kind);
            QCOMPARE(MessageBox::shown().first().text, message);
        }
        if (staysOpen) {
            QTest::qWait(20);
            QVERIFY(m_dialog);
            QVERIFY(m_dialog->isVisible());
            QCOMPARE(focused(), QString::fromLatin1(form(window).field));
            QCOMPARE(field(window)->text(), text); // nothing is changed for the next try
        } else {
            QTRY_VERIFY(m_dialog.isNull());
        }
    }

    void chiudiClosesWithoutChecking_data() { theForm_data(); }
    void chiudiClosesWithoutChecking()
    {
        QFETCH(QString, window);
        QVERIFY(open(window, QStringLiteral("1")));
        QTest::mouseClick(child<QPushButton>(m_dialog, "btnChiudi"), Qt::LeftButton);
        QTRY_VERIFY(m_dialog.isNull());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The slip editor's tax code button hands its code to the right check.
    void fromTheSlipEditor_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("message");
        QTest::newRow("tax code") << "RSSMRA80A01H501U"
                                  << "TfrmCodFisc" << kCfValid;
        QTest::newRow("company code") << "06363391001"
                                      << "TfrmPartitaIva" << kVatValid + "Roma 2.";
    }

    void fromTheSlipEditor()
    {
        QFETCH(QString, code);
        QFETCH(QString, window);
        QFETCH(QString, message);
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        child<QPushButton>(editor, "btnApri")->click();
        child<QLineEdit>(editor, "txtCodFisc")->setText(code);
        QTest::mouseClick(child<QWidget>(editor, "btnCodFisc"), Qt::LeftButton);

        QDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && QLatin1String(widget->metaObject()->className()) == window)
                dialog = qobject_cast<QDialog*>(widget);
        QVERIFY(dialog);
        m_dialog = dialog;
        QCOMPARE(child<QLineEdit>(dialog, form(window).field)->text(), code.trimmed());
        QTest::mouseClick(child<QPushButton>(dialog, "btnControlla"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, message);
        QTRY_VERIFY(m_dialog.isNull());
        QVERIFY(editor->isVisible());
        QCOMPARE(child<QLineEdit>(editor, "txtCodFisc")->text(), code);
    }
};

QTEST_MAIN(TestCheckWindows)
#include "tst_checkwindows.moc"
