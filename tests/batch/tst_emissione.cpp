// The batch window on real widgets: the slips it saves are byte for byte those the slip editor
// saves for the same payers and typed data; the list ticks, counts and flags payers; a second run
// warns of the duplicates; one print job holds every saved slip; the start menu and the slip
// editor open it.

#include "BatchFixtures.h"
#include "PdfReadBack.h"
#include "TestSupport.h"

#include "app/Avvio.h"
#include "batch/Emissione.h"
#include "batch/PayerChoiceModel.h"
#include "checks/Calendario.h"
#include "windows/ListPanel.h"
#include "printing/PrintMargins.h"
#include "printing/SlipPreview.h"
#include "printing/StampaBol.h"
#include "editors/Bollettino.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QUrl>

using namespace BatchFixtures;
using MessageBox::Kind;
using TestSupport::child;

namespace {

const char* const kRossi = "RSSMRA80A01H501U";
const char* const kVerdi = "VRDGPP85M10F205V";

const QString kReason = QStringLiteral("Tassa annuale di concessione");
const QString kNotes = QStringLiteral("Emissione annuale");

QByteArray twoPayers()
{
    return archive({{"VERDI GIUSEPPE", kVerdi, "8617", false}, {"ROSSI MARIO", kRossi, "7111", true}});
}

} // namespace

