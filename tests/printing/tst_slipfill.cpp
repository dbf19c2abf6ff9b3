// The slip template's objects and what the print puts into them, without any window.

#include "printing/SlipFill.h"
#include "printing/SlipTemplate.h"
#include "slips/SlipRecord.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

class TestSlipFill : public QObject {
    Q_OBJECT

private:
    static QHash<QString, QString> fill(const QHash<QString, QString>& fields, const QSet<QString>& checked = {})
    {
        return SlipFill::texts({fields, checked});
    }
    static QStringList row(const QHash<QString, QString>& out, const char* prefix, int count)
    {
        QStringList boxes;
        for (int i = 1; i <= count; ++i)
            boxes.append(out.value(SlipTemplate::boxName(prefix, i), QStringLiteral("<missing>")));
        return boxes;
    }

private slots:
    void everyNameIsFoundOnce()
    {
        const auto objects = SlipTemplate::texts();
        QCOMPARE(int(objects.size()), 139);
        QSet<QString> names;
        for (const auto& object : objects) {
            const QString name = QString::fromLatin1(object.name);
            QVERIFY2(!names.contains(name), object.name);
            names.insert(name);
            const Report::TextDef* found = SlipTemplate::find(name);
            QVERIFY2(found == &object, object.name);
        }
        QVERIFY(!SlipTemplate::find(QStringLiteral("txtImporto_C_09")));
        QVERIFY(!SlipTemplate::find(QStringLiteral("txtimporto_a")));
    }

    // Each section of the form lies in its band of the sheet; a mistyped top or section shows up here.
    void objectsLieInTheirSection()
    {
        int counts[3] = {0, 0, 0};
        for (const auto& object : SlipTemplate::texts()) {
            const auto section = SlipTemplate::sectionOf(QString::fromLatin1(object.name));
            ++counts[int(section)];
            const double from = object.top;
            const double to = object.top + object.height;
            const auto [low, high] = section == SlipTemplate::Section::A ? std::pair{250.0, 322.0}
                : section == SlipTemplate::Section::B                    ? std::pair{170.0, 242.0}
                                                                         : std::pair{7.8, 151.0};
            QVERIFY2(from >= low && to <= high, object.name);
            QVERIFY(object.left + object.width <= SlipTemplate::def().page.width);
            // Common to every object of the slip.
            QCOMPARE(object.rotation, 90);
            QCOMPARE(QLatin1String(object.font), QLatin1String("Verdana"));
            QVERIFY(!object.bold && !object.wordWrap);
            QCOMPARE(object.expressions, QLatin1String(object.name) == QLatin1String("txtImporto_A"));
        }
        QCOMPARE(counts[0], 8);
        QCOMPARE(counts[1], 8);
        QCOMPARE(counts[2], 123);
    }

    // Every row has as many boxes as its slip record field holds characters, and the boxes climb the sheet.
    void boxRowsMatchTheRecordFields()
    {
        const RecordLayout& layout = SlipRecord::layout();
        int boxes = 0;
        for (const auto& row : SlipTemplate::boxRows()) {
            const char* field = row.sourceField + 3; // the control name without its prefix
            const int index = layout.indexOf(field);
            QVERIFY2(index >= 0, field);
            QCOMPARE(row.count, layout.capacity(index));
            for (int i = 1; i < row.count; ++i)
                QVERIFY2(row.tops[i] < row.tops[i - 1], row.prefix);
            if (row.count < int(std::size(row.tops)))
                QCOMPARE(row.tops[row.count], 0.0); // no stray top beyond the last box
            boxes += row.count;
        }
        QCOMPARE(boxes, 118); // the sex box counts with the five other objects of section C
        QCOMPARE(layout.capacity(layout.indexOf("Sesso")), 1);
    }

