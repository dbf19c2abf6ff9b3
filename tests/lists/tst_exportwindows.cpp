// The two export windows on real widgets: opened from their editors, the grid filled from the
// archive, the two questions, the file written from the grid as edited, and the failures.

#include "ReadOnly.h"
#include "TestSupport.h"

#include "help/Guida.h"
#include "data/RecordLayout.h"
#include "lists/ExpBollettini.h"
#include "lists/ExpEsecutori.h"
#include "editors/Esecutori.h"
#include "payers/PayerRecord.h"
#include "editors/Bollettino.h"
#include "slips/SlipRecord.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <initializer_list>
#include <utility>

using TestSupport::child;
using Button = MessageBox::Button;
using Kind = MessageBox::Kind;
using TestSupport::Messages::kAccess;

namespace {

const QString kAskExport = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kAskOpen =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
const QString kCannot = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia già "
    "aperto.");
QByteArray slip(int n)
{
    Record record(SlipRecord::layout());
    record.setText("Intero", QStringLiteral("%1,00").arg(10 * n));
    record.setText("Esecutore", QStringLiteral("PAYER %1").arg(n));
    record.setText("ComuneRes", QStringLiteral("ROMA"));
    record.setText("ProvRes", QStringLiteral("RM"));
    record.setText("Note", QStringLiteral("NOTA %1").arg(n));
    record.setText("DataScade", QStringLiteral("0%1/01/2025").arg(n));
    record.setText("Saldato", QStringLiteral("No"));
    if (n == 1) {
        record.setText("GG", QStringLiteral("05"));
        record.setText("MM", QStringLiteral("11"));
        record.setText("AA", QStringLiteral("71"));
    }
    return record.bytes();
}

QByteArray payer(int n)
{
    Record record(PayerRecord::layout());
    record.setText("Esecutore", QStringLiteral("ESECUTORE %1").arg(n));
    record.setText("ComuneRes", QStringLiteral("NAPOLI"));
    record.setText("ProvRes", QStringLiteral("NA"));
    record.setText("Note", QStringLiteral("NOTA %1").arg(n));
    return record.bytes();
}

} // namespace

class TestExportWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;
    TfrmBollettino* m_editor = nullptr;

    QString archive() const { return m_session->file(QStringLiteral("2025.bol")); }
    QString slipExport() const { return m_session->file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls")); }

    // The slip editor with year 2025 open, then its "Esporta archivio": the window just opened,
    // before the event loop has run for it.
    TfrmExpBollettini* startSlipExport()
    {
        m_editor->showFrom(nullptr);
        child<QLineEdit>(m_editor, "txtAnno")->setText(QStringLiteral("2025"));
        child<QPushButton>(m_editor, "btnApri")->click();
        if (child<QLabel>(m_editor, "lblFile")->text() != archive())
            return nullptr;
        child<QToolButton>(m_editor, "cmdEsporta")->click();
        return TestSupport::openDialog<TfrmExpBollettini>();
    }

    // The slip editor with year 2025 open, then its "Esporta archivio".
    ExportDialog* openSlipExport()
    {
        m_editor->showFrom(nullptr);
        child<QLineEdit>(m_editor, "txtAnno")->setText(QStringLiteral("2025"));
        child<QPushButton>(m_editor, "btnApri")->click();
        if (child<QLabel>(m_editor, "lblFile")->text() != archive())
            return nullptr;
        child<QToolButton>(m_editor, "cmdEsporta")->click();
        auto* dialog = TestSupport::openDialog<TfrmExpBollettini>();
        if (dialog && !QTest::qWaitForWindowExposed(dialog))
            return nullptr;
        return dialog;
    }

    static QTableView* grid(QWidget* dialog) { return child<QTableView>(dialog, "grdRecords"); }
    static QString cell(QWidget* dialog, int row, int column)
    {
        return grid(dialog)->model()->index(row, column).data().toString();
    }
    static void press(QWidget* dialog, const char* name)
    {
        QTest::mouseClick(child<QToolButton>(dialog, name), Qt::LeftButton);
    }

private slots:
    void init() { QVERIFY(TestSupport::start(m_session, m_editor)); }

    void cleanup() { TestSupport::stop(m_session, m_editor); }

    void slipWindowShowsTheArchive()
    {
        QByteArray bytes;
        for (int n = 1; n <= 3; ++n)
            bytes += slip(n);
        QVERIFY(TestSupport::writeAll(archive(), bytes));
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Esporta archivio annuale versamenti in Microsoft Excel"));
        QCOMPARE(dialog->size(), QSize(862, 560));
        QCOMPARE(child<QWidget>(dialog, "panContainer")->size(), QSize(837, 533));
        QCOMPARE(child<QLabel>(dialog, "panInfo")->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));

        QTableView* view = grid(dialog);
        QVERIFY(view);
        QCOMPARE(view->size(), QSize(821, 409));
        QVERIFY(view->alternatingRowColors());
        QCOMPARE(view->rowHeight(0), 21);
        QCOMPARE(view->rowHeight(2), 21);
        QAbstractItemModel* model = view->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->columnCount(), 20);
        const struct {
            int column;
            const char* heading;
            int width;
        } columns[] = {{0, "N.", 60},
                       {1, "Importo versato", 160},
                       {7, "Data di nascita", 120},
                       {10, "Comune di residenza", 250},
                       {14, "Causale", 300},
                       {15, "Note", 350},
                       {19, "Saldato", 100}};
        for (const auto& column : columns) {
            QCOMPARE(model->headerData(column.column, Qt::Horizontal).toString(), QString::fromUtf8(column.heading));
            QCOMPARE(view->columnWidth(column.column), column.width);
        }
        for (int c = 0; c < 20; ++c)
            QCOMPARE(bool(model->flags(model->index(1, c)) & Qt::ItemIsEditable), c == 10 || c == 15 || c == 19);
        QCOMPARE(cell(dialog, 0, 0), QStringLiteral("1"));
        QCOMPARE(cell(dialog, 2, 0), QStringLiteral("3"));
        QCOMPARE(cell(dialog, 1, 1), QStringLiteral("20,00"));
        QCOMPARE(cell(dialog, 0, 7), QStringLiteral("05/11/71"));
        QCOMPARE(cell(dialog, 1, 7), QStringLiteral("//"));
        QCOMPARE(cell(dialog, 2, 10), QStringLiteral("ROMA RM"));
        QVERIFY(MessageBox::shown().isEmpty());

        // Hints on the three commands; the background empties the status.
        const struct {
            const char* name;
            const char* hint;
        } hints[] = {{"cmdEsporta", "Esporta l'archivio in formato Microsoft Excel. (Ctrl+S)"},
                     {"cmdGuida", "Visualizza la pagina della guida sensibile al contesto. (F1)"},
                     {"cmdEsci", "Esci da questo ambiente di lavoro. (Ctrl+W)"}};
        for (const auto& hint : hints) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(child<QWidget>(dialog, hint.name), &enter);
            QCOMPARE(child<QLabel>(dialog, "panInfo")->text(), QString::fromUtf8(hint.hint));
        }
        QTest::mouseMove(dialog->windowHandle(), view->viewport()->mapTo(dialog, QPoint(40, 40)));
        QTRY_COMPARE(child<QLabel>(dialog, "panInfo")->text(), QString());

        press(dialog, "cmdGuida");
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        QCOMPARE(child<QLabel>(guide, "lblTitolo")->text(),
                 QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel."));
        QCOMPARE(child<QPlainTextEdit>(guide, "txtGuida")->toPlainText().split(QStringLiteral("\n\n")).size(), 3);
        guide->close();

        press(dialog, "cmdEsci");
        QTRY_VERIFY(!TestSupport::openDialog<TfrmExpBollettini>());
        QVERIFY(!QFile::exists(slipExport()));
    }

    void exportWritesTheGridAsEditedAndOpensTheFile()
    {
        QByteArray bytes = slip(1) + slip(2);
        QVERIFY(TestSupport::writeAll(archive(), bytes));
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        QTableView* view = grid(dialog);

        // The user changes a note in the grid with the cell editor.
        const QModelIndex note = view->model()->index(1, 15);
        view->setCurrentIndex(note);
        view->edit(note);
        auto* editor = view->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("RIVEDUTA & CORRETTA"));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(cell(dialog, 1, 15), QStringLiteral("RIVEDUTA & CORRETTA"));
        // A town still being edited when the export starts is exported as typed.
        QTRY_VERIFY(!view->findChild<QLineEdit*>());
        const QModelIndex town = view->model()->index(0, 10);
        view->setCurrentIndex(town);
        view->edit(town);
        QTRY_VERIFY(view->findChild<QLineEdit*>());
        view->findChild<QLineEdit*>()->setText(QStringLiteral("FIUMICINO RM"));

        MessageBox::setNextAnswer(Button::Yes);
        MessageBox::setNextAnswer(Button::Yes);
        press(dialog, "cmdEsporta");
        const QList<MessageBox::Shown> shown = MessageBox::shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(0).kind, Kind::Confirmation);
        QCOMPARE(shown.at(0).text, kAskExport);
        QCOMPARE(shown.at(1).kind, Kind::Confirmation);
        QCOMPARE(shown.at(1).text, kAskOpen);
        const QByteArray file = TestSupport::readAll(slipExport());
        QVERIFY(file.startsWith("<html xmlns:o="));
        QVERIFY(file.contains("<x:Name>Riepilogo annuale versamenti</x:Name>"));
        QVERIFY(file.contains(">RIVEDUTA &amp; CORRETTA</td>"));
        QVERIFY(file.contains(">NOTA 1</td>"));
        QVERIFY(file.contains(">FIUMICINO RM</td>"));
        QCOMPARE(file.count(">ROMA RM</td>"), 1);
        QVERIFY(!file.contains(">NOTA 2</td>"));
        QCOMPARE(file.count("<tr>"), 3);
        QVERIFY(file.endsWith("</html>"));
        QCOMPARE(TestSupport::readAll(archive()), bytes);
        QCOMPARE(Shell::opened(), QStringList{QUrl::fromLocalFile(slipExport()).toString(QUrl::FullyEncoded)});

        // A second export replaces the file without asking about it.
        Shell::clearOpened();
        MessageBox::clearShown();
        TestSupport::writeAll(slipExport(), "old");
        MessageBox::setNextAnswer(Button::Yes);
        MessageBox::setNextAnswer(Button::No);
        press(dialog, "cmdEsporta");
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(TestSupport::readAll(slipExport()), file);
        QVERIFY(Shell::opened().isEmpty());
        QVERIFY(TestSupport::openDialog<TfrmExpBollettini>());
    }

    void noToTheFirstQuestionWritesNothing()
    {
        QVERIFY(TestSupport::writeAll(archive(), slip(1)));
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        MessageBox::setNextAnswer(Button::No);
        press(dialog, "cmdEsporta");
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(!QFile::exists(slipExport()));
        QVERIFY(Shell::opened().isEmpty());
    }

    void missingArchiveIsCreatedEmpty()
    {
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        QCOMPARE(grid(dialog)->model()->rowCount(), 0);
        QVERIFY(QFile::exists(archive()));
        QCOMPARE(QFileInfo(archive()).size(), 0);
        MessageBox::setNextAnswer(Button::Yes);
        MessageBox::setNextAnswer(Button::No);
        press(dialog, "cmdEsporta");
        const QByteArray file = TestSupport::readAll(slipExport());
        QCOMPARE(file.count("<tr>"), 1);
        QVERIFY(file.endsWith("</tr></table></body></html>"));
    }

    // A failed export says so with the plain message and leaves the previous file whole.
    void unwritableFolderKeepsThePreviousFile()
    {
        QVERIFY(TestSupport::writeAll(archive(), slip(1)));
        QVERIFY(TestSupport::writeAll(slipExport(), "previous export"));
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        ReadOnly guard(m_session->folder());
        REQUIRE_READ_ONLY(guard);
        MessageBox::setNextAnswer(Button::Yes);
        press(dialog, "cmdEsporta");
        const QList<MessageBox::Shown> shown = MessageBox::shown();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).kind, Kind::Plain);
        QCOMPARE(shown.at(1).text, kCannot);
        QCOMPARE(TestSupport::readAll(slipExport()), QByteArray("previous export"));
        QVERIFY(Shell::opened().isEmpty());
        QVERIFY(dialog->isVisible());
    }

    // An archive that cannot be read to its end: the rows read stay, the user is told, and the
    // export writes only those rows.
    void unreadableTailIsReported()
    {
        QVERIFY(TestSupport::writeAll(archive(), slip(1) + slip(2) + QByteArray(700, 'x')));
        ExportDialog* dialog = openSlipExport();
        QVERIFY(dialog);
        QTRY_COMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().at(0).kind, Kind::Error);
        QCOMPARE(MessageBox::shown().at(0).text, kAccess);
        QCOMPARE(grid(dialog)->model()->rowCount(), 2);
        MessageBox::setNextAnswer(Button::Yes);
        MessageBox::setNextAnswer(Button::No);
        press(dialog, "cmdEsporta");
        QCOMPARE(TestSupport::readAll(slipExport()).count("<tr>"), 3);
    }

    // The access message comes once the window is on screen; a window closed before that shows
    // none, and one closed while the message is open takes the message with it and nothing is left
    // running for it.
    void closedBeforeItsAccessMessage()
    {
        QVERIFY(TestSupport::writeAll(archive(), slip(1) + QByteArray(700, 'x')));
        QPointer<TfrmExpBollettini> dialog = startSlipExport();
        QVERIFY(dialog);
        dialog->close();
        QTRY_VERIFY(dialog.isNull());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void closedWhileItsAccessMessageIsOpen()
    {
        QVERIFY(TestSupport::writeAll(archive(), slip(1) + QByteArray(700, 'x')));
        // The real box this time, for it must be open when the window goes.
        struct RealBoxes {
            RealBoxes() { MessageBox::setTestMode(false); }
            ~RealBoxes() { MessageBox::setTestMode(true); }
        } realBoxes;
        QPointer<TfrmExpBollettini> dialog;
        QString boxText;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !dialog)
                return;
            closer.stop();
            boxText = box->parentWidget() == dialog ? box->text() : QStringLiteral("box over another window");
            dialog->close();
        });
        closer.start(5);
        dialog = startSlipExport();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(boxText, kAccess);
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QVERIFY(m_editor->isVisible());
    }

    void payerWindowExportsThePayerArchive()
    {
        QVERIFY(TestSupport::writeAll(PayerRecord::archivePath(), payer(1) + payer(2) + payer(3)));
        Windows::openDialog<TfrmExpEsecutori>(Windows::get<TfrmEsecutori>());
        auto* dialog = TestSupport::openDialog<TfrmExpEsecutori>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Esporta archivio Esecutori in Microsoft Excel"));
        QCOMPARE(dialog->size(), QSize(862, 560));
        QTableView* view = grid(dialog);
        QCOMPARE(view->model()->rowCount(), 3);
        QCOMPARE(view->model()->columnCount(), 26);
        QCOMPARE(view->rowHeight(1), 21);
        QCOMPARE(view->columnWidth(5), 200);
        QCOMPARE(view->model()->headerData(3, Qt::Horizontal).toString(),
                 QStringLiteral("Comune / Stato estero di nascita"));
        QCOMPARE(cell(dialog, 2, 0), QStringLiteral("3"));
        QCOMPARE(cell(dialog, 0, 2), QStringLiteral("//"));
        QCOMPARE(cell(dialog, 0, 7), QStringLiteral("NAPOLI NA"));
        QVERIFY(view->model()->setData(view->model()->index(0, 25), QStringLiteral("NOTA CAMBIATA")));

        MessageBox::setNextAnswer(Button::Yes);
        MessageBox::setNextAnswer(Button::Yes);
        press(dialog, "cmdEsporta");
        QCOMPARE(MessageBox::shown().size(), 2);
        const QString path = m_session->file(QStringLiteral("Esecutori.xls"));
        const QByteArray file = TestSupport::readAll(path);
        QVERIFY(file.contains("<x:Name>Riepilogo Esecutori</x:Name>"));
        QVERIFY(file.contains(">NOTA CAMBIATA</td></tr>"));
        QVERIFY(file.contains(">Comune di nascita</td>"));
        QCOMPARE(file.count("<tr>"), 4);
        QCOMPARE(Shell::opened(), QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)});

        press(dialog, "cmdGuida");
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        QCOMPARE(child<QLabel>(guide, "lblTitolo")->text(),
                 QStringLiteral("Esportazione archivio Esecutori in Microsoft Excel."));
        QCOMPARE(child<QPlainTextEdit>(guide, "txtGuida")->toPlainText().split(QStringLiteral("\n\n")).size(), 3);
    }

    void missingPayerArchiveIsCreatedEmpty()
    {
        Windows::openDialog<TfrmExpEsecutori>(Windows::get<TfrmEsecutori>());
        auto* dialog = TestSupport::openDialog<TfrmExpEsecutori>();
        QVERIFY(dialog);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(grid(dialog)->model()->rowCount(), 0);
        QVERIFY(QFile::exists(PayerRecord::archivePath()));
        QVERIFY(MessageBox::shown().isEmpty());
    }
};

QTEST_MAIN(TestExportWindows)
#include "tst_exportwindows.moc"
