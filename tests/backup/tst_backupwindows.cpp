// The backup and restore windows, opened from the start menu's links, driven by mouse and keyboard.

#include "BackupFixtures.h"
#include "RestoreRuns.h"
#include "TestSupport.h"
#include "app/Avvio.h"
#include "app/Password.h"
#include "app/StartupChecks.h"
#include "backup/Backup.h"
#include "backup/BackupArchivi.h"
#include "backup/Ripristina.h"
#include "backup/Restore.h"
#include "backup/VerificaArchivi.h"
#include "PdfReadBack.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

using namespace TestSupport;

namespace {
const QDateTime kNow(QDate(2025, 3, 7), QTime(9, 5, 30));
}

class TestBackupWindows : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_session = std::make_unique<Session>();
        Clock::setFixed(kNow);
        menu()->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu()));
    }
    void cleanup()
    {
        closeDialogs();
        m_session.reset();
    }

    // Each link opens its window as a dialog of the start menu, by mouse and by Enter; Escape closes
    // it; every control of the window has a name a screen reader says.
    void linksOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("window");
        QTest::newRow("backup") << "lnkBackup"
                                << "TfrmBackupArchivi";
        QTest::newRow("restore") << "lnkRipristina"
                                 << "TfrmRipristina";
        QTest::newRow("check") << "lnkVerifica"
                               << "TfrmVerificaArchivi";
    }
    void linksOpenTheirWindows()
    {
        QFETCH(QString, link);
        QFETCH(QString, window);
        QDialog* dialog = nullptr;
        commandOpens(menu(), qPrintable(link), window, &dialog);
        QVERIFY(dialog);
        for (QWidget* control : dialog->findChildren<QWidget*>())
            if (control->focusPolicy() & Qt::TabFocus && !control->objectName().isEmpty())
                QVERIFY2(!control->accessibleName().isEmpty() || !control->property("text").toString().isEmpty(),
                         qPrintable(control->objectName()));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!openedDialog());

        focus(menu(), qPrintable(link));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QDialog* again = openedDialog();
        QVERIFY(again);
        QCOMPARE(QString::fromLatin1(again->metaObject()->className()), window);
        QCOMPARE(menu()->findChild<QWidget*>(link)->accessibleName().isEmpty(), false);
    }

    // The first backup asks for the folder, which is remembered; the backup is written and verified,
    // and the message says so. Enter on the focused "Esegui backup" runs it.
    void backupAsksForTheFolderOnceAndRemembersIt()
    {
        BackupFixtures::fill(m_session->folder(), 2);
        QTemporaryDir target;
        FileDialog::setNextFileName(target.path());
        auto* dialog = Windows::openDialog<TfrmBackupArchivi>(menu());
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(textOf(dialog, "txtCartella"), QString());
        QCOMPARE(dialog->findChild<QSpinBox*>(QStringLiteral("txtCopie"))->value(), 10);
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("btnBackup"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        const QString zip = QDir(target.path()).filePath(QStringLiteral("Tassella-backup-2025-03-07-0905.zip"));
        QVERIFY(QFileInfo::exists(zip));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Information);
        QVERIFY(MessageBox::shown().first().text.startsWith(QStringLiteral("Il backup \u00e8 stato salvato nel file")));
        QCOMPARE(Backup::folder(), target.path());
        dialog->close();

        // The next window shows the folder and asks nothing.
        MessageBox::clearShown();
        auto* next = Windows::openDialog<TfrmBackupArchivi>(menu());
        QCOMPARE(textOf(next, "txtCartella"), QDir::toNativeSeparators(target.path()));
        click(next, "btnBackup");
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(!FileDialog::hasPending());
    }

    // A folder typed into the field is used and remembered, as one chosen with Sfoglia; a folder that
    // does not exist is refused with a warning and nothing is written.
    void typedFolderIsUsedOrRefused()
    {
        BackupFixtures::fill(m_session->folder(), 1);
        QTemporaryDir target;
        auto* dialog = Windows::openDialog<TfrmBackupArchivi>(menu());
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("txtCartella"));
        QVERIFY(field);
        const QString missing = target.path() + QStringLiteral("/manca");
        field->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(field, QDir::toNativeSeparators(missing));
        click(dialog, "btnBackup");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Warning);
        QVERIFY(MessageBox::shown().first().text.startsWith(
            QStringLiteral("Attenzione: la cartella indicata non esiste.")));
        QCOMPARE(Backup::folder(), QString());
        QVERIFY(QDir(target.path()).isEmpty());

        MessageBox::clearShown();
        field->setText(QDir::toNativeSeparators(target.path()));
        click(dialog, "btnBackup");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Information);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files).size(), 1);
        QCOMPARE(Backup::folder(), target.path());
    }

    // Closing the start menu offers a backup once a day, when a backup folder is set: Yes writes it
    // and tells so before the program ends; the same day asks nothing more; No the next day writes
    // nothing.
    void closingOffersABackupOnceADay()
    {
        BackupFixtures::fill(m_session->folder(), 2);
        int ended = 0;
        Windows::setEndProgramHook([&ended] { ++ended; });
        const auto closeMenu = [this] {
            menu()->showFrom(nullptr);
            QVERIFY(QTest::qWaitForWindowExposed(menu()));
            MessageBox::clearShown();
            click(menu(), "imgEsci");
        };
        // No folder chosen yet: nothing to offer.
        closeMenu();
        QCOMPARE(ended, 1);
        QVERIFY(MessageBox::shown().isEmpty());

        QTemporaryDir target;
        QVERIFY(Backup::setFolder(target.path()));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        closeMenu();
        QCOMPARE(ended, 2);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Question);
        QCOMPARE(MessageBox::shown().at(0).text, Backup::offerQuestion().text);
        QVERIFY(MessageBox::shown().at(0).text.contains(QDir::toNativeSeparators(target.path())));
        QCOMPARE(MessageBox::shown().at(1).kind, MessageBox::Kind::Information);
        QVERIFY(MessageBox::shown().at(1).text.startsWith(QStringLiteral("Il backup è stato salvato nel file")));
        const QString zip = QDir(target.path()).filePath(QStringLiteral("Tassella-backup-2025-03-07-0905.zip"));
        QVERIFY(QFileInfo::exists(zip));
        QCOMPARE(Backup::lastOffered(), kNow.date());

        closeMenu();
        QCOMPARE(ended, 3);
        QVERIFY(MessageBox::shown().isEmpty());

        Clock::setFixed(kNow.addDays(1));
        MessageBox::setNextAnswer(MessageBox::Button::No);
        closeMenu();
        QCOMPARE(ended, 4);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{QFileInfo(zip).fileName()});
        QCOMPARE(Backup::lastOffered(), kNow.date().addDays(1));
    }

    // Annulla on the question stays in the program, with the start menu shown, and the question comes
    // again at the next leaving.
    void cancelOnTheOfferStaysInTheProgram()
    {
        BackupFixtures::fill(m_session->folder(), 1);
        QTemporaryDir target;
        QVERIFY(Backup::setFolder(target.path()));
        int ended = 0;
        Windows::setEndProgramHook([&ended] { ++ended; });
        menu()->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu()));
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Cancel);
        click(menu(), "imgEsci");
        QCOMPARE(ended, 0);
        QVERIFY(menu()->isVisible());
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(QDir(target.path()).isEmpty());

        MessageBox::setNextAnswer(MessageBox::Button::No);
        click(menu(), "imgEsci");
        QCOMPARE(ended, 1);
        QCOMPARE(MessageBox::shown().size(), 2);
    }

    void cancelledFolderDialogWritesNothing()
    {
        BackupFixtures::fill(m_session->folder(), 1);
        FileDialog::setNextFileName({});
        auto* dialog = Windows::openDialog<TfrmBackupArchivi>(menu());
        click(dialog, "btnBackup");
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(Backup::folder(), QString());
    }

    // A backup chosen shows what it holds; "Ripristina" asks first; No changes nothing, Yes restores
    // it and keeps this installation's backup folder.
    void restoreShowsAsksAndRestores()
    {
        QTemporaryDir source, backups;
        BackupFixtures::fill(source.path(), 5);
        const Backup::Result backup = Backup::create(source.path(), backups.path(), kNow.addDays(-3), 10);
        QVERIFY(backup.ok);
        QVERIFY(Backup::setFolder(backups.path()));
        QVERIFY(writeAll(m_session->file(QStringLiteral("2025.bol")), BackupFixtures::slips(1, 2025)));

        auto* dialog = Windows::openDialog<TfrmRipristina>(menu());
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* restore = dialog->findChild<QPushButton*>(QStringLiteral("btnRipristina"));
        QVERIFY(!restore->isEnabled());
        FileDialog::setNextFileName(backup.path);
        click(dialog, "btnSfoglia");
        QVERIFY(restore->isEnabled());
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("btnRipristina"));
        const QString shown = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtContenuto"))->toPlainText();
        QVERIFY2(shown.contains(QStringLiteral("Anno 2024: 5 bollettini\nEsecutori: 4")), qPrintable(shown));

        MessageBox::setNextAnswer(MessageBox::Button::No);
        click(dialog, "btnRipristina");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Confirmation);
        QVERIFY(QFileInfo::exists(m_session->file(QStringLiteral("2025.bol"))));
        QVERIFY(!QFileInfo::exists(m_session->file(QStringLiteral("2023.bol"))));

        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().at(1).kind, MessageBox::Kind::Information);
        QCOMPARE(BackupFixtures::data(m_session->folder()).value(QStringLiteral("2024.bol")),
                 BackupFixtures::data(source.path()).value(QStringLiteral("2024.bol")));
        QVERIFY(!QFileInfo::exists(m_session->file(QStringLiteral("2025.bol"))));
        QVERIFY(QFileInfo::exists(m_session->file(Restore::asideFolderName(kNow) + QStringLiteral("/2025.bol"))));
        QCOMPARE(Backup::folder(), backups.path());
        QTRY_VERIFY(!dialog->isVisible());
    }

    // A restore killed once the password file was set aside and before the backup's took its place:
    // the start finishes it before the login, says so, and the backup's password opens the program.
    void startFinishesARestoreCutShortBeforeTheLogin()
    {
        QTemporaryDir backups;
        const RestoreRuns::BackupFile backup = RestoreRuns::makeBackup(backups.path());
        QVERIFY(!backup.path.isEmpty());
        const QString password = m_session->file(PasswordFile::fileName);
        // The first call at which a kill leaves the program folder without a password file.
        QString kill;
        for (int n = 1; kill.isEmpty(); ++n) {
            QVERIFY(n < 200);
            QTemporaryDir probe;
            RestoreRuns::fillBefore(probe.path());
            QVERIFY(RestoreRuns::restore(backup.path, probe.path(), QStringLiteral("kill:%1").arg(n)).struck);
            if (!QFileInfo::exists(QDir(probe.path()).filePath(PasswordFile::fileName)))
                kill = QStringLiteral("kill:%1").arg(n);
        }
        RestoreRuns::fillBefore(m_session->folder());
        QVERIFY(RestoreRuns::restore(backup.path, m_session->folder(), kill).struck);
        QVERIFY(!QFileInfo::exists(password));

        menu()->hide();
        StartupChecks::finishInterruptedRestore(nullptr);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Information);
        QVERIFY2(MessageBox::shown().first().text.contains(QStringLiteral("\u00e8 stato completato ora")),
                 qPrintable(MessageBox::shown().first().text));
        QCOMPARE(BackupFixtures::data(m_session->folder()), backup.data);

        auto* login = Session::window<TfrmPassword>();
        login->showFrom(nullptr);
        auto* field = child<QLineEdit>(login, "txtPassword");
        typeText(field, QStringLiteral("nuova"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(menu()->isVisible());

        // Nothing left: the next start says nothing.
        MessageBox::clearShown();
        StartupChecks::finishInterruptedRestore(nullptr);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void damagedBackupIsRefusedInTheWindow()
    {
        QTemporaryDir backups;
        const QString path = QDir(backups.path()).filePath(QStringLiteral("Tassella-backup-2025-03-01-1200.zip"));
        QVERIFY(writeAll(path, "PK\x03\x04 rotto"));
        auto* dialog = Windows::openDialog<TfrmRipristina>(menu());
        FileDialog::setNextFileName(path);
        click(dialog, "btnSfoglia");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Warning);
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("btnRipristina"))->isEnabled());
        QCOMPARE(dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtContenuto"))->toPlainText(), QString());
    }

    // The check lists its findings, and where a damaged archive is mended, and prints them.
    void archiveCheckListsAndPrints()
    {
        QByteArray year = BackupFixtures::slips(2, 2024);
        year += QByteArray(7, 'x');
        QVERIFY(writeAll(m_session->file(QStringLiteral("2024.bol")), year));
        QDialog* dialog = nullptr;
        commandOpens(menu(), "lnkVerifica", QStringLiteral("TfrmVerificaArchivi"), &dialog);
        QVERIFY(dialog);
        QCOMPARE(shownLines(dialog),
                 (QStringList{
                     QStringLiteral("2024.bol        2 schede"),
                     QStringLiteral("    termina con una scheda incompleta di 7 byte"),
                     QStringLiteral("Archivi danneggiati: usare Ripristina (menu di avvio) con un backup precedente."),
                 }));
        QTemporaryDir out;
        const QString pdf = QDir(out.path()).filePath(QStringLiteral("verifica.pdf"));
        PrintDialog::setNextAccept(pdf);
        click(dialog, "btnStampa");
        const PdfReadBack::Document printed = PdfReadBack::words(pdf);
        QVERIFY(printed.contains(QStringLiteral("incompleta")));
        QVERIFY(printed.contains(QStringLiteral("2024.bol")));
        QCOMPARE(readAll(m_session->file(QStringLiteral("2024.bol"))), year);
    }

private:
    TfrmAvvio* menu() { return Session::window<TfrmAvvio>(); }
    std::unique_ptr<Session> m_session;
};

QTEST_MAIN(TestBackupWindows)
#include "tst_backupwindows.moc"
