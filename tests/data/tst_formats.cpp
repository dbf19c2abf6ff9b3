#include "data/CodePage.h"
#include "data/TypingRules.h"
#include "data/Formats.h"

#include <QTest>

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void datesAreRealCalendarDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("ordinary") << "05/03/2025" << QDate(2025, 3, 5);
        QTest::newRow("one-digit day and month") << "5/3/2025" << QDate(2025, 3, 5);
        QTest::newRow("leap day") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("31 December") << "31/12/1999" << QDate(1999, 12, 31);
        QTest::newRow("31 April") << "31/04/2025" << QDate();
        QTest::newRow("29 February, common year") << "29/02/2023" << QDate();
        QTest::newRow("29 February 1900") << "29/02/1900" << QDate();
        QTest::newRow("month 13") << "01/13/2025" << QDate();
        QTest::newRow("day 0") << "00/01/2025" << QDate();
        QTest::newRow("two-digit year") << "05/03/25" << QDate();
        QTest::newRow("year first") << "2025/03/05" << QDate();
        QTest::newRow("dashes") << "05-03-2025" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("trailing text") << "05/03/2025x" << QDate();
    }

    void datesAreRealCalendarDates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const auto parsed = Formats::textToDate(text);
        QCOMPARE(parsed.has_value(), date.isValid());
        if (date.isValid())
            QCOMPARE(*parsed, date);
    }

    void datesAndAmountsWriteOneWay()
    {
        QCOMPARE(Formats::dateToText(QDate(2025, 3, 5)), QStringLiteral("05/03/2025"));
        QCOMPARE(Formats::amountToText(120.5), QStringLiteral("120,50"));
        QCOMPARE(Formats::textToAmount(QStringLiteral("120,50")).value_or(-1), 120.5);
        QCOMPARE(Formats::textToAmount(QStringLiteral("0,00")).value_or(-1), 0.0);
        QVERIFY(!Formats::textToAmount(QStringLiteral("120.50")));
        QVERIFY(!Formats::textToAmount(QStringLiteral("1.200,50")));
        QVERIFY(!Formats::textToAmount(QString()));
    }

    void upperCasingChangesOnlyAtoZ_data()
    {
        QTest::addColumn<unsigned>("rules");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("cursorAfter");
        const unsigned up = Behaviour::Upper;
        const unsigned trim = Behaviour::TrimUpper;
        QTest::newRow("letters") << up << "rossi" << 5 << "ROSSI" << 5;
        QTest::newRow("accents stay") << up << QString::fromUtf8("forlì à") << 7 << QString::fromUtf8("FORLì à") << 7;
        QTest::newRow("blanks kept") << up << " ab " << 4 << " AB " << 4;
        QTest::newRow("trim at both ends") << trim << "  rss " << 6 << "RSS" << 3;
        QTest::newRow("cursor after leading blank") << trim << " x" << 1 << "X" << 0;
        QTest::newRow("inner blank kept") << trim << "a b" << 3 << "A B" << 3;
    }

    void upperCasingChangesOnlyAtoZ()
    {
        QFETCH(unsigned, rules);
        QFETCH(QString, typed);
        QFETCH(int, cursor);
        QFETCH(QString, result);
        QFETCH(int, cursorAfter);
        QCOMPARE(Behaviour::applyRule(rules, typed, &cursor), result);
        QCOMPARE(cursor, cursorAfter);
    }

    // A key typed at the end of a shaped text gives what the rule gives the whole text: the import
    // types long cells key by key this way.
    void typingKeyByKeyIsTheWholeRule()
    {
        const QString texts[] = {QStringLiteral("  rss mra 80a01 "), QString::fromUtf8("forlì à\tb"),
                                 QStringLiteral(" \x01x y  z "), QStringLiteral("IT60 x054")};
        for (const unsigned rules : {unsigned(Behaviour::None), unsigned(Behaviour::Upper),
                                     unsigned(Behaviour::TrimUpper), unsigned(Behaviour::Upper | Behaviour::Digits)})
            for (const QString& text : texts) {
                QString whole, keys;
                for (const QChar c : text) {
                    whole = Behaviour::applyRule(rules, whole + c);
                    Behaviour::typeKey(rules, keys, c);
                    QCOMPARE(keys, whole);
                }
            }
    }

    // Every byte a record may hold reads and writes back as the same byte, the five that
    // Windows-1252 leaves undefined included (Windows maps them to U+0081, U+008D, ...).
    // The searches' match on stored bytes: every capital A to Z is found by its small letter,
    // nothing else is folded (the small key "à" does not find "À", a capital key finds nothing
    // small).
    void searchesFoldOnlyAtoZ_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<bool>("found");
        for (char c = 'A'; c <= 'Z'; ++c)
            QTest::addRow("%c", c) << (QByteArray("x") + c + 'y') << (QByteArray("x") + char(c + 32) + 'y') << true;
        QTest::newRow("whole field") << QByteArray("ROSSI") << QByteArray("rossi") << true;
        QTest::newRow("at the end") << QByteArray("MARIO ROSSI") << QByteArray("rossi") << true;
        QTest::newRow("longer than the text") << QByteArray("ROSS") << QByteArray("rossi") << false;
        QTest::newRow("A grave not folded") << QByteArray("\xC0") << QByteArray("\xE0") << false;
        QTest::newRow("at sign is no letter") << QByteArray("@") << QByteArray("`") << false;
        QTest::newRow("bracket is no letter") << QByteArray("[") << QByteArray("{") << false;
        QTest::newRow("capital key") << QByteArray("rossi") << QByteArray("R") << false;
        QTest::newRow("empty key") << QByteArray("ROSSI") << QByteArray() << true;
    }

    void searchesFoldOnlyAtoZ()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, key);
        QFETCH(bool, found);
        QCOMPARE(
            CodePage::containsFolded({text.constData(), size_t(text.size())}, {key.constData(), size_t(key.size())}),
            found);
    }

    void everyCodePageByteSurvivesDecodeAndEncode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("81") << QByteArray("\x81") << QString(QChar(char16_t(0x81)));
        QTest::newRow("8D") << QByteArray("\x8D") << QString(QChar(char16_t(0x8D)));
        QTest::newRow("8F") << QByteArray("\x8F") << QString(QChar(char16_t(0x8F)));
        QTest::newRow("90") << QByteArray("\x90") << QString(QChar(char16_t(0x90)));
        QTest::newRow("9D") << QByteArray("\x9D") << QString(QChar(char16_t(0x9D)));
        QTest::newRow("euro and Y diaeresis") << QByteArray("\x80\x9F") << QString::fromUtf8("€Ÿ");
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("all 256 bytes") << all << CodePage::decode(all);
    }
    void everyCodePageByteSurvivesDecodeAndEncode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(CodePage::decode(bytes), text);
        QCOMPARE(CodePage::encode(text), bytes);
    }

    // The stored form of a text, taken without the round trip where the code page holds it, is the
    // round trip's for every character: the import compares every cell with it.
    void storedIsTheRoundTrip()
    {
        for (char32_t c = 0; c < 0x110000; c += (c < 0x10000 ? 1 : 0x111)) {
            if (c >= 0xD800 && c < 0xE000)
                continue;
            const QString text = QStringLiteral("a") + QString::fromUcs4(&c, 1) + QStringLiteral("b");
            const QString roundTrip = CodePage::decode(CodePage::encode(text));
            QCOMPARE(CodePage::stored(text), roundTrip);
            QCOMPARE(CodePage::holds(text), roundTrip == text);
        }
        const QString lone = QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y"); // a surrogate alone
        QCOMPARE(CodePage::stored(lone), CodePage::decode(CodePage::encode(lone)));
    }
};

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
