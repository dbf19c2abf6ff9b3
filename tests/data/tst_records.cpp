// Both archive formats at the byte level: the record layouts, the short-string encoding, and the
// record file that opens, creates, appends to and overwrites them.

#include "ReadOnly.h"
#include "CoreSupport.h"

#include "data/CodePage.h"
#include "data/RecordFile.h"
#include "data/RecordLayout.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <optional>

namespace {
// A short string field built by hand: length byte, value bytes, zeros up to the capacity.
QByteArray field(const QByteArray& value, int capacity)
{
    QByteArray bytes(1, static_cast<char>(value.size()));
    bytes += value;
    bytes += QByteArray(capacity - value.size(), '\0');
    return bytes;
}

QByteArray slipBytes(const QByteArray& importo, const QByteArray& esecutore)
{
    Record record(SlipRecord::layout());
    record.setText("Importo", QString::fromLatin1(importo));
    record.setText("Esecutore", QString::fromLatin1(esecutore));
    return record.bytes();
}
// What keeps an archive from being opened for writing.
enum class Obstacle { UnwritableArchive, UnwritableFolder, FolderInTheWay };
} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void layoutsMatchTheFileFormats_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        const struct {
            bool payer;
            const char* name;
            int offset;
            int capacity;
        } cases[] = {
            {false, "Importo", 0, 8},        {false, "Cents", 9, 2},        {false, "ImpLettere", 12, 250},
            {false, "Intero", 266, 11},      {false, "CodFisc", 286, 16},   {false, "Esecutore", 303, 23},
            {false, "CapRes", 395, 5},       {false, "DataScade", 401, 10}, {false, "Saldato", 925, 2},
            {false, "Integrazione", 934, 2}, {false, "File01", 937, 250},   {false, "Desc03", 2192, 250},
            {true, "Esecutore", 0, 23},      {true, "Sesso", 48, 1},        {true, "ProvRes", 122, 2},
            {true, "ComuneRes", 125, 17},    {true, "Email", 324, 50},      {true, "Iban", 466, 27},
            {true, "CodTariffa", 669, 4},    {true, "Ricontatta", 1176, 2}, {true, "File01", 1179, 250},
            {true, "Desc01", 1932, 250},     {true, "Desc03", 2434, 250},
        };
        for (const auto& c : cases)
            QTest::newRow(QByteArray(c.payer ? "payer " : "slip ").append(c.name).constData())
                << c.payer << QString::fromLatin1(c.name) << c.offset << c.capacity;
    }

    void layoutsMatchTheFileFormats()
    {
        QFETCH(bool, payer);
        QFETCH(QString, name);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = payer ? PayerRecord::layout() : SlipRecord::layout();
        QCOMPARE(layout.size(), payer ? 2685 : 2443);
        QCOMPARE(layout.fieldCount(), payer ? 38 : 33);
        const int index = layout.indexOf(name.toLatin1().constData());
        QVERIFY(index >= 0);
        QCOMPARE(layout.offset(index), offset);
        QCOMPARE(layout.capacity(index), capacity);
    }

    void shortStringsAreStoredInTheCodePage_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("plain") << "ROSSI MARIO" << QByteArray("ROSSI MARIO");
        QTest::newRow("a grave") << QString::fromUtf8("FORLÌ à") << QByteArray("FORL\xCC \xE0");
        QTest::newRow("euro sign") << QString::fromUtf8("5 €") << QByteArray("5 \x80");
        QTest::newRow("outside the code page") << QString::fromUtf8("Łódź")
                                               << QByteArray("?\xF3"
                                                             "d?");
        QTest::newRow("bytes the code page leaves undefined") << QString::fromUtf16(u"A\u0081\u008D\u008F\u0090\u009DB")
                                                              << QByteArray("A\x81\x8D\x8F\x90\x9D"
                                                                            "B");
        QTest::newRow("emoji is one character") << QString::fromUtf8("A😀B") << QByteArray("A?B");
        QTest::newRow("trimmed of codes 0 to 32") << QString::fromUtf8("\t  VERDI \r\n") << QByteArray("VERDI");
        QTest::newRow("cut to the capacity") << QString(30, QLatin1Char('X')) << QByteArray(23, 'X');
        QTest::newRow("empty") << QString() << QByteArray();
        // The five bytes Windows-1252 leaves undefined stand for the control characters of the same code.
        QTest::newRow("undefined bytes") << QString::fromUtf8("A\u0081\u008D\u008F\u0090\u009DZ")
                                         << QByteArray("A\x81\x8D\x8F\x90\x9DZ");
    }

    void shortStringsAreStoredInTheCodePage()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, stored);
        Record record(SlipRecord::layout());
        // Leftovers of an earlier, longer value must not survive after the new one.
        record.setText("Esecutore", QString(23, QLatin1Char('Z')));
        record.setText("Esecutore", value);
        QCOMPARE(record.bytes().mid(303, 24), field(stored, 23));
        QCOMPARE(record.text("Esecutore"), CodePage::decode(stored));
    }

    void readingToleratesForeignRecords()
    {
        // Written by another program: a length byte above the capacity, blanks around a value,
        // a flag that is neither "Sì" nor "No".
        QByteArray bytes(2443, 'Q');
        bytes[303] = char(200);                               // name: length 200, capacity 23
        bytes.replace(327, 2, QByteArray("\x01M", 2));        // sex
        bytes.replace(329, 3, QByteArray("\x02 7", 3));       // day " 7"
        bytes.replace(925, 3, QByteArray("\x00\x00\x00", 3)); // Saldato: empty
        bytes.replace(928, 3, QByteArray("\x02S\xEC", 3));    // Rilascio: Sì
        bytes.replace(931, 3, QByteArray("\x02No", 3));       // Annuale: No
        const Record record(SlipRecord::layout(), bytes);
        QCOMPARE(record.text("Esecutore"), QString(23, QLatin1Char('Q'))); // never beyond the field
        QCOMPARE(record.text("Sesso"), QStringLiteral("M"));
        QCOMPARE(record.text("GG"), QStringLiteral("7"));
        QCOMPARE(record.flag("Saldato"), Record::Flag::Unknown);
        QCOMPARE(record.flag("Rilascio"), Record::Flag::Yes);
        QCOMPARE(record.flag("Annuale"), Record::Flag::No);
    }

    // A record written elsewhere, loaded and saved unchanged, gives the same bytes back.
    void unchangedRecordSavesTheSameBytes()
    {
        QByteArray bytes(2443, '\0');
        const QByteArray odd("\x81\x8D\x8F\x90\x9D \x80\xE8", 8);
        const QByteArray stored = QByteArray(1, char(odd.size())).append(odd);
        bytes.replace(303, stored.size(), stored); // Esecutore
        bytes.replace(12, stored.size(), stored);  // ImpLettere
        const Record loaded(SlipRecord::layout(), bytes);
        Record saved(SlipRecord::layout());
        for (int i = 0; i < SlipRecord::layout().fieldCount(); ++i) {
            const char* name = SlipRecord::layout().name(i);
            saved.setText(name, loaded.text(name));
        }
        QCOMPARE(saved.bytes(), bytes);
    }

    void flagsAreSiAndNo()
    {
        Record record(PayerRecord::layout());
        record.setFlag("Ricontatta", true);
        QCOMPARE(record.bytes().mid(1176, 3), QByteArray("\x02S\xEC", 3));
        record.setFlag("Ricontatta", false);
        QCOMPARE(record.bytes().mid(1176, 3), QByteArray("\x02No", 3));
    }

    void missingArchiveIsCreatedOnFirstUse()
    {
        TestSupport::Folder session;
        const QString path = SlipRecord::archivePath(QStringLiteral("2024"));
        QCOMPARE(path, session.folder() + QStringLiteral("/2024.bol"));
        QVERIFY(!QFile::exists(path));
        RecordFile file(SlipRecord::kSize);
        QVERIFY(file.open(path));
        QCOMPARE(file.count(), 0);
        QByteArray record;
        QVERIFY(!file.read(record)); // reading at the end is an error
        file.close();
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFileInfo(path).size(), 0);
    }

    void appendNumbersAndOverwriteInPlace()
    {
        TestSupport::Folder session;
        const QString path = PayerRecord::archivePath();
        RecordFile file(PayerRecord::kSize);
        QVERIFY(file.open(path));
        const char* names[] = {"PRIMO", "SECONDO", "TERZO", "QUARTO", "QUINTO"};
        for (int i = 0; i < 5; ++i) {
            Record record(PayerRecord::layout());
            record.setText("Esecutore", QString::fromLatin1(names[i]));
            QVERIFY(file.seek(file.count() + 1));
            QVERIFY(file.write(record.bytes()));
            QCOMPARE(file.position(), i + 1);
        }
        file.close();
        const QByteArray before = TestSupport::readAll(path);
        QCOMPARE(before.size(), 5 * 2685);
        QCOMPARE(before.mid(2 * 2685, 6), QByteArray("\x05TERZO", 6));

        QVERIFY(file.open(path));
        Record changed(PayerRecord::layout());
        changed.setText("Esecutore", QStringLiteral("NUOVO SECONDO"));
        QVERIFY(file.seek(2));
        QVERIFY(file.write(changed.bytes()));
        QCOMPARE(file.position(), 2);
        QByteArray read;
        QVERIFY(file.seek(2));
        QVERIFY(file.read(read));
        QCOMPARE(Record(PayerRecord::layout(), read).text("Esecutore"), QStringLiteral("NUOVO SECONDO"));
        file.close();

        const QByteArray after = TestSupport::readAll(path);
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.left(2685), before.left(2685));
        QCOMPARE(after.mid(2685, 2685), changed.bytes());
        QCOMPARE(after.mid(2 * 2685), before.mid(2 * 2685));
    }

    void incompleteTailIsNeverARecord()
    {
        TestSupport::Folder session;
        const QString path = SlipRecord::archivePath(QStringLiteral("2023"));
        const QByteArray first = slipBytes("10", "UNO");
        const QByteArray second = slipBytes("20", "DUE");
        const QByteArray original = first + second + QByteArray(100, 'T');
        QVERIFY(TestSupport::writeAll(path, original));

        RecordFile file(SlipRecord::kSize);
        QVERIFY(file.open(path));
        QCOMPARE(file.count(), 2);
        QVERIFY(file.hasIncompleteTail());
        QByteArray read;
        QVERIFY(file.seek(2));
        QVERIFY(file.read(read));
        QCOMPARE(read, second);
        QVERIFY(!file.read(read)); // the tail is not a record
        QVERIFY(file.seek(3));
        QVERIFY(!file.write(first)); // appending after the tail would shift every later record
        QVERIFY(file.seek(1));
        QVERIFY(file.write(second)); // overwriting a whole record still works
        file.close();
        QCOMPARE(TestSupport::readAll(path), second + second + QByteArray(100, 'T'));
    }

    // An archive that cannot be opened for writing: the open fails and whatever stands at its
    // path stays as it was.
    void failedOpenChangesNothing_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::newRow("unwritable archive is left untouched") << Obstacle::UnwritableArchive;
        QTest::newRow("unwritable folder creates nothing") << Obstacle::UnwritableFolder;
        QTest::newRow("a folder in the way is not replaced") << Obstacle::FolderInTheWay;
    }
    void failedOpenChangesNothing()
    {
        QFETCH(Obstacle, obstacle);
        TestSupport::Folder session;
        const QString path = SlipRecord::archivePath(QStringLiteral("2022"));
        const QByteArray original = slipBytes("5", "INTATTO");
        if (obstacle == Obstacle::UnwritableArchive)
            QVERIFY(TestSupport::writeAll(path, original));
        if (obstacle == Obstacle::FolderInTheWay)
            QVERIFY(QDir().mkpath(path));
        {
            std::optional<ReadOnly> guard;
            if (obstacle != Obstacle::FolderInTheWay) {
                guard.emplace(obstacle == Obstacle::UnwritableArchive ? path : session.folder());
                REQUIRE_READ_ONLY(*guard);
            }
            RecordFile file(SlipRecord::kSize);
            QVERIFY(!file.open(path));
            if (obstacle == Obstacle::UnwritableArchive) {
                QVERIFY(!file.errorString().isEmpty());
                QVERIFY(!file.write(original));
            }
        }
        switch (obstacle) {
        case Obstacle::UnwritableArchive: QCOMPARE(TestSupport::readAll(path), original); break;
        case Obstacle::UnwritableFolder: QVERIFY(!QFile::exists(path)); break;
        case Obstacle::FolderInTheWay: QVERIFY(QFileInfo(path).isDir()); break;
        }
    }
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
