// The four checks as pure functions, on public numbers that anyone can verify: tax codes of the
// usual textbook examples, VAT numbers of known bodies, the IBAN examples that banks and the IBAN
// registry publish, and the test card numbers of the card networks.

#include "CoreSupport.h"

#include "checks/CardCheck.h"
#include "checks/IbanCheck.h"
#include "checks/TaxCode.h"
#include "checks/VatNumber.h"

#include <QSet>

using namespace TestSupport::Messages;

namespace {

CheckAnswer verdict(MessageKind kind, const QString& text)
{
    return {{kind, text}, false};
}
CheckAnswer refused(const QString& text)
{
    return {{MessageKind::Warning, text}, true};
}

} // namespace

Q_DECLARE_METATYPE(CheckAnswer)

namespace QTest {
template <> inline char* toString(const CheckAnswer& answer)
{
    const char* kinds[] = {"Warning", "Error", "Information", "Confirmation", "Plain"};
    return qstrdup(QStringLiteral("%1%2: %3")
                       .arg(QLatin1String(kinds[static_cast<int>(answer.message.kind)]),
                            answer.refused ? QStringLiteral(" (refused)") : QString(), answer.message.text)
                       .toUtf8()
                       .constData());
}
} // namespace QTest

class TestChecks : public QObject {
    Q_OBJECT

private slots:
    void taxCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CheckAnswer>("answer");
        const auto valid = verdict(MessageKind::Information, kCfValid);
        const auto wrong = verdict(MessageKind::Warning, kCfWrong);
        const auto length = refused(kCfLength);
        QTest::newRow("Mario Rossi, Roma 1980") << "RSSMRA80A01H501U" << valid;
        QTest::newRow("Matteo Moretti, Milano 1991") << "MRTMTT91D08F205J" << valid;
        QTest::newRow("another check letter") << "RSSMRA80A01H501V" << wrong;
        QTest::newRow("check letter A") << "RSSMRA80A01H501A" << wrong;
        QTest::newRow("small letters") << "rssmra80a01h501u" << valid;
        // Omocodia: digits replaced from the right by L M N P Q R S T U V, check letter recomputed.
        QTest::newRow("one digit replaced") << "RSSMRA80A01H50MM" << valid;
        QTest::newRow("three digits replaced") << "RSSMRA80A01HRLMS" << valid;
        QTest::newRow("every digit replaced") << "RSSMRAULALMHRLMD" << valid;
        QTest::newRow("replaced, old check letter") << "RSSMRA80A01H50MU" << wrong;
        // The signs between "9" and "A" count 0, like "1" at an odd place and "0" at an even one.
        QTest::newRow("colon at an odd place") << "RSSMRA80A01H50:U" << valid;
        QTest::newRow("at sign at an even place") << "RSSMRA80A01H5@1U" << valid;
        // Characters the tables do not hold make the code wrong, whatever they stand for.
        QTest::newRow("bracket after Z") << "RSSMRA80A01H50[U" << wrong;
        QTest::newRow("inner blank") << "RSSMRA80 01H501U" << wrong;
        QTest::newRow("accented letter") << "RSSMRÀ80A01H501U" << wrong;
        QTest::newRow("hyphen") << "RSSMRA80-01H501U" << wrong;
        QTest::newRow("sixteen digits") << "1234567890123456" << wrong;
        QTest::newRow("digit where the letter goes") << "RSSMRA80A01H5011" << wrong;
        QTest::newRow("empty") << "" << length;
        QTest::newRow("fifteen characters") << "RSSMRA80A01H501" << length;
        QTest::newRow("seventeen characters") << "RSSMRA80A01H501UX" << length;
    }

    void taxCode()
    {
        QFETCH(QString, text);
        QFETCH(CheckAnswer, answer);
        QCOMPARE(TaxCode::check(text), answer);
    }

    void taxCodeCheckCharacter()
    {
        QCOMPARE(TaxCode::checkCharacter(QStringLiteral("BNCGVN75L15F205")), QChar(u'G'));
        QCOMPARE(TaxCode::checkCharacter(QStringLiteral("RSSMRA80A01H501")), QChar(u'U'));
        QCOMPARE(TaxCode::checkCharacter(QStringLiteral("RSSMRA80A01H50")), std::nullopt);
        QCOMPARE(TaxCode::checkCharacter(QStringLiteral("RSSMRA80A01H50\u0000")), std::nullopt);
    }

    // Every letter and digit at an odd and at an even place, against check letters worked out
    // here from the published conversion tables.
    void taxCodeEveryCharacter_data()
    {
        QTest::addColumn<QString>("code");
        // Odd places: 0-9 count as A-J.
        const QString oddValues = QStringLiteral("1 0 5 7 9 13 15 17 19 21 2 4 18 20 11 3 6 8 12 14 16 10 22 25 24 23");
        const QStringList odd = oddValues.split(QLatin1Char(' '));
        const auto value = [&](QChar c, bool oddPlace) {
            const int index = c.isDigit() ? c.digitValue() : c.unicode() - 'A';
            return oddPlace ? odd.at(index).toInt() : index;
        };
        const QString base = QStringLiteral("RSSMRA80A01H501");
        const QString characters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        for (int place : {14, 13}) { // place 15 is odd, place 14 even
            for (QChar c : characters) {
                QString code = base;
                code[place] = c;
                int sum = 0;
                for (int i = 0; i < 15; ++i)
                    sum += value(code.at(i), i % 2 == 0);
                code += QChar(u'A' + sum % 26);
                QTest::addRow("%c at place %d", char(c.unicode()), place + 1) << code;
            }
        }
        QTest::newRow("Wilma, W at place 1") << "WLLMRA80A01H501T";
    }

    void taxCodeEveryCharacter()
    {
        QFETCH(QString, code);
        QCOMPARE(TaxCode::check(code), verdict(MessageKind::Information, kCfValid));
    }

    void vatNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CheckAnswer>("answer");
        const auto wrong = verdict(MessageKind::Warning, kVatWrong);
        const auto valid = [](const char* office) {
            return verdict(MessageKind::Information, kVatValid + QString::fromUtf8(office) + QStringLiteral("."));
        };
        QTest::newRow("office 058 (ENI)") << "00484960588" << valid("Roma 1");
        QTest::newRow("office 058, last digit changed") << "00484960589" << wrong;
        QTest::newRow("office 063 (Federico II)") << "00876220633" << valid("Napoli 1");
        QTest::newRow("seven zeros and 063") << "00000000638" << valid("Napoli 1");
        QTest::newRow("office 100 (Agenzia delle Entrate)") << "06363391001" << valid("Roma 2");
        QTest::newRow("office 040") << "12345670405" << valid("Forlì");
        QTest::newRow("office 120") << "12345671205" << valid("Bologna 2");
        QTest::newRow("office 121") << "12345671213" << valid("Napoli 2");
        QTest::newRow("office 789 has no name") << "12345677897" << valid("");
        QTest::newRow("all zeros, office 000") << "00000000000" << valid("");
        QTest::newRow("letter among eleven") << "0048496058A" << wrong;
        QTest::newRow("small letter among eleven") << "0048a960588" << wrong;
        QTest::newRow("blank among eleven") << "0048496058 " << wrong;
        QTest::newRow("ten digits") << "0048496058" << refused(kVatLength);
        QTest::newRow("twelve digits") << "004849605880" << refused(kVatLength);
        QTest::newRow("empty") << "" << refused(kVatLength);
    }

    void vatNumber()
    {
        QFETCH(QString, text);
        QFETCH(CheckAnswer, answer);
        QCOMPARE(VatNumber::check(text), answer);
    }

    void vatOfficeTable()
    {
        const auto offices = VatNumber::offices();
        QCOMPARE(offices.size(), std::size_t(104));
        QSet<QString> codes;
        for (int n = 1; n <= 102; ++n)
            codes.insert(QString::number(n).rightJustified(3, QLatin1Char('0')));
        codes << QStringLiteral("120") << QStringLiteral("121");
        for (const auto& office : offices) {
            const QString code = QString::fromUtf16(office.code);
            QVERIFY2(codes.remove(code), qPrintable(code));
            QVERIFY(!QString::fromUtf16(office.name).isEmpty());
        }
        QVERIFY(codes.isEmpty());

        QCOMPARE(VatNumber::officeName(QStringLiteral("001")), QStringLiteral("Torino"));
        QCOMPARE(VatNumber::officeName(QStringLiteral("096")), QStringLiteral("Monza (Milano 2)"));
        QCOMPARE(VatNumber::officeName(QStringLiteral("099")), QStringLiteral("Chiavari (Genova 2)"));
        QCOMPARE(VatNumber::officeName(QStringLiteral("120")), VatNumber::officeName(QStringLiteral("101")));
        QCOMPARE(VatNumber::officeName(QStringLiteral("121")), VatNumber::officeName(QStringLiteral("102")));
        for (const char* none : {"000", "103", "119", "122", "1", "01", "0010", ""})
            QCOMPARE(VatNumber::officeName(QString::fromLatin1(none)), QString());
    }

    void iban_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<CheckAnswer>("answer");
        const auto valid = verdict(MessageKind::Information, kIbanValid);
        const auto wrong = verdict(MessageKind::Warning, kIbanWrong);
        // The Italian example of the IBAN registry.
        QTest::newRow("Italian example") << "IT60X0542811101000000123456" << valid;
        QTest::newRow("check digits changed") << "IT61X0542811101000000123456" << wrong;
        QTest::newRow("check digits swapped") << "IT06X0542811101000000123456" << wrong;
        QTest::newRow("national letter changed") << "IT60Y0542811101000000123456" << wrong;
        QTest::newRow("small letters") << "it60x0542811101000000123456" << valid;
        QTest::newRow("blanks at both ends") << "  IT60X0542811101000000123456\t" << valid;
        QTest::newRow("inner blank: 26 left") << "IT60 X054281110100000012345" << wrong;
        // 27 with the blank: the 26 others are a right IBAN of that length.
        QTest::newRow("inner blank: 26 left, right") << "IT90X0542811101 00000012345" << valid;
        QTest::newRow("hyphen") << "IT60-X054281110100000012345" << wrong;
        QTest::newRow("accented letter") << "IT60È0542811101000000123456" << wrong;
        QTest::newRow("26 characters") << "IT60X054281110100000012345" << refused(kIbanLength);
        QTest::newRow("28 characters") << "IT60X05428111010000001234567" << refused(kIbanLength);
        QTest::newRow("empty") << "" << refused(kIbanLength);
    }

    void iban()
    {
        QFETCH(QString, text);
        QFETCH(CheckAnswer, answer);
        QCOMPARE(IbanCheck::check(text), answer);
    }

    // The remainder itself, on IBANs of other lengths too, so that long digit strings go through
    // many pieces.
    void ibanRemainder_data()
    {
        QTest::addColumn<QString>("iban");
        QTest::addColumn<int>("remainder");
        QTest::newRow("Italy") << "IT60X0542811101000000123456" << 1;
        QTest::newRow("Italy, check digits 61") << "IT61X0542811101000000123456" << 2;
        QTest::newRow("United Kingdom") << "GB82WEST12345698765432" << 1;
        QTest::newRow("Germany") << "DE89370400440532013000" << 1;
        QTest::newRow("Malta, 31 characters") << "MT84MALT011000012345MTLCAST001S" << 1;
        QTest::newRow("small letters") << "gb82west12345698765432" << 1;
        QTest::newRow("first IBAN dropped") << "IBANIT60X0542811101000000123456" << 1;
        QTest::newRow("only the first IBAN dropped") << "IBANIBANIT60X0542811101000000123456" << 36;
        QTest::newRow("made-up Italian") << "IT02L1234512345123456789012" << 58;
        QTest::newRow("a sign") << "IT60X05428111010000001234+6" << 0;
        QTest::newRow("a blank") << "IT60X05428111010000001234 6" << 0;
        QTest::newRow("shorter than four") << "IT6" << 60;
        QTest::newRow("empty") << "" << 0;
    }

    void ibanRemainder()
    {
        QFETCH(QString, iban);
        QFETCH(int, remainder);
        QCOMPARE(IbanCheck::remainder(iban), remainder);
    }

    void card_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<CheckAnswer>("answer");
        // A number that passes, with the issuer named; the message shows the text trimmed.
        const auto valid = [](const char* row, const char* text, int code, const char* issuer) {
            const QString number = QString::fromLatin1(text);
            QTest::newRow(row) << number << code
                               << verdict(MessageKind::Information,
                                          cardValid(number.trimmed(), QString::fromLatin1(issuer)));
        };
        const auto wrong = [](const char* row, const char* text, int code) {
            QTest::newRow(row) << QString::fromLatin1(text) << code << verdict(MessageKind::Warning, kCardWrong);
        };
        // The networks' test numbers.
        valid("Visa", "4111111111111111", 2, "Visa");
        valid("Visa 2", "4012888888881881", 2, "Visa");
        wrong("Visa, last digit changed", "4111111111111112", 0);
        valid("MasterCard", "5555555555554444", 3, "MasterCard");
        valid("MasterCard 2", "5105105105105100", 3, "MasterCard");
        valid("Discover", "6011111111111117", 4, "Discover");
        valid("Discover 2", "6011000990139424", 4, "Discover");
        valid("American Express 37", "378282246310005", 1, "American Express");
        valid("American Express 34", "343434343434343", 1, "American Express");
        valid("Diners 30", "30569309025904", 1, "Diner's Club / Carte Blanche");
        valid("Diners 36", "36227206271667", 1, "Diner's Club / Carte Blanche");
        valid("Diners 38", "38520000023237", 1, "Diner's Club / Carte Blanche");
        valid("JCB 35", "3530111333300000", 1, "JCB");
        valid("JCB 31", "3111111111111113", 1, "JCB");
        valid("JCB 33", "3311111111111111", 1, "JCB");
        QTest::newRow("32: no issuer, no message") << "3211111111111112" << 1 << CheckAnswer{};
        wrong("American Express, wrong", "378282246310006", 0);
        wrong("first digit 7", "7111111111111114", 5);
        wrong("first digit 8", "8000000000000003", 6);
        wrong("first digit 2", "2221000000000009", 0);
        wrong("first digit 1", "1111111111111117", -1);
        wrong("single 0", "0", -2);
        // Separators are dropped for the test; the message shows the number as it was given.
        valid("groups with blanks", "4111 1111 1111 1111", 2, "Visa");
        valid("groups with hyphens", "5555-5555-5555-4444", 3, "MasterCard");
        valid("blanks at both ends", " 4111111111111111 ", 2, "Visa");
        // Only the first 20 characters count.
        valid("24 digits, first 20 good", "411111111111111111151234", 2, "Visa");
        wrong("24 digits good, first 20 wrong", "411111111111111111160009", 0);
        valid("good digits after the 20th", "4111 1111 1111 1111 1234", 2, "Visa");
        wrong("letters only", "ABC", 0);
        QTest::newRow("empty") << "" << 0 << refused(kCardEmpty);
        QTest::newRow("blanks only") << "   " << 0 << refused(kCardEmpty);
    }

    void card()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(CheckAnswer, answer);
        QCOMPARE(CardCheck::resultCode(text), code);
        QCOMPARE(CardCheck::check(text), answer);
    }
};

QTEST_GUILESS_MAIN(TestChecks)
#include "tst_checks.moc"
