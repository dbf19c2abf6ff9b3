// The program on a Linux desktop: the warning for a program folder it cannot write, and the message
// when no program of the desktop opens a file or a link (through the test hook and through a
// stand-in xdg-open that answers as the real one does).

#include "ReadOnly.h"
#include "TestSupport.h"
#include "help/Guida.h"
#include "data/OpenURL.h"
#include "windows/ClickLabel.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTimer>
#include <QTemporaryDir>

using TestSupport::child;

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        qputenv("PATH", m_path);
        m_session.reset();
    }
    void initTestCase() { m_path = qgetenv("PATH"); }

    // The start-up warns once, over the login window, naming the folder or the file.
    void startupWarnsAboutUnwritableFolder_data()
    {
        QTest::addColumn<QString>("locked");   // what is made unwritable: "" nothing, "." the folder
        QTest::addColumn<QString>("expected"); // a part of the warning, empty for no warning
        QTest::newRow("writable") << ""
                                  << "";
        QTest::newRow("folder") << "."
                                << "Attenzione: il programma non può scrivere nella propria cartella:\n\r\n\r";
        QTest::newRow("password file") << "unins000.dll"
                                       << "non può modificare il file unins000.dll";
        QTest::newRow("archive") << "2025.bol"
                                 << "non può modificare il file 2025.bol";
    }
    void startupWarnsAboutUnwritableFolder()
    {
        QFETCH(QString, locked);
        QFETCH(QString, expected);
        m_session = std::make_unique<TestSupport::Session>();
        for (const char* name : {"unins000.dll", "2025.bol", "Tassella.ini"})
            QVERIFY(TestSupport::writeAll(m_session->file(QString::fromLatin1(name)), "x"));
        std::unique_ptr<ReadOnly> guard;
        if (!locked.isEmpty()) {
            guard = std::make_unique<ReadOnly>(locked == QLatin1String(".") ? m_session->folder()
                                                                            : m_session->file(locked));
            REQUIRE_READ_ONLY(*guard);
        }
        Startup::showLogin();
        const auto shown = MessageBox::shown();
        if (expected.isEmpty()) {
            QVERIFY(shown.isEmpty());
            QVERIFY(QDir(m_session->folder()).entryList(QDir::Files | QDir::Hidden).size() == 3); // probe removed
            return;
        }
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().kind, MessageKind::Warning);
        QVERIFY2(shown.first().text.contains(expected), qPrintable(shown.first().text));
        QVERIFY2(shown.first().text.contains(QDir::toNativeSeparators(m_session->folder())),
                 qPrintable(shown.first().text));
        QVERIFY(Windows::byClass("TfrmPassword")->isVisible());
    }

    // The test hook's failure goes to the message the windows installed at start-up.
    void failedOpenTellsTheUser_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");
        QTest::newRow("spreadsheet") << "\"/casa/ufficio/Tassella/Esecutori.xls\""
                                     << "Attenzione: nel sistema non è impostato alcun programma per aprire questo "
                                        "tipo di file:\n\r\n\r/casa/ufficio/Tassella/Esecutori.xls\n\r\n\r";
        QTest::newRow("mail") << "\"mailto:info@esempio.it?subject=Software Tassella\""
                              << "programma di posta elettronica, per cui non è possibile scrivere a info@esempio.it.";
        QTest::newRow("web") << "\"www.esempio.it\""
                             << "alcun programma per aprire l'indirizzo http://www.esempio.it.";
    }
    void failedOpenTellsTheUser()
    {
        QFETCH(QString, target);
        QFETCH(QString, expected);
        m_session = std::make_unique<TestSupport::Session>();
        Shell::setFailing(true);
        TMisc::Open(target);
        const auto shown = MessageBox::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().kind, MessageKind::Warning);
        QVERIFY2(shown.first().text.contains(expected), qPrintable(shown.first().text));
    }

    // The guide link of the help window, through the same path.
    void guideLinkWithoutViewer()
    {
        m_session = std::make_unique<TestSupport::Session>();
        Shell::setFailing(true);
        TfrmGuida guide;
        QTest::mouseClick(child<ClickLabel>(&guide, "lnkWeb"), Qt::LeftButton);
        QCOMPARE(Shell::opened().size(), 1);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::shown().first().text.contains(m_session->file("Guida.pdf")));
    }

    // The real routine, with a stand-in xdg-open that records its argument and exits with a code:
    // 0 opened, 3 no program for this kind of file, 4 the desktop's opener failed; no xdg-open at all.
    void xdgOpenAnswers_data()
    {
        QTest::addColumn<int>("exitCode"); // -1: no xdg-open on the system
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<bool>("message");
        QTest::newRow("opened") << 0 << true << false;
        QTest::newRow("no program") << 3 << true << true;
        QTest::newRow("opener failed") << 4 << true << true;
        QTest::newRow("missing file stays silent") << 4 << false << false;
        QTest::newRow("no xdg-open") << -1 << true << true;
    }
    void xdgOpenAnswers()
    {
        QFETCH(int, exitCode);
        QFETCH(bool, fileExists);
        QFETCH(bool, message);
        m_session = std::make_unique<TestSupport::Session>(false);
        Startup::createWindows();
        Shell::setRecording(false);
        QTemporaryDir bin;
        const QString log = bin.filePath("argument");
        if (exitCode >= 0) {
            const QString script = bin.filePath("xdg-open");
            QVERIFY(TestSupport::writeAll(
                script,
                QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n").arg(log).arg(exitCode).toUtf8()));
            QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        qputenv("PATH", bin.path().toUtf8());
        const QString file = m_session->file("Riepilogo Annuale.xls");
        if (fileExists)
            QVERIFY(TestSupport::writeAll(file, "x"));
        TMisc::Open(QLatin1Char('"') + file + QLatin1Char('"'));
        if (exitCode >= 0) {
            // The path arrives whole, blanks included, without the quotes.
            QTRY_COMPARE(TestSupport::readAll(log), file.toUtf8());
        }
        if (message) {
            QTRY_COMPARE(MessageBox::shown().size(), 1);
            QVERIFY(MessageBox::shown().first().text.contains(QDir::toNativeSeparators(file)));
        } else {
            // The stand-in has answered; give its exit a moment to arrive, then nothing may show.
            QTest::qWait(300);
            QCOMPARE(MessageBox::shown().size(), 0);
        }
    }

    // While the desktop looks for a program the cursor shows it; when none is found, the message
    // comes over the window that asked, not over whatever is in front by then.
    void slowSearchShowsBusyAndAnswersTheAsker()
    {
        m_session = std::make_unique<TestSupport::Session>(false);
        Startup::createWindows();
        Shell::setRecording(false);
        QTemporaryDir bin;
        const QString script = bin.filePath("xdg-open");
        QVERIFY(TestSupport::writeAll(script, "#!/bin/sh\nsleep 0.5\nexit 3\n"));
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", bin.path().toUtf8() + ":" + m_path);
        const QString file = m_session->file("Esecutori.xls");
        QVERIFY(TestSupport::writeAll(file, "x"));

        // The export window, in front and modal, asks; then another window comes to the front.
        QDialog asker;
        asker.setWindowModality(Qt::ApplicationModal);
        asker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&asker));
        TMisc::Open(QLatin1Char('"') + file + QLatin1Char('"'));
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        asker.hide();
        asker.setWindowModality(Qt::NonModal);
        asker.show();
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);

        QTRY_COMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().parent.data(), &asker);
        QVERIFY(MessageBox::shown().first().text.contains(file));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The file dialog of the attachments opens in the user's documents, then where the last file was
    // chosen; it is Qt's own dialog, in Italian.
    void fileDialogStartsInDocumentsInItalian()
    {
        m_session = std::make_unique<TestSupport::Session>(false);
        Startup::installTranslations(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] {
            qputenv("HOME", oldHome);
            oldConfig.isEmpty() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
        });
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QVERIFY(documents.startsWith(home.path()));
        QVERIFY(QDir().mkpath(documents + "/Pratiche"));
        QVERIFY(QDir().mkpath(home.path() + "/Scansioni"));

        // The real dialog: where it opens, and its column names and kinds in Italian.
        QString folder, heading, kind;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            folder = dialog->directory().absolutePath();
            if (auto* model = dialog->findChild<QFileSystemModel*>()) {
                heading = model->headerData(0, Qt::Horizontal).toString();
                // The model reads the folder in the background.
                for (int i = 0; i < 100 && kind.isEmpty(); ++i) {
                    QTest::qWait(20);
                    kind = model->data(model->index(documents + "/Pratiche", 2)).toString();
                }
            }
            dialog->reject();
        });
        QCOMPARE(FileDialog::getOpenFileName(nullptr, QStringLiteral("Selezionare il file da allegare:")), QString());
        QCOMPARE(folder, documents);
        QCOMPARE(heading, QStringLiteral("Nome"));
        QCOMPARE(kind, QStringLiteral("Cartella"));

        // Then where the user last chose a file.
        FileDialog::setNextFileName(home.path() + "/Scansioni/carta.pdf");
        QCOMPARE(FileDialog::getOpenFileName(nullptr, QStringLiteral("Selezionare il file da allegare:")),
                 home.path() + "/Scansioni/carta.pdf");
        QCOMPARE(FileDialog::openedIn(), documents);
        FileDialog::setNextFileName(QString());
        FileDialog::getOpenFileName(nullptr, QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(FileDialog::openedIn(), home.path() + "/Scansioni");
    }

private:
    std::unique_ptr<TestSupport::Session> m_session;
    QByteArray m_path;
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
