#include "slips/AmountInWords.h"

#include <QTest>

class TestAmountInWords : public QObject {
    Q_OBJECT
private slots:
    void spell_data()
    {
        QTest::addColumn<quint32>("amount");
        QTest::addColumn<QString>("words");
        const struct {
            quint32 amount;
            const char* words;
        } cases[] = {
            {0, "ZERO"},
            {1, "UNO"},
            {7, "SETTE"},
            {16, "SEDICI"},
            {21, "VENTUNO"},
            {23, "VENTITRE"},
            {28, "VENTIOTTO"},
            {38, "TRENTAOTTO"},
            {91, "NOVANTUNO"},
            {100, "CENTO"},
            {101, "CENTOUNO"},
            {108, "CENTOOTTO"},
            {111, "CENTOUNDICI"},
            {118, "CENTODICIOTTO"},
            {120, "CENTOVENTI"},
            {121, "CENTOVENTUNO"},
            {180, "CENTOOTTANTA"},
            {1000, "MILLE"},
            {1001, "MILLEUNO"},
            {2000, "DUEMILA"},
            {21000, "VENTUNOMILA"},
            {101000, "CENTOUNOMILA"},
            {1000000, "UNMILIONE"},
            {1000001, "UNMILIONEUNO"},
            {1001000, "UNMILIONEMILLE"},
            {2000000, "DUEMILIONI"},
            {21021021, "VENTUNOMILIONIVENTUNOMILAVENTUNO"},
            {99999999, "NOVANTANOVEMILIONINOVECENTONOVANTANOVEMILANOVECENTONOVANTANOVE"},
        };
        for (const auto& c : cases)
            QTest::newRow(QByteArray::number(c.amount).constData()) << c.amount << QString::fromLatin1(c.words);
    }

    void spell()
    {
        QFETCH(quint32, amount);
        QFETCH(QString, words);
        QCOMPARE(AmountInWords::spell(amount), words);
    }

    void spellDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("words");
        QTest::newRow("leading zeros") << "007"
                                       << "SETTE";
        QTest::newRow("all zeros") << "0000"
                                   << "ZERO";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("not digits") << "12a"
                                    << "";
        QTest::newRow("eight digits") << "12000000"
                                      << "DODICIMILIONI";
        QTest::newRow("nine digits") << "123456789"
                                     << "";
    }

    void spellDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, words);
        QCOMPARE(AmountInWords::spellDigits(typed), words);
    }
};

QTEST_GUILESS_MAIN(TestAmountInWords)
#include "tst_amountinwords.moc"
