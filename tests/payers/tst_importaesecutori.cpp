// "Importa esecutori" on the real window, with spreadsheets saved by the real LibreOffice Calc
// (tests/fixtures/import, made by make-esecutori.py there): the columns guessed, each row's checks,
// repeats and cut values, the import, the payers already in the registry skipped or updated, and the
// payers stored byte for byte as the same payers typed into the payer editor.

#include "TestSupport.h"

#include "app/Avvio.h"
#include "checks/TaxCode.h"
#include "data/CsvFile.h"
#include "editors/Esecutori.h"
#include "payers/ImportaEsecutori.h"
#include "payers/PayerImport.h"
#include "payers/PayerImportModel.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QToolButton>

using namespace TestSupport;

namespace {

QString importFixture(const char* name)
{
    return fixture(QStringLiteral("import/") + QLatin1String(name));
}

// The editor's controls the fixtures' columns feed, in their order ("" for the date of birth).
const char* const kColumns[] = {
    "txtEsecutore", "txtCodFisc", "txtPartitaIva", "txtIndirizzoRes", "txtCapRes", "txtComuneRes",
    "txtProvRes",   "txtTelCasa", "txtIban",       "txtEmail",        "",          "txtNote"};

} // namespace

class TestImportaEsecutori : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_session = std::make_unique<Session>();
        menu()->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu()));
    }
    void cleanup()
    {
        closeDialogs();
        m_session.reset();
    }

    // The start menu's link opens the window by mouse and by Enter; with a file read, every control
    // it shows has a name a screen reader says, the column lists included; Escape closes it.
    void linkOpensTheWindow()
    {
        QDialog* dialog = nullptr;
        commandOpens(menu(), "lnkImporta", QStringLiteral("TfrmImportaEsecutori"), &dialog);
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("btnScegli"));
        FileDialog::setNextFileName(importFixture("esecutori-utf8.csv"));
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("cboColonna01"));
        for (QWidget* control : dialog->findChildren<QWidget*>())
            if ((control->focusPolicy() & Qt::TabFocus) && !control->objectName().isEmpty())
                QVERIFY2(!control->accessibleName().isEmpty() || !control->property("text").toString().isEmpty(),
                         qPrintable(control->objectName()));
        QVERIFY(child(dialog, "cboColonna12"));
        QCOMPARE(child(dialog, "cboColonna06")->accessibleName(),
                 QStringLiteral("Campo che riceve la colonna 6. Città"));
        // Tab runs from the header box and the separator through the twelve column lists to the preview.
        child(dialog, "chkIntestazione")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("cboSeparatore"));
        for (int c = 1; c <= 12; ++c) {
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            QCOMPARE(dialog->focusWidget()->objectName(),
                     QStringLiteral("cboColonna%1").arg(c, 2, 10, QLatin1Char('0')));
        }
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget()->objectName(), QStringLiteral("tblAnteprima"));
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!openedDialog());

        focus(menu(), "lnkImporta");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(openedDialog());
        QCOMPARE(QString::fromLatin1(openedDialog()->metaObject()->className()),
                 QStringLiteral("TfrmImportaEsecutori"));
    }

    // The file LibreOffice saved, in UTF-8 and in Windows-1252: columns guessed from the header, each
    // row's verdict, values as the fields will hold them (cut ones marked), and what is ticked.
    void libreOfficeFileIsPreviewed_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("UTF-8") << importFixture("esecutori-utf8.csv");
        QTest::newRow("Windows-1252") << importFixture("esecutori-1252.csv");
    }
    void libreOfficeFileIsPreviewed()
    {
        QFETCH(QString, file);
        auto* dialog = open();
        QVERIFY(dialog->load(file));
        QVERIFY(child<QCheckBox>(dialog, "chkIntestazione")->isChecked());
        const QStringList guessed = {"Cognome e nome o ragione sociale",
                                     "Codice fiscale",
                                     "Partita IVA",
                                     "Via / Piazza e numero civico",
                                     "CAP",
                                     "Comune di residenza",
                                     "Provincia di residenza",
                                     "Tel. casa",
                                     "IBAN",
                                     "E-mail",
                                     "Data di nascita (gg/mm/aaaa)",
                                     "Note"};
        for (int c = 0; c < guessed.size(); ++c)
            QCOMPARE(textOf(dialog, qPrintable(QStringLiteral("cboColonna%1").arg(c + 1, 2, 10, QLatin1Char('0')))),
                     guessed.at(c));

        PayerImportModel* model = dialog->model();
        QCOMPARE(model->rowCount(), 7);
        const QStringList status = {
            "Nuovo",
            "Tagliati: Via / Piazza e numero civico",
            "Nuovo",
            "Tagliati: Cognome e nome o ragione sociale, Via / Piazza e numero civico, Comune di residenza",
            "Stesso codice fiscale della riga 2",
            "Manca il nome",
            "Codice fiscale errato; IBAN errato",
        };
        const QList<bool> ticked = {true, true, true, true, false, false, false};
        for (int r = 0; r < 7; ++r) {
            QCOMPARE(model->index(r, PayerImportModel::Status).data().toString(), status.at(r));
            QCOMPARE(model->ticked(r), ticked.at(r));
        }
        QVERIFY(!(model->flags(model->index(5, PayerImportModel::Tick)) & Qt::ItemIsUserCheckable));
        QCOMPARE(child<QLabel>(dialog, "lblRiepilogo")->text(), QStringLiteral("7 righe, 4 da importare."));

        const auto cell = [model](int row, const char* header) {
            for (int c = 0; c < model->columnCount(); ++c)
                if (model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == QLatin1String(header))
                    return model->index(row, c);
            return QModelIndex();
        };
        QCOMPARE(cell(0, "Cognome e nome o ragione sociale").data().toString(), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(cell(0, "CAP").data().toString(), QStringLiteral("00184"));
        QCOMPARE(cell(0, "IBAN").data().toString(), QStringLiteral("IT60X0542811101000000123456"));
        QCOMPARE(cell(0, "Giorno di nascita").data().toString(), QStringLiteral("01"));
        QCOMPARE(cell(0, "Anno di nascita (due cifre)").data().toString(), QStringLiteral("80"));
        QCOMPARE(cell(0, "Note").data().toString(), QStringLiteral("Cliente dal 2010 paga con bonifico"));
        QCOMPARE(cell(1, "Comune di residenza").data().toString(), QStringLiteral("FORLì"));
        QCOMPARE(cell(2, "Provincia di residenza").data().toString(), QStringLiteral("RM"));
        QCOMPARE(cell(2, "Note").data().toString(), QStringLiteral("Prezzo € 1.200,00; \"urgente\""));
        const QModelIndex cut = cell(3, "Comune di residenza");
        QCOMPARE(cut.data().toString(), QStringLiteral("SAN GIOVANNI IN P"));
        QVERIFY(cut.data(Qt::BackgroundRole).isValid());
        QCOMPARE(cut.data(Qt::ToolTipRole).toString(), QStringLiteral("Tagliato. Nel file: San Giovanni in Persiceto"));
        QVERIFY(!cell(3, "CAP").data(Qt::BackgroundRole).isValid());

        // Space on any cell of a row ticks it; on a row that cannot be imported it does nothing.
        auto* table = child<QTableView>(dialog, "tblAnteprima");
        table->setFocus();
        table->setCurrentIndex(cell(4, "CAP"));
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(model->ticked(4));
        table->setCurrentIndex(model->index(5, PayerImportModel::Status));
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(!model->ticked(5));
        QCOMPARE(child<QLabel>(dialog, "lblRiepilogo")->text(), QStringLiteral("7 righe, 5 da importare."));
    }

    // Choosing a field for another column takes it from the column that had it; without the
    // header line the first line is a payer too.
    void columnsAreChosen()
    {
        auto* dialog = open();
        QVERIFY(dialog->load(importFixture("esecutori-utf8.csv")));
        auto* phone = child<QComboBox>(dialog, "cboColonna08");
        auto* notes = child<QComboBox>(dialog, "cboColonna12");
        notes->setFocus();
        const int index = notes->findText(QStringLiteral("Tel. casa"));
        QVERIFY(index > 0);
        notes->setCurrentIndex(index);
        emit notes->activated(index); // as choosing it in the list does
        QCOMPARE(phone->currentText(), QStringLiteral("(non importare)"));
        PayerImportModel* model = dialog->model();
        QCOMPARE(model->row(0).values[size_t(fieldOf("txtTelCasa"))].text,
                 QStringLiteral("Cliente dal 2010 paga con boni")); // 30 characters
        QVERIFY(model->row(0).values[size_t(fieldOf("txtNote"))].text.isEmpty());
        QCOMPARE(model->row(0).values[size_t(fieldOf("txtTelCasa"))].cut, true);

        child<QCheckBox>(dialog, "chkIntestazione")->click();
        QCOMPARE(model->rowCount(), 8);
        QCOMPARE(model->row(0).values[size_t(fieldOf("txtEsecutore"))].text, QStringLiteral("COGNOME E NOME"));
    }

    // Imported, the chosen rows are the same bytes as those payers typed key by key into the payer
    // editor and saved there; the same file again finds them in the registry, skips them, or updates
    // their records when asked.
    void importedPayersAreThoseTypedInTheEditor()
    {
        auto* dialog = open();
        QVERIFY(dialog->load(importFixture("esecutori-1252.csv")));
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click(dialog, "btnImporta");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().at(0).text, QStringLiteral("Si vogliono inserire in archivio 4 nuovi Esecutori?"));
        QCOMPARE(MessageBox::shown().at(1).text,
                 QStringLiteral("Sono stati inseriti in archivio 4 nuovi Esecutori, dal numero 1 al numero 4."));
        const QByteArray imported = readAll(PayerRecord::archivePath());
        QCOMPARE(imported.size(), 4 * PayerRecord::kSize);

        // The preview now finds them in the registry; skipped, nothing is ticked but the repeat row
        // stays unticked too.
        PayerImportModel* model = dialog->model();
        QCOMPARE(model->index(0, PayerImportModel::Status).data().toString(),
                 QStringLiteral("Già in archivio (scheda n. 1)"));
        QCOMPARE(model->tickedCount(), 0);
        QVERIFY(!child<QPushButton>(dialog, "btnImporta")->isEnabled());
        child<QRadioButton>(dialog, "optAggiorna")->click();
        QCOMPARE(model->tickedCount(), 4);
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click(dialog, "btnImporta");
        QCOMPARE(MessageBox::shown().at(0).text, QStringLiteral("Si vogliono aggiornare 4 Esecutori già in archivio?"));
        QCOMPARE(MessageBox::shown().at(1).text, QStringLiteral("Sono state aggiornate 4 schede già in archivio."));
        QCOMPARE(readAll(PayerRecord::archivePath()), imported); // the same values again
        dialog->close();

        const QList<QStringList> rows = CsvFile::read(readAll(importFixture("esecutori-utf8.csv"))).rows.toLists();
        QVERIFY(QFile::rename(PayerRecord::archivePath(), PayerRecord::archivePath() + QStringLiteral(".import")));
        typeInEditor(rows.mid(1, 4));
        QCOMPARE(readAll(PayerRecord::archivePath()), imported);
    }

    // 1000 payers of a LibreOffice file: the archive the import writes equals, byte for byte, the
    // archive the payer editor writes when the same 1000 payers are typed into it key by key.
    void thousandPayersAreThoseTypedInTheEditor()
    {
        auto* dialog = open();
        QVERIFY(dialog->load(importFixture("mille.csv")));
        PayerImportModel* model = dialog->model();
        QCOMPARE(model->rowCount(), 1000);
        for (int r = 0; r < 1000; ++r)
            if (!model->ticked(r))
                model->toggle(r);
        QCOMPARE(model->tickedCount(), 1000);
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click(dialog, "btnImporta");
        const QByteArray imported = readAll(PayerRecord::archivePath());
        QCOMPARE(imported.size(), 1000 * PayerRecord::kSize);
        dialog->close();

        QVERIFY(QFile::rename(PayerRecord::archivePath(), PayerRecord::archivePath() + QStringLiteral(".import")));
        const QList<QStringList> rows = CsvFile::read(readAll(importFixture("mille.csv"))).rows.toLists();
        typeInEditor(rows.mid(1));
        const QByteArray typed = readAll(PayerRecord::archivePath());
        QCOMPARE(typed.size(), imported.size());
        for (int n = 0; n < 1000; ++n)
            QVERIFY2(typed.mid(n * PayerRecord::kSize, PayerRecord::kSize)
                         == imported.mid(n * PayerRecord::kSize, PayerRecord::kSize),
                     qPrintable(QStringLiteral("payer %1: %2").arg(n + 1).arg(rows.at(n + 1).join(QLatin1Char('|')))));
    }

    // A ";" file without a header whose first line holds more commas than semicolons: split on ";"
    // all the same, and on "," when the user chooses it. Its rows show the codes LibreOffice took
    // for numbers given back their zeros, the sex and date of birth read from the tax code, and a
    // name whose leading blanks take room as in the editor; imported, they are those values.
    void spreadsheetWithoutHeader()
    {
        auto* dialog = open();
        QVERIFY(dialog->load(importFixture("senza-intestazione.csv")));
        auto* separator = child<QComboBox>(dialog, "cboSeparatore");
        QCOMPARE(separator->currentData().toChar(), QLatin1Char(';'));
        QVERIFY(!child<QCheckBox>(dialog, "chkIntestazione")->isChecked());
        QVERIFY(child(dialog, "cboColonna07"));
        QVERIFY(!dialog->findChild<QComboBox*>(QStringLiteral("cboColonna08")));
        const QStringList fields = {"Cognome e nome o ragione sociale",
                                    "Codice fiscale",
                                    "Via / Piazza e numero civico",
                                    "CAP",
                                    "Comune di residenza",
                                    "Tel. casa",
                                    "Note"};
        for (int c = 0; c < fields.size(); ++c)
            choose(dialog, qPrintable(QStringLiteral("cboColonna%1").arg(c + 1, 2, 10, QLatin1Char('0'))),
                   fields.at(c));

        PayerImportModel* model = dialog->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(0, PayerImportModel::Status).data().toString(),
                 QStringLiteral("CAP di 3 cifre, completato in 00100; "
                                "Tel. casa senza lo 0 iniziale (9 cifre), completato in 0612345678"));
        QCOMPARE(model->index(1, PayerImportModel::Status).data().toString(),
                 QStringLiteral("Tagliati: Cognome e nome o ragione sociale"));
        QCOMPARE(model->index(2, PayerImportModel::Status).data().toString(), QStringLiteral("Nuovo"));
        QCOMPARE(model->tickedCount(), 3);
        const QModelIndex cap = cell(model, 0, "CAP");
        QCOMPARE(cap.data().toString(), QStringLiteral("00100"));
        QVERIFY(cap.data(Qt::BackgroundRole).isValid());
        QVERIFY(cap.data(Qt::ToolTipRole).toString().endsWith(QStringLiteral("Nel file: 100")));
        QCOMPARE(cell(model, 0, "Indirizzo").isValid(), false);
        QCOMPARE(cell(model, 0, "Via / Piazza e numero civico").data().toString(),
                 QStringLiteral("VIA PO, 3, SCALA B"));
        QCOMPARE(cell(model, 1, "Cognome e nome o ragione sociale").data().toString(),
                 QStringLiteral("BIANCHI GIOVANNA MAR"));
        const QStringList sex = {"M", "F", "F"}, day = {"01", "15", "12"}, month = {"01", "05", "03"};
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(cell(model, r, "Sesso").data().toString(), sex.at(r));
            QCOMPARE(cell(model, r, "Giorno di nascita").data().toString(), day.at(r));
            QCOMPARE(cell(model, r, "Mese di nascita").data().toString(), month.at(r));
            QVERIFY(cell(model, r, "Sesso").data(Qt::BackgroundRole).isValid());
            QCOMPARE(cell(model, r, "Anno di nascita (due cifre)").data(Qt::ToolTipRole).toString(),
                     QStringLiteral("Ricavato dal codice fiscale: il file non lo indica"));
        }
        QVERIFY(!cell(model, 2, "CAP").data(Qt::BackgroundRole).isValid());

        // The user's separator splits the file again, into other columns matched afresh.
        separator->setCurrentIndex(separator->findData(QVariant(QLatin1Char(','))));
        emit separator->activated(separator->currentIndex());
        QVERIFY(child(dialog, "cboColonna08"));
        QCOMPARE(model->rowCount(), 0);
        separator->setCurrentIndex(separator->findData(QVariant(QLatin1Char(';'))));
        emit separator->activated(separator->currentIndex());
        QVERIFY(!dialog->findChild<QComboBox*>(QStringLiteral("cboColonna08")));
        for (int c = 0; c < fields.size(); ++c)
            choose(dialog, qPrintable(QStringLiteral("cboColonna%1").arg(c + 1, 2, 10, QLatin1Char('0'))),
                   fields.at(c));

        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click(dialog, "btnImporta");
        QCOMPARE(MessageBox::shown().at(0).text, QStringLiteral("Si vogliono inserire in archivio 3 nuovi Esecutori?"));
        const QByteArray imported = readAll(PayerRecord::archivePath());
        QCOMPARE(imported.size(), 3 * PayerRecord::kSize);
        const auto payer = [](std::initializer_list<std::pair<const char*, const char*>> values) {
            Record record(PayerRecord::layout());
            for (const auto& [name, text] : values)
                record.setText(name, QString::fromUtf8(text));
            record.setFlag("Ricontatta", false);
            return record.bytes();
        };
        QCOMPARE(imported.left(PayerRecord::kSize),
                 payer({{"Esecutore", "ROSSI, MARIO"},
                        {"CodFisc", "RSSMRA80A01H501U"},
                        {"IndirizzoRes", "VIA PO, 3, SCALA B"},
                        {"CapRes", "00100"},
                        {"ComuneRes", "ROMA"},
                        {"TelCasa", "0612345678"},
                        {"Note", "cliente dal 2010, paga a rate, sollecitare a marzo, poi aprile, grazie"},
                        {"Sesso", "M"},
                        {"GG", "01"},
                        {"MM", "01"},
                        {"AA", "80"}}));
        dialog->close();

        // The second payer typed into the editor as the file has it, blanks first, with the date the
        // tax code gave: the same bytes.
        QVERIFY(QFile::rename(PayerRecord::archivePath(), PayerRecord::archivePath() + QStringLiteral(".import")));
        auto* editor = Session::window<TfrmEsecutori>();
        editor->showFrom(menu());
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        click(editor, "cmdNuovo");
        const std::pair<const char*, const char*> typed[] = {{"txtEsecutore", "   BIANCHI GIOVANNA MARIA LUISA"},
                                                             {"txtCodFisc", "BNCGNN90E55L219N"},
                                                             {"txtIndirizzoRes", "VIA ROMA 1"},
                                                             {"txtCapRes", "00184"},
                                                             {"txtComuneRes", "ROMA"},
                                                             {"txtTelCasa", "0612345678"},
                                                             {"txtSesso", "F"},
                                                             {"txtGG", "15"},
                                                             {"txtMM", "05"},
                                                             {"txtAA", "90"}};
        for (const auto& [control, text] : typed)
            typeInto(editor, control, QString::fromUtf8(text));
        click(editor, "cmdSalva");
        QCOMPARE(readAll(PayerRecord::archivePath()), imported.mid(PayerRecord::kSize, PayerRecord::kSize));
    }

    // The window grows from a size that fits a 1366 x 768 screen; grown, the column lists of a
    // twelve-column file fit without a sideways scroll and the preview shows many rows.
    void windowGrows()
    {
        auto* dialog = open();
        QVERIFY(dialog->minimumWidth() <= 1366 - 20);
        QVERIFY(dialog->minimumHeight() <= 768 - 60);
        QVERIFY(dialog->maximumWidth() > 2000);
        QVERIFY(dialog->maximumHeight() > 2000);
        QVERIFY(dialog->load(importFixture("mille.csv")));
        dialog->resize(1340, 720);
        auto* table = child<QTableView>(dialog, "tblAnteprima");
        auto* columns = child<QScrollArea>(dialog, "panColonne");
        QTRY_COMPARE(dialog->size(), QSize(1340, 720));
        QCoreApplication::processEvents();
        QCOMPARE(columns->horizontalScrollBar()->maximum(), 0);
        // The index of the last row in sight: ten rows at least (the fixed window showed eight).
        const int shown = table->rowAt(table->viewport()->height() - 1);
        QVERIFY2(shown >= 9, qPrintable(QString::number(shown)));
        // Smaller, it keeps its minimum; larger, the preview takes the room.
        dialog->resize(1340, 1000);
        QTRY_VERIFY(table->rowAt(table->viewport()->height() - 1) > shown + 8);
    }

    // An .ods file is read through LibreOffice into the same rows as the CSV it saved.
    void odsFileIsReadThroughLibreOffice()
    {
        if (PayerImport::officeProgram().isEmpty())
            QSKIP("no LibreOffice here (neither soffice nor libreoffice on the PATH): .ods not read. The test "
                  "command installs libreoffice-calc-nogui where no LibreOffice is installed");
        const PayerImport::Sheet sheet = PayerImport::read(importFixture("esecutori.ods"));
        QVERIFY(sheet.ok);
        QCOMPARE(sheet.table.rows.toLists(),
                 CsvFile::read(readAll(importFixture("esecutori-utf8.csv"))).rows.toLists());
    }

    // Without LibreOffice an .ods file is not read, and the window says what is needed.
    void odsWithoutLibreOfficeSaysWhatIsNeeded()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray("/nonexistent"));
        auto* dialog = open();
        MessageBox::clearShown();
        const bool loaded = dialog->load(importFixture("esecutori.ods"));
        qputenv("PATH", path);
        QVERIFY(!loaded);
        shownOnce(MessageBox::Kind::Warning, PayerImport::officeMissing().text);
        QCOMPARE(dialog->model()->rowCount(), 0);
    }

