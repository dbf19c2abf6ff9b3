// Nothing stored is lost when a write fails: archive writes through a device that fails after some
// bytes, the incomplete end of an archive, the lock that keeps two instances apart, and the line
// ends of a rewritten settings file.

#include "CoreSupport.h"
#include "FailDevice.h"
#include "ReadOnly.h"

#include "data/IniFile.h"
#include "data/OpenURL.h"
#include "data/PasswordFile.h"
#include "data/RecordArchive.h"
#include "data/SafeWrite.h"
#include "lists/ListArchive.h"
#include "lists/ListLines.h"
#include "payers/Attachments.h"
#include "payers/PayerRecord.h"
#include "slips/SlipArchive.h"
#include "data/LayoutArchive.h"
#include "slips/SlipRecord.h"

#include <QDir>
#include <QLockFile>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>
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

// The lock file another PC's instance leaves while it writes: the format of QLockFile, with a host
// and machine of its own.
void writeForeignLock(const QString& path, qint64 ageSeconds)
{
    const QString lock = path + QStringLiteral(".lock");
    QVERIFY(TestSupport::writeAll(lock, "4242\ntassella\nPC-UFFICIO2\naltra-macchina\naltro-avvio\n"));
    QFile file(lock);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
}

// What a live instance holds on the archive itself while it writes: the file server's lock on the
// lock byte far past the data. Held while the returned descriptor stays open.
int holdArchive(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    struct flock range = {};
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    range.l_start = off_t(0x7fffffff00000000LL);
    range.l_len = 1;
    if (fd >= 0 && ::fcntl(fd, F_OFD_SETLK, &range) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

class TestSafety : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        RecordFile::setDeviceMaker({});
        SafeWrite::Lock::setTimeout(0);
        SafeWrite::setWaitHandler({});
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

    // A lock file of another PC. Waited for (the wait shown with the host's name), and then told as
    // busy with that name, while it is fresh, dated ahead by a PC whose clock runs fast, or backed by
    // a live writer's lock on the archive; taken over only when old by the folder's clock and
    // nobody holds the archive.
    void lockFileOfAnotherPc_data()
    {
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<bool>("held");
        QTest::addColumn<bool>("takenOver");
        QTest::addColumn<int>("removalAge");
        QTest::newRow("fresh") << 0 << false << false << -1;
        QTest::newRow("dated 60 s ahead") << -60 << false << false << -1;
        QTest::newRow("old, writer alive") << 600 << true << false << -1;
        QTest::newRow("old, nobody writing") << 600 << false << true << -1;
        // A PC that died while taking over a lock file leaves its removal lock: once old, it goes too.
        QTest::newRow("old, a dead PC's removal lock") << 600 << false << true << 600;
        QTest::newRow("old, removal lock being used") << 600 << false << false << 0;
    }
    void lockFileOfAnotherPc()
    {
        QFETCH(int, ageSeconds);
        QFETCH(bool, held);
        QFETCH(bool, takenOver);
        QFETCH(int, removalAge);
        TestSupport::Folder session;
        const Kind kind{false};
        QVERIFY(TestSupport::writeAll(kind.path(), kind.three()));
        writeForeignLock(kind.path(), ageSeconds);
        const QString removal = kind.path() + QStringLiteral(".lock.rmlock");
        if (removalAge >= 0) {
            QVERIFY(TestSupport::writeAll(removal, "4243\nPC-UFFICIO3\n"));
            QFile file(removal);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(
                file.setFileTime(QDateTime::currentDateTime().addSecs(-removalAge), QFileDevice::FileModificationTime));
        }
        const int holder = held ? holdArchive(kind.path()) : -1;
        QVERIFY(!held || holder >= 0);
        SafeWrite::Lock::setTimeout(600);
        QList<QPair<bool, QString>> waits;
        SafeWrite::setWaitHandler([&waits](bool waiting, const QString& host) { waits.append({waiting, host}); });

        SlipArchive archive(kind.path());
        const std::optional<qint64> n = archive.append(SlipArchive::blank());
        if (holder >= 0)
            ::close(holder);
        SafeWrite::setWaitHandler({});
        if (takenOver) {
            QCOMPARE(n, std::optional<qint64>(4));
            QVERIFY(waits.size() <= 2);
            QVERIFY(!QFileInfo::exists(kind.path() + QStringLiteral(".lock")));
            QVERIFY(!QFileInfo::exists(removal));
            return;
        }
        QVERIFY(!n);
        QVERIFY(archive.busy());
        QCOMPARE(TestSupport::readAll(kind.path()), kind.three());
        QCOMPARE(waits, (QList<QPair<bool, QString>>{{true, QStringLiteral("PC-UFFICIO2")}, {false, QString()}}));
        const Message question = archive.busyQuestion();
        QVERIFY2(question.text.contains(QStringLiteral("in uso da un'altra postazione (PC-UFFICIO2)")),
                 qPrintable(question.text));
        QCOMPARE(question.buttons, (QStringList{QStringLiteral("Riprova"), QStringLiteral("Annulla")}));
        QCOMPARE(SafeWrite::waitText(QStringLiteral("PC-UFFICIO2")),
                 QStringLiteral("Attendere: l'archivio \u00e8 in uso dalla postazione PC-UFFICIO2..."));
    }

    // PC A shows record 2; PC B saves it changed; A saves its own change. A's save is refused and
    // hands back B's record, unless nothing B stored differs (the same values with other bytes after
    // them); A overwriting by choice goes through; A's own saves one after another never conflict.
    void recordChangedElsewhere_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::addColumn<QString>("loadedBy");
        QTest::addColumn<QString>("other");
        QTest::addColumn<bool>("refused");
        for (const bool payer : {false, true}) {
            const char* kind = payer ? "payer" : "slip";
            QTest::addRow("%s, other PC changed it", kind) << payer << "arrow"
                                                           << "changed" << true;
            QTest::addRow("%s from a list, other PC changed it", kind) << payer << "list"
                                                                       << "changed" << true;
            QTest::addRow("%s, other PC saved the same values", kind) << payer << "arrow"
                                                                      << "same" << false;
            QTest::addRow("%s, saved here twice", kind) << payer << "arrow"
                                                        << "" << false;
        }
    }
    void recordChangedElsewhere()
    {
        QFETCH(bool, payer);
        QFETCH(QString, loadedBy);
        QFETCH(QString, other);
        QFETCH(bool, refused);
        TestSupport::Folder session;
        const Kind kind{payer};
        const RecordLayout& layout = payer ? PayerRecord::layout() : SlipRecord::layout();
        QVERIFY(TestSupport::writeAll(kind.path(), kind.three()));
        LayoutArchive archive(kind.path(), layout, kind.size());
        Record shown(layout);
        if (loadedBy == QLatin1String("list")) {
            const QString line = payer ? ListLines::payerLine(kind.three().constData() + kind.size())
                                       : ListLines::slipLine(kind.three().constData() + kind.size());
            const ListArchive::Match match =
                payer ? ListArchive::lastPayer(kind.path(), line) : ListArchive::lastSlip(kind.path(), line);
            QCOMPARE(match.position, 2);
            shown = Record(layout, match.record);
        } else {
            shown = *archive.read(2);
        }
        QByteArray stored = kind.three();
        if (other == QLatin1String("changed")) {
            Record theirs = shown;
            theirs.setText("Note", QStringLiteral("SALDATO ALTROVE"));
            stored.replace(kind.size(), kind.size(), theirs.bytes());
        } else if (other == QLatin1String("same")) {
            stored[kind.size() + 20] = 'x'; // past the name's value: no field reads otherwise
        } else {
            Record first = shown;
            first.setText("Note", QStringLiteral("PRIMA"));
            QVERIFY(archive.overwrite(2, first));
            stored = TestSupport::readAll(kind.path());
        }
        QVERIFY(TestSupport::writeAll(kind.path(), stored)); // the other PC's save, by its own program

        Record mine = shown;
        mine.setText("Esecutore", QStringLiteral("MODIFICATO QUI"));
        const QByteArray after = stored.left(kind.size()) + mine.bytes() + stored.mid(2 * kind.size());
        if (!refused) {
            QVERIFY(archive.overwrite(2, mine));
            QCOMPARE(TestSupport::readAll(kind.path()), after);
            return;
        }
        QVERIFY(!archive.overwrite(2, mine));
        QVERIFY(archive.changedElsewhere());
        QCOMPARE(archive.stored().text("Note"), QStringLiteral("SALDATO ALTROVE"));
        QCOMPARE(TestSupport::readAll(kind.path()), stored);
        QVERIFY(LayoutArchive::changedQuestion().text.startsWith(
            QStringLiteral("La scheda \u00e8 stata modificata da un'altra postazione")));
        QCOMPARE(LayoutArchive::changedQuestion().buttons,
                 (QStringList{QStringLiteral("Ricarica"), QStringLiteral("Sovrascrivi"), QStringLiteral("Annulla")}));
        // Reloaded, the stored record is what was loaded: a save from it goes through.
        Record reloaded = archive.stored();
        reloaded.setText("Esecutore", QStringLiteral("MODIFICATO QUI"));
        QVERIFY(archive.overwrite(2, reloaded));
        // Or overwritten by choice.
        QVERIFY(TestSupport::writeAll(kind.path(), stored));
        QVERIFY(archive.overwrite(2, mine, LayoutArchive::Check::None));
        QCOMPARE(TestSupport::readAll(kind.path()), after);
    }

    // A link standing where the program writes (planted in the attachment folder or the program
    // folder, pointing anywhere): the write replaces the link itself, and the file it points to
    // stays as it was.
    void linksAreNeverWrittenThrough_data()
    {
        QTest::addColumn<QString>("what");
        for (const char* what :
             {"attachment copy", "settings", "password", "overwrite journal", "overwrite journal, dangling"})
            QTest::newRow(what) << QString::fromLatin1(what);
    }
    void linksAreNeverWrittenThrough()
    {
        QFETCH(QString, what);
        TestSupport::Folder session;
        QTemporaryDir elsewhere;
        // A link to nothing once blocked every save of its archive.
        const bool dangling = what.endsWith(QLatin1String("dangling"));
        const QString target = elsewhere.filePath(QStringLiteral("bersaglio"));
        if (!dangling)
            QVERIFY(TestSupport::writeAll(target, "non toccare"));
        QString link;
        if (what == QLatin1String("attachment copy")) {
            QVERIFY(Attachments::makeFolder());
            link = Attachments::pathOf(QStringLiteral("documento.pdf"));
        } else if (what == QLatin1String("settings")) {
            link = session.file(QStringLiteral("Tassella.ini"));
        } else if (what == QLatin1String("password")) {
            link = session.file(QStringLiteral("unins000.dll"));
        } else {
            QVERIFY(TestSupport::writeAll(Kind{false}.path(), Kind{false}.three()));
            link = RecordArchive::journalName(Kind{false}.path());
        }
        QVERIFY(QFile::link(target, link));

        if (what == QLatin1String("attachment copy")) {
            const QString source = elsewhere.filePath(QStringLiteral("scelto.pdf"));
            QVERIFY(TestSupport::writeAll(source, "%PDF allegato"));
            QVERIFY(Attachments::copyReplacing(source, link));
            QCOMPARE(TestSupport::readAll(link), QByteArray("%PDF allegato"));
        } else if (what == QLatin1String("settings")) {
            QVERIFY(IniFile::writeString(link, QStringLiteral("Margini Stampa"), QStringLiteral("Superiore"),
                                         QStringLiteral("3")));
            QCOMPARE(IniFile::readString(link, QStringLiteral("Margini Stampa"), QStringLiteral("Superiore")),
                     QStringLiteral("3"));
        } else if (what == QLatin1String("password")) {
            QVERIFY(PasswordFile::write(link, QStringLiteral("nuova")));
            QCOMPARE(PasswordFile::read(link), std::optional<QString>(QStringLiteral("NUOVA")));
        } else {
            SlipArchive archive(Kind{false}.path());
            QVERIFY2(archive.overwrite(2, SlipArchive::blank()), qPrintable(archive.errorString()));
            // Set aside and told, never followed.
            QVERIFY2(archive.notice().text.contains(QStringLiteral("collegamento")), qPrintable(archive.notice().text));
            QCOMPARE(TestSupport::readAll(Kind{false}.path()).size(), 3 * SlipRecord::kSize);
        }
        if (dangling)
            QVERIFY(!QFileInfo::exists(target));
        else
            QCOMPARE(TestSupport::readAll(target), QByteArray("non toccare"));
        if (!what.startsWith(QLatin1String("overwrite journal")))
            QVERIFY(!SafeWrite::isLink(link));
        else
            QVERIFY(!QFileInfo::exists(link) && !SafeWrite::isLink(link));
    }

    // A copy into the attachment folder that fails leaves the file there as it was and nothing
    // half-written beside it, and says why; the chosen name is trimmed as the slot stores it.
    void failedAttachmentCopyChangesNothing()
    {
        TestSupport::Folder session;
        QVERIFY(Attachments::makeFolder());
        const QString destination = Attachments::pathOf(QStringLiteral("documento.pdf"));
        QVERIFY(TestSupport::writeAll(destination, "vecchio"));
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath(QStringLiteral("  documento.pdf"));
        QVERIFY(TestSupport::writeAll(source, "nuovo"));
        QCOMPARE(Attachments::nameFor(source), QStringLiteral("documento.pdf"));
        QString error;
        {
            ReadOnly folder(Attachments::folder());
            REQUIRE_READ_ONLY(folder);
            QVERIFY(!Attachments::copyReplacing(source, destination, &error));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(TestSupport::readAll(destination), QByteArray("vecchio"));
        QCOMPARE(entries(Attachments::folder()), QStringList{QStringLiteral("documento.pdf")});
        QVERIFY(!Attachments::copyReplacing(elsewhere.filePath(QStringLiteral("manca.pdf")), destination, &error));
        QCOMPARE(TestSupport::readAll(destination), QByteArray("vecchio"));
        const Message told = Attachments::copyFailed(QStringLiteral("documento.pdf"), error);
        QCOMPARE(told.kind, MessageKind::Error);
        QVERIFY(told.text.contains(QStringLiteral("documento.pdf")));
    }

    // The mail link of a stored address: whatever the address holds, the mail goes to it alone.
    void mailLinkAddressesOneMail_data()
    {
        TestSupport::textTable(
            {"address", "link"},
            {{"plain", "mario.rossi@example.it", "mailto:mario.rossi@example.it"},
             {"attachment smuggled", "a@b.it?attach=/home/u/.ssh/id_rsa", "mailto:a@b.it%3Fattach=/home/u/.ssh/id_rsa"},
             {"copy smuggled", "a@b.it&cc=x@y.it", "mailto:a@b.it%26cc=x@y.it"},
             {"percent and hash", "a%20b#c@d.it", "mailto:a%2520b%23c@d.it"}});
    }
    void mailLinkAddressesOneMail()
    {
        QFETCH(QString, address);
        QFETCH(QString, link);
        QCOMPARE(TMisc::MailLink(address), link);
        Shell::setRecording(true);
        Shell::open(QLatin1Char('"') + TMisc::MailLink(address) + QLatin1Char('"'));
        const QUrl opened(Shell::opened().value(0));
        Shell::setRecording(false);
        QCOMPARE(opened.scheme(), QStringLiteral("mailto"));
        QVERIFY(!opened.hasQuery());
        QVERIFY(!opened.hasFragment());
        QCOMPARE(opened.path(), address);
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
