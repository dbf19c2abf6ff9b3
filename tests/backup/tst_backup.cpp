// The backup: what goes into the ZIP, that the real unzip reads it back whole and equal, that an
// interrupted write leaves nothing under the backup's name, the archives' locks, the number kept
// and the settings.

#include "BackupFixtures.h"
#include "CoreSupport.h"
#include "FailDevice.h"
#include "backup/Backup.h"
#include "data/SafeWrite.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace TestSupport;

namespace {

const QDateTime kMoment(QDate(2025, 3, 7), QTime(9, 5));

QString run(const QString& program, const QStringList& arguments, int* exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return QStringLiteral("did not finish");
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

// A device in front of the ZIP's file that writes every byte and says so, but changes the byte at
// one position of what it is given: a disk that corrupts what it stores.
class FlipDevice : public QIODevice {
public:
    FlipDevice(QFile& file, qint64 at)
        : m_file(file)
        , m_at(at)
    {
        open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }

protected:
    qint64 readData(char* data, qint64 maxSize) override { return m_file.read(data, maxSize); }
    qint64 writeData(const char* data, qint64 size) override
    {
        QByteArray bytes(data, size);
        if (m_at >= m_written && m_at < m_written + size)
            bytes[m_at - m_written] = char(bytes.at(m_at - m_written) ^ 0x10);
        m_written += size;
        return m_file.write(bytes) == size ? size : -1;
    }

private:
    QFile& m_file;
    qint64 m_at;
    qint64 m_written = 0;
};

struct DeviceGuard {
    ~DeviceGuard() { ZipFile::setDeviceMaker({}); }
};

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { SafeWrite::Lock::setTimeout(0); }

    void namesTellTheirMoment()
    {
        QCOMPARE(Backup::fileName(kMoment), QStringLiteral("Tassella-backup-2025-03-07-0905.zip"));
        QCOMPARE(Backup::momentOf(QStringLiteral("Tassella-backup-2025-03-07-0905.zip")), kMoment);
        for (const char* other : {"Tassella-backup-2025-03-07-0905.zip.part", "Tassella-backup-2025-13-07-0905.zip",
                                  "tassella-backup-2025-03-07-0905.zip", "Tassella-backup-2025-03-07.zip"})
            QVERIFY2(!Backup::momentOf(QString::fromLatin1(other)).isValid(), other);
    }

    // The real unzip finds every member sound, and what it extracts is the program's data byte for
    // byte, folders included; files that are not the program's data stay out.
    void unzipReadsTheBackupWhole()
    {
        Folder program;
        BackupFixtures::fill(program.folder());
        QTemporaryDir target;
        const Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 10);
        QVERIFY2(result.ok, qPrintable(result.message.text));
        QCOMPARE(result.path, target.filePath(QStringLiteral("Tassella-backup-2025-03-07-0905.zip")));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{QFileInfo(result.path).fileName()});
        QCOMPARE(result.years, (QStringList{QStringLiteral("2023"), QStringLiteral("2024")}));
        QCOMPARE(result.attachments, 3);
        QCOMPARE(result.message.kind, MessageKind::Information);
        QVERIFY(result.message.text.contains(QDir::toNativeSeparators(result.path)));
        QVERIFY(result.message.text.contains(QStringLiteral("archivi annuali 2023, 2024")));
        QVERIFY(result.message.text.contains(QStringLiteral("3 documenti allegati")));
        QVERIFY(result.message.text.contains(QStringLiteral("verificato")));

        int code = -1;
        const QString tested = run(QStringLiteral("unzip"), {QStringLiteral("-t"), result.path}, &code);
        QCOMPARE(code, 0);
        QVERIFY2(tested.contains(QStringLiteral("No errors detected")), qPrintable(tested));

