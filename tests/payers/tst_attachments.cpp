// The attachment folder as logic: which stored names may be used at all, and the copy that
// replaces a file of the same name only once the new one is whole.

#include "CoreSupport.h"
#include "ReadOnly.h"
#include "payers/Attachments.h"

#include <QDir>
#include <QTest>

class TestAttachments : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Folder> m_folder;

private slots:
    void init() { m_folder = std::make_unique<TestSupport::Folder>(); }
    void cleanup() { m_folder.reset(); }

    void plainFileNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("name and extension") << "carta identita.pdf" << true;
        QTest::newRow("accented, no extension") << "ricevuta_è" << true;
        QTest::newRow("dots inside") << "a..b.txt" << true;
        QTest::newRow("hidden file") << ".profilo" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("parent") << ".." << false;
        QTest::newRow("up and out") << "../Esecutori.pro" << false;
        QTest::newRow("up, Windows") << "..\\Esecutori.pro" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("subfolder") << "sub/file.txt" << false;
        QTest::newRow("drive") << "C:\\Windows\\win.ini" << false;
        QTest::newRow("drive relative") << "C:file.txt" << false;
        QTest::newRow("network share") << "\\\\server\\share\\f.txt" << false;
        QTest::newRow("stream") << "file.txt:secret" << false;
        QTest::newRow("quote ends the shell's path") << "a\" b.pdf" << false;
        QTest::newRow("wildcard") << "*.pdf" << false;
        QTest::newRow("line break") << "a\nb.pdf" << false;
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << false;
    }

    void plainFileNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        QCOMPARE(Attachments::isPlainFileName(name), plain);
    }

    void folderInTheProgramFolder()
    {
        QCOMPARE(Attachments::folder(), m_folder->folder() + QStringLiteral("/Documenti_Allegati/"));
        QCOMPARE(Attachments::pathOf(QStringLiteral("a.pdf")),
                 m_folder->folder() + QStringLiteral("/Documenti_Allegati/a.pdf"));
        QVERIFY(!QFileInfo::exists(Attachments::folder()));
        QVERIFY(Attachments::makeFolder());
        QVERIFY(QFileInfo(Attachments::folder()).isDir());
        QVERIFY(Attachments::makeFolder()); // already there
    }

    // A missing parent is made as well (the program folder itself, in a fresh place).
    void folderWithMissingParents()
    {
        const QString deep = m_folder->folder() + QStringLiteral("/uno/due");
        ProgramFolder::setOverride(deep);
        QVERIFY(Attachments::makeFolder());
        QVERIFY(QFileInfo(deep + QStringLiteral("/Documenti_Allegati")).isDir());
    }

    void copyReplaces()
    {
        QVERIFY(Attachments::makeFolder());
        const QString source = m_folder->file(QStringLiteral("nuovo.bin"));
        QByteArray big(3 * 1024 * 1024 + 17, '\0');
        for (qsizetype i = 0; i < big.size(); ++i)
            big[i] = char(i * 7);
        QVERIFY(TestSupport::writeAll(source, big));
        const QString destination = Attachments::pathOf(QStringLiteral("doc.bin"));
        QVERIFY(TestSupport::writeAll(destination, "vecchio"));
        QVERIFY(Attachments::copyReplacing(source, destination));
        QCOMPARE(TestSupport::readAll(destination), big);
        QCOMPARE(QDir(Attachments::folder()).entryList(QDir::Files), QStringList{QStringLiteral("doc.bin")});
    }

    // A copy that cannot be made leaves the file already there whole.
    void failedCopyKeepsTheOldFile()
    {
        QVERIFY(Attachments::makeFolder());
        const QString destination = Attachments::pathOf(QStringLiteral("doc.txt"));
        QVERIFY(TestSupport::writeAll(destination, "vecchio"));
        QVERIFY(!Attachments::copyReplacing(m_folder->file(QStringLiteral("missing.txt")), destination));
        QCOMPARE(TestSupport::readAll(destination), QByteArray("vecchio"));

        const QString source = m_folder->file(QStringLiteral("nuovo.txt"));
        QVERIFY(TestSupport::writeAll(source, "nuovo"));
        {
            ReadOnly locked(Attachments::folder());
            REQUIRE_READ_ONLY(locked);
            QVERIFY(!Attachments::copyReplacing(source, destination));
        }
        QCOMPARE(TestSupport::readAll(destination), QByteArray("vecchio"));
    }
};

QTEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
