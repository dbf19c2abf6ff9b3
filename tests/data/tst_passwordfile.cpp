// Password scrambling, the INI module and the password file, without windows.

#include "CoreSupport.h"
#include "data/Crypt.h"
#include "help/HelpPages.h"
#include "data/IniFile.h"
#include "data/PasswordFile.h"

#include <QTemporaryDir>
#include <QTest>

class TestPasswordFile : public QObject {
    Q_OBJECT
private slots:
    void scrambleKnownValues_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("digits");
        // Worked out apart from the program from the key stream (61027, then (key + c) * 39517 + 30851).
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("one letter") << QStringLiteral("A") << QStringLiteral("AF");
        QTest::newRow("initial password") << QStringLiteral("TASSELLA") << QStringLiteral("BA89ABC3A9EA9310");
        QTest::newRow("old") << QStringLiteral("VECCHIA") << QStringLiteral("B8D618E1BF992B");
    }
    void scrambleKnownValues()
    {
        QFETCH(QString, plain);
        QFETCH(QString, digits);
        QCOMPARE(Crypt::scramble(plain), digits);
        QCOMPARE(Crypt::unscramble(digits), std::optional<QString>(plain));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("plain");
        QTest::newRow("capitals and digits") << QStringLiteral("PASSWORD2024");
        QTest::newRow("inner blank") << QStringLiteral("DUE PAROLE");
        QTest::newRow("accented letter") << QStringLiteral("CAFFè");
        QTest::newRow("every byte") << [] {
            QString all;
            for (int code = 1; code < 256; ++code)
                all += QChar(code);
            return all;
        }();
    }
    void roundTrip()
    {
        QFETCH(QString, plain);
        const QString digits = Crypt::scramble(plain);
        QCOMPARE(digits.size(), plain.size() * 2);
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]*$")).match(digits).hasMatch());
        QCOMPARE(*Crypt::unscramble(digits), plain);
    }

    void unscrambleOddAndBadDigits()
    {
        const QString digits = Crypt::scramble(QStringLiteral("ABC"));
        // A lone digit left over at the end is ignored.
        QCOMPARE(*Crypt::unscramble(digits + QLatin1Char('7')), QStringLiteral("ABC"));
        QCOMPARE(*Crypt::unscramble(QStringLiteral("F")), QString());
        // Small hex letters read like capitals.
        QCOMPARE(*Crypt::unscramble(digits.toLower()), QStringLiteral("ABC"));
        QVERIFY(!Crypt::unscramble(QStringLiteral("AFZZ")));
        QVERIFY(!Crypt::unscramble(QStringLiteral("G0")));
    }

    void normalise()
    {
        QCOMPARE(PasswordFile::normalise(QStringLiteral("  segreto è\t")), QStringLiteral("SEGRETO è"));
        QVERIFY(PasswordFile::storable(QStringLiteral("àèìòù€")) == false); // € is above 255
        QVERIFY(PasswordFile::storable(QStringLiteral("àèìòù§°")));
    }

    // A settings file as Windows writes it: CR LF, other sections, names in other capitals.
    void changeKeepsWindowsFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("unins000.dll"));
        const QByteArray original = TestSupport::readAll(TestSupport::fixture(QStringLiteral("windows_settings.ini")));
        QVERIFY(TestSupport::writeAll(path, original));

        QCOMPARE(PasswordFile::read(path), std::optional<QString>(QStringLiteral("VECCHIA")));
        QCOMPARE(IniFile::readString(path, QStringLiteral("margini stampa"), QStringLiteral("SINISTRO")),
                 QStringLiteral("-2"));
        QVERIFY(PasswordFile::write(path, QStringLiteral(" nuova ")));

        QByteArray expected = original;
        expected.replace("valore = B8D618E1BF992B\r\n", "valore=A04F26F389\r\n");
        QCOMPARE(TestSupport::readAll(path), expected);
        QCOMPARE(PasswordFile::read(path), std::optional<QString>(QStringLiteral("NUOVA")));
    }

    void writeNewFileAndSections()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Tassella.ini"));
        QVERIFY(IniFile::writeString(path, QStringLiteral("Margini Stampa"), QStringLiteral("Superiore"),
                                     QStringLiteral("-3")));
        QCOMPARE(TestSupport::readAll(path), QByteArray("[Margini Stampa]\r\nSuperiore=-3\r\n"));
        QVERIFY(IniFile::writeString(path, QStringLiteral("MARGINI STAMPA"), QStringLiteral("Sinistro"),
                                     QStringLiteral("4")));
        QVERIFY(IniFile::writeString(path, QStringLiteral("Altro"), QStringLiteral("Nota"),
                                     QStringLiteral("testo con spazi; e punto e virgola")));
        QVERIFY(IniFile::writeString(path, QStringLiteral("margini stampa"), QStringLiteral("superiore"),
                                     QStringLiteral("5")));
        QCOMPARE(TestSupport::readAll(path),
                 QByteArray("[Margini Stampa]\r\nSuperiore=5\r\nSinistro=4\r\n[Altro]\r\n"
                            "Nota=testo con spazi; e punto e virgola\r\n"));
        QCOMPARE(IniFile::readString(path, QStringLiteral("altro"), QStringLiteral("nota")),
                 QStringLiteral("testo con spazi; e punto e virgola"));
    }

    void lfFileStaysLf()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Tassella.ini"));
        QVERIFY(TestSupport::writeAll(path, "[Margini Stampa]\nSuperiore=1\n\n[Dopo]\nX=1\n"));
        QVERIFY(IniFile::writeString(path, QStringLiteral("Margini Stampa"), QStringLiteral("Sinistro"),
                                     QStringLiteral("2")));
        QCOMPARE(TestSupport::readAll(path), QByteArray("[Margini Stampa]\nSuperiore=1\nSinistro=2\n\n[Dopo]\nX=1\n"));
    }

    void readsLikeWindows_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks round the equals sign")
            << QByteArray("[Margini Stampa]\r\n  Superiore =  -4 \r\n") << "-4";
        QTest::newRow("quoted value") << QByteArray("[Margini Stampa]\r\nSuperiore=\"7\"\r\n") << "7";
        QTest::newRow("first of two sections")
            << QByteArray("[margini stampa]\nSuperiore=1\n[Margini Stampa]\nSuperiore=2\n") << "1";
        QTest::newRow("key in another section") << QByteArray("[Altro]\nSuperiore=9\n[Margini Stampa]\n") << "def";
        QTest::newRow("commented key") << QByteArray("[Margini Stampa]\n;Superiore=5\n") << "def";
        QTest::newRow("no line end at the end") << QByteArray("[Margini Stampa]\r\nSuperiore=3") << "3";
    }
    void readsLikeWindows()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Tassella.ini"));
        QVERIFY(TestSupport::writeAll(path, content));
        QCOMPARE(IniFile::readString(path, QStringLiteral("Margini Stampa"), QStringLiteral("superiore"),
                                     QStringLiteral("def")),
                 value);
    }

    void missingAndFailing()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("nessuno.ini"));
        bool ok = false;
        QCOMPARE(IniFile::readString(missing, QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("x"), &ok),
                 QStringLiteral("x"));
        QVERIFY(ok);
        // No password file: the empty password, which no login can match.
        QCOMPARE(PasswordFile::read(missing), std::optional<QString>(QString()));

        // A folder that does not exist cannot take the file: the failure reaches the caller.
        QVERIFY(!IniFile::writeString(folder.filePath(QStringLiteral("manca/Tassella.ini")), QStringLiteral("A"),
                                      QStringLiteral("B"), QStringLiteral("C")));
        // A "file" that cannot be read is a reading failure, not an empty password.
        const QString directory = folder.filePath(QStringLiteral("unins000.dll"));
        QVERIFY(QDir().mkpath(directory));
        QVERIFY(!PasswordFile::read(directory));
        QVERIFY(!PasswordFile::write(directory, QStringLiteral("X")));
    }

    // The password file that the build puts into the program folder holds the documented password.
    void initialPasswordFile()
    {
        const QString committed = QStringLiteral(TASSELLA_SOURCE_DIR "/data/unins000.dll");
        QCOMPARE(PasswordFile::read(committed), std::optional<QString>(PasswordFile::initial));
        QVERIFY(PasswordFile::holdsInitial(committed));
        QVERIFY(HelpPages::startMenuBody().contains(QStringLiteral("Al primo accesso la password è TASSELLA")));
    }
};

QTEST_MAIN(TestPasswordFile)
#include "tst_passwordfile.moc"
