// The date picker as the slip editor uses it: opened by a key in the due date, it hands back the
// chosen date as "dd/mm/yyyy" only to the target it was given.

#include "TestSupport.h"

#include "checks/Calendario.h"
#include "editors/Bollettino.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

using TestSupport::child;

class TestCalendario : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmBollettino* m_editor = nullptr;

    QLineEdit* dueDate() { return child<QLineEdit>(m_editor, "txtDataScade"); }

    // Opens the picker the way the user does: a key pressed in the editor's due date.
    TfrmCalendario* openFromDueDate()
    {
        if (!m_editor->isActiveWindow()) {
            m_editor->activateWindow();
            if (!QTest::qWaitForWindowActive(m_editor))
                return nullptr;
        }
        dueDate()->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(dueDate(), Qt::Key_Space);
        return TestSupport::openDialog<TfrmCalendario>();
    }

    static void press(TfrmCalendario* picker, const char* button)
    {
        QTest::mouseClick(child<QPushButton>(picker, button), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        Clock::setFixed(QDateTime(QDate(2026, 7, 9), QTime(10, 0)));
        m_editor = TestSupport::Session::window<TfrmBollettino>();
        m_editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        child<QPushButton>(m_editor, "btnApri")->click();
    }

    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmCalendario*>(widget) && widget->isVisible())
                widget->close();
        m_session.reset();
    }

    void importWritesTheChosenDate_data()
    {
        QTest::addColumn<QDate>("chosen"); // invalid: the calendar is left as it opened
        QTest::addColumn<QString>("written");
        QTest::newRow("today, untouched") << QDate() << "09/07/2026";
        QTest::newRow("5 March 2025") << QDate(2025, 3, 5) << "05/03/2025";
        QTest::newRow("31 December") << QDate(2026, 12, 31) << "31/12/2026";
    }

    void importWritesTheChosenDate()
    {
        QFETCH(QDate, chosen);
        QFETCH(QString, written);
        dueDate()->setText(QStringLiteral("01/01/2020"));
        QPointer<TfrmCalendario> picker = openFromDueDate();
        QVERIFY(picker);
        QCOMPARE(picker->windowTitle(), QStringLiteral(" Importazione data"));
        QCOMPARE(picker->target(), static_cast<DateTarget*>(m_editor));
        auto* calendar = child<QCalendarWidget>(picker, "calAppuntamenti");
        QCOMPARE(calendar->selectedDate(), QDate(2026, 7, 9));
        if (chosen.isValid())
            calendar->setSelectedDate(chosen);
        press(picker, "btnImportaData");
        QTRY_VERIFY(picker.isNull());
        QCOMPARE(dueDate()->text(), written);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void cancelChangesNothing()
    {
        dueDate()->setText(QStringLiteral("15/02/2025"));
        QPointer<TfrmCalendario> picker = openFromDueDate();
        QVERIFY(picker);
        child<QCalendarWidget>(picker, "calAppuntamenti")->setSelectedDate(QDate(2025, 3, 5));
        press(picker, "btnAnnulla");
        QTRY_VERIFY(picker.isNull());
        QCOMPARE(dueDate()->text(), QStringLiteral("15/02/2025"));
    }

    void eachPickerStartsAfresh()
    {
        QPointer<TfrmCalendario> first = openFromDueDate();
        QVERIFY(first);
        child<QCalendarWidget>(first, "calAppuntamenti")->setSelectedDate(QDate(2025, 3, 5));
        press(first, "btnAnnulla");
        QTRY_VERIFY(first.isNull());

        TfrmCalendario* second = openFromDueDate();
        QVERIFY(second);
        QCOMPARE(child<QCalendarWidget>(second, "calAppuntamenti")->selectedDate(), QDate(2026, 7, 9));
    }

    // The date goes to the target the picker was given, whoever owns it; without one the picker
    // hands nothing and stays open.
    void onlyTheTargetTakesTheDate_data()
    {
        QTest::addColumn<bool>("targeted");
        QTest::newRow("another target") << true;
        QTest::newRow("no target") << false;
    }

    void onlyTheTargetTakesTheDate()
    {
        QFETCH(bool, targeted);
        struct Taker : DateTarget {
            QList<QDate> taken;
            void takeDate(const QDate& date) override { taken.append(date); }
        } taker;
        dueDate()->setText(QStringLiteral("15/02/2025"));
        QPointer<TfrmCalendario> picker = Windows::openDialog<TfrmCalendario>(m_editor, [&](TfrmCalendario* opened) {
            if (targeted)
                opened->setTarget(&taker);
        });
        child<QCalendarWidget>(picker, "calAppuntamenti")->setSelectedDate(QDate(2025, 3, 5));
        press(picker, "btnImportaData");
        QCOMPARE(dueDate()->text(), QStringLiteral("15/02/2025"));
        if (targeted) {
            QCOMPARE(taker.taken, QList<QDate>{QDate(2025, 3, 5)});
            QTRY_VERIFY(picker.isNull());
            return;
        }
        QVERIFY(taker.taken.isEmpty());
        QVERIFY(picker && picker->isVisible());
        press(picker, "btnAnnulla");
        QTRY_VERIFY(picker.isNull());
    }
};

QTEST_MAIN(TestCalendario)
#include "tst_calendario.moc"
