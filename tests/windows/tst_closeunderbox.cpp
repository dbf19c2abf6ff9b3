// Every window that shows a message box from one of its commands, closed while that box is open
// (as the desktop or a stray key may do): the box goes with the window, the command that asked
// returns without touching a destroyed window, and nothing is saved behind the user's back. The
// real boxes are shown here, for the box must be open when the window goes.

#include "TestSupport.h"
#include "batch/BatchFixtures.h"

#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "app/Password.h"
#include "backup/Ripristina.h"
#include "batch/Emissione.h"
#include "checks/CodFisc.h"
#include "lists/MenuRiepCosti.h"
#include "editors/Esecutori.h"
#include "editors/Bollettino.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

using TestSupport::child;

namespace {

const char* const kRossi = "RSSMRA80A01H501U";

QWidget* startMenu()
{
    return TestSupport::Session::window<TfrmAvvio>();
}

// A workspace shown as the program shows it.
template <class T> QWidget* shown()
{
    auto* window = TestSupport::Session::window<T>();
    window->showFrom(nullptr);
    return window;
}

void setText(QWidget* window, const char* name, const QString& text)
{
    QLineEdit* field = child<QLineEdit>(window, name);
    QVERIFY2(field, name);
    field->setText(text);
}

// The batch window with ROSSI's slip of 7111/24 saved once already: Salva asks about the duplicate.
QWidget* batchWithADuplicate()
{
    TestSupport::writeAll(PayerRecord::archivePath(), BatchFixtures::archive({{"ROSSI MARIO", kRossi, "7111", false}}));
    TfrmEmissione* window = TfrmEmissione::open(startMenu(), QStringLiteral("2024"));
    setText(window, "txtAnnoTariffa", QStringLiteral("24"));
    setText(window, "txtImporto", QStringLiteral("120"));
    setText(window, "txtDataScade", QStringLiteral("31/01/2024"));
    auto* tariff = child<QComboBox>(window, "txtCodTariffa");
    tariff->setCurrentIndex(tariff->findText(QStringLiteral("7111"), Qt::MatchStartsWith));
    TestSupport::click(window, "btnSalva"); // boxes still answered by the test: saved
    return window;
}

struct Row {
    const char* name;
    std::function<QWidget*()> open; // the window, shown, ready for its command
    const char* command;
    bool noByDefault = false;      // the box's default button is No
    const char* archive = nullptr; // a file the command must leave as it was
};

const Row kRows[] = {
    {"login, wrong password",
     [] {
         QWidget* login = shown<TfrmPassword>();
         setText(login, "txtPassword", QStringLiteral("SBAGLIATA"));
         return login;
     },
     "cmdOK"},
    {"password change, wrong old password",
     [] {
         QWidget* change = shown<TfrmCambiaPassword>();
         setText(change, "txtPasswordOld", QStringLiteral("SBAGLIATA"));
         setText(change, "txtPasswordNew", QStringLiteral("NUOVA1"));
         setText(change, "txtConferma", QStringLiteral("NUOVA1"));
         return change;
     },
     "cmdOK"},
    {"slip editor, year refused",
     [] {
         QWidget* editor = shown<TfrmBollettino>();
         setText(editor, "txtAnno", QStringLiteral("20"));
         return editor;
     },
     "btnApri"},
    {"payer editor, no name", [] { return shown<TfrmEsecutori>(); }, "cmdSalva"},
    {"payment summary, no period",
     [] {
         QWidget* selection = shown<TfrmMenuRiepCosti>();
         setText(selection, "txtAnno", QString());
         return selection;
     },
     "btnVisualizza"},
    {"tax code check, nothing typed",
     [] { return static_cast<QWidget*>(Windows::openDialog<TfrmCodFisc>(startMenu())); }, "btnControlla"},
    {"batch, nobody ticked",
     [] {
         TfrmEmissione* window = TfrmEmissione::open(startMenu());
         TestSupport::click(window, "btnNessuno");
         return static_cast<QWidget*>(window);
     },
     "btnSalva"},
    {"batch, duplicate question", &batchWithADuplicate, "btnSalva", true, "2024.bol"},
    {"restore, not a backup",
     [] {
         const QString junk = ProgramFolder::file(QStringLiteral("non-un-backup.zip"));
         TestSupport::writeAll(junk, QByteArray("not a zip"));
         FileDialog::setNextFileName(junk);
         return static_cast<QWidget*>(Windows::openDialog<TfrmRipristina>(startMenu()));
     },
     "btnSfoglia"},
};

} // namespace

class TestCloseUnderBox : public QObject {
    Q_OBJECT

private slots:
    void closedUnderItsBox_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kRows)); ++i)
            QTest::newRow(kRows[i].name) << i;
    }

    void closedUnderItsBox()
    {
        QFETCH(int, row);
        const Row& r = kRows[row];
        TestSupport::Session session;
        bool ended = false; // closing the login ends the program
        Windows::setEndProgramHook([&ended] { ended = true; });
        const QPointer<QWidget> window = r.open();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QByteArray before =
            r.archive ? TestSupport::readAll(session.file(QString::fromLatin1(r.archive))) : QByteArray();
        QVERIFY(!r.archive || !before.isEmpty());

        struct RealBoxes {
            RealBoxes() { MessageBox::setTestMode(false); }
            ~RealBoxes() { MessageBox::setTestMode(true); }
        } realBoxes;
        QString boxText;
        bool overWindow = false;
        bool defaultNo = false;
        int later = 0; // boxes that came after the window was closed
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (!boxText.isEmpty()) {
                ++later;
                box->hide(); // answers it, so that the test goes on
                return;
            }
            boxText = box->text();
            overWindow = window && box->parentWidget() && box->parentWidget()->window() == window;
            defaultNo = static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No);
            if (window)
                window->close();
        });
        closer.start(5);
        bool returned = false;
        TestSupport::click(window, r.command);
        returned = true;
        closer.stop();

        QVERIFY(returned);
        QVERIFY(!boxText.isEmpty());
        QVERIFY(overWindow);
        QCOMPARE(defaultNo, r.noByDefault);
        QCOMPARE(later, 0);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QTRY_VERIFY(window.isNull() || !window->isVisible());
        if (r.archive)
            QCOMPARE(TestSupport::readAll(session.file(QString::fromLatin1(r.archive))), before);
        TestSupport::closeDialogs();
    }
};

QTEST_MAIN(TestCloseUnderBox)
#include "tst_closeunderbox.moc"
