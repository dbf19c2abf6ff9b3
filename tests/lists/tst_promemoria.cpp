// The due-date reminders on real windows: the notice after the login (once a day, never when
// switched off), its list and the slip editor's command, and the letters printed, saved as PDF and
// composed as e-mails through the mail seam.

#include "ListFixtures.h"
#include "PdfReadBack.h"
#include "TestSupport.h"

#include "app/Avvio.h"
#include "app/Password.h"
#include "data/Crypt.h"
#include "data/IniFile.h"
#include "data/MailCompose.h"
#include "lists/DueDates.h"
#include "lists/ImpostaPromemoria.h"
#include "lists/Promemoria.h"
#include "editors/Bollettino.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using ListFixtures::writeArchive;
using TestSupport::child;

namespace {

const QDate kToday(2026, 12, 20); // the period of 30 days runs into next year's archive

Record dueSlip(const QString& due, const QString& name, const QString& code, const QString& euros)
{
    Record record = ListFixtures::slip({{"DataScade", due},
                                        {"Esecutore", name},
                                        {"CodFisc", code},
                                        {"CodTariffa", QStringLiteral("1518")},
                                        {"Importo", euros},
                                        {"Cents", QStringLiteral("00")},
                                        {"Intero", euros + QStringLiteral(",00")}});
    return record;
}

const QString kNotice = QStringLiteral(
    "3 bollettini non saldati scadono entro 30 giorni, 1 \u00e8 gi\u00e0 scaduto.\n\r\n\rSi vuole vedere l'elenco e "
    "preparare i promemoria per gli Esecutori?");

} // namespace

class TestPromemoria : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;

    static QString ini() { return DueDates::settingsPath(); }

    // Three payers: Rossi with two slips and an address, Bianchi with one and an address, Verdi
    // with one and none; one of Rossi's slips in next year's archive, one of Verdi's paid.
    void writeArchives()
    {
        QVERIFY(writeArchive(
            SlipRecord::archivePath(QStringLiteral("2026")),
            {dueSlip(QStringLiteral("15/12/2026"), QStringLiteral("ROSSI MARIO"), QStringLiteral("RSSMRA70A01H501U"),
                     QStringLiteral("100")),
             dueSlip(QStringLiteral("28/12/2026"), QStringLiteral("BIANCHI ANNA"), QStringLiteral("BNCNNA80A41F205X"),
                     QStringLiteral("50")),
             dueSlip(QStringLiteral("30/12/2026"), QStringLiteral("VERDI LUCA"), QString(), QStringLiteral("20"))}));
        Record paid =
            dueSlip(QStringLiteral("02/01/2027"), QStringLiteral("VERDI LUCA"), QString(), QStringLiteral("9"));
        paid.setFlag("Saldato", true);
        QVERIFY(writeArchive(SlipRecord::archivePath(QStringLiteral("2027")),
                             {paid,
                              dueSlip(QStringLiteral("10/01/2027"), QStringLiteral("ROSSI MARIO"),
                                      QStringLiteral("RSSMRA70A01H501U"), QStringLiteral("30"))}));
        QVERIFY(writeArchive(PayerRecord::archivePath(),
                             {ListFixtures::payer({{"Esecutore", QStringLiteral("ROSSI MARIO")},
                                                   {"CodFisc", QStringLiteral("RSSMRA70A01H501U")},
                                                   {"Email", QStringLiteral("mario@example.org")}}),
                              ListFixtures::payer({{"Esecutore", QStringLiteral("BIANCHI ANNA")},
                                                   {"CodFisc", QStringLiteral("BNCNNA80A41F205X")},
                                                   {"Email", QStringLiteral("anna@example.org")}})}));
    }

    void logIn()
    {
        QVERIFY(TestSupport::writeAll(ProgramFolder::file(QStringLiteral("unins000.dll")),
                                      "[Accesso]\r\nValore=" + Crypt::scramble(QStringLiteral("SEGRETO")).toLatin1()
                                          + "\r\n"));
        auto* login = Windows::get<TfrmPassword>();
        login->showFrom(nullptr);
        auto* field = child<QLineEdit>(login, "txtPassword");
        QVERIFY(field);
        TestSupport::typeText(field, QStringLiteral("segreto"));
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(Windows::get<TfrmAvvio>()->isVisible());
    }

    TfrmPromemoria* openList()
    {
        TfrmPromemoria::open(Windows::get<TfrmAvvio>(), Windows::get<TfrmBollettino>());
        return TestSupport::openDialog<TfrmPromemoria>();
    }

