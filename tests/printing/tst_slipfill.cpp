// The slip template's objects and what the print puts into them, without any window.

#include "printing/SlipFill.h"
#include "printing/SlipTemplate.h"
#include "slips/SlipRecord.h"

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
            const auto [low, high] = section == SlipTemplate::Section::A   ? std::pair{250.0, 322.0}
                                     : section == SlipTemplate::Section::B ? std::pair{170.0, 242.0}
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

    void knownPositions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("size");
        QTest::newRow("codfisc 16") << "txtCodFisc_C_16" << 146.0 << 7.8 << 5.0 << 4.0 << 9.0;
        QTest::newRow("cap 01") << "txtCapRes_C_01" << 178.0 << 24.8 << 5.0 << 4.0 << 9.0;
        QTest::newRow("cap 04") << "txtCapRes_C_04" << 178.0 << 12.3 << 5.0 << 4.0 << 9.0;
        QTest::newRow("importo A") << "txtImporto_A" << 119.0 << 261.0 << 6.0 << 32.0 << 9.0;
        QTest::newRow("esecutore B2") << "txtEsecutore_B2" << 149.0 << 170.0 << 5.0 << 71.0 << 7.0;
        QTest::newRow("integrazione A") << "txtIntegrazione_A" << 176.2 << 305.0 << 6.0 << 6.0 << 9.0;
        QTest::newRow("lettere C") << "txtImpLettere_C" << 120.0 << 9.0 << 5.0 << 125.0 << 8.0;
        QTest::newRow("sesso") << "txtSesso" << 162.0 << 101.5 << 5.0 << 4.0 << 9.0;
    }
    void knownPositions()
    {
        QFETCH(QString, name);
        const Report::TextDef* object = SlipTemplate::find(name);
        QVERIFY(object);
        QFETCH(double, left);
        QFETCH(double, top);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(double, size);
        QCOMPARE(object->left, left);
        QCOMPARE(object->top, top);
        QCOMPARE(object->width, width);
        QCOMPARE(object->height, height);
        QCOMPARE(object->size, size);
    }

    void amountAndCents()
    {
        const auto out = fill({{"txtImporto", " 120 "}, {"txtCents", "50"}, {"txtImpLettere", "CENTOVENTI"}});
        for (const char* s : {"A", "B"}) {
            QCOMPARE(out.value(QStringLiteral("txtImporto_") + QLatin1String(s)), QStringLiteral("120"));
            QCOMPARE(out.value(QStringLiteral("txtCents_") + QLatin1String(s)), QStringLiteral("50"));
            QCOMPARE(out.value(QStringLiteral("txtImpLettere_") + QLatin1String(s)), QStringLiteral("CENTOVENTI/50"));
        }
        QCOMPARE(out.value("txtImpLettere_C"), QStringLiteral("CENTOVENTI/50"));
        QCOMPARE(row(out, "txtImporto_C", 8), (QStringList{"", "", "", "", "", "1", "2", "0"}));
        QCOMPARE(row(out, "txtCents_C", 2), (QStringList{"5", "0"}));
    }

    void emptyAmount()
    {
        const auto out = fill({{"txtImporto", "  "}, {"txtCents", "00"}});
        QCOMPARE(out.value("txtImporto_A"), QString());
        QCOMPARE(out.value("txtImporto_B"), QString());
        QCOMPARE(out.value("txtImpLettere_A"), QStringLiteral("/00"));
        QCOMPARE(out.value("txtImpLettere_C"), QStringLiteral("/00"));
        QCOMPARE(row(out, "txtImporto_C", 8), QStringList(8, QString()));
        QCOMPARE(row(out, "txtCents_C", 2), (QStringList{"0", "0"}));
    }

    void separatorsStayAroundEmptyValues()
    {
        auto out = fill({});
        QCOMPARE(out.value("txtEsecutore_A1"), QStringLiteral(" C.F. "));
        QCOMPARE(out.value("txtEsecutore_B2"), QStringLiteral(" -  "));
        QCOMPARE(out.value("txtImpLettere_B"), QStringLiteral("/"));
        out = fill({{"txtEsecutore", "ROSSI MARIO "},
                    {"txtCodFisc", "RSSMRA80A01H501U"},
                    {"txtIndirizzoRes", "VIA ROMA 1"},
                    {"txtComuneRes", " MILANO"},
                    {"txtProvRes", "MI"}});
        QCOMPARE(out.value("txtEsecutore_A1"), QStringLiteral("ROSSI MARIO C.F. RSSMRA80A01H501U"));
        QCOMPARE(out.value("txtEsecutore_B1"), QStringLiteral("ROSSI MARIO C.F. RSSMRA80A01H501U"));
        QCOMPARE(out.value("txtEsecutore_A2"), QStringLiteral("VIA ROMA 1 - MILANO MI"));
    }

    void nameAndTaxCodeBoxes()
    {
        const auto out = fill({{"txtEsecutore", "ROSSI MARIO"}, {"txtCodFisc", "RSSMRA80A01H501U"}});
        const QStringList name = row(out, "txtEsecutore_C", 23);
        QCOMPARE(name.mid(0, 11), (QStringList{"R", "O", "S", "S", "I", "", "M", "A", "R", "I", "O"}));
        QCOMPARE(name.mid(11), QStringList(12, QString()));
        QCOMPARE(row(out, "txtCodFisc_C", 16).join(QString()), QStringLiteral("RSSMRA80A01H501U"));
        QCOMPARE(out.value("txtCodFisc_C_01"), QStringLiteral("R"));
        QCOMPARE(out.value("txtCodFisc_C_16"), QStringLiteral("U"));
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

    void everyRowFromItsField()
    {
        const auto out = fill({{"txtCodTariffa", "8055"},
                               {"txtAnnoTariffa", "07"},
                               {"txtSesso", "F"},
                               {"txtGG", "01"},
                               {"txtMM", "12"},
                               {"txtAA", "80"},
                               {"txtComuneNasc", "ROMA"},
                               {"txtProvNasc", "RM"},
                               {"txtIndirizzoRes", "VIA VERDI 2"},
                               {"txtProvRes", "TO"},
                               {"txtComuneRes", "TORINO"},
                               {"txtCapRes", "10100"}});
        QCOMPARE(row(out, "txtCodTariffa_C", 4).join('|'), QStringLiteral("8|0|5|5"));
        QCOMPARE(row(out, "txtAnno_C", 2).join('|'), QStringLiteral("0|7"));
        QCOMPARE(out.value("txtSesso"), QStringLiteral("F"));
        QCOMPARE(row(out, "txtGG_C", 2).join('|'), QStringLiteral("0|1"));
        QCOMPARE(row(out, "txtMM_C", 2).join('|'), QStringLiteral("1|2"));
        QCOMPARE(row(out, "txtAA_C", 2).join('|'), QStringLiteral("8|0"));
        QCOMPARE(row(out, "txtComuneNasc_C", 11).join('|'), QStringLiteral("R|O|M|A|||||||"));
        QCOMPARE(row(out, "txtProvNasc_C", 2).join('|'), QStringLiteral("R|M"));
        QCOMPARE(row(out, "txtIndirizzoRes_C", 20).join(QString()), QStringLiteral("VIAVERDI2"));
        QCOMPARE(row(out, "txtProvRes_C", 2).join('|'), QStringLiteral("T|O"));
        QCOMPARE(row(out, "txtComuneRes_C", 17).join(QString()), QStringLiteral("TORINO"));
        QCOMPARE(row(out, "txtCapRes_C", 5).join('|'), QStringLiteral("1|0|1|0|0"));
    }

    void marksFollowTheCheckBoxes()
    {
        const auto out = fill({}, {QStringLiteral("chkAnnuale")});
        for (const char* s : {"A", "B", "C"}) {
            QCOMPARE(out.value(QStringLiteral("txtAnnuale_") + QLatin1String(s)), QStringLiteral("X"));
            QCOMPARE(out.value(QStringLiteral("txtRilascio_") + QLatin1String(s)), QString());
            QCOMPARE(out.value(QStringLiteral("txtIntegrazione_") + QLatin1String(s)), QString());
        }
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
