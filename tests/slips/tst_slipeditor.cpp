// The slip editor's decisions and the record-editor decisions it shares with the payer editor,
// without a window.

#include "data/RecordEditor.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"

#include <QTest>

using RecordEditor::Action;
using RecordEditor::Move;

Q_DECLARE_METATYPE(RecordEditor::Action)
Q_DECLARE_METATYPE(RecordEditor::Move)

class TestSlipEditor : public QObject {
    Q_OBJECT
private slots:
    void tidyAmount_data()
    {
        QTest::addColumn<QStringList>("typed"); // amount, cents
        QTest::addColumn<QStringList>("after"); // amount, cents (also in words), whole
        QTest::newRow("as typed") << QStringList{"168", "50"} << QStringList{"168", "50", "168,50"};
        QTest::newRow("empty amount") << QStringList{"", "00"} << QStringList{"0", "00", "0,00"};
        QTest::newRow("blank amount") << QStringList{"  ", "00"} << QStringList{"0", "00", "0,00"};
        QTest::newRow("empty cents") << QStringList{"16", ""} << QStringList{"16", "00", "16,00"};
        QTest::newRow("blank cents") << QStringList{"16", " "} << QStringList{"16", "00", "16,00"};
        QTest::newRow("one cent digit") << QStringList{"16", "5"} << QStringList{"16", "50", "16,50"};
        QTest::newRow("cents too long") << QStringList{"16", "505"} << QStringList{"16", "50", "16,50"};
    }
    void tidyAmount()
    {
        QFETCH(QStringList, typed);
        const SlipEditor::Amount tidy = SlipEditor::tidyAmount(typed.at(0), typed.at(1));
        QTEST((QStringList{tidy.amount, tidy.cents, tidy.whole}), "after");
        QCOMPARE(tidy.centsInWords, tidy.cents);
    }

    // Whether leaving the slip shown loses something: it differs from the slip kept (loaded, saved or
    // cleared) and is not as clearing left it. Records compare as stored: trimmed, cut, flags Sì/No.
    void changed_data()
    {
        QTest::addColumn<QStringList>("shown"); // field=value pairs over the cleared slip
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<bool>("changed");
        const QStringList loaded{"Esecutore=ROSSI", "Importo=168", "Saldato=No"};
        QTest::newRow("loaded, untouched") << loaded << loaded << false;
        QTest::newRow("a field changed") << QStringList{"Esecutore=ROSSI", "Importo=1681", "Saldato=No"} << loaded
                                         << true;
        QTest::newRow("a flag ticked") << QStringList{"Esecutore=ROSSI", "Importo=168", "Saldato=S\u00ec"} << loaded
                                       << true;
        QTest::newRow("an attachment given") << (loaded + QStringList{"File01=a.pdf"}) << loaded << true;
        QTest::newRow("blanks around a value")
            << QStringList{"Esecutore= ROSSI ", "Importo=168", "Saldato=No"} << loaded << false;
        QTest::newRow("beyond the capacity") << QStringList{"Esecutore=ABCDEFGHIJKLMNOPQRSTUVWXYZ"}
                                             << QStringList{"Esecutore=ABCDEFGHIJKLMNOPQRSTUVW"} << false;
        QTest::newRow("new, typed") << QStringList{"Note=x"} << QStringList{} << true;
        QTest::newRow("new, empty") << QStringList{} << QStringList{} << false;
        QTest::newRow("emptied: nothing to lose") << QStringList{} << loaded << false;
    }
    void changed()
    {
        QFETCH(QStringList, shown);
        QFETCH(QStringList, kept);
        QFETCH(bool, changed);
        Record cleared(SlipRecord::layout());
        cleared.setText("Cents", QStringLiteral("00"));
        cleared.setText("CentLettere", QStringLiteral("00"));
        cleared.setText("Intero", QStringLiteral("0,00"));
        const auto build = [&cleared](const QStringList& fields) {
            Record record = cleared;
            for (const QString& field : fields)
                record.setText(qPrintable(field.section(QLatin1Char('='), 0, 0)), field.section(QLatin1Char('='), 1));
            return record;
        };
        QCOMPARE(RecordEditor::changed(build(shown), build(kept), cleared), changed);
    }

