// F1 in every window of the program opens the help window on a page: the window's own, the page
// of the work window it belongs to, or for a print preview the page of the window that opened it. The windows are the
// real ones, opened as the program opens them, and the key goes to the control that has the focus there.

#include "batch/BatchFixtures.h"
#include "lists/ListFixtures.h"
#include "TestSupport.h"
#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "app/Info.h"
#include "app/Password.h"
#include "app/Splash.h"
#include "backup/BackupArchivi.h"
#include "backup/Ripristina.h"
#include "backup/VerificaArchivi.h"
#include "batch/Emissione.h"
#include "checks/Calendario.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "checks/Voci_Tariffa.h"
#include "lists/DaSaldare.h"
#include "lists/ImpostaPromemoria.h"
#include "lists/ExpBollettini.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/Promemoria.h"
#include "lists/Ricontatta.h"
#include "lists/RiepCosti.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "payers/ImportaEsecutori.h"
#include "printing/SlipPreview.h"
#include "printing/StampaBol.h"
#include "editors/Bollettino.h"
#include "slips/SlipYear.h"

#include <QPlainTextEdit>
#include <functional>

using TestSupport::child;
using TestSupport::Session;

namespace {

Session* g_session = nullptr;

template <class T> T* window()
{
    return Session::window<T>();
}

QWidget* shown(Workspace* workspace)
{
    workspace->showFrom(nullptr);
    return workspace;
}

template <class D, class Owner> QWidget* over()
{
    return TestSupport::openFrom<D>(window<Owner>());
}

// The payment summary of 2026, as the selection opens it.
QWidget* summary()
{
    auto* selection = window<TfrmMenuRiepCosti>();
    selection->showFrom(nullptr);
    child<QLineEdit>(selection, "txtAnno")->setText(QStringLiteral("2026"));
    TestSupport::choosePeriod(selection, QStringLiteral("01"), QStringLiteral("Gennaio"), QStringLiteral("31"),
                              QStringLiteral("Dicembre"));
    TestSupport::click(selection, "btnVisualizza");
    return TestSupport::openDialog<TfrmRiepCosti>();
}

// The slip's print preview, from the print window over the slip editor.
QWidget* slipPreview()
{
    auto* print = TestSupport::openFrom<TfrmStampaBol>(window<TfrmBollettino>());
    TestSupport::click(print, "btnAnteprima");
    return TestSupport::openDialog<SlipPreview>();
}

// The preview of a batch of one payer's slip.
QWidget* batchPreview()
{
    if (!TestSupport::writeAll(g_session->file(QStringLiteral("Esecutori.pro")),
                               BatchFixtures::archive({{"ROSSI MARIO", "RSSMRA80A01H501U", "7111", false}})))
        return nullptr;
    TfrmEmissione* batch = TfrmEmissione::open(window<TfrmAvvio>());
    TestSupport::click(batch, "btnTutti");
    TestSupport::click(batch, "btnAnteprima");
    return TestSupport::openDialog<SlipPreview>();
}

// The due-date list over the slip editor, as its Promemoria command opens it.
QWidget* reminders()
{
    auto* slips = window<TfrmBollettino>();
    return TfrmPromemoria::open(slips, slips);
}

struct Row {
    const char* row;
    const char* window; // the class the row opens
    std::function<QWidget*()> open;
    QString (*title)();
};

const Row kRows[] = {
    {"login", "TfrmPassword", [] { return shown(window<TfrmPassword>()); }, HelpPages::loginTitle},
    {"password change", "TfrmCambiaPassword", [] { return shown(window<TfrmCambiaPassword>()); },
     HelpPages::loginTitle},
    {"start menu", "TfrmAvvio", [] { return shown(window<TfrmAvvio>()); }, HelpPages::startMenuTitle},
    {"about", "TfrmInfo", over<TfrmInfo, TfrmAvvio>, HelpPages::startMenuTitle},
    {"credits", "TfrmSplash", over<TfrmSplash, TfrmAvvio>, HelpPages::startMenuTitle},
    {"slip editor", "TfrmBollettino", [] { return shown(window<TfrmBollettino>()); }, HelpPages::slipEditorTitle},
    {"unpaid slips", "TfrmDaSaldare", over<TfrmDaSaldare, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"expired slips", "TfrmScadute", over<TfrmScadute, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"slip search", "TfrmTrovaBollettini", over<TfrmTrovaBollettini, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"slip print", "TfrmStampaBol", over<TfrmStampaBol, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"tariff list", "TfrmVoci_Tariffa", over<TfrmVoci_Tariffa, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"date picker", "TfrmCalendario", over<TfrmCalendario, TfrmBollettino>, HelpPages::slipEditorTitle},
    {"slip print preview", "SlipPreview", slipPreview, HelpPages::slipEditorTitle},
    {"slip export", "TfrmExpBollettini", over<TfrmExpBollettini, TfrmBollettino>, HelpPages::slipExportTitle},
    {"payer editor", "TfrmEsecutori", [] { return shown(window<TfrmEsecutori>()); }, HelpPages::payerEditorTitle},
    {"payer search", "TfrmTrovaEsecutori", over<TfrmTrovaEsecutori, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"payers to recontact", "TfrmRicontatta", over<TfrmRicontatta, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"attachments", "TfrmAllegaCartella", over<TfrmAllegaCartella, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"tax code check", "TfrmCodFisc", over<TfrmCodFisc, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"VAT number check", "TfrmPartitaIva", over<TfrmPartitaIva, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"IBAN check", "TfrmIban", over<TfrmIban, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"card check", "TfrmCarta", over<TfrmCarta, TfrmEsecutori>, HelpPages::payerEditorTitle},
    {"payer export", "TfrmExpEsecutori", over<TfrmExpEsecutori, TfrmEsecutori>, HelpPages::payerExportTitle},
    {"summary selection", "TfrmMenuRiepCosti", [] { return shown(window<TfrmMenuRiepCosti>()); },
     HelpPages::summaryTitle},
    {"summary", "TfrmRiepCosti", summary, HelpPages::summaryTitle},
    {"batch issuing", "TfrmEmissione", over<TfrmEmissione, TfrmAvvio>, HelpPages::batchTitle},
    {"batch preview", "SlipPreview", batchPreview, HelpPages::batchTitle},
    {"backup", "TfrmBackupArchivi", over<TfrmBackupArchivi, TfrmAvvio>, HelpPages::backupTitle},
    {"restore", "TfrmRipristina", over<TfrmRipristina, TfrmAvvio>, HelpPages::restoreTitle},
    {"archive check", "TfrmVerificaArchivi", over<TfrmVerificaArchivi, TfrmAvvio>, HelpPages::archiveCheckTitle},
    {"payer import", "TfrmImportaEsecutori", over<TfrmImportaEsecutori, TfrmAvvio>, HelpPages::payerImportTitle},
    {"due dates", "TfrmPromemoria", reminders, HelpPages::reminderTitle},
    {"reminder settings", "TfrmImpostaPromemoria",
     [] { return Windows::openDialog<TfrmImpostaPromemoria>(reminders()); }, HelpPages::reminderTitle},
};

// Waits until the window is the one that takes the keys.
bool takesTheKeys(QWidget* window)
{
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

} // namespace

class TestHelpKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> m_session;

private slots:
    void init()
    {
        m_session = std::make_unique<Session>();
        g_session = m_session.get();
        Clock::setFixed(QDateTime(QDate(2026, 5, 10), QTime(9, 0)));
        // A year with a slip, open in the slip editor, for the windows that read it.
        QVERIFY(ListFixtures::writeArchive(m_session->file(QStringLiteral("2026.bol")),
                                           {ListFixtures::slip({{"Esecutore", QStringLiteral("ROSSI MARIO")},
                                                                {"Intero", QStringLiteral("168,00")},
                                                                {"DataScade", QStringLiteral("02/03/2026")}})}));
        window<TfrmBollettino>()->year()->open(QStringLiteral("2026"), m_session->file(QStringLiteral("2026.bol")));
    }
    void cleanup()
    {
        TestSupport::closeDialogs();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_session = nullptr;
        m_session.reset();
    }

