// Nothing stored is lost when a write fails: archive writes through a device that fails after some
// bytes, the incomplete end of an archive, the lock that keeps two instances apart, and the line
// ends of a rewritten settings file.

#include "CoreSupport.h"
#include "FailDevice.h"
#include "ReadOnly.h"

#include "data/IniFile.h"
#include "data/RecordArchive.h"
#include "data/SafeWrite.h"
#include "payers/PayerRecord.h"
#include "slips/SlipArchive.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QLockFile>
#include <QTest>
#include <memory>
#include <optional>

namespace {

struct Kind {
    bool payer;
    QString path() const
    {
        return payer ? PayerRecord::archivePath() : SlipRecord::archivePath(QStringLiteral("2024"));
    }
    int size() const { return payer ? PayerRecord::kSize : SlipRecord::kSize; }
    QByteArray record(const QString& name) const
    {
        Record record(payer ? PayerRecord::layout() : SlipRecord::layout());
        record.setText("Esecutore", name);
        return record.bytes();
    }
    // An archive of three records, written by hand.
    QByteArray three() const
    {
        return record(QStringLiteral("UNO")) + record(QStringLiteral("DUE")) + record(QStringLiteral("TRE"));
    }
};

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

class TestSafety : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        RecordFile::setDeviceMaker({});
        SafeWrite::Lock::setTimeout(0);
    }

    void failedWriteChangesNothing_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::addColumn<bool>("append");
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<int>("mode");
        for (const bool payer : {false, true})
            for (const bool append : {true, false})
                for (const qint64 budget : {0, 1, 1200, 2442})
                    for (const FailDevice::Mode mode : {FailDevice::Mode::Fail, FailDevice::Mode::Short})
                        QTest::addRow("%s %s after %lld bytes, %s", payer ? "payer" : "slip",
                                      append ? "append" : "overwrite", budget,
                                      mode == FailDevice::Mode::Fail ? "failing" : "short")
                            << payer << append << budget << int(mode);
    }
    void failedWriteChangesNothing()
    {
        QFETCH(bool, payer);
        QFETCH(bool, append);
        QFETCH(qint64, budget);
        QFETCH(int, mode);
        TestSupport::Folder session;
        const Kind kind{payer};
        const QByteArray original = kind.three();
        QVERIFY(TestSupport::writeAll(kind.path(), original));
        const QByteArray changed = kind.record(QStringLiteral("NUOVO"));
        {
            const auto guard = FailDevice::install(budget, FailDevice::Mode(mode));
            RecordArchive archive(kind.path(), kind.size());
            if (append)
                QVERIFY(!archive.append(changed));
            else
                QVERIFY(!archive.overwrite(2, changed));
            QVERIFY(!archive.errorString().isEmpty());
        }
        // Old byte for byte: no half record at the end, no half-new record in place.
        QCOMPARE(TestSupport::readAll(kind.path()), original);
        QCOMPARE(entries(session.folder()), QStringList{QFileInfo(kind.path()).fileName()});

        // The year is not blocked: the next save goes through.
        RecordArchive archive(kind.path(), kind.size());
        if (append) {
            QCOMPARE(archive.append(changed), std::optional<qint64>(4));
            QCOMPARE(TestSupport::readAll(kind.path()), original + changed);
        } else {
            QVERIFY(archive.overwrite(2, changed));
            QCOMPARE(TestSupport::readAll(kind.path()),
                     original.left(kind.size()) + changed + original.mid(2 * kind.size()));
        }
    }

    void incompleteEndIsMovedAside_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::addColumn<int>("tailSize");
        QTest::newRow("slip, 100 bytes") << false << 100;
        QTest::newRow("slip, one byte short of a record") << false << SlipRecord::kSize - 1;
        QTest::newRow("payer, one byte") << true << 1;
    }
    void incompleteEndIsMovedAside()
    {
        QFETCH(bool, payer);
        QFETCH(int, tailSize);
        TestSupport::Folder session;
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)));
        const Kind kind{payer};
        const QByteArray whole = kind.three();
        QByteArray tail(tailSize, '\0');
        for (int i = 0; i < tailSize; ++i)
            tail[i] = char('a' + i % 26);
        QVERIFY(TestSupport::writeAll(kind.path(), whole + tail));

        RecordArchive archive(kind.path(), kind.size());
        QCOMPARE(archive.count(), std::optional<qint64>(3)); // reading leaves the end alone
        QCOMPARE(TestSupport::readAll(kind.path()), whole + tail);

        const QByteArray added = kind.record(QStringLiteral("NUOVO"));
        QCOMPARE(archive.append(added), std::optional<qint64>(4));
        const QString side = kind.path() + QStringLiteral(".coda-20261210-143005");
        QCOMPARE(TestSupport::readAll(side), tail);
        QCOMPARE(TestSupport::readAll(kind.path()), whole + added);
        QCOMPARE(archive.notice().kind, MessageKind::Information);
        QVERIFY2(archive.notice().text.contains(QDir::toNativeSeparators(side)), qPrintable(archive.notice().text));
        QVERIFY(archive.notice().text.contains(QString::number(tailSize) + QStringLiteral(" byte")));

        // Told once: the next append has nothing to mend.
        QCOMPARE(archive.append(added), std::optional<qint64>(5));
        QVERIFY(archive.notice().isEmpty());
        QCOMPARE(entries(session.folder()).size(), 2);
    }

    void sideFileNeverReplacesAnother()
    {
        TestSupport::Folder session;
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)));
        const Kind kind{false};
        const QString taken = kind.path() + QStringLiteral(".coda-20261210-143005");
        QVERIFY(TestSupport::writeAll(taken, "earlier"));
        QVERIFY(TestSupport::writeAll(kind.path(), kind.three() + "tail"));
        SlipArchive archive(kind.path());
        QCOMPARE(archive.append(SlipArchive::blank()), std::optional<qint64>(4));
        QCOMPARE(TestSupport::readAll(taken), QByteArray("earlier"));
        QCOMPARE(TestSupport::readAll(taken + QStringLiteral("-2")), QByteArray("tail"));
        QVERIFY(archive.notice().text.contains(QStringLiteral("-2")));
    }

    // An append after an incomplete end that fails leaves the archive as it was, tail included, and
    // no side file behind: a folder that takes no new file keeps the tail from being moved aside;
    // a device that fails makes the append itself fail after the tail was moved.
    void failedAppendAfterAnIncompleteEndChangesNothing_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("the tail cannot be moved aside") << true;
        QTest::newRow("the append fails") << false;
    }
    void failedAppendAfterAnIncompleteEndChangesNothing()
    {
        QFETCH(bool, readOnlyFolder);
        TestSupport::Folder session;
        const Kind kind{false};
        const QByteArray original = kind.three() + "tail";
        QVERIFY(TestSupport::writeAll(kind.path(), original));
        {
            std::optional<ReadOnly> folder;
            std::unique_ptr<FailDevice::Guard> failing;
            if (readOnlyFolder) {
                folder.emplace(session.folder());
                REQUIRE_READ_ONLY(*folder);
            } else {
                failing = FailDevice::install(1000, FailDevice::Mode::Fail);
            }
            SlipArchive archive(kind.path());
            QVERIFY(!archive.append(SlipArchive::blank()));
            QVERIFY(archive.notice().isEmpty());
        }
        QCOMPARE(TestSupport::readAll(kind.path()), original);
        QCOMPARE(entries(session.folder()), QStringList{QStringLiteral("2024.bol")});
    }

    void lockHeldElsewhereStopsTheWrite()
    {
        TestSupport::Folder session;
        const Kind kind{false};
        const QByteArray original = kind.three();
        QVERIFY(TestSupport::writeAll(kind.path(), original));
        const QString ini = session.file(QStringLiteral("Tassella.ini"));
        QVERIFY(TestSupport::writeAll(ini, "[Margini Stampa]\r\nSuperiore=1\r\n"));
        SafeWrite::Lock::setTimeout(300);

        QLockFile archiveLock(kind.path() + QStringLiteral(".lock"));
        QLockFile iniLock(ini + QStringLiteral(".lock"));
        QVERIFY(archiveLock.tryLock(0));
        QVERIFY(iniLock.tryLock(0));
        SlipArchive archive(kind.path());
        QVERIFY(!archive.append(SlipArchive::blank()));
        QVERIFY(!archive.overwrite(1, SlipArchive::blank()));
        QVERIFY(!archive.errorString().isEmpty());
        QVERIFY(!IniFile::writeString(ini, QStringLiteral("Margini Stampa"), QStringLiteral("Superiore"),
                                      QStringLiteral("2")));
        QCOMPARE(TestSupport::readAll(kind.path()), original);
        QCOMPARE(TestSupport::readAll(ini), QByteArray("[Margini Stampa]\r\nSuperiore=1\r\n"));

        archiveLock.unlock();
        iniLock.unlock();
        QCOMPARE(archive.append(SlipArchive::blank()), std::optional<qint64>(4));
        QVERIFY(IniFile::writeString(ini, QStringLiteral("Margini Stampa"), QStringLiteral("Superiore"),
                                     QStringLiteral("2")));
        QCOMPARE(TestSupport::readAll(ini), QByteArray("[Margini Stampa]\r\nSuperiore=2\r\n"));
        // The lock files go with the lock.
        QCOMPARE(entries(session.folder()), (QStringList{QStringLiteral("2024.bol"), QStringLiteral("Tassella.ini")}));
    }

    void settingsLinesKeepTheirOwnEnds_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("mixed CR LF and LF, changed line")
            << QByteArray("[Altro]\r\nX=1\n[Margini Stampa]\r\nSuperiore=1\nSinistro=2\r\n") << "Superiore"
            << "5" << QByteArray("[Altro]\r\nX=1\n[Margini Stampa]\r\nSuperiore=5\nSinistro=2\r\n");
        QTest::newRow("mixed, added line takes the first end")
            << QByteArray("[Margini Stampa]\nSuperiore=1\r\n\r\n[Altro]\r\nX=1\n") << "Sinistro"
            << "-3" << QByteArray("[Margini Stampa]\nSuperiore=1\r\nSinistro=-3\n\r\n[Altro]\r\nX=1\n");
        QTest::newRow("extra CRs kept") << QByteArray("[Margini Stampa]\r\r\nSuperiore=1\r\r\nSinistro=2\r\r\r\n")
                                        << "Sinistro"
                                        << "4"
                                        << QByteArray("[Margini Stampa]\r\r\nSuperiore=1\r\r\nSinistro=4\r\r\r\n");
        QTest::newRow("extra CRs, LF file")
            << QByteArray("[Margini Stampa]\nSuperiore=1\r\r\nSinistro=2\n") << "Superiore"
            << "7" << QByteArray("[Margini Stampa]\nSuperiore=7\r\r\nSinistro=2\n");
        QTest::newRow("last line without an end, changed")
            << QByteArray("[Margini Stampa]\r\nSuperiore=1") << "Superiore"
            << "2" << QByteArray("[Margini Stampa]\r\nSuperiore=2");
        QTest::newRow("last line without an end, added after")
            << QByteArray("[Margini Stampa]\nSuperiore=1") << "Sinistro"
            << "2" << QByteArray("[Margini Stampa]\nSuperiore=1\nSinistro=2\n");
        QTest::newRow("same value, file untouched")
            << QByteArray("[margini stampa]\n superiore = 3 \r\r\n") << "Superiore"
            << "3" << QByteArray("[margini stampa]\n superiore = 3 \r\r\n");
    }
    void settingsLinesKeepTheirOwnEnds()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Tassella.ini"));
        QVERIFY(TestSupport::writeAll(path, before));
        QVERIFY(IniFile::writeString(path, QStringLiteral("Margini Stampa"), key, value));
        QCOMPARE(TestSupport::readAll(path), after);
        QCOMPARE(IniFile::readString(path, QStringLiteral("Margini Stampa"), key), value);
    }
};

QTEST_GUILESS_MAIN(TestSafety)
#include "tst_safety.moc"