    void checks()
    {
        QVERIFY(!SlipEditor::checkYear(QStringLiteral("2024")));
        QCOMPARE(SlipEditor::checkYear(QStringLiteral("224"))->kind, MessageKind::Warning);
        QVERIFY(
            SlipEditor::checkDueDate(QStringLiteral(" ")).value().text.contains(QStringLiteral("data di scadenza")));
        QVERIFY(
            SlipEditor::checkDueDate(QStringLiteral("31/02/2024")).value().text.contains(QStringLiteral("non esiste")));
        QVERIFY(!SlipEditor::checkDueDate(QStringLiteral("29/02/2024")));
        QVERIFY(SlipEditor::checkDuplicate(QString()));
        QVERIFY(!SlipEditor::checkDuplicate(QStringLiteral("3")));
    }

    void save_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<Action>("action");
        QTest::addColumn<qint64>("record");
        QTest::newRow("new slip") << "" << qint64(4) << Action::Append << qint64(0);
        QTest::newRow("blank is new") << "  " << qint64(0) << Action::Append << qint64(0);
        QTest::newRow("stored slip") << "3" << qint64(4) << Action::Overwrite << qint64(3);
        QTest::newRow("last slip") << "4" << qint64(4) << Action::Overwrite << qint64(4);
        QTest::newRow("large number") << "1234567" << qint64(1234567) << Action::Overwrite << qint64(1234567);
        QTest::newRow("beyond the end") << "5" << qint64(4) << Action::None << qint64(0);
        QTest::newRow("zero") << "0" << qint64(4) << Action::None << qint64(0);
        QTest::newRow("not a number") << "3a" << qint64(4) << Action::None << qint64(0);
        QTest::newRow("signed") << "+3" << qint64(4) << Action::None << qint64(0);
    }
    void save()
    {
        QFETCH(QString, position);
        QFETCH(qint64, count);
        const RecordEditor::Decision decision = RecordEditor::save(position, count);
        QTEST(decision.action, "action");
        QTEST(decision.record, "record");
        // A refusal is the access warning; an accepted save says nothing before it is done.
        if (decision.action == Action::None)
            QCOMPARE(decision.message, (Message{MessageKind::Warning, RecordEditor::accessText()}));
        else
            QVERIFY(decision.message.isEmpty());
    }

    void saved()
    {
        const auto appended = RecordEditor::saved(RecordEditor::save(QString(), 4), 5, SlipEditor::insertedText(),
                                                  SlipEditor::changedText());
        QCOMPARE(appended.position, std::optional<QString>(QStringLiteral("5")));
        QCOMPARE(appended.message, (Message{MessageKind::Information, SlipEditor::insertedText()}));
        const auto changed = RecordEditor::saved(RecordEditor::save(QStringLiteral("2"), 4), 2,
                                                 SlipEditor::insertedText(), SlipEditor::changedText());
        QCOMPARE(changed.message.text, SlipEditor::changedText());
    }

    void move_data()
    {
        QTest::addColumn<Move>("move");
        QTest::addColumn<QString>("position");
        QTest::addColumn<qint64>("load"); // 0: nothing
        QTest::newRow("first") << Move::First << "3" << qint64(1);
        QTest::newRow("last") << Move::Last << "" << qint64(5);
        QTest::newRow("next") << Move::Next << "3" << qint64(4);
        QTest::newRow("next on the last") << Move::Next << "5" << qint64(0);
        QTest::newRow("next from a new slip") << Move::Next << "" << qint64(1);
        QTest::newRow("previous") << Move::Previous << "3" << qint64(2);
        QTest::newRow("previous on the first") << Move::Previous << "1" << qint64(0);
        QTest::newRow("previous from a new slip") << Move::Previous << "" << qint64(1);
    }
    void move()
    {
        QFETCH(Move, move);
        QFETCH(QString, position);
        QFETCH(qint64, load);
        const RecordEditor::Decision decision = RecordEditor::move(move, position, 5);
        QCOMPARE(decision.action, load ? Action::Load : Action::None);
        QCOMPARE(decision.record, load);
        if (load)
            QCOMPARE(decision.position, std::optional<QString>(QString::number(load)));
    }
};

QTEST_GUILESS_MAIN(TestSlipEditor)
#include "tst_slipeditor.moc"