private:
    TfrmAvvio* menu() { return Session::window<TfrmAvvio>(); }

    TfrmImportaEsecutori* open()
    {
        auto* dialog = Windows::openDialog<TfrmImportaEsecutori>(menu());
        [&] { QVERIFY(QTest::qWaitForWindowExposed(dialog)); }();
        return dialog;
    }

    // The preview's cell of a row under a field's heading (invalid when no column has it).
    static QModelIndex cell(PayerImportModel* model, int row, const char* header)
    {
        for (int c = 0; c < model->columnCount(); ++c)
            if (model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString() == QString::fromUtf8(header))
                return model->index(row, c);
        return {};
    }

    // A field chosen in a column's list, as choosing it with the mouse does.
    static void choose(QWidget* dialog, const char* list, const QString& field)
    {
        auto* combo = child<QComboBox>(dialog, list);
        QVERIFY2(combo, list);
        const int index = combo->findText(field);
        QVERIFY2(index >= 0, qPrintable(field));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static int fieldOf(const char* control)
    {
        const auto fields = PayerTyping::fields();
        for (size_t i = 0; i < fields.size(); ++i)
            if (qstrcmp(fields[i].control, control) == 0)
                return int(i);
        return -1;
    }

    // Each row typed into the payer editor as a user types it: "Nuovo", each value key by key into
    // its field (a line break, which cannot be typed, as a blank; the date of birth into its three
    // fields), then "Salva".
    void typeInEditor(const QList<QStringList>& rows)
    {
        auto* editor = Session::window<TfrmEsecutori>();
        editor->showFrom(menu());
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        for (const QStringList& row : rows) {
            click(editor, "cmdNuovo");
            for (int c = 0; c < row.size(); ++c) {
                // As the cell stands, blanks included: the field's limit counts them.
                QString value = row.at(c);
                value.replace(QLatin1Char('\n'), QLatin1Char(' '));
                if (value.trimmed().isEmpty())
                    continue;
                if (kColumns[c][0] == '\0') {
                    value = value.trimmed();
                    const QStringList parts = value.contains(QLatin1Char('-'))
                        ? QStringList{value.section(QLatin1Char('-'), 2, 2), value.section(QLatin1Char('-'), 1, 1),
                                      value.section(QLatin1Char('-'), 0, 0).right(2)}
                        : QStringList{value.section(QLatin1Char('/'), 0, 0), value.section(QLatin1Char('/'), 1, 1),
                                      value.section(QLatin1Char('/'), 2, 2).right(2)};
                    typeInto(editor, "txtGG", parts.at(0));
                    typeInto(editor, "txtMM", parts.at(1));
                    typeInto(editor, "txtAA", parts.at(2));
                    continue;
                }
                typeInto(editor, kColumns[c], value);
            }
            // The file has no sex: the import reads it from a right tax code (day plus 40 for a woman).
            const QString code = row.at(1).trimmed().toUpper();
            if (code.size() == 16 && TaxCode::checkCharacter(code) == code.at(15))
                typeInto(editor, "txtSesso", code.mid(9, 2).toInt() > 40 ? QStringLiteral("F") : QStringLiteral("M"));
            MessageBox::clearShown();
            click(editor, "cmdSalva");
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().first().kind, MessageBox::Kind::Information);
        }
    }

    static void typeInto(QWidget* editor, const char* control, const QString& text)
    {
        QWidget* field = child(editor, control);
        QVERIFY2(field, control);
        if (auto* combo = qobject_cast<QComboBox*>(field))
            field = combo->lineEdit();
        field->setFocus(Qt::TabFocusReason);
        typeText(field, text);
    }

    std::unique_ptr<Session> m_session;
};

QTEST_MAIN(TestImportaEsecutori)
#include "tst_importaesecutori.moc"