    void f1ShowsThePage_data()
    {
        QTest::addColumn<int>("row");
        for (size_t i = 0; i < std::size(kRows); ++i)
            QTest::newRow(kRows[i].row) << int(i);
    }
    void f1ShowsThePage()
    {
        QFETCH(int, row);
        const Row& r = kRows[row];
        QWidget* opened = r.open();
        QVERIFY(opened);
        QCOMPARE(QString::fromLatin1(opened->metaObject()->className()), QString::fromLatin1(r.window));
        QVERIFY(takesTheKeys(opened));
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : opened;
        QTest::keyClick(target, Qt::Key_F1);

        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY2(guide, "F1 opened no help page");
        QCOMPARE(guide->parentWidget(), opened);
        QCOMPARE(TestSupport::textOf(guide, "lblTitolo"), r.title());
        QVERIFY(!child<QPlainTextEdit>(guide, "txtGuida")->toPlainText().trimmed().isEmpty());
    }

    // A window added to the program without a row here, that is without a page, fails.
    void everyWindowHasARow()
    {
        QStringList rows;
        for (const Row& r : kRows)
            rows << QString::fromLatin1(r.window);
        for (QWidget* created : Windows::all()) {
            const QString name = QString::fromLatin1(created->metaObject()->className());
            QVERIFY2(rows.contains(name) || name == QLatin1String("TfrmGuida"), qPrintable(name));
        }
    }

    // F1 in the help window itself opens no second one.
    void f1InTheHelpWindowOpensNoOther()
    {
        TfrmGuida* guide = TfrmGuida::showPage(window<TfrmAvvio>(), HelpPages::backupTitle(), HelpPages::backupBody());
        QVERIFY(takesTheKeys(guide));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : guide, Qt::Key_F1);
        int open = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            open += qobject_cast<TfrmGuida*>(widget) && widget->isVisible() ? 1 : 0;
        QCOMPARE(open, 1);
    }
};

QTEST_MAIN(TestHelpKeys)
#include "tst_helpkeys.moc"