private slots:
    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        Clock::setFixed(QDateTime(kToday, QTime(9, 0)));
        MailCompose::setRecording(true);
        MailCompose::clearComposed();
        writeArchives();
        MessageBox::clearShown();
    }
    void cleanup()
    {
        TestSupport::closeDialogs();
        MailCompose::setRecording(false);
        m_session.reset();
    }

    // The notice after the login: on the first start of a day only, never when switched off.
    void noticeOncePerDay_data()
    {
        QTest::addColumn<QString>("avviso");
        QTest::addColumn<int>("lastShown"); // days before today; -1: never
        QTest::addColumn<bool>("shown");
        QTest::newRow("first start ever") << QString() << -1 << true;
        QTest::newRow("first start of the day") << QStringLiteral("S\u00ec") << 1 << true;
        QTest::newRow("already shown today") << QStringLiteral("S\u00ec") << 0 << false;
        QTest::newRow("switched off") << QStringLiteral("No") << -1 << false;
        QTest::newRow("switched off, not shown for days") << QStringLiteral("No") << 5 << false;
    }
    void noticeOncePerDay()
    {
        QFETCH(QString, avviso);
        QFETCH(int, lastShown);
        QFETCH(bool, shown);
        const QString section = QStringLiteral("Promemoria Scadenze");
        if (!avviso.isEmpty())
            QVERIFY(IniFile::writeString(ini(), section, QStringLiteral("Avviso"), avviso));
        if (lastShown >= 0)
            QVERIFY(DueDates::noteNoticeShown(ini(), kToday.addDays(-lastShown)));
        if (shown)
            MessageBox::setNextChoice(1); // "Chiudi"
        logIn();
        QCOMPARE(MessageBox::shown().size(), shown ? 1 : 0);
        if (!shown)
            return;
        QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Information);
        QCOMPARE(MessageBox::shown().at(0).text, kNotice);
        QVERIFY(!TestSupport::openDialog<TfrmPromemoria>());
        // A second start the same day says nothing.
        TfrmPromemoria::offerNotice(Windows::get<TfrmAvvio>(), Windows::get<TfrmBollettino>());
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    // "Visualizza elenco": the slips by due date, both years, the paid one left out; a double click
    // loads a slip of next year's archive into the slip editor.
    void noticeOpensTheList()
    {
        MessageBox::setNextChoice(0);
        logIn();
        auto* list = TestSupport::openDialog<TfrmPromemoria>();
        QVERIFY(list);
        const QStringList lines = TestSupport::shownLines(list);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith(QStringLiteral("Scad. 15/12/2026")));
        QVERIFY(lines[3].startsWith(QStringLiteral("Scad. 10/01/2027")));
        auto* payers = child<QListWidget>(list, "lstEsecutori");
        QVERIFY(payers);
        QCOMPARE(payers->count(), 3);
        QCOMPARE(payers->item(1)->text(), QStringLiteral("ROSSI MARIO  (2 bollettini)"));
        QCOMPARE(payers->item(2)->text(), QStringLiteral("VERDI LUCA  (1 bollettino, senza e-mail)"));

        TestSupport::doubleClick(list, 3);
        auto* editor = Windows::get<TfrmBollettino>();
        QTRY_VERIFY(editor->isVisible());
        QCOMPARE(editor->year()->year(), QStringLiteral("2027"));
        QCOMPARE(TestSupport::textOf(editor, "txtEsecutore"), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(TestSupport::textOf(editor, "txtDataScade"), QStringLiteral("10/01/2027"));
        QCOMPARE(editor->year()->position(), qint64(2));
    }

    // One message per ticked payer with an address, the letter attached; the others named.
    void emailsThroughTheSeam()
    {
        TfrmPromemoria* list = openList();
        QVERIFY(list);
        MessageBox::clearShown();
        TestSupport::click(list, "btnEmail");
        const QList<MailCompose::Draft> drafts = MailCompose::composed();
        QCOMPARE(drafts.size(), 2);
        QCOMPARE(drafts[0].address, QStringLiteral("anna@example.org"));
        QCOMPARE(drafts[1].address, QStringLiteral("mario@example.org"));
        const QString folder = ProgramFolder::file(QStringLiteral("Promemoria"));
        QCOMPARE(drafts[0].attachment, QDir(folder).filePath(QStringLiteral("Promemoria_BIANCHI_ANNA.pdf")));
        QCOMPARE(drafts[1].attachment, QDir(folder).filePath(QStringLiteral("Promemoria_ROSSI_MARIO.pdf")));
        for (const MailCompose::Draft& draft : drafts) {
            QCOMPARE(draft.subject, QStringLiteral("Promemoria di scadenza - Tasse sulle Concessioni Governative"));
            QVERIFY(QFileInfo(draft.attachment).size() > 0);
        }
        QVERIFY(drafts[1].body.startsWith(QStringLiteral("Gentile ROSSI MARIO,")));
        QVERIFY(drafts[1].body.contains(QStringLiteral("Totale da versare: \u20ac 130,00.")));
        QVERIFY(drafts[1].body.contains(QStringLiteral("scadenza 15/12/2026 (gi\u00e0 scaduto)")));
        if (PdfReadBack::toolsPresent())
            QVERIFY(PdfReadBack::words(drafts[1].attachment).pageText(0).contains(QStringLiteral("(CENTOTRENTA/00)")));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).text,
                 QStringLiteral("Sono stati preparati 2 messaggi nel programma di posta.\n\r\n\rNon hanno un indirizzo "
                                "e-mail in anagrafica, e non hanno ricevuto il promemoria:\n- VERDI LUCA"));

        // An unticked payer gets nothing; xdg-email missing stops with a message.
        MailCompose::clearComposed();
        MessageBox::clearShown();
        child<QListWidget>(list, "lstEsecutori")->item(0)->setCheckState(Qt::Unchecked);
        MailCompose::setFailing(true);
        TestSupport::click(list, "btnEmail");
        QCOMPARE(MailCompose::composed().size(), 1);
        QCOMPARE(MailCompose::composed().at(0).address, QStringLiteral("mario@example.org"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).kind, MessageBox::Kind::Error);
    }

    // Space ticks and unticks a payer; with nobody ticked every command says so and leaves the keys
    // on the payers.
    void nobodyChosen()
    {
        TfrmPromemoria* list = openList();
        QVERIFY(list);
        auto* payers = child<QListWidget>(list, "lstEsecutori");
        QVERIFY(payers);
        TestSupport::click(list, "btnNessuno");
        QCOMPARE(TestSupport::textOf(list, "lblConta"), QStringLiteral("0 Esecutori scelti su 3"));
        TestSupport::focus(list, "lstEsecutori");
        payers->setCurrentRow(1);
        QTest::keyClick(payers, Qt::Key_Space);
        QCOMPARE(payers->item(1)->checkState(), Qt::Checked);
        QCOMPARE(TestSupport::textOf(list, "lblConta"), QStringLiteral("1 Esecutore scelto su 3"));
        QTest::keyClick(payers, Qt::Key_Space);
        QCOMPARE(payers->item(1)->checkState(), Qt::Unchecked);
        for (const char* command : {"btnStampaPromemoria", "btnPdfSingoli", "btnPdfUnico", "btnEmail"}) {
            MessageBox::clearShown();
            TestSupport::click(list, command);
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().at(0).text,
                     QStringLiteral("Attenzione: scegliere almeno un Esecutore a cui preparare il promemoria."));
            QTRY_COMPARE(TestSupport::focused(), QStringLiteral("lstEsecutori"));
        }
        QVERIFY(MailCompose::composed().isEmpty());
    }

    // Printed in one job and saved as one PDF: a letter per ticked payer, each from a page of its own.
    void oneJobOrOneFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("print") << QStringLiteral("btnStampaPromemoria");
        QTest::newRow("one PDF") << QStringLiteral("btnPdfUnico");
    }
    void oneJobOrOneFile()
    {
        QFETCH(QString, command);
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
        TfrmPromemoria* list = openList();
        QVERIFY(list);
        const QString pdf = m_session->file(QStringLiteral("tutti.pdf"));
        if (command == QLatin1String("btnStampaPromemoria"))
            PrintDialog::setNextAccept(pdf);
        else
            FileDialog::setNextFileName(pdf);
        TestSupport::click(list, command.toLatin1().constData());
        const PdfReadBack::Document doc = PdfReadBack::words(pdf);
        QCOMPARE(doc.pages.size(), 3);
        QVERIFY(doc.pageText(0).contains(QStringLiteral("BIANCHI ANNA")));
        QVERIFY(doc.pageText(1).contains(QStringLiteral("ROSSI MARIO")));
        QVERIFY(!doc.pageText(1).contains(QStringLiteral("BIANCHI")));
        QVERIFY(doc.pageText(2).contains(QStringLiteral("VERDI LUCA")));
    }

    void onePdfPerPayer()
    {
        TfrmPromemoria* list = openList();
        QVERIFY(list);
        const QString folder = m_session->file(QStringLiteral("lettere"));
        QVERIFY(QDir().mkpath(folder));
        FileDialog::setNextFileName(folder);
        MessageBox::clearShown();
        TestSupport::click(list, "btnPdfSingoli");
        QCOMPARE(
            QDir(folder).entryList(QDir::Files),
            QStringList({QStringLiteral("Promemoria_BIANCHI_ANNA.pdf"), QStringLiteral("Promemoria_ROSSI_MARIO.pdf"),
                         QStringLiteral("Promemoria_VERDI_LUCA.pdf")}));
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::shown().at(0).text.startsWith(QStringLiteral("Sono stati salvati 3 promemoria in PDF")));
    }

    // "Impostazioni...": the notice switched off, a shorter period and the heading kept in their own
    // sections; the list is made again for the new period, and the next day says nothing.
    void settingsWindow()
    {
        TfrmPromemoria* list = openList();
        QVERIFY(list);
        TestSupport::click(list, "btnImpostazioni");
        auto* settings = TestSupport::openDialog<TfrmImpostaPromemoria>();
        QVERIFY(settings);
        auto* notice = child<QCheckBox>(settings, "chkAvviso");
        auto* period = child<QComboBox>(settings, "cboGiorni");
        QVERIFY(notice && period);
        QVERIFY(notice->isChecked());
        QCOMPARE(period->currentText(), QStringLiteral("30 giorni"));
        notice->setChecked(false);
        period->setCurrentIndex(period->findText(QStringLiteral("7 giorni")));
        child<QLineEdit>(settings, "txtUfficio")->setText(QStringLiteral("  Studio Neri  "));
        TestSupport::click(settings, "btnSalva");
        QTRY_VERIFY(!TestSupport::openDialog<TfrmImpostaPromemoria>());

        const QString section = QStringLiteral("Promemoria Scadenze");
        QCOMPARE(IniFile::readString(ini(), section, QStringLiteral("Avviso")), QStringLiteral("No"));
        QCOMPARE(IniFile::readString(ini(), section, QStringLiteral("Giorni")), QStringLiteral("7"));
        QCOMPARE(DueDates::readOffice(ini()).name, QStringLiteral("Studio Neri"));
        QTRY_COMPARE(TestSupport::shownLines(list).size(), 1); // 15/12 expired; nothing else by 27/12
        QCOMPARE(list->selection().last, kToday.addDays(7));

        MessageBox::clearShown();
        Clock::setFixed(QDateTime(kToday.addDays(1), QTime(9, 0)));
        TfrmPromemoria::offerNotice(Windows::get<TfrmAvvio>(), Windows::get<TfrmBollettino>());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // The slip editor's command: the list of the shown slip's payer alone.
    void slipEditorCommand()
    {
        auto* editor = Windows::get<TfrmBollettino>();
        editor->showFrom(Windows::get<TfrmAvvio>());
        TestSupport::click(editor, "btnApri");
        child<QLineEdit>(editor, "txtCodFisc")->setText(QStringLiteral("RSSMRA70A01H501U"));
        child<QLineEdit>(editor, "txtEsecutore")->setText(QStringLiteral("ROSSI M."));
        TestSupport::click(editor, "cmdPromemoria");
        auto* list = TestSupport::openDialog<TfrmPromemoria>();
        QVERIFY(list);
        QCOMPARE(TestSupport::shownLines(list).size(), 2);
        QCOMPARE(child<QListWidget>(list, "lstEsecutori")->count(), 1);
        list->close();

        // A payer with nothing due is told so, and no list opens.
        MessageBox::clearShown();
        child<QLineEdit>(editor, "txtCodFisc")->setText(QString());
        child<QLineEdit>(editor, "txtEsecutore")->setText(QStringLiteral("NERI ADA"));
        TestSupport::click(editor, "cmdPromemoria");
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).text,
                 QStringLiteral("L'Esecutore non ha bollettini non saldati in scadenza entro il 19/01/2027 n\u00e9 "
                                "gi\u00e0 scaduti."));
        QTRY_VERIFY(!TestSupport::openDialog<TfrmPromemoria>());
    }
};

QTEST_MAIN(TestPromemoria)
#include "tst_promemoria.moc"