    // Every one of the 139 objects as the form has it, read through the engine's find by name:
    // place, size, font size, alignment, rotation and default text. Sections A and B and the whole
    // texts of C one by one; the character boxes row by row, with their tops box by box.
    void everyObjectAsTheFormHasIt_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("align");
        QTest::addColumn<QStringList>("lines"); // the default text
        using Report::HAlign;
        QTest::newRow("txtImporto_A") << "txtImporto_A" << 119.0 << 261.0 << 6.0 << 32.0 << 9.0 << int(HAlign::Right)
                                      << QStringList{"Importo A"};
        QTest::newRow("txtCents_A") << "txtCents_A" << 119.0 << 250.0 << 6.0 << 8.0 << 9.0 << int(HAlign::Right)
                                    << QStringList{"00"};
        QTest::newRow("txtImpLettere_A") << "txtImpLettere_A" << 124.0 << 250.0 << 5.0 << 72.0 << 8.0
                                         << int(HAlign::Left) << QStringList{"CIFRA IN LETTERE"};
        QTest::newRow("txtEsecutore_A1") << "txtEsecutore_A1" << 145.0 << 250.0 << 5.0 << 71.0 << 7.0
                                         << int(HAlign::Left) << QStringList{"ESECUTORE RIGO 1 SEZ A", ""};
        QTest::newRow("txtEsecutore_A2") << "txtEsecutore_A2" << 149.0 << 250.0 << 5.0 << 71.0 << 7.0
                                         << int(HAlign::Left) << QStringList{"ESECUTORE RIGO 2 SEZ A"};
        QTest::newRow("txtRilascio_A") << "txtRilascio_A" << 160.0 << 305.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre)
                                       << QStringList{""};
        QTest::newRow("txtAnnuale_A") << "txtAnnuale_A" << 168.0 << 305.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre)
                                      << QStringList();
        QTest::newRow("txtIntegrazione_A")
            << "txtIntegrazione_A" << 176.2 << 305.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre) << QStringList();
        QTest::newRow("txtImporto_B") << "txtImporto_B" << 119.0 << 181.0 << 6.0 << 32.0 << 9.0 << int(HAlign::Right)
                                      << QStringList{"Importo A"};
        QTest::newRow("txtCents_B") << "txtCents_B" << 119.0 << 170.0 << 6.0 << 8.0 << 9.0 << int(HAlign::Right)
                                    << QStringList{"00"};
        QTest::newRow("txtImpLettere_B") << "txtImpLettere_B" << 124.0 << 170.0 << 5.0 << 72.0 << 8.0
                                         << int(HAlign::Left) << QStringList{"CIFRA IN LETTERE"};
        QTest::newRow("txtEsecutore_B1") << "txtEsecutore_B1" << 145.0 << 170.0 << 5.0 << 71.0 << 7.0
                                         << int(HAlign::Left) << QStringList{"ESECUTORE RIGO 1 SEZ A"};
        QTest::newRow("txtEsecutore_B2") << "txtEsecutore_B2" << 149.0 << 170.0 << 5.0 << 71.0 << 7.0
                                         << int(HAlign::Left) << QStringList{"ESECUTORE RIGO 2 SEZ A"};
        QTest::newRow("txtRilascio_B") << "txtRilascio_B" << 160.0 << 224.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre)
                                       << QStringList();
        QTest::newRow("txtAnnuale_B") << "txtAnnuale_B" << 168.0 << 224.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre)
                                      << QStringList();
        QTest::newRow("txtIntegrazione_B")
            << "txtIntegrazione_B" << 176.2 << 224.0 << 6.0 << 6.0 << 9.0 << int(HAlign::Centre) << QStringList();
        QTest::newRow("txtImpLettere_C") << "txtImpLettere_C" << 120.0 << 9.0 << 5.0 << 125.0 << 8.0
                                         << int(HAlign::Left) << QStringList{"CIFRA IN LETTERE"};
        QTest::newRow("txtIntegrazione_C")
            << "txtIntegrazione_C" << 148.0 << 115.0 << 5.0 << 4.0 << 9.0 << int(HAlign::Centre) << QStringList{"X"};
        QTest::newRow("txtAnnuale_C") << "txtAnnuale_C" << 148.0 << 132.5 << 5.0 << 4.0 << 9.0 << int(HAlign::Centre)
                                      << QStringList{"X"};
        QTest::newRow("txtRilascio_C") << "txtRilascio_C" << 148.0 << 147.0 << 5.0 << 4.0 << 9.0 << int(HAlign::Centre)
                                       << QStringList{"X"};
        QTest::newRow("txtSesso") << "txtSesso" << 162.0 << 101.5 << 5.0 << 4.0 << 9.0 << int(HAlign::Centre)
                                  << QStringList{"X"};

        struct BoxRow {
            const char* prefix;
            int count;
            double left;
            const char* tops; // of boxes 01, 02, ...
        };
        const BoxRow rows[] = {
            {"txtImporto_C", 8, 113.5, "49, 44.6, 40.3, 36, 32, 28, 23.5, 19"},
            {"txtCents_C", 2, 113.5, "14, 9.9"},
            {"txtCodTariffa_C", 4, 146.0, "101.5, 97.3, 93.4, 89.2"},
            {"txtAnno_C", 2, 146.0, "82.5, 78.4"},
            {"txtCodFisc_C", 16, 146.0,
             "71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 46.5, 42, 37.5, 33, 29, 24.8, 20.5, 16.5, 12.2, 7.8"},
            {"txtEsecutore_C", 23, 154.0,
             "101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, "
             "24.8, 20.5, 16.5, 12.2, 7.8"},
            {"txtGG_C", 2, 162.0, "93.2, 89"},
            {"txtMM_C", 2, 162.0, "85, 80.5"},
            {"txtAA_C", 2, 162.0, "76.3, 71.6"},
            {"txtComuneNasc_C", 11, 162.0, "63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, 24.8, 20.5"},
            {"txtProvNasc_C", 2, 162.0, "12.2, 7.8"},
            {"txtIndirizzoRes_C", 20, 170.0,
             "101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33, 29, "
             "24.8, 20.5"},
            {"txtProvRes_C", 2, 170.0, "12.2, 7.8"},
            {"txtComuneRes_C", 17, 178.0,
             "101.5, 97.3, 93.2, 89, 84.6, 80.5, 75.9, 71.6, 67.4, 63.1, 58.8, 54.4, 50.2, 45.9, 41.4, 37.2, 33"},
            {"txtCapRes_C", 5, 178.0, "24.8, 20.5, 16.5, 12.3, 7.8"},
        };
        int boxes = 0;
        for (const BoxRow& row : rows) {
            const QStringList tops = QString::fromLatin1(row.tops).split(QStringLiteral(", "));
            QCOMPARE(tops.size(), row.count);
            for (int i = 0; i < row.count; ++i, ++boxes) {
                const QString name =
                    QStringLiteral("%1_%2").arg(QLatin1String(row.prefix)).arg(i + 1, 2, 10, QLatin1Char('0'));
                QTest::newRow(qPrintable(name)) << name << row.left << tops.at(i).toDouble() << 5.0 << 4.0 << 9.0
                                                << int(HAlign::Centre) << QStringList{"X"};
            }
        }
        QCOMPARE(boxes, 118);
    }
    void everyObjectAsTheFormHasIt()
    {
        QFETCH(QString, name);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, size);
        QFETCH(int, align);
        QFETCH(QStringList, lines);
        const Report::Template report(SlipTemplate::def());
        const Report::TextObject* object = report.text(name);
        QVERIFY(object);
        QCOMPARE(object->band, QString());
        QCOMPARE(object->left, left);
        QCOMPARE(object->top, top);
        QCOMPARE(object->width, width);
        QCOMPARE(object->height, height);
        QCOMPARE(object->size, size);
        QCOMPARE(int(object->align), align);
        QCOMPARE(object->rotation, 90);
        QCOMPARE(object->font, QStringLiteral("Verdana"));
        QVERIFY(!object->bold);
        QCOMPARE(object->colour, Report::black);
        QCOMPARE(object->fill, Report::noFill);
        QCOMPARE(object->valign, Report::VAlign::Top);
        QVERIFY(!object->wordWrap);
        QCOMPARE(object->expressions, name == QLatin1String("txtImporto_A"));
        QCOMPARE(object->lines, lines);
    }

    // The template holds its page and the 139 texts of the table above, and nothing else.
    void pageAndNothingElse()
    {
        const Report::Template report(SlipTemplate::def());
        QCOMPARE(report.name(), QStringLiteral("Tassella"));
        const Report::Page& page = report.page();
        QCOMPARE(page.name, QStringLiteral("Page1"));
        QCOMPARE(report.find(QStringLiteral("Page1")), &page);
        QCOMPARE(page.width, 203.0);
        QCOMPARE(page.height, 327.0);
        QCOMPARE(page.paperCode, Report::paperCustom);
        QCOMPARE(page.orientation, Report::Orientation::Portrait);
        QCOMPARE(page.leftMargin, 0.0);
        QCOMPARE(page.rightMargin, 0.0);
        QCOMPARE(page.topMargin, 0.0);
        QCOMPARE(page.bottomMargin, 0.0);
        QVERIFY(report.bands().empty());
        QVERIFY(report.pictures().empty());
        QVERIFY(report.lines().empty());
        QCOMPARE(int(report.texts().size()), 139);
        QCOMPARE(
            report.previewButtons(),
            unsigned(Report::PreviewPrint | Report::PreviewZoom | Report::PreviewFullScreen | Report::PreviewClose));
    }

    // What the print puts into the objects for the editor's fields and check boxes. An expectation
    // names an object, or a row of boxes as "prefix[count]" with its boxes joined by "|".
    void fillsTheObjects_data()
    {
        QTest::addColumn<QStringList>("fields"); // "control=value"
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("expected"); // "object=text"
        QTest::newRow("amount and cents")
            << QStringList{"txtImporto= 120 ", "txtCents=50", "txtImpLettere=CENTOVENTI"} << QStringList()
            << QStringList{"txtImporto_A=120",
                           "txtCents_A=50",
                           "txtImpLettere_A=CENTOVENTI/50",
                           "txtImporto_B=120",
                           "txtCents_B=50",
                           "txtImpLettere_B=CENTOVENTI/50",
                           "txtImpLettere_C=CENTOVENTI/50",
                           "txtImporto_C[8]=|||||1|2|0",
                           "txtCents_C[2]=5|0"};
        QTest::newRow("empty amount") << QStringList{"txtImporto=  ", "txtCents=00"} << QStringList()
                                      << QStringList{
                                             "txtImporto_A=",       "txtImporto_B=",           "txtImpLettere_A=/00",
                                             "txtImpLettere_C=/00", "txtImporto_C[8]=|||||||", "txtCents_C[2]=0|0"};
        QTest::newRow("separators around empty values")
            << QStringList() << QStringList()
            << QStringList{"txtEsecutore_A1= C.F. ", "txtEsecutore_B2= -  ", "txtImpLettere_B=/"};
        QTest::newRow("separators between values")
            << QStringList{"txtEsecutore=ROSSI MARIO ", "txtCodFisc=RSSMRA80A01H501U", "txtIndirizzoRes=VIA ROMA 1",
                           "txtComuneRes= MILANO", "txtProvRes=MI"}
            << QStringList()
            << QStringList{"txtEsecutore_A1=ROSSI MARIO C.F. RSSMRA80A01H501U",
                           "txtEsecutore_B1=ROSSI MARIO C.F. RSSMRA80A01H501U",
                           "txtEsecutore_A2=VIA ROMA 1 - MILANO MI"};
        QTest::newRow("name and tax code boxes")
            << QStringList{"txtEsecutore=ROSSI MARIO", "txtCodFisc=RSSMRA80A01H501U"} << QStringList()
            << QStringList{"txtEsecutore_C[23]=R|O|S|S|I||M|A|R|I|O||||||||||||",
                           "txtCodFisc_C[16]=R|S|S|M|R|A|8|0|A|0|1|H|5|0|1|U", "txtCodFisc_C_01=R",
                           "txtCodFisc_C_16=U"};
        QTest::newRow("every row from its field") << QStringList{"txtCodTariffa=8055",
                                                                 "txtAnnoTariffa=07",
                                                                 "txtSesso=F",
                                                                 "txtGG=01",
                                                                 "txtMM=12",
                                                                 "txtAA=80",
                                                                 "txtComuneNasc=ROMA",
                                                                 "txtProvNasc=RM",
                                                                 "txtIndirizzoRes=VIA VERDI 2",
                                                                 "txtProvRes=TO",
                                                                 "txtComuneRes=TORINO",
                                                                 "txtCapRes=10100"}
                                                  << QStringList()
                                                  << QStringList{"txtCodTariffa_C[4]=8|0|5|5",
                                                                 "txtAnno_C[2]=0|7",
                                                                 "txtSesso=F",
                                                                 "txtGG_C[2]=0|1",
                                                                 "txtMM_C[2]=1|2",
                                                                 "txtAA_C[2]=8|0",
                                                                 "txtComuneNasc_C[11]=R|O|M|A|||||||",
                                                                 "txtProvNasc_C[2]=R|M",
                                                                 "txtIndirizzoRes_C[20]=V|I|A||V|E|R|D|I||2|||||||||",
                                                                 "txtProvRes_C[2]=T|O",
                                                                 "txtComuneRes_C[17]=T|O|R|I|N|O|||||||||||",
                                                                 "txtCapRes_C[5]=1|0|1|0|0"};
        QTest::newRow("marks follow the check boxes")
            << QStringList() << QStringList{"chkAnnuale"}
            << QStringList{
                   "txtAnnuale_A=X",     "txtRilascio_A=", "txtIntegrazione_A=", "txtAnnuale_B=X",    "txtRilascio_B=",
                   "txtIntegrazione_B=", "txtAnnuale_C=X", "txtRilascio_C=",     "txtIntegrazione_C="};
    }
    void fillsTheObjects()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, expected);
        QHash<QString, QString> values;
        for (const QString& field : fields)
            values.insert(field.section(QLatin1Char('='), 0, 0), field.section(QLatin1Char('='), 1));
        const auto out = fill(values, QSet<QString>(checked.begin(), checked.end()));
        static const QRegularExpression rowKey(QStringLiteral("^(\\w+)\\[(\\d+)\\]$"));
        for (const QString& expectation : expected) {
            const QString key = expectation.section(QLatin1Char('='), 0, 0);
            const QRegularExpressionMatch match = rowKey.match(key);
            const QString actual = match.hasMatch()
                ? row(out, qPrintable(match.captured(1)), match.captured(2).toInt()).join(QLatin1Char('|'))
                : out.value(key, QStringLiteral("<missing>"));
            QVERIFY2(actual == expectation.section(QLatin1Char('='), 1),
                     qPrintable(QStringLiteral("%1: %2").arg(key, actual)));
        }
    }

    // Rows are brought to their box count: amounts keep their last characters, other data their first.
    void boxTexts_data()
    {
        QTest::addColumn<QString>("datum");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("right");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("right, short") << "7" << 2 << true << QStringList{"", "7"};
        QTest::newRow("right, too long") << "123456789" << 8 << true
                                         << QStringList{"2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("left, short") << "AB" << 4 << false << QStringList{"A", "B", "", ""};
        QTest::newRow("left, too long") << "ABCDEF" << 4 << false << QStringList{"A", "B", "C", "D"};
        QTest::newRow("left, blanks inside") << "A B" << 4 << false << QStringList{"A", "", "B", ""};
        QTest::newRow("empty") << "" << 2 << false << QStringList{"", ""};
    }
    void boxTexts()
    {
        QFETCH(QString, datum);
        QFETCH(int, count);
        QFETCH(bool, right);
        QFETCH(QStringList, boxes);
        QCOMPARE(SlipFill::boxTexts(datum, count, right), boxes);
    }

    // Every object receives a text, so no default text is left to print.
    void everyObjectIsFilled()
    {
        const auto out = fill({});
        QCOMPARE(out.size(), 139);
        for (const auto& object : SlipTemplate::texts()) {
            const QString name = QString::fromLatin1(object.name);
            QVERIFY2(out.contains(name), object.name);
            if (!name.startsWith(QLatin1String("txtEsecutore_")) && !name.startsWith(QLatin1String("txtImpLettere")))
                QVERIFY2(out.value(name).isEmpty(), object.name);
        }
    }
};

QTEST_GUILESS_MAIN(TestSlipFill)
#include "tst_slipfill.moc"
