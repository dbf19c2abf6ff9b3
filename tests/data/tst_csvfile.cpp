// Spreadsheet CSV files as Excel and LibreOffice write them in Italy: separators, quotes, line
// breaks, code pages.

#include "data/CsvFile.h"

#include <QTest>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

class TestCsvFile : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rows>("rows");
        const auto u = [](const char* s) { return QString::fromUtf8(s); };
        QTest::newRow("plain, CRLF") << u("a;b;c\r\nd;e;f\r\n") << Rows{{"a", "b", "c"}, {"d", "e", "f"}};
        QTest::newRow("LF, no end of line") << u("a;b\nc;d") << Rows{{"a", "b"}, {"c", "d"}};
        QTest::newRow("lone CR") << u("a;b\rc;d\r") << Rows{{"a", "b"}, {"c", "d"}};
        QTest::newRow("empty cells kept") << u(";a;;\r\n") << Rows{{"", "a", "", ""}};
        QTest::newRow("empty lines are no records") << u("a\r\n\r\n\nb\r\n") << Rows{{"a"}, {"b"}};
        QTest::newRow("separator inside quotes") << u("\"Rossi; Mario\";x") << Rows{{"Rossi; Mario", "x"}};
        QTest::newRow("doubled quotes") << u("\"Il \"\"Sole\"\" srl\";\"\"\"\"") << Rows{{"Il \"Sole\" srl", "\""}};
        QTest::newRow("quoted empty cell") << u("\"\";b") << Rows{{"", "b"}};
        QTest::newRow("CRLF inside quotes becomes LF")
            << u("\"Via Roma 1\r\nscala B\";00184\r\nz;y") << Rows{{"Via Roma 1\nscala B", "00184"}, {"z", "y"}};
        QTest::newRow("LF inside quotes") << u("\"a\nb\"") << Rows{{"a\nb"}};
        QTest::newRow("quote inside an unquoted cell is text") << u("5\" pollici;b") << Rows{{"5\" pollici", "b"}};
        QTest::newRow("text after the closing quote") << u("\"ab\"cd;e") << Rows{{"abcd", "e"}};
        QTest::newRow("unclosed quote runs to the end") << u("a;\"b;c\r\nd") << Rows{{"a", "b;c\nd"}};
        QTest::newRow("blanks kept") << u(" a ; b ") << Rows{{" a ", " b "}};
        QTest::newRow("accents and euro") << u("Città;€ 5,00") << Rows{{u("Città"), u("€ 5,00")}};
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(Rows, rows);
        QCOMPARE(CsvFile::parse(text, QLatin1Char(';')).toLists(), rows);
    }

    void separator_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::newRow("semicolons") << "Nome;CAP;Comune\r\nA,B;1;2"
                                    << ";";
        QTest::newRow("commas in the header") << "Nome,CAP,Comune\r\nA;B,1,2"
                                              << ",";
        QTest::newRow("a comma inside quotes does not count") << "\"Cognome, nome\";CAP\r\n"
                                                              << ";";
        QTest::newRow("tabs") << "Nome\tCAP\tComune"
                              << "\t";
        QTest::newRow("one column") << "Nome\r\nRossi"
                                    << ";";
        QTest::newRow("tie goes to semicolon") << "a;b,c"
                                               << ";";
        // No header, and the first line's commas outnumber its semicolons: the rows after it agree
        // on three cells split on ";" only.
        QTest::newRow("commas in the first line of a ; file")
            << "ROSSI, MARIO;VIA PO, 3, SCALA B;00100\r\nBIANCHI LUCA;VIA ROMA 1;00184\r\n"
               "VERDI, ANNA;PIAZZA DUOMO 2;20121\r\nNERI PAOLO;CORSO ITALIA, 9;80100\r\n"
            << ";";
        QTest::newRow("semicolons in one cell of a , file") << "Nome,Note\r\nRossi,a;b;c;d\r\nVerdi,x\r\nBianchi,y\r\n"
                                                            << ",";
        QTest::newRow("a quoted line break does not end the sample's record")
            << "\"Via Po, 3\nscala B, int. 4\";00100\r\nVia Roma;00184\r\n"
            << ";";
    }
    void separator()
    {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QCOMPARE(CsvFile::separatorOf(text), separator.at(0));
    }

    // The same sheet in each code page and form a spreadsheet writes reads as the same cells.
    void codePages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        const QByteArray cp1252("Citt\xE0;Importo\r\n\x80 5;N\xB0 3\r\n");
        const QByteArray utf8 = QStringLiteral("Città;Importo\r\n€ 5;N° 3\r\n").toUtf8();
        QTest::newRow("Windows-1252") << cp1252 << int(CsvFile::Encoding::Windows1252);
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + utf8 << int(CsvFile::Encoding::Utf8Bom);
        QTest::newRow("UTF-8 without BOM") << utf8 << int(CsvFile::Encoding::Utf8);
    }
    void codePages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        const CsvFile::Table table = CsvFile::read(bytes);
        QCOMPARE(int(table.encoding), encoding);
        QCOMPARE(table.separator, QLatin1Char(';'));
        QCOMPARE(table.rows.toLists(),
                 (Rows{{QStringLiteral("Città"), "Importo"}, {QStringLiteral("€ 5"), QStringLiteral("N° 3")}}));
    }

    // A comma file (as an English spreadsheet writes it) with quoted commas and a BOM.
    void commaFileWithBom()
    {
        const CsvFile::Table table =
            CsvFile::read(QByteArray("\xEF\xBB\xBFNome,Indirizzo\r\n\"Rossi, Mario\",\"Via Po, 3\"\r\n"));
        QCOMPARE(table.separator, QLatin1Char(','));
        QCOMPARE(table.rows.toLists(), (Rows{{"Nome", "Indirizzo"}, {"Rossi, Mario", "Via Po, 3"}}));
    }

    // The separator the user chooses splits the same text again; a cell asked for beyond a
    // record's end is empty.
    void chosenSeparator()
    {
        const QByteArray bytes("ROSSI, MARIO;00100;X\r\nVERDI ANNA;20121\r\n");
        const CsvFile::Table guessed = CsvFile::read(bytes);
        QCOMPARE(guessed.separator, QLatin1Char(';'));
        QCOMPARE(guessed.rows.cell(0, 1), QStringView(u"00100"));
        QCOMPARE(guessed.rows.cellCount(1), 2);
        QVERIFY(guessed.rows.cell(1, 2).isEmpty());
        QVERIFY(guessed.rows.cell(2, 0).isEmpty());
        const CsvFile::Table chosen = CsvFile::read(bytes, QLatin1Char(','));
        QCOMPARE(chosen.separator, QLatin1Char(','));
        QCOMPARE(chosen.rows.toLists(), (Rows{{"ROSSI", " MARIO;00100;X"}, {"VERDI ANNA;20121"}}));
    }
};

QTEST_GUILESS_MAIN(TestCsvFile)
#include "tst_csvfile.moc"
