// A program installed from a system package keeps each user's files in a folder of their own:
// chosen at the first start through the folder dialog, remembered in the user's configuration,
// given the initial password file; later starts ask nothing. Run from its own folder (a build, a
// user install) the program asks nothing and works in the executable's folder.

#include "TestSupport.h"
#include "app/StartupFolder.h"
#include "data/Crypt.h"
#include "data/PasswordFile.h"

using TestSupport::readAll;
using TestSupport::writeAll;

class TestFirstStart : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        QVERIFY(QDir().mkpath(path("usr/bin")) && QDir().mkpath(path("usr/share/tassella"))
                && QDir().mkpath(path("home")));
        QVERIFY(writeAll(path("usr/share/tassella/unins000.dll"), TestSupport::readAll(kInitialPassword)));
        QVERIFY(writeAll(path("usr/share/tassella/Guida.pdf"), "%PDF-1.4"));
        ProgramFolder::setExecutableFolder(path("usr/bin"));
        becomeUser("home");
        MessageBox::setTestMode(true);
    }
    void cleanup()
    {
        const bool unused = MessageBox::pendingAnswers() > 0 || FileDialog::hasPending();
        FileDialog::reset();
        MessageBox::setTestMode(false);
        ProgramFolder::use({});
        ProgramFolder::setExecutableFolder({});
        ProgramFolder::setUserFolders({}, {});
        if (unused && !QTest::currentTestFailed())
            QFAIL("a queued dialog answer was never used");
    }

    // Where the executable lives decides whether the program asks for a folder.
    void packageIsToldByItsLayout_data()
    {
        QTest::addColumn<QStringList>("remove"); // installed files taken away
        QTest::addColumn<QStringList>("beside"); // files put beside the executable
        QTest::addColumn<bool>("packaged");
        QTest::newRow("system package") << QStringList() << QStringList() << true;
        QTest::newRow("program folder with its password file") << QStringList() << QStringList{"unins000.dll"} << false;
        QTest::newRow("build folder without installed files")
            << QStringList{"usr/share/tassella/unins000.dll"} << QStringList() << false;
        QTest::newRow("program folder whose password was deleted")
            << QStringList{"usr/share/tassella/unins000.dll"} << QStringList{"Guida.pdf"} << false;
    }
    void packageIsToldByItsLayout()
    {
        QFETCH(QStringList, remove);
        QFETCH(QStringList, beside);
        QFETCH(bool, packaged);
        for (const QString& name : remove)
            QVERIFY(QFile::remove(path(name)));
        for (const QString& name : beside)
            QVERIFY(writeAll(path("usr/bin/") + name, "[Accesso]\r\nValore=00\r\n"));
        const QString folder = QDir::cleanPath(path("usr/bin")) + QLatin1Char('/');

        QCOMPARE(ProgramFolder::installedFiles().isEmpty(), !packaged);
        const QString guide = packaged ? QString(QDir::cleanPath(path("usr/share/tassella")) + "/Guida.pdf")
                                       : QString(folder + "Guida.pdf");
        QCOMPARE(ProgramFolder::programFile("Guida.pdf"), guide);
        if (packaged)
            FileDialog::setNextFileName(path("home/Tassella"));
        QVERIFY(StartupFolder::choose());
        const QString used = packaged ? QDir::cleanPath(path("home/Tassella")) + QLatin1Char('/') : folder;
        QCOMPARE(ProgramFolder::path(), used);
        QCOMPARE(MessageBox::shown().size(), packaged ? 1 : 0);
        QCOMPARE(QFileInfo::exists(ProgramFolder::configFile()), packaged);
    }

    // The first start proposes ~/Tassella, copies the initial password file into the folder chosen
    // and remembers it; the next start uses it without a question.
    void firstStartChoosesAndRemembers_data()
    {
        QTest::addColumn<QString>("chosen"); // below the temporary root
        QTest::addColumn<bool>("proposedStays");
        QTest::newRow("proposed folder") << "home/Tassella" << true;
        QTest::newRow("shared drive") << "mnt/Unità condivisa/Uffici Rossi" << false;
    }
    void firstStartChoosesAndRemembers()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, proposedStays);
        const QString folder = QDir::cleanPath(path(chosen));
        FileDialog::setNextFileName(folder);
        QVERIFY(StartupFolder::choose());

        QCOMPARE(FileDialog::lastCaption(), " Tassella - Scegliere la cartella dei dati");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageKind::Information);
        QVERIFY2(
            MessageBox::shown().first().text.contains("\n\r\n\r" + QDir::cleanPath(path("home/Tassella")) + "\n\r\n\r"),
            qPrintable(MessageBox::shown().first().text));
        QCOMPARE(ProgramFolder::path(), folder + QLatin1Char('/'));
        QCOMPARE(readAll(ProgramFolder::file("unins000.dll")), readAll(kInitialPassword));
        QCOMPARE(PasswordFile::read(ProgramFolder::file("unins000.dll")), std::optional<QString>("TASSELLA"));
        QVERIFY(QFileInfo(ProgramFolder::file("unins000.dll")).isWritable());
        QCOMPARE(ProgramFolder::remembered(), folder);
        QCOMPARE(ProgramFolder::configFile(), QDir::cleanPath(path("home/.config/Tassella/Tassella.conf")));
        // The proposed folder was made for the dialog to open on; unused and empty, it is gone.
        QCOMPARE(QFileInfo::exists(path("home/Tassella")), proposedStays);

        // The user's password is changed; the next start asks nothing and keeps it.
        QVERIFY(PasswordFile::write(ProgramFolder::file("unins000.dll"), "nuova"));
        const QByteArray changed = readAll(ProgramFolder::file("unins000.dll"));
        ProgramFolder::use({});
        FileDialog::reset();
        MessageBox::clearShown();
        QVERIFY(StartupFolder::choose());
        QCOMPARE(FileDialog::lastCaption(), QString());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(ProgramFolder::path(), folder + QLatin1Char('/'));
        QCOMPARE(readAll(ProgramFolder::file("unins000.dll")), changed);

        // A password file the user deleted comes back as the initial one.
        QVERIFY(QFile::remove(ProgramFolder::file("unins000.dll")));
        ProgramFolder::use({});
        QVERIFY(StartupFolder::choose());
        QCOMPARE(readAll(ProgramFolder::file("unins000.dll")), readAll(kInitialPassword));
    }

    // The welcome tells the first password while the installed password file holds it; an office
    // that installs a password file of its own is not told a wrong one.
    void welcomeTellsTheFirstPassword_data()
    {
        QTest::addColumn<QByteArray>("installed");
        QTest::addColumn<bool>("tell");
        QTest::newRow("as packaged") << readAll(kInitialPassword) << true;
        QTest::newRow("the office's own")
            << QByteArray("[Accesso]\r\nValore=" + Crypt::scramble("UFFICIO").toLatin1()) << false;
    }
    void welcomeTellsTheFirstPassword()
    {
        QFETCH(QByteArray, installed);
        QFETCH(bool, tell);
        QVERIFY(writeAll(path("usr/share/tassella/unins000.dll"), installed));
        FileDialog::setNextFileName(path("home/Tassella"));
        QVERIFY(StartupFolder::choose());
        QCOMPARE(MessageBox::shown().size(), 1);
        const QString welcome = MessageBox::shown().first().text;
        const QString told = QStringLiteral("\n\r\n\rPer il primo accesso in una cartella nuova, password iniziale: "
                                            "TASSELLA (si consiglia di cambiarla subito con \"Cambia password\").");
        QVERIFY2(welcome.endsWith(QStringLiteral("un'unità condivisa.") + (tell ? told : QString())),
                 qPrintable(welcome));
    }

    // A folder already in use (another PC's, on a shared drive) keeps its password file and archives.
    void existingFolderKeepsItsFiles()
    {
        QVERIFY(QDir().mkpath(path("mnt/condivisa")));
        const QByteArray password = "[Accesso]\r\nValore=0A1B\r\n";
        QVERIFY(writeAll(path("mnt/condivisa/unins000.dll"), password));
        QVERIFY(writeAll(path("mnt/condivisa/2025.bol"), QByteArray(2443, 'x')));
        FileDialog::setNextFileName(path("mnt/condivisa"));
        QVERIFY(StartupFolder::choose());
        QCOMPARE(readAll(path("mnt/condivisa/unins000.dll")), password);
        QCOMPARE(QDir(path("mnt/condivisa")).entryList(QDir::Files, QDir::Name),
                 QStringList({"2025.bol", "unins000.dll"}));
    }

    // Each user of the PC has a configuration of their own and so a folder of their own.
    void eachUserChoosesTheirOwn()
    {
        FileDialog::setNextFileName(path("home/Tassella"));
        QVERIFY(StartupFolder::choose());
        becomeUser("anna");
        ProgramFolder::use({});
        FileDialog::setNextFileName(path("anna/Archivi Tassella"));
        QVERIFY(StartupFolder::choose());
        QCOMPARE(ProgramFolder::path(), QDir::cleanPath(path("anna/Archivi Tassella")) + QLatin1Char('/'));
        QVERIFY(QFileInfo::exists(path("anna/Archivi Tassella/unins000.dll")));

        becomeUser("home");
        ProgramFolder::use({});
        FileDialog::reset();
        QVERIFY(StartupFolder::choose());
        QCOMPARE(FileDialog::lastCaption(), QString());
        QCOMPARE(ProgramFolder::path(), QDir::cleanPath(path("home/Tassella")) + QLatin1Char('/'));
    }

    // Cancelling the dialog ends the program with nothing remembered and nothing left behind.
    void cancelEndsTheProgram()
    {
        FileDialog::setNextFileName(QString());
        QVERIFY(!StartupFolder::choose());
        QVERIFY(!QFileInfo::exists(ProgramFolder::configFile()));
        QVERIFY(!QFileInfo::exists(path("home/Tassella")));
        QCOMPARE(QDir(path("home")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // A folder that cannot be used is refused with a warning naming it, and the dialog asks again.
    void unusableFolderAsksAgain()
    {
        QVERIFY(writeAll(path("home/nota.txt"), "x")); // a file where a folder should be
        const QString refused = QDir::cleanPath(path("home/nota.txt/Tassella"));
        FileDialog::setNextFileName(refused);
        FileDialog::setNextFileName(path("home/Tassella"));
        QVERIFY(StartupFolder::choose());
        QCOMPARE(MessageBox::shown().size(), 2); // the welcome, then the refusal
        QCOMPARE(MessageBox::shown().at(1).kind, MessageKind::Warning);
        QCOMPARE(MessageBox::shown().at(1).text,
                 "Attenzione: il programma non può usare la cartella:\n\r\n\r" + refused
                     + "\n\r\n\rAccertarsi di possedere i privilegi di scrittura in questa cartella, oppure "
                       "sceglierne un'altra.");
        QCOMPARE(ProgramFolder::remembered(), QDir::cleanPath(path("home/Tassella")));
        QVERIFY(QFileInfo::exists(path("home/Tassella/unins000.dll")));
    }

    // The remembered folder no longer reachable (a shared drive not mounted): the user is told and
    // chooses again.
    void unreachableFolderIsChosenAgain()
    {
        QVERIFY(ProgramFolder::remember(path("mnt/staccata/Tassella")).isEmpty());
        FileDialog::setNextFileName(path("home/Tassella"));
        QVERIFY(StartupFolder::choose());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageKind::Warning);
        QCOMPARE(MessageBox::shown().first().text,
                 "Attenzione: la cartella dei dati di Tassella non è raggiungibile:\n\r\n\r"
                     + QDir::cleanPath(path("mnt/staccata/Tassella"))
                     + "\n\r\n\rSe si trova su un'unità condivisa, collegare l'unità e riavviare il programma; "
                       "altrimenti scegliere un'altra cartella.");
        QCOMPARE(ProgramFolder::remembered(), QDir::cleanPath(path("home/Tassella")));
        QVERIFY(!QFileInfo::exists(path("mnt/staccata")));
    }

private:
    QString path(const QString& relative) const { return m_root->filePath(relative); }
    void becomeUser(const QString& home)
    {
        ProgramFolder::setUserFolders(path(home), path(home + "/.config/Tassella"));
    }

    const QString kInitialPassword = QStringLiteral(TASSELLA_SOURCE_DIR "/data/unins000.dll");
    std::unique_ptr<QTemporaryDir> m_root = std::make_unique<QTemporaryDir>();
};

QTEST_MAIN(TestFirstStart)
#include "tst_firststart.moc"
