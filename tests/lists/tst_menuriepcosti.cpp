// The payment summary selection on the real window: its controls, the reset on showing, the
// field rules, and "Visualizza riepilogo" with its checks, its hidden labels and the result.

#include "TestSupport.h"

#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"
#include "lists/TrovaEsecutori.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using TestSupport::child;
using Kind = MessageBox::Kind;

class TestMenuRiepCosti : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmMenuRiepCosti* m_window = nullptr;

    QLineEdit* edit(const char* name) { return child<QLineEdit>(m_window, name); }
    QComboBox* combo(const char* name) { return child<QComboBox>(m_window, name); }
    QLabel* label(const char* name) { return child<QLabel>(m_window, name); }
    static QString focused() { return TestSupport::focused(); }

    void show()
    {
        m_window->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void focus(const char* name) { TestSupport::focus(m_window, name); }
    void click(const char* name) { TestSupport::click(m_window, name); }
    // A value chosen from a combo field's list.
    void choose(const char* name, const QString& value)
    {
        QComboBox* field = combo(name);
        QVERIFY2(field, name);
        const int index = field->findText(value);
        QVERIFY2(index >= 0, qPrintable(value));
        field->setCurrentIndex(index);
    }
    void period(const QString& year, const QString& startDay, const QString& startMonth, const QString& endDay,
                const QString& endMonth)
    {
        edit("txtAnno")->setText(year);
        TestSupport::choosePeriod(m_window, startDay, startMonth, endDay, endMonth);
    }

private slots:
    void init()
    {
        QVERIFY(TestSupport::start(m_session, m_window));
        Clock::setFixed(QDateTime(QDate(2014, 5, 2), QTime(10, 0)));
    }

    void cleanup() { TestSupport::stop(m_session, m_window); }

    void controlsAndTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("lblCampo01") << "lblCampo01"
                                    << "Indicare l'anno solare di interesse, il nome dell'Esecutore e il suo codice "
                                       "fiscale.";
        QTest::newRow("titAnno") << "titAnno"
                                 << "Anno:";
        QTest::newRow("titEsecutore") << "titEsecutore"
                                      << "Cognome e nome Esecutore:";
        QTest::newRow("lblCodFisc") << "lblCodFisc"
                                    << "Codice fiscale:";
        QTest::newRow("lblCampo02") << "lblCampo02"
                                    << "Per ottenere il riepilogo dei versamenti effettuati da tutti gli Esecutori, "
                                       "lasciare in bianco i campi di testo.";
        QTest::newRow("lblCampo03") << "lblCampo03"
                                    << "Indicare l'intervallo di tempo relativo al periodo da riepilogare in base alla "
                                       "data di scadenza dei versamenti.";
        QTest::newRow("lblAttendere") << "lblAttendere"
                                      << "Caricamento riepilogo in corso. Attendere...";
        QTest::newRow("lblFile") << "lblFile"
                                 << "FilePath";
        QTest::newRow("lblDataInizio") << "lblDataInizio"
                                       << "";
        QTest::newRow("lblDataFine") << "lblDataFine"
                                     << "";
        QTest::newRow("btnVisualizza") << "btnVisualizza"
                                       << "Visualizza riepilogo";
        QTest::newRow("btnEsci") << "btnEsci"
                                 << "Esci";
        QTest::newRow("grpDataInizio") << "grpDataInizio"
                                       << " Data inizio intervallo: ";
        QTest::newRow("grpDataFine") << "grpDataFine"
                                     << " Data fine intervallo: ";
    }

    void controlsAndTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget* control = m_window->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        if (auto* l = qobject_cast<QLabel*>(control))
            QCOMPARE(l->text(), text);
        else if (auto* b = qobject_cast<QPushButton*>(control))
            QCOMPARE(b->text(), text);
        else if (auto* g = qobject_cast<QGroupBox*>(control))
            QCOMPARE(g->title(), text);
        else
            QFAIL("a control of an unexpected kind");
        // The state labels stay hidden.
        if (name == "lblFile" || name == "lblDataInizio" || name == "lblDataFine" || name == "lblAttendere") {
            show();
            QVERIFY(!control->isVisible());
        }
    }

    void fieldsAndLists()
    {
        show();
        QCOMPARE(m_window->windowTitle(), QStringLiteral(" Tassella - Riepilogo versamenti"));
        QVERIFY(m_window->isMaximized());
        QCOMPARE(edit("txtAnno")->maxLength(), 4);
        QCOMPARE(edit("txtEsecutore")->maxLength(), 23);
        QCOMPARE(edit("txtCodFisc")->maxLength(), 16);
        QVERIFY(child<QLabel>(m_window, "impCodTariffa"));
        QCOMPARE(child<QLabel>(m_window, "impCodTariffa")->cursor().shape(), Qt::PointingHandCursor);
        for (const char* name : {"lblAnnoInizio", "lblAnnoFine"}) {
            QCOMPARE(label(name)->font().family(), QStringLiteral("Verdana"));
            QCOMPARE(label(name)->font().pointSize(), 18);
            QVERIFY(label(name)->font().bold());
        }
        const QStringList months = {"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                                    "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};
        for (const char* name : {"txtGiornoInizio", "txtGiornoFine", "txtMeseInizio", "txtMeseFine"}) {
            QComboBox* field = combo(name);
            QVERIFY2(field, name);
            QStringList items;
            for (int i = 0; i < field->count(); ++i)
                items << field->itemText(i);
            if (QByteArray(name).contains("Giorno")) {
                QCOMPARE(items.size(), 31);
                QCOMPARE(items.first(), QStringLiteral("01"));
                QCOMPARE(items.last(), QStringLiteral("31"));
                QCOMPARE(field->lineEdit()->maxLength(), 2);
            } else {
                QCOMPARE(items, months);
                QCOMPARE(field->lineEdit()->maxLength(), 9);
            }
        }
    }

    void showingResets()
    {
        show();
        QCOMPARE(edit("txtAnno")->text(), QStringLiteral("2014"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("2014"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("2014"));
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));

        edit("txtAnno")->setText(QStringLiteral("2013"));
        edit("txtEsecutore")->setText(QStringLiteral("ROSSI"));
        edit("txtCodFisc")->setText(QStringLiteral("RSS"));
        choose("txtGiornoInizio", "05");
        choose("txtMeseFine", "Aprile");
        click("btnEsci");
        QVERIFY(!m_window->isVisible());
        QVERIFY(Windows::byClass("TfrmAvvio")->isVisible());

        Clock::setFixed(QDateTime(QDate(2016, 1, 9), QTime(8, 0)));
        show();
        QCOMPARE(edit("txtAnno")->text(), QStringLiteral("2016"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("2016"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("2016"));
        QCOMPARE(edit("txtEsecutore")->text(), QString());
        QCOMPARE(edit("txtCodFisc")->text(), QString());
        for (const char* name : {"txtGiornoInizio", "txtGiornoFine", "txtMeseInizio", "txtMeseFine"}) {
            QCOMPARE(combo(name)->currentText(), QString());
            QCOMPARE(combo(name)->currentIndex(), -1);
        }
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));
    }

    void yearTakesDigitsAndShowsBesideBothDates()
    {
        show();
        QLineEdit* year = edit("txtAnno");
        focus("txtAnno");
        year->clear();
        QTest::keyClicks(year, QStringLiteral("2a"));
        QCOMPARE(year->text(), QStringLiteral("2"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("2"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("2"));
        QTest::keyClicks(year, QStringLiteral("0-1 ,5"));
        QCOMPARE(year->text(), QStringLiteral("2015"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("2015"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("2015"));
        QTest::keyClick(year, Qt::Key_Backspace);
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("201"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("201"));

        // Text the program puts there shows beside the dates once the user leaves the field.
        year->setText(QStringLiteral("2012"));
        QTest::keyClick(year, Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));
        QCOMPARE(label("lblAnnoInizio")->text(), QStringLiteral("2012"));
        QCOMPARE(label("lblAnnoFine")->text(), QStringLiteral("2012"));
    }

    void nameAndTaxCodeAreUpperCased()
    {
        show();
        focus("txtEsecutore");
        QTest::keyClicks(edit("txtEsecutore"), QStringLiteral(" de rossi "));
        QCOMPARE(edit("txtEsecutore")->text(), QStringLiteral(" DE ROSSI ")); // not trimmed
        TestSupport::typeText(edit("txtEsecutore"), QStringLiteral("à"));
        QCOMPARE(edit("txtEsecutore")->text(), QStringLiteral(" DE ROSSI à"));
        focus("txtCodFisc");
        QTest::keyClicks(edit("txtCodFisc"), QStringLiteral(" rss mra "));
        // A blank vanishes as soon as it is typed, at either end.
        QCOMPARE(edit("txtCodFisc")->text(), QStringLiteral("RSSMRA"));
    }

    void comboFieldsTakeNoTyping()
    {
        show();
        QComboBox* month = combo("txtMeseInizio");
        choose("txtMeseInizio", "Marzo");
        QCOMPARE(month->currentIndex(), 2);
        focus("txtMeseInizio");
        // Entering forgets the list selection and keeps the text.
        QCOMPARE(month->currentIndex(), -1);
        QCOMPARE(month->currentText(), QStringLiteral("Marzo"));

        QTest::keyClicks(month, QStringLiteral("xY 7,"));
        QCOMPARE(month->currentText(), QStringLiteral("Marzo"));
        month->lineEdit()->setCursorPosition(5);
        QTest::keyClick(month, Qt::Key_Left);
        QTest::keyClick(month, Qt::Key_Left);
        QCOMPARE(month->lineEdit()->cursorPosition(), 3);
        QTest::keyClick(month, Qt::Key_Right);
        QCOMPARE(month->lineEdit()->cursorPosition(), 4);
        QCOMPARE(month->currentText(), QStringLiteral("Marzo"));
        QTest::keyClick(month, Qt::Key_Backspace);
        QCOMPARE(month->currentText(), QString());

        QComboBox* day = combo("txtGiornoFine");
        choose("txtGiornoFine", "15");
        focus("txtGiornoFine");
        QTest::keyClicks(day, QStringLiteral("7a"));
        QCOMPARE(day->currentText(), QStringLiteral("15"));
        QTest::keyClick(day, Qt::Key_Delete);
        QCOMPARE(day->currentText(), QString());
    }

    void comboFieldsDropInvalidTextOnLeaving_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("day outside the list") << "txtGiornoInizio"
                                              << "32"
                                              << "";
        QTest::newRow("a day of the list") << "txtGiornoInizio"
                                           << "07"
                                           << "07";
        QTest::newRow("half a month") << "txtMeseFine"
                                      << "Marz"
                                      << "";
        QTest::newRow("a month of the list") << "txtMeseFine"
                                             << "Ottobre"
                                             << "Ottobre";
    }

    void comboFieldsDropInvalidTextOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        show();
        QComboBox* box = m_window->findChild<QComboBox*>(field);
        QVERIFY(box);
        focus(field.toLatin1().constData());
        // As if typed: the text reaches the field's edit line without a list choice.
        box->lineEdit()->setText(text);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->currentText(), kept);
    }

    void enterOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("next");
        QTest::newRow("txtAnno") << "txtAnno"
                                 << "txtEsecutore";
        QTest::newRow("txtEsecutore") << "txtEsecutore"
                                      << "txtCodFisc";
        QTest::newRow("txtCodFisc") << "txtCodFisc"
                                    << "txtGiornoInizio";
        QTest::newRow("txtGiornoInizio") << "txtGiornoInizio"
                                         << "txtMeseInizio";
        QTest::newRow("txtMeseInizio") << "txtMeseInizio"
                                       << "txtGiornoFine";
        QTest::newRow("txtGiornoFine") << "txtGiornoFine"
                                       << "txtMeseFine";
        QTest::newRow("txtMeseFine") << "txtMeseFine"
                                     << "btnVisualizza";
    }

    void enterOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, next);
        show();
        focus(field.toLatin1().constData());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(focused(), next);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void checksBeforeTheSummary_data()
    {
        QTest::addColumn<QStringList>("choice"); // year, start day and month, end day and month
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");

        const QString valid = "\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una data valida.";
        QTest::newRow("three-digit year") << QStringList{"201", "01", "Marzo", "31", "Marzo"} << int(Kind::Warning)
                                          << "Attenzione: indicare l'anno solare utilizzando quattro cifre."
                                          << "txtAnno"
                                          << ""
                                          << "";
        QTest::newRow("no start month") << QStringList{"2014", "01", "", "31", "Marzo"} << int(Kind::Warning)
                                        << "Attenzione: indicare il mese di inizio intervallo selezionandolo "
                                           "dall'elenco a cascata."
                                        << "txtMeseInizio"
                                        << ""
                                        << "";
        QTest::newRow("no end day") << QStringList{"2014", "01", "Marzo", "", "Marzo"} << int(Kind::Warning)
                                    << "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco "
                                       "a cascata."
                                    << "txtGiornoFine"
                                    << ""
                                    << "";
        QTest::newRow("31 Febbraio 2014")
            << QStringList{"2014", "31", "Febbraio", "31", "Marzo"} << int(Kind::Plain)
            << QString("Attenzione: la data 31/02/2014 di inizio intervallo non esiste." + valid) << "txtGiornoInizio"
            << "31/02/2014"
            << "";
        QTest::newRow("31 Giugno as the end")
            << QStringList{"2014", "01", "Giugno", "31", "Giugno"} << int(Kind::Plain)
            << QString("Attenzione: la data 31/06/2014 di fine intervallo non esiste." + valid) << "txtGiornoFine"
            << "01/06/2014"
            << "31/06/2014";
        QTest::newRow("10 Marzo to 01 Marzo")
            << QStringList{"2014", "10", "Marzo", "01", "Marzo"} << int(Kind::Plain)
            << "Attenzione: la data di fine intervallo (01/03/2014) non può essere anteriore a quella di inizio "
               "intervallo (10/03/2014).\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare un "
               "intervallo di tempo valido."
            << "btnVisualizza"
            << "10/03/2014"
            << "01/03/2014";
    }

    void checksBeforeTheSummary()
    {
        QFETCH(QStringList, choice);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(QString, start);
        QFETCH(QString, end);

        show();
        period(choice[0], choice[1], choice[2], choice[3], choice[4]);
        click("btnVisualizza");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(int(MessageBox::shown().first().kind), kind);
        QCOMPARE(MessageBox::shown().first().text, text);
        QCOMPARE(focused(), focus);
        QCOMPARE(label("lblDataInizio")->text(), start);
        QCOMPARE(label("lblDataFine")->text(), end);
        QCOMPARE(label("lblFile")->text(), QStringLiteral("FilePath"));
        QVERIFY(!label("lblAttendere")->isVisible());
        QVERIFY(!TestSupport::openDialog<TfrmRiepCosti>());
        // The fields stay as they were.
        QCOMPARE(edit("txtAnno")->text(), choice[0]);
        QCOMPARE(combo("txtMeseInizio")->currentText(), choice[2]);
    }

    void showsTheSummaryOfOneDay()
    {
        show();
        period("2014", "01", "Gennaio", "01", "Gennaio");
        // Pressing the button shows the notice before anything is read.
        QWidget* button = child<QWidget>(m_window, "btnVisualizza");
        QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
        QVERIFY(label("lblAttendere")->isVisible());
        QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());

        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(label("lblDataInizio")->text(), QStringLiteral("01/01/2014"));
        QCOMPARE(label("lblDataFine")->text(), QStringLiteral("01/01/2014"));
        QCOMPARE(label("lblFile")->text(), m_session->file(QStringLiteral("2014.bol")));
        TfrmRiepCosti* result = TestSupport::openDialog<TfrmRiepCosti>();
        QVERIFY(result);
        QVERIFY(result->isModal());
        QCOMPARE(result->parentWidget(), m_window);
        QVERIFY(label("lblAttendere")->isVisible());
        QCOMPARE(child<QLabel>(result, "lblIntervallo")->text(), QStringLiteral("Dal   01/01/2014   al   01/01/2014"));

        // Closing the result hides the notice; the fields keep their values for another period.
        QTest::mouseClick(child<QWidget>(result, "btnEsci"), Qt::LeftButton);
        QTRY_VERIFY(!TestSupport::openDialog<TfrmRiepCosti>());
        QVERIFY(!label("lblAttendere")->isVisible());
        QCOMPARE(combo("txtGiornoInizio")->currentText(), QStringLiteral("01"));
        QVERIFY(m_window->isVisible());
    }

    // A folder under the archive's name is an archive that cannot be read: the result window opens
    // and says so under its total, as for any archive it cannot read.
    void archiveThatCannotBeAFile()
    {
        show();
        QVERIFY(QDir(m_session->folder()).mkdir(QStringLiteral("2014.bol")));
        period("2014", "01", "Marzo", "31", "Marzo");
        click("btnVisualizza");
        TfrmRiepCosti* result = TestSupport::openDialog<TfrmRiepCosti>();
        QVERIFY(result);
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(child<QLabel>(result, "lblTotCosti")->text(), QStringLiteral("0,00"));
        result->close();
    }

    void payerSearchFillsTheFilters()
    {
        show();
        click("impCodTariffa");
        TfrmTrovaEsecutori* search = TestSupport::openDialog<TfrmTrovaEsecutori>();
        QVERIFY(search);
        QCOMPARE(search->target(), static_cast<PayerTarget*>(m_window));
        QCOMPARE(search->parentWidget(), m_window);
    }
};

QTEST_MAIN(TestMenuRiepCosti)
#include "tst_menuriepcosti.moc"
