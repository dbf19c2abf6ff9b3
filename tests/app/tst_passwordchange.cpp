// What "OK" of the change-password window decides, without the window.

#include "app/PasswordChange.h"

#include <QTest>

class TestPasswordChange : public QObject {
    Q_OBJECT
private slots:
    void decide_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("newTyped");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message"); // a part of it; empty: the password is written
        QTest::addColumn<QString>("focus");
        QTest::newRow("unreadable file") << false << "segreto"
                                         << "a"
                                         << "a"
                                         << "reinstallare"
                                         << "";
        QTest::newRow("wrong old") << true << "segreta"
                                   << "a"
                                   << "a"
                                   << "vecchia password errata"
                                   << "txtPasswordOld";
        QTest::newRow("old in other case") << true << " SeGrEtO "
                                           << "nuova"
                                           << "nuova"
                                           << ""
                                           << "";
        QTest::newRow("not confirmed") << true << "segreto"
                                       << "nuova"
                                       << "NUOVA"
                                       << "non è stata confermata"
                                       << "txtPasswordNew";
        QTest::newRow("euro sign") << true << "segreto"
                                   << "prezzo€"
                                   << "prezzo€"
                                   << "simbolo dell'euro (€)"
                                   << "txtPasswordNew";
        QTest::newRow("beyond one byte") << true << "segreto"
                                         << "ωmega"
                                         << "ωmega"
                                         << "non possono essere memorizzati"
                                         << "txtPasswordNew";
        QTest::newRow("accented letters") << true << "segreto"
                                          << "città"
                                          << "città"
                                          << ""
                                          << "";
    }
    void decide()
    {
        QFETCH(bool, readable);
        QFETCH(QString, oldTyped);
        QFETCH(QString, newTyped);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const std::optional<QString> stored =
            readable ? std::optional<QString>(QStringLiteral("SEGRETO")) : std::nullopt;
        const PasswordChange::Decision decision = PasswordChange::decide(stored, oldTyped, newTyped, confirm);
        QCOMPARE(decision.write, message.isEmpty());
        if (message.isEmpty()) {
            QVERIFY(decision.message.isEmpty());
            QCOMPARE(decision.newPassword, newTyped.trimmed());
        } else {
            QVERIFY2(decision.message.text.contains(message), qPrintable(decision.message.text));
            QCOMPARE(decision.message.kind, MessageKind::Plain);
        }
        QCOMPARE(decision.focus, focus);
    }
};

QTEST_GUILESS_MAIN(TestPasswordChange)
#include "tst_passwordchange.moc"
