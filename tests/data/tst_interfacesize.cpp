// The interface size: how the stored choice reads, that storing it leaves the rest of the settings
// file as it was, and the scale a form is drawn at on a screen.

#include "CoreSupport.h"

#include "data/InterfaceSize.h"
#include "data/Platform.h"

#include <QFile>
#include <QTest>

class TestInterfaceSize : public QObject {
    Q_OBJECT
private slots:
    void storedValueReads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("choice");
        QTest::newRow("no file") << QByteArray() << 100;
        QTest::newRow("Automatica") << QByteArray("[Interfaccia]\r\nDimensione=Automatica\r\n")
                                    << InterfaceSize::automatic;
        QTest::newRow("150") << QByteArray("[interfaccia]\r\ndimensione= 150 \r\n") << 150;
        QTest::newRow("a size not offered") << QByteArray("[Interfaccia]\r\nDimensione=175\r\n") << 100;
        QTest::newRow("0 is no percentage") << QByteArray("[Interfaccia]\r\nDimensione=0\r\n") << 100;
        QTest::newRow("text") << QByteArray("[Interfaccia]\r\nDimensione=grande\r\n") << 100;
    }

    void storedValueReads()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, choice);
        TestSupport::Folder folder;
        if (!file.isEmpty()) {
            QFile ini(ProgramFolder::file(QStringLiteral("Tassella.ini")));
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write(file);
        }
        QCOMPARE(InterfaceSize::read(), choice);
    }

    // The print margins written before stay byte for byte; the size has a section of its own.
    void writingKeepsTheMargins()
    {
        TestSupport::Folder folder;
        const QByteArray margins("[Margini Stampa]\r\nSuperiore=-2\r\nSinistro=3\r\n");
        QFile ini(ProgramFolder::file(QStringLiteral("Tassella.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(margins);
        ini.close();
        QVERIFY(InterfaceSize::write(InterfaceSize::automatic));
        QVERIFY(InterfaceSize::write(125));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), margins + "[Interfaccia]\r\nDimensione=125\r\n");
        QCOMPARE(InterfaceSize::read(), 125);
    }

    // A form never leaves the screen's free area with its frame; Automatica fills it with a work form.
    void scaleFitsTheScreen_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QSize>("form");
        QTest::addColumn<QSize>("area");
        QTest::addColumn<double>("scale");
        const QSize work = InterfaceSize::workForm;
        // 1366 × 768 at 125 %: 1093 × 614 free, less a task bar.
        QTest::newRow("100 % on a small screen") << 100 << work << QSize(1093, 590) << 0.79;
        QTest::newRow("Automatica on a small screen") << InterfaceSize::automatic << work << QSize(1093, 590) << 0.79;
        QTest::newRow("100 % on a large screen") << 100 << work << QSize(1920, 1040) << 1.0;
        QTest::newRow("Automatica on a large screen") << InterfaceSize::automatic << work << QSize(1920, 1040) << 1.44;
        QTest::newRow("Automatica, a small dialog")
            << InterfaceSize::automatic << QSize(400, 300) << QSize(1920, 1040) << 1.44;
        QTest::newRow("200 %, a small dialog") << 200 << QSize(400, 300) << QSize(1366, 728) << 2.0;
        QTest::newRow("200 %, a work form larger than the screen") << 200 << work << QSize(2732, 1300) << 1.82;
        QTest::newRow("Automatica never beyond 200 %") << InterfaceSize::automatic << work << QSize(5120, 2840) << 2.0;
    }

    void scaleFitsTheScreen()
    {
        QFETCH(int, choice);
        QFETCH(QSize, form);
        QFETCH(QSize, area);
        QFETCH(double, scale);
        const double got = InterfaceSize::scaleFor(choice, form, area);
        QVERIFY2(qAbs(got - scale) < 0.006, qPrintable(QString::number(got)));
        const QSize drawn = form * got + InterfaceSize::frameAllowance;
        QVERIFY(drawn.width() <= area.width() && drawn.height() <= area.height());
    }
};

QTEST_MAIN(TestInterfaceSize)
#include "tst_interfacesize.moc"
