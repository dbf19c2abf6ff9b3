// The login and change-password windows, driven with keys and clicks.

#include "ReadOnly.h"
#include "TestSupport.h"
#include "app/Avvio.h"
#include "windows/ClickLabel.h"
#include "help/Guida.h"
#include "app/CambiaPassword.h"
#include "data/Crypt.h"
#include "data/IniFile.h"
#include "app/Password.h"
#include "data/PasswordFile.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <optional>

using TestSupport::child;

namespace {
void type(QWidget* widget, const QString& text)
{
    TestSupport::typeText(widget, text);
}

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kReadFailure =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
const QString kChangeFailure =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                   "Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. E' necessario reinserire entrambi i valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");
} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        // The stored password is written in capitals, as a change stores it.
        storeDigits(Crypt::scramble(QStringLiteral("SEGRETO")));
        login()->showFrom(nullptr);
        MessageBox::clearShown();
    }
    void cleanup() { m_session.reset(); }

    void okFollowsTheEntry()
    {
        auto* ok = child<QPushButton>(login(), "cmdOK");
        auto* field = child<QLineEdit>(login(), "txtPassword");
        QVERIFY(!ok->isEnabled());
        QCOMPARE(login()->focusWidget(), field);
        type(field, QStringLiteral("   "));
        QVERIFY(!ok->isEnabled());
        // Enter on blanks does nothing at all.
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(login()->isVisible());
        type(field, QStringLiteral("x"));
        QVERIFY(ok->isEnabled());
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(!ok->isEnabled());
        // The scrambling counts characters in one byte: the field stops at 255.
        field->clear();
        type(field, QString(300, QLatin1Char('a')));
        QCOMPARE(field->text().size(), 255);
    }

    void loginAttempts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<bool>("right");
        QTest::newRow("small letters, OK") << QStringLiteral("segreto") << false << true;
        QTest::newRow("mixed case, Enter") << QStringLiteral("SeGrEtO") << true << true;
        QTest::newRow("blanks at the ends") << QStringLiteral("  segreto ") << false << true;
        QTest::newRow("wrong, OK") << QStringLiteral("segreta") << false << false;
        QTest::newRow("wrong, Enter") << QStringLiteral("segretoo") << true << false;
        QTest::newRow("inner blank") << QStringLiteral("seg reto") << false << false;
    }
    void loginAttempts()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(bool, right);
        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, typed);
        if (enter)
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(login(), "cmdOK"), Qt::LeftButton);

        if (right) {
            QVERIFY(MessageBox::shown().isEmpty());
            QVERIFY(menu()->isVisible());
            QVERIFY(!login()->isVisible());
        } else {
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Plain);
            QCOMPARE(MessageBox::shown().at(0).text, kWrong);
            QVERIFY(field->text().isEmpty());
            QCOMPARE(login()->focusWidget(), field);
            QVERIFY(login()->isVisible());
            QVERIFY(!menu()->isVisible());
        }
    }

    void accentedLettersStayAsTyped()
    {
        storeDigits(Crypt::scramble(QStringLiteral("PERCHè")));
        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("PERCHÈ"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 1);
        type(field, QStringLiteral("perchè"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(menu()->isVisible());
    }

    void unreadablePassword_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=AFXY\r\n");
        QTest::newRow("blank inside") << QByteArray("[Accesso]\r\nValore=AF 01\r\n");
    }
    void unreadablePassword()
    {
        QFETCH(QByteArray, content);
        QVERIFY(TestSupport::writeAll(passwordPath(), content));
        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("segreto"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Plain);
        QCOMPARE(MessageBox::shown().at(0).text, kReadFailure);
        // The login window stays as it is.
        QCOMPARE(field->text(), QStringLiteral("segreto"));
        QVERIFY(login()->isVisible());
    }

    void noPasswordFileLetsNobodyIn()
    {
        QVERIFY(QFile::remove(passwordPath()));
        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("segreto"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().at(0).text, kWrong);
        QVERIFY(!QFile::exists(passwordPath()));
    }

    void esciEndsTheProgram()
    {
        QTimer::singleShot(0, this,
                           [this] { QTest::mouseClick(child<QPushButton>(login(), "cmdEsci"), Qt::LeftButton); });
        QVERIFY(TestSupport::runsToEnd());
    }

    void changeOpensAndReturnsEmptied()
    {
        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("qualcosa"));
        QTest::mouseClick(child<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
        QVERIFY(change()->isVisible());
        QVERIFY(!login()->isVisible());
        QCOMPARE(change()->focusWidget(), child<QLineEdit>(change(), "txtPasswordOld"));

        // Enter moves round the three fields; OK needs all three.
        auto* ok = child<QPushButton>(change(), "cmdOK");
        type(change()->focusWidget(), QStringLiteral("a"));
        QTest::keyClick(change()->focusWidget(), Qt::Key_Return);
        QCOMPARE(change()->focusWidget(), child<QLineEdit>(change(), "txtPasswordNew"));
        type(change()->focusWidget(), QStringLiteral("b"));
        QTest::keyClick(change()->focusWidget(), Qt::Key_Return);
        QCOMPARE(change()->focusWidget(), child<QLineEdit>(change(), "txtConferma"));
        QVERIFY(!ok->isEnabled());
        type(change()->focusWidget(), QStringLiteral(" "));
        QVERIFY(!ok->isEnabled());
        type(change()->focusWidget(), QStringLiteral("b"));
        QVERIFY(ok->isEnabled());
        QTest::keyClick(change()->focusWidget(), Qt::Key_Return);
        QCOMPARE(change()->focusWidget(), child<QLineEdit>(change(), "txtPasswordOld"));
        QVERIFY(MessageBox::shown().isEmpty());

        QTest::mouseClick(child<QPushButton>(change(), "cmdEsci"), Qt::LeftButton);
        QVERIFY(!change()->isVisible());
        QVERIFY(login()->isVisible());
        QVERIFY(field->text().isEmpty());
        QCOMPARE(login()->focusWidget(), field);
        QCOMPARE(PasswordFile::read(passwordPath()), std::optional<QString>(QStringLiteral("SEGRETO")));

        // Shown again, the change window starts empty.
        QTest::mouseClick(child<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
        for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            QVERIFY(child<QLineEdit>(change(), name)->text().isEmpty());
    }

    void changeRefusals_data()
    {
        QTest::addColumn<QString>("old");
        QTest::addColumn<QString>("fresh");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QStringList>("emptied");
        QTest::newRow("wrong old") << "segreta"
                                   << "nuova"
                                   << "nuova" << kOldWrong << "txtPasswordOld" << QStringList{"txtPasswordOld"};
        // The confirmation is compared as typed, although both would be stored as NUOVA.
        QTest::newRow("confirmation in other case")
            << "segreto"
            << "nuova"
            << "NUOVA" << kNotConfirmed << "txtPasswordNew" << QStringList{"txtPasswordNew", "txtConferma"};
        QTest::newRow("confirmation differs")
            << "SEGRETO"
            << "nuova1"
            << "nuova2" << kNotConfirmed << "txtPasswordNew" << QStringList{"txtPasswordNew", "txtConferma"};
        QTest::newRow("character above 255")
            << "segreto"
            << "prezzo€"
            << "prezzo€"
            << QStringLiteral(
                   "Attenzione: la nuova password contiene caratteri che non possono essere memorizzati, come il "
                   "simbolo dell'euro (€) o altri caratteri speciali. Utilizzare lettere, cifre e gli altri "
                   "simboli della tastiera ed inserire di nuovo entrambi i valori.")
            << "txtPasswordNew" << QStringList{"txtPasswordNew", "txtConferma"};
    }
    void changeRefusals()
    {
        QFETCH(QString, old);
        QFETCH(QString, fresh);
        QFETCH(QString, confirm);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(QStringList, emptied);
        const QByteArray before = TestSupport::readAll(passwordPath());
        openChange();
        fillChange(old, fresh, confirm);
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);

        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Plain);
        QCOMPARE(MessageBox::shown().at(0).text, message);
        QCOMPARE(change()->focusWidget()->objectName(), focus);
        for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
            QCOMPARE(child<QLineEdit>(change(), name)->text().isEmpty(), emptied.contains(QLatin1String(name)));
        QVERIFY(change()->isVisible());
        QCOMPARE(TestSupport::readAll(passwordPath()), before);
    }

    void changeSucceedsAndLoginNeedsTheNewPassword()
    {
        openChange();
        fillChange(QStringLiteral("segreto"), QStringLiteral(" Nuova Chiave "), QStringLiteral("Nuova Chiave"));
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).text, kDone);
        QVERIFY(!change()->isVisible());
        QVERIFY(login()->isVisible());
        QCOMPARE(IniFile::readString(passwordPath(), QStringLiteral("Accesso"), QStringLiteral("Valore")),
                 Crypt::scramble(QStringLiteral("NUOVA CHIAVE")));

        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("segreto"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(MessageBox::shown().last().text, kWrong);
        type(field, QStringLiteral("nuova chiave"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(menu()->isVisible());
    }

    // A password file that cannot be replaced (here: immutable) or cannot be read is a failure the
    // window reports; the file stays byte for byte, and a replaceable one still logs in with the old
    // password.
    void changeThatFailsIsReported_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("file that cannot be written") << false;
        QTest::newRow("file that cannot be read") << true;
    }
    void changeThatFailsIsReported()
    {
        QFETCH(bool, unreadable);
        if (unreadable)
            QVERIFY(TestSupport::writeAll(passwordPath(), "[Accesso]\r\nValore=ZZ\r\n"));
        const QByteArray before = TestSupport::readAll(passwordPath());
        std::optional<ReadOnly> guard;
        if (!unreadable) {
            guard.emplace(passwordPath());
            REQUIRE_READ_ONLY(*guard);
        }
        openChange();
        fillChange(QStringLiteral("segreto"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).text, kChangeFailure);
        QVERIFY(change()->isVisible());
        QCOMPARE(TestSupport::readAll(passwordPath()), before);
        if (unreadable)
            QCOMPARE(before, QByteArray("[Accesso]\r\nValore=ZZ\r\n"));
        else
            QCOMPARE(PasswordFile::read(passwordPath()), std::optional<QString>(QStringLiteral("SEGRETO")));
    }

    // A password file last written by the Windows settings API keeps everything but the value.
    void changeKeepsTheRestOfAWindowsFile()
    {
        const QByteArray original = TestSupport::readAll(TestSupport::fixture(QStringLiteral("windows_settings.ini")));
        QVERIFY(TestSupport::writeAll(passwordPath(), original));
        openChange();
        fillChange(QStringLiteral("vecchia"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().at(0).text, kDone);
        QByteArray expected = original;
        expected.replace(QByteArray("valore = " + Crypt::scramble(QStringLiteral("VECCHIA")).toLatin1()),
                         QByteArray("valore=" + Crypt::scramble(QStringLiteral("NUOVA")).toLatin1()));
        QCOMPARE(TestSupport::readAll(passwordPath()), expected);
    }

    // The login tells the first password while the password file still holds it (a new install, a
    // new data folder), and no longer once it is changed.
    void firstPasswordIsToldUntilChanged()
    {
        auto* told = child<QLabel>(login(), "lblPasswordIniziale");
        QVERIFY(!told->isVisible());

        login()->hide();
        QVERIFY(QFile::remove(passwordPath()));
        QVERIFY(QFile::copy(QStringLiteral(TASSELLA_SOURCE_DIR "/data/unins000.dll"), passwordPath()));
        login()->showFrom(nullptr);
        QVERIFY(told->isVisible());
        QCOMPARE(told->text(), QStringLiteral("Al primo accesso, password iniziale: TASSELLA"));
        QCOMPARE(told->accessibleName(), told->text());
        QVERIFY(!told->geometry().intersects(child(login(), "txtPassword")->geometry()));
        QVERIFY(!told->geometry().intersects(child(login(), "cmdOK")->geometry()));

        openChange();
        fillChange(QStringLiteral("tassella"), QStringLiteral("mia chiave"), QStringLiteral("mia chiave"));
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().last().text, kDone);
        QVERIFY(login()->isVisible());
        QVERIFY(!told->isVisible());
    }

    // From the program folder as the build prepares it: the initial password, a change, the
    // slip editor and back, the help page and the guide.
    void firstAccessJourney()
    {
        QVERIFY(QFile::remove(passwordPath()));
        QVERIFY(QFile::copy(QStringLiteral(TASSELLA_SOURCE_DIR "/data/unins000.dll"), passwordPath()));
        openChange();
        fillChange(QStringLiteral("tassella"), QStringLiteral("mia chiave"), QStringLiteral("mia chiave"));
        QTest::mouseClick(child<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
        QCOMPARE(MessageBox::shown().last().text, kDone);

        auto* field = child<QLineEdit>(login(), "txtPassword");
        type(field, QStringLiteral("MIA CHIAVE"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(menu()->isVisible());
        QVERIFY(!login()->isVisible());

        QTest::mouseClick(child(menu(), "imgBollettino"), Qt::LeftButton);
        QWidget* slips = Windows::byClass("TfrmBollettino");
        QVERIFY(slips->isVisible());
        slips->close();
        QVERIFY(menu()->isVisible());

        QTest::mouseClick(child(menu(), "imgGuida"), Qt::LeftButton);
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        QTest::mouseClick(child(guide, "lnkWeb"), Qt::LeftButton);
        QCOMPARE(
            Shell::opened(),
            QStringList{
                QUrl::fromLocalFile(ProgramFolder::file(QStringLiteral("Guida.pdf"))).toString(QUrl::FullyEncoded)});
        QTest::mouseClick(child(guide, "btnChiudi"), Qt::LeftButton);
        QVERIFY(menu()->isVisible());
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    // Login and change windows share the program's look: the window's main command in the navy of
    // the slip editor's "Apri", the others white like every other button, and a note that keeps its
    // distance from the yellow rule under it.
    void buttonsWearTheProgramsLook_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QColor>("face");
        const QColor navy(0x1f, 0x4e, 0x8c);
        const QColor white(0xff, 0xff, 0xff);
        QTest::newRow("login OK") << "TfrmPassword"
                                  << "cmdOK" << navy;
        QTest::newRow("login Esci") << "TfrmPassword"
                                    << "cmdEsci" << white;
        QTest::newRow("login Cambia password") << "TfrmPassword"
                                               << "btnCambiaPassword" << white;
        QTest::newRow("change OK") << "TfrmCambiaPassword"
                                   << "cmdOK" << navy;
        QTest::newRow("change Chiudi") << "TfrmCambiaPassword"
                                       << "cmdEsci" << white;
    }
    void buttonsWearTheProgramsLook()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QColor, face);
        auto* workspace = qobject_cast<Workspace*>(Windows::byClass(qPrintable(window)));
        workspace->showFrom(nullptr);
        auto* command = child<QPushButton>(workspace, qPrintable(button));
        command->setEnabled(true);
        command->clearFocus();
        QVERIFY(QTest::qWaitForWindowExposed(workspace));
        const QImage picture = command->grab().toImage();
        // Inside the border, away from the caption.
        const QColor colour = picture.pixelColor(6, picture.height() / 2);
        QVERIFY2(qAbs(colour.red() - face.red()) < 24 && qAbs(colour.green() - face.green()) < 24
                     && qAbs(colour.blue() - face.blue()) < 24,
                 qPrintable(colour.name()));
    }

    void changeNoteStandsClearOfTheRule()
    {
        openChange();
        auto* note = child<QLabel>(change(), "lblRigo02");
        QWidget* rule = child(change(), "shpLinea");
        // Where the wrapped text ends, drawn from the top of its label.
        QVERIFY(note->alignment() & Qt::AlignTop);
        const int textBottom = note->y() + note->heightForWidth(note->width());
        QVERIFY2(textBottom <= note->geometry().bottom() + 1, "the note is not cut");
        QVERIFY2(rule->y() - textBottom >= 10, qPrintable(QString::number(rule->y() - textBottom)));
        QVERIFY(child(change(), "lblRigo05")->y() - (rule->y() + rule->height()) >= 8);
    }

private:
    static TfrmPassword* login() { return Windows::get<TfrmPassword>(); }
    static TfrmCambiaPassword* change() { return Windows::get<TfrmCambiaPassword>(); }
    static TfrmAvvio* menu() { return Windows::get<TfrmAvvio>(); }
    static QString passwordPath() { return ProgramFolder::file(QStringLiteral("unins000.dll")); }

    static void storeDigits(const QString& digits)
    {
        QVERIFY(TestSupport::writeAll(passwordPath(), "[Accesso]\r\nValore=" + digits.toLatin1() + "\r\n"));
    }

    static void openChange()
    {
        QTest::mouseClick(child<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
        QVERIFY(change()->isVisible());
    }

    static void fillChange(const QString& old, const QString& fresh, const QString& confirm)
    {
        type(child<QLineEdit>(change(), "txtPasswordOld"), old);
        type(child<QLineEdit>(change(), "txtPasswordNew"), fresh);
        type(child<QLineEdit>(change(), "txtConferma"), confirm);
    }

    std::unique_ptr<TestSupport::Session> m_session;
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