        QTemporaryDir extracted;
        run(QStringLiteral("unzip"), {QStringLiteral("-q"), result.path, QStringLiteral("-d"), extracted.path()},
            &code);
        QCOMPARE(code, 0);
        const auto expected = BackupFixtures::data(program.folder());
        QVERIFY(expected.contains(QString::fromUtf8("Documenti_Allegati/Carta identit\xc3\xa0.pdf")));
        QVERIFY(expected.contains(QStringLiteral("Documenti_Allegati/Vuota/")));
        QVERIFY(!expected.contains(QStringLiteral("Esecutori.xls")));
        QCOMPARE(BackupFixtures::contents(extracted.path()), expected);
    }

    // Two programs backing up into one shared folder in the same minute write under temporary names
    // of their own (computer and process): the other's half-written file is never written into,
    // renamed or removed.
    void temporaryNameIsThisProgramsOwn()
    {
        Folder program;
        BackupFixtures::fill(program.folder(), 2);
        QTemporaryDir target;
        const QString finalPath = target.filePath(Backup::fileName(kMoment));
        const QString own = Backup::partName(finalPath);
        QVERIFY(own.startsWith(finalPath + QLatin1Char('.')));
        QVERIFY(own.endsWith(QStringLiteral("-%1.part").arg(QCoreApplication::applicationPid())));
        QVERIFY(own.contains(QSysInfo::machineHostName().left(8)));

        const QByteArray half = "PK half a backup of the other program";
        const QStringList others = {
            finalPath + QStringLiteral(".part"),
            finalPath + QStringLiteral(".altro-pc-%1.part").arg(QCoreApplication::applicationPid() + 1)};
        for (const QString& other : others)
            QVERIFY(writeAll(other, half));
        const Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 10);
        QVERIFY2(result.ok, qPrintable(result.message.text));
        QCOMPARE(result.path, finalPath);
        for (const QString& other : others)
            QCOMPARE(readAll(other), half);
        QVERIFY(!QFileInfo::exists(own));
    }

    // A write that fails anywhere in the ZIP, at once or after part of a buffer, leaves no file
    // under the backup's name nor a temporary one, and says so; older backups stay. So does a write
    // that reports success while one byte lands changed (a failing disk, a bad cable): the backup
    // read back finds it.
    void interruptedBackupLeavesNothing_data()
    {
        QTest::addColumn<qint64>("budget");
        QTest::addColumn<QString>("fault");
        QTest::newRow("first byte") << qint64(0) << "fail";
        QTest::newRow("in the first header") << qint64(20) << "short";
        QTest::newRow("inside an archive") << qint64(5000) << "fail";
        QTest::newRow("inside an attachment") << qint64(200000) << "short";
        QTest::newRow("in the directory") << qint64(-300) << "fail"; // counted from the end
        QTest::newRow("a byte changed inside an archive") << qint64(5000) << "flip";
        QTest::newRow("a byte changed inside an attachment") << qint64(200000) << "flip";
    }
    void interruptedBackupLeavesNothing()
    {
        QFETCH(qint64, budget);
        QFETCH(QString, fault);
        Folder program;
        BackupFixtures::fill(program.folder());
        QTemporaryDir target;
        if (budget < 0) {
            // The size of a whole backup, to cut it near its end.
            QTemporaryDir probe;
            const Backup::Result whole = Backup::create(program.folder(), probe.path(), kMoment, 10);
            QVERIFY(whole.ok);
            budget += QFileInfo(whole.path).size();
        }
        const QByteArray older = "an older backup";
        const QString olderPath = target.filePath(QStringLiteral("Tassella-backup-2025-03-06-1800.zip"));
        QVERIFY(writeAll(olderPath, older));

        DeviceGuard guard;
        ZipFile::setDeviceMaker([budget, fault](QFile& file) -> std::unique_ptr<QIODevice> {
            if (fault == QLatin1String("flip"))
                return std::make_unique<FlipDevice>(file, budget);
            return std::make_unique<FailDevice>(
                file, budget, fault == QLatin1String("short") ? FailDevice::Mode::Short : FailDevice::Mode::Fail);
        });
        const Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 10);
        QVERIFY(!result.ok);
        QCOMPARE(result.message.kind, MessageKind::Warning);
        QVERIFY2(result.message.text.contains(fault == QLatin1String("flip")
                                                  ? QStringLiteral("il backup riletto non corrisponde")
                                                  : QStringLiteral("Nessun backup incompleto")),
                 qPrintable(result.message.text));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(olderPath).fileName()});
        QCOMPARE(readAll(olderPath), older);
    }

    // An archive being written by another instance is not copied half-way: the backup waits for
    // its lock and, when it does not come, writes nothing.
    void lockedArchiveIsNotCopied()
    {
        Folder program;
        BackupFixtures::fill(program.folder());
        QTemporaryDir target;
        SafeWrite::Lock::setTimeout(50);
        SafeWrite::Lock held(program.file(QStringLiteral("2024.bol")));
        QVERIFY(held.acquire());
        const Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 10);
        QVERIFY(!result.ok);
        QVERIFY(result.message.text.contains(QStringLiteral("2024.bol")));
        QVERIFY(QDir(target.path()).isEmpty(QDir::Files | QDir::Hidden));
    }

    // After a backup the newest keep backups remain; other files in the folder are left alone.
    void oldestBackupsBeyondTheNumberKeptAreRemoved()
    {
        Folder program;
        BackupFixtures::fill(program.folder(), 1);
        QTemporaryDir target;
        const QStringList older = {QStringLiteral("Tassella-backup-2024-12-31-2359.zip"),
                                   QStringLiteral("Tassella-backup-2025-01-15-0800.zip"),
                                   QStringLiteral("Tassella-backup-2025-03-07-0800.zip")};
        for (const QString& name : older)
            QVERIFY(writeAll(target.filePath(name), "old"));
        QVERIFY(writeAll(target.filePath(QStringLiteral("appunti.txt")), "mine"));
        const Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 2);
        QVERIFY(result.ok);
        QCOMPARE(result.removed, older.mid(0, 2));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files, QDir::Name),
                 (QStringList{older.at(2), QStringLiteral("Tassella-backup-2025-03-07-0905.zip"),
                              QStringLiteral("appunti.txt")}));
        QVERIFY(result.message.text.contains(older.at(0)));
    }

    void refusals()
    {
        Folder program;
        QTemporaryDir target;
        Backup::Result result = Backup::create(program.folder(), target.path(), kMoment, 10);
        QVERIFY(!result.ok);
        QCOMPARE(result.message.text,
                 QStringLiteral("Attenzione: nella cartella del programma non ci sono file da salvare."));
        BackupFixtures::fill(program.folder(), 1);
        result = Backup::create(program.folder(), target.filePath(QStringLiteral("manca")), kMoment, 10);
        QVERIFY(!result.ok);
        QVERIFY(result.message.text.startsWith(QStringLiteral("Attenzione: la cartella dei backup non esiste.")));
        QVERIFY(QDir(target.path()).isEmpty());
    }

    // The settings live in their own section of Tassella.ini; the margins stay as they were.
    void settingsAreRemembered()
    {
        Folder program;
        QVERIFY(writeAll(program.file(QStringLiteral("Tassella.ini")), "[Margini Stampa]\r\nSuperiore=12\r\n"));
        QCOMPARE(Backup::folder(), QString());
        QCOMPARE(Backup::keep(), 10);
        QVERIFY(Backup::offerDue(QDate(2025, 3, 7)) == false); // no folder chosen yet
        QVERIFY(Backup::setFolder(QStringLiteral("/media/chiavetta/Backup Tassella")));
        QVERIFY(Backup::setKeep(4));
        QVERIFY(Backup::offerDue(QDate(2025, 3, 7)));
        QVERIFY(Backup::setLastOffered(QDate(2025, 3, 7)));
        QVERIFY(!Backup::offerDue(QDate(2025, 3, 7)));
        QVERIFY(Backup::offerDue(QDate(2025, 3, 8)));
        QCOMPARE(readAll(program.file(QStringLiteral("Tassella.ini"))),
                 QByteArray("[Margini Stampa]\r\nSuperiore=12\r\n[Backup]\r\nCartella=/media/chiavetta/Backup "
                            "Tassella\r\nCopie=4\r\nUltimaProposta=07/03/2025\r\n"));
        QCOMPARE(Backup::folder(), QStringLiteral("/media/chiavetta/Backup Tassella"));
        QCOMPARE(Backup::keep(), 4);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