class TestEmissione : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmEmissione* m_window = nullptr;

    QString text(const char* name) { return TestSupport::textOf(m_window, name); }
    void click(const char* name) { TestSupport::click(m_window, name); }

    // Opens the batch window from the start menu's entry.
    void openFromStartMenu()
    {
        auto* menu = TestSupport::Session::window<TfrmAvvio>();
        menu->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        TestSupport::click(menu, "btnEmissione");
        QTRY_VERIFY((m_window = TestSupport::openDialog<TfrmEmissione>()));
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }

    // Types the slip's data as the user does, the due date through the date picker.
    void fillSlip(const QString& year)
    {
        auto* anno = child<QLineEdit>(m_window, "txtAnno");
        anno->clear();
        TestSupport::focus(m_window, "txtAnno");
        QTest::keyClicks(anno, year);
        QTest::keyClick(anno, Qt::Key_Enter); // on to the tariff year
        QCOMPARE(TestSupport::focused(), QStringLiteral("txtAnnoTariffa"));
        auto* tariffYear = child<QLineEdit>(m_window, "txtAnnoTariffa");
        tariffYear->selectAll();
        QTest::keyClicks(tariffYear, QStringLiteral("24"));
        auto* tariff = child<QComboBox>(m_window, "txtCodTariffa");
        tariff->setCurrentIndex(tariff->findText(QStringLiteral("7111"), Qt::MatchStartsWith));
        TestSupport::focus(m_window, "txtImporto");
        QTest::keyClicks(child<QLineEdit>(m_window, "txtImporto"), QStringLiteral("120"));
        QCOMPARE(text("txtImpLettere"), QStringLiteral("CENTOVENTI"));
        TestSupport::focus(m_window, "txtCents");
        child<QLineEdit>(m_window, "txtCents")->selectAll();
        QTest::keyClicks(child<QLineEdit>(m_window, "txtCents"), QStringLiteral("5"));
        QTest::keyClick(child<QLineEdit>(m_window, "txtCents"), Qt::Key_Enter); // leaves: 50
        QCOMPARE(TestSupport::focused(), QStringLiteral("txtDataScade"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("50"));
        QTest::keyClick(child<QLineEdit>(m_window, "txtDataScade"), Qt::Key_Space);
        TfrmCalendario* picker = nullptr;
        QTRY_VERIFY((picker = TestSupport::openDialog<TfrmCalendario>()));
        child<QCalendarWidget>(picker, "calAppuntamenti")->setSelectedDate(QDate(2025, 1, 31));
        TestSupport::click(picker, "btnImportaData");
        QTRY_COMPARE(text("txtDataScade"), QStringLiteral("31/01/2025"));
        TestSupport::typeText(child<QLineEdit>(m_window, "txtCausale"), kReason);
        TestSupport::typeText(child<QLineEdit>(m_window, "txtNote"), kNotes);
        child<QCheckBox>(m_window, "chkAnnuale")->setChecked(true);
    }

    // The same slip typed into the slip editor for one payer imported with "Importa dati".
    void typeInEditor(TfrmBollettino* editor, const Record& payer)
    {
        TestSupport::click(editor, "cmdNuovo");
        editor->takePayer(payer, 1);                                                // as the payer search hands it over
        child<QLineEdit>(editor, "txtCodTariffa")->setText(QStringLiteral("7111")); // from the tariff list
        const auto type = [editor](const char* name, const QString& value) {
            TestSupport::focus(editor, name);
            auto* field = child<QLineEdit>(editor, name);
            field->selectAll();
            TestSupport::typeText(field, value);
        };
        type("txtAnnoTariffa", QStringLiteral("24"));
        type("txtImporto", QStringLiteral("120"));
        type("txtCents", QStringLiteral("5"));
        TestSupport::focus(editor, "txtCausale");                                        // leaving the cents
        child<QLineEdit>(editor, "txtDataScade")->setText(QStringLiteral("31/01/2025")); // from the date picker
        type("txtCausale", kReason);
        type("txtNote", kNotes);
        child<QCheckBox>(editor, "chkAnnuale")->setChecked(true);
        TestSupport::click(editor, "cmdSalva");
    }

    void tick(int row, bool on)
    {
        auto* list = child<QListView>(m_window, "lstEsecutori");
        list->model()->setData(list->model()->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    }

private slots:
    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(), twoPayers()));
    }

    void cleanup()
    {
        TestSupport::closeDialogs();
        m_window = nullptr;
        m_session.reset();
    }

    void slipsAreTheEditorsRecords()
    {
        // Typed one by one in the slip editor, into 2025.bol, in the batch's name order.
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        child<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2025"));
        TestSupport::click(editor, "btnApri");
        typeInEditor(editor, payer({"ROSSI MARIO", kRossi, "7111", true}));
        typeInEditor(editor, payer({"VERDI GIUSEPPE", kVerdi, "8617", false}));
        const QByteArray typed = TestSupport::readAll(m_session->file(QStringLiteral("2025.bol")));
        QCOMPARE(typed.size(), 2 * SlipRecord::kSize);
        editor->close();
        MessageBox::clearShown();

        // The batch into 2026.bol.
        openFromStartMenu();
        QCOMPARE(m_window->payers()->rowCount(), 2);
        fillSlip(QStringLiteral("2026"));
        // Asked first, as the import asks; then told.
        MessageBox::setNextAnswer(MessageBox::Button::No);
        click("btnSalva");
        TestSupport::shownOnce(Kind::Confirmation, QStringLiteral("Si vogliono inserire in archivio 2 bollettini?"));
        QVERIFY(TestSupport::readAll(m_session->file(QStringLiteral("2026.bol"))).isEmpty());
        MessageBox::clearShown();
        click("btnSalva");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().at(1).kind, Kind::Information);
        QCOMPARE(MessageBox::shown().at(1).text,
                 QStringLiteral("Sono state inserite in archivio 2 schede, dalla numero 1 alla numero 2."));
        QCOMPARE(TestSupport::readAll(m_session->file(QStringLiteral("2026.bol"))), typed);
    }

    void listTicksCountsAndFlags()
    {
        QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(),
                                      archive({{"ROSSI MARIO", kRossi, "7111", true},
                                               {"BIANCHI LAURA", "BNCLRA90D45L219X", "7111", false},
                                               {"VERDI GIUSEPPE", kVerdi, "8617", true}})));
        openFromStartMenu();
        auto* list = child<QListView>(m_window, "lstEsecutori");
        QVERIFY(list->model() == m_window->payers()); // the list is the model, not an item per row
        QCOMPARE(list->model()->rowCount(), 3);
        // BIANCHI's code fails its check letter: shown with the reason and not ticked.
        const QModelIndex bianchi = list->model()->index(0, 0);
        QVERIFY(bianchi.data().toString().startsWith(QStringLiteral("BIANCHI LAURA")));
        QVERIFY(bianchi.data().toString().endsWith(QStringLiteral("Codice fiscale errato")));
        QCOMPARE(bianchi.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QCOMPARE(text("lblConta"), QStringLiteral("Selezionati 2 Esecutori su 3."));

        // Space on the list ticks the current payer.
        TestSupport::focus(m_window, "lstEsecutori");
        list->setCurrentIndex(bianchi);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(bianchi.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(text("lblConta"), QStringLiteral("Selezionati 3 Esecutori su 3."));
        click("btnNessuno");
        QCOMPARE(text("lblConta"), QStringLiteral("Selezionati 0 Esecutori su 3."));
        click("btnTutti");
        QCOMPARE(text("lblConta"), QStringLiteral("Selezionati 3 Esecutori su 3."));

        // Those to recontact, then one tariff code.
        auto* choice = child<QComboBox>(m_window, "cboScelta");
        choice->setCurrentIndex(2);
        click("btnElenca");
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(list->model()->index(0, 0).data().toString().startsWith(QStringLiteral("ROSSI MARIO")));
        choice->setCurrentIndex(1);
        auto* tariff = child<QComboBox>(m_window, "cboTariffaScelta");
        tariff->setCurrentIndex(tariff->findText(QStringLiteral("8617"), Qt::MatchStartsWith));
        click("btnElenca");
        QCOMPARE(list->model()->rowCount(), 1);
        QVERIFY(list->model()->index(0, 0).data().toString().startsWith(QStringLiteral("VERDI GIUSEPPE")));

        // Nobody ticked: Salva says so and writes nothing.
        click("btnNessuno");
        fillSlip(QStringLiteral("2026"));
        MessageBox::clearShown();
        click("btnSalva");
        TestSupport::shownOnce(Kind::Warning, QStringLiteral("Attenzione: nessun Esecutore è selezionato."));
        QVERIFY(!QFile::exists(m_session->file(QStringLiteral("2026.bol"))));
    }

    void secondRunWarnsOfDuplicates()
    {
        openFromStartMenu();
        fillSlip(QStringLiteral("2026"));
        click("btnSalva");
        const QString path = m_session->file(QStringLiteral("2026.bol"));
        const QByteArray first = TestSupport::readAll(path);
        QCOMPARE(first.size(), 2 * SlipRecord::kSize);

        // Both are duplicates; Enter (No, the default) leaves them out, and so nothing is saved.
        MessageBox::clearShown();
        click("btnSalva");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().first().kind, Kind::Confirmation);
        QVERIFY(MessageBox::shown().first().text.startsWith(
            QStringLiteral("Attenzione: per 2 Esecutori l'archivio contiene già un bollettino")));
        QCOMPARE(MessageBox::shown().first().defaultButton, MessageBox::Button::No);
        QCOMPARE(MessageBox::shown().at(1).kind, Kind::Information);
        QCOMPARE(MessageBox::shown().at(1).text,
                 QStringLiteral("Nessun bollettino è stato inserito in archivio: tutti quelli selezionati erano già "
                                "presenti."));
        QCOMPARE(TestSupport::readAll(path), first);

        // Only VERDI ticked, Yes keeps his duplicate: record 3.
        tick(0, false);
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("btnSalva");
        QCOMPARE(MessageBox::shown().size(), 3);
        QCOMPARE(MessageBox::shown().at(1).text, QStringLiteral("Si vuole inserire in archivio 1 bollettino?"));
        QCOMPARE(MessageBox::shown().at(2).text,
                 QStringLiteral("È stata inserita in archivio 1 scheda, con il numero 3."));
        QCOMPARE(TestSupport::readAll(path), first + first.mid(SlipRecord::kSize));
    }

    // A payer entered twice (two records, one tax code) repeats its slip inside the batch: counted
    // apart from the slips the archive holds, and left out with them.
    void countsRepeatsInTheBatchApart()
    {
        QVERIFY(
            TestSupport::writeAll(PayerRecord::archivePath(), archive({{"VERDI GIUSEPPE", kVerdi, "8617", false}})));
        openFromStartMenu();
        fillSlip(QStringLiteral("2026"));
        click("btnSalva");
        const QString path = m_session->file(QStringLiteral("2026.bol"));
        const QByteArray verdi = TestSupport::readAll(path);
        QCOMPARE(verdi.size(), SlipRecord::kSize);

        QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(),
                                      archive({{"VERDI GIUSEPPE", kVerdi, "8617", false},
                                               {"ROSSI MARIO", kRossi, "7111", true},
                                               {"ROSSI MARIO", kRossi, "7111", false}})));
        click("btnElenca");
        QCOMPARE(m_window->payers()->checkedCount(), 3);
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::No);
        click("btnSalva");
        QCOMPARE(MessageBox::shown().size(), 3);
        QCOMPARE(MessageBox::shown().at(0).text,
                 QStringLiteral("Attenzione: per 1 Esecutore l'archivio contiene già un bollettino con lo stesso "
                                "codice tariffa e lo stesso anno, e in questo elenco 1 bollettino ne ripete un altro "
                                "(stesso Esecutore, codice tariffa e anno).\n\r\n\rInserirli comunque? Scegliendo No "
                                "verranno esclusi."));
        QCOMPARE(MessageBox::shown().at(1).text, QStringLiteral("Si vuole inserire in archivio 1 bollettino?"));
        const QByteArray now = TestSupport::readAll(path);
        QCOMPARE(now.size(), 2 * SlipRecord::kSize);
        QCOMPARE(now.left(SlipRecord::kSize), verdi);
        QCOMPARE(Record(SlipRecord::layout(), now.mid(SlipRecord::kSize)).text("CodFisc"), QLatin1String(kRossi));
    }

    // With each payer's own tariff code a payer without a valid one is flagged and left unticked;
    // one code for all takes the warning away and ticks the payer.
    void payerTariffCodes_data()
    {
        QTest::addColumn<QString>("tariff");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no tariff code") << QString() << "\u26a0 Codice tariffa mancante";
        QTest::newRow("unknown tariff code") << "9999"
                                             << "\u26a0 Codice tariffa 9999 non in elenco";
        QTest::newRow("a code of the list") << "8617"
                                            << " ";
    }

    void payerTariffCodes()
    {
        QFETCH(QString, tariff);
        QFETCH(QString, warning);
        QVERIFY(TestSupport::writeAll(
            PayerRecord::archivePath(),
            archive({{"ROSSI MARIO", kRossi, "7111", false}, {"VERDI GIUSEPPE", kVerdi, qPrintable(tariff), false}})));
        openFromStartMenu();
        const auto verdi = [this] { return m_window->payers()->index(1); };
        const bool fit = warning == QLatin1String(" ");
        QCOMPARE(verdi().data().toString().section(QLatin1Char('\n'), 1), warning);
        QCOMPARE(verdi().data(Qt::CheckStateRole).toInt(), int(fit ? Qt::Checked : Qt::Unchecked));

        // Each payer's own code: only the fit ones are saved, each with its code.
        fillSlip(QStringLiteral("2026"));
        auto* tariffs = child<QComboBox>(m_window, "txtCodTariffa");
        tariffs->setCurrentIndex(0);
        QCOMPARE(verdi().data(Qt::CheckStateRole).toInt(), int(fit ? Qt::Checked : Qt::Unchecked));
        click("btnSalva");
        const QByteArray saved = TestSupport::readAll(m_session->file(QStringLiteral("2026.bol")));
        QCOMPARE(saved.size(), (fit ? 2 : 1) * SlipRecord::kSize);
        QCOMPARE(Record(SlipRecord::layout(), saved.left(SlipRecord::kSize)).text("CodTariffa"),
                 QStringLiteral("7111"));

        // One code for all: no warning, ticked; and back.
        tariffs->setCurrentIndex(tariffs->findText(QStringLiteral("1518"), Qt::MatchStartsWith));
        QCOMPARE(verdi().data().toString().section(QLatin1Char('\n'), 1), QStringLiteral(" "));
        QCOMPARE(verdi().data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(text("lblConta"), QStringLiteral("Selezionati 2 Esecutori su 2."));
        tariffs->setCurrentIndex(0);
        QCOMPARE(verdi().data().toString().section(QLatin1Char('\n'), 1), warning);
        QCOMPARE(verdi().data(Qt::CheckStateRole).toInt(), int(fit ? Qt::Checked : Qt::Unchecked));
    }

    void printsEverySavedSlipInOneJob()
    {
        if (!PdfReadBack::toolsPresent())
            QFAIL("poppler's pdftotext, pdfinfo and pdftoppm are needed");
        openFromStartMenu();
        QVERIFY(!child<QPushButton>(m_window, "btnStampa")->isEnabled()); // nothing saved yet
        fillSlip(QStringLiteral("2026"));
        click("btnSalva");
        const QString pdf = m_session->file(QStringLiteral("job.pdf"));
        PrintDialog::setNextAccept(pdf);
        click("btnStampa");
        QCOMPARE(PdfReadBack::infoValue(pdf, QStringLiteral("Pages")), QStringLiteral("2"));
        const PdfReadBack::Document document = PdfReadBack::words(pdf);
        QVERIFY(document.pageText(0).contains(QLatin1String(kRossi)));
        QVERIFY(document.pageText(1).contains(QLatin1String(kVerdi)));
        QVERIFY(!document.pageText(0).contains(QLatin1String(kVerdi)));

        // The PDF of them all where the user says, opened; nothing in the program folder.
        MessageBox::clearShown();
        const QString chosen = m_session->file(QStringLiteral("scelto.pdf"));
        FileDialog::setNextFileName(chosen);
        click("btnPdf");
        QVERIFY(FileDialog::lastFilter().contains(QLatin1String("(*.pdf)")));
        QVERIFY(!FileDialog::openedIn().isEmpty());
        QVERIFY(QDir(FileDialog::openedIn()) != QDir(m_session->folder()));
        QCOMPARE(PdfReadBack::infoValue(chosen, QStringLiteral("Pages")), QStringLiteral("2"));
        QCOMPARE(Shell::opened(), QStringList{QUrl::fromLocalFile(chosen).toString(QUrl::FullyEncoded)});
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(!QFile::exists(m_session->file(QStringLiteral("Bollettini_2026.pdf"))));

        // Cancelled: nothing written, nothing opened.
        Shell::clearOpened();
        FileDialog::setNextFileName(QString());
        click("btnPdf");
        QVERIFY(Shell::opened().isEmpty());
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(QDir(m_session->folder()).entryList({QStringLiteral("*.pdf")}),
                 QStringList({QStringLiteral("job.pdf"), QStringLiteral("scelto.pdf")}));
    }

    // The preview shows every ticked payer's slip, one page each, drawn only when shown, with the
    // payer's warning beside it; each page is the single-slip print of the same slip.
    void previewShowsEverySlipPageByPage()
    {
        QVERIFY(PrintMargins::write(PrintMargins::topKey, QStringLiteral("4")));
        QVERIFY(PrintMargins::write(PrintMargins::leftKey, QStringLiteral("-3")));
        const PayerRow bianchi{"BIANCHI LAURA", "BNCLRA90D45L219X", "7111", false}; // wrong check letter
        const PayerRow rossi{"ROSSI MARIO", kRossi, "7111", true};
        const PayerRow verdi{"VERDI GIUSEPPE", kVerdi, "8617", false};
        QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(), archive({verdi, bianchi, rossi})));
        openFromStartMenu();
        fillSlip(QStringLiteral("2026"));
        tick(0, true); // BIANCHI, flagged, ticked by the user

        click("btnAnteprima");
        SlipPreview* preview = nullptr;
        QTRY_VERIFY((preview = TestSupport::openDialog<SlipPreview>()));
        QVERIFY(preview->isModal());
        QCOMPARE(preview->pageCount(), 3);
        QTRY_COMPARE(preview->view()->pageCount(), 1); // only the page shown is drawn
        auto* page = child<QLabel>(preview, "lblPagina");
        auto* warning = child<QLabel>(preview, "lblAvviso");
        QCOMPARE(page->text(), QStringLiteral("Pagina 1 di 3: BIANCHI LAURA"));
        QVERIFY(warning->isVisible());
        QCOMPARE(warning->text(), QStringLiteral("Attenzione: codice fiscale errato."));
        QVERIFY(!child<QPushButton>(preview, "btnPrecedente")->isEnabled());
        QVERIFY(!child<QPushButton>(preview, "btnStampa")->isVisible()); // prints come from the saved slips

        preview->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), preview);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown); // the page, not the view, moves
        QTRY_COMPARE(preview->currentPage(), 1);
        QCOMPARE(page->text(), QStringLiteral("Pagina 2 di 3: ROSSI MARIO"));
        QVERIFY(!warning->isVisible());
        TestSupport::click(preview, "btnUltima");
        QCOMPARE(page->text(), QStringLiteral("Pagina 3 di 3: VERDI GIUSEPPE"));
        QVERIFY(!child<QPushButton>(preview, "btnSuccessiva")->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QTRY_COMPARE(preview->currentPage(), 1);
        QCOMPARE(preview->view()->pageCount(), 1);

        // Each page as it prints, against the slip editor's own print of the same slip typed there.
        const double scale = 3.0;
        const QImage pages[] = {preview->pageImage(0, scale, false), preview->pageImage(2, scale, false)};
        QCOMPARE(preview->currentPage(), 1);
        QVERIFY(pages[0] != pages[1]);
        TestSupport::click(preview, "btnChiudi");
        QTRY_VERIFY(!TestSupport::openDialog<SlipPreview>());
        m_window->close();

        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        child<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2025"));
        TestSupport::click(editor, "btnApri");
        int index = 0;
        for (const PayerRow& row : {bianchi, verdi}) {
            typeInEditor(editor, payer(row));
            TestSupport::click(editor, "cmdStampa");
            TfrmStampaBol* print = nullptr;
            QTRY_VERIFY((print = TestSupport::openDialog<TfrmStampaBol>()));
            TestSupport::click(print, "btnAnteprima");
            SlipPreview* single = nullptr;
            QTRY_VERIFY((single = TestSupport::openDialog<SlipPreview>()));
            QCOMPARE(single->pageImage(0, scale, false), pages[index++]);
            TestSupport::closeDialogs();
            QTRY_VERIFY(!TestSupport::openDialog<TfrmStampaBol>());
        }
    }

    void slipEditorOpensItForItsYear()
    {
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        child<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2027"));
        TestSupport::click(editor, "btnEmissione");
        QTRY_VERIFY((m_window = TestSupport::openDialog<TfrmEmissione>()));
        QCOMPARE(text("txtAnno"), QStringLiteral("2027"));
        QCOMPARE(text("txtAnnoTariffa"), QStringLiteral("27"));
        QCOMPARE(m_window->payers()->rowCount(), 2);
        // Escape leaves it.
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        QTest::keyClick(m_window, Qt::Key_Escape);
        QTRY_VERIFY(!TestSupport::openDialog<TfrmEmissione>());
    }

    void everyControlHasAName()
    {
        openFromStartMenu();
        for (QWidget* control : m_window->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus || control->objectName().isEmpty())
                continue;
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        }
    }
};

QTEST_MAIN(TestEmissione)
#include "tst_emissione.moc"
