// The payer editor's sheet commands "Stampa", "Anteprima" and "Crea PDF", driven on the payer
// editor's form, and their output read back with poppler.

#include "PdfReadBack.h"
#include "ReadOnly.h"
#include "TestSupport.h"

#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "payers/InfoSheet.h"
#include "editors/InfoSheetCommands.h"
#include "windows/ReportOutput.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QUrl>

using Kind = MessageBox::Kind;

namespace {

const QString kAsk =
    QStringLiteral("L'esportazione della scheda in PDF è terminata con successo.\r\n\r\nSi vuole aprire il file?");

bool isProvince(const char* name)
{
    return qstrcmp(name, "txtProvNasc") == 0 || qstrcmp(name, "txtProvRes") == 0;
}

} // namespace

class TestInfoSheet : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;
    TfrmEsecutori* m_editor = nullptr; // the payer editor

    QString pdf() const { return m_session->file(QStringLiteral("Esecutore.pdf")); }

    void set(const char* name, const QString& text)
    {
        if (isProvince(name)) {
            auto* combo = TestSupport::child<QComboBox>(m_editor, name);
            QVERIFY2(combo, name);
            combo->setEditText(text);
            return;
        }
        auto* edit = TestSupport::child<QLineEdit>(m_editor, name);
        QVERIFY2(edit, name);
        edit->setText(text);
    }

    void fillPayer(const QString& name)
    {
        set("txtEsecutore", name);
        set("txtGG", QStringLiteral("05"));
        set("txtMM", QStringLiteral("03"));
        set("txtAA", QStringLiteral("71"));
        set("txtComuneNasc", QStringLiteral("PERUGIA"));
        set("txtProvNasc", QStringLiteral("PG"));
        set("txtComuneRes", QStringLiteral("ROMA"));
        set("txtProvRes", QStringLiteral("RM"));
        set("txtCapRes", QStringLiteral("00100"));
        set("txtCarta", QStringLiteral("4111111111111111"));
        set("txtScadeCarta", QStringLiteral("12/29"));
        set("txtNote", QStringLiteral("Nota di prova"));
    }

    static QString rowText(const PdfReadBack::Document& document, int k)
    {
        const double top = 10 + 24 + 10 * (k - 1);
        QStringList texts;
        for (const PdfReadBack::Word& word : document.wordsInside(QRectF(69, top - 1, 131, 8)))
            texts << word.text;
        return texts.join(QLatin1Char(' '));
    }

private slots:
    void initTestCase()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP("poppler-utils is not installed");
    }

    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        m_editor = TestSupport::Session::window<TfrmEsecutori>();
        QVERIFY(m_editor);
        Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(9, 4, 3)));
    }

    void cleanup()
    {
        m_editor = nullptr;
        m_session.reset();
    }

    void createPdfAsksToOpenTheFile_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void createPdfAsksToOpenTheFile()
    {
        QFETCH(bool, open);
        fillPayer(QStringLiteral("ROSSI MARIO"));
        MessageBox::setNextAnswer(open ? MessageBox::Button::Yes : MessageBox::Button::No);
        InfoSheetCommands::createPdf(m_editor);

        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Confirmation);
        QCOMPARE(MessageBox::shown().front().text, kAsk);
        // The file is written before the question, whatever the answer.
        const PdfReadBack::Document document = PdfReadBack::words(pdf());
        QCOMPARE(rowText(document, 1), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(rowText(document, 2), QStringLiteral("05/03/71"));
        QCOMPARE(rowText(document, 3), QStringLiteral("PERUGIA PG"));
        QCOMPARE(rowText(document, 7), QStringLiteral("ROMA RM"));
        QCOMPARE(rowText(document, 16), QStringLiteral("N. 4111111111111111 - Scadenza: 12/29"));
        QCOMPARE(rowText(document, 24), QStringLiteral("Nota di prova"));
        QVERIFY(!document.contains(QStringLiteral("00100"))); // the postcode is not on the sheet
        QVERIFY(document.pageText(0).contains(QStringLiteral("Stampa eseguita in data 05/03/2026 alle ore 09:04:03")));
        QCOMPARE(PdfReadBack::infoValue(pdf(), QStringLiteral("Title")), QStringLiteral("Scheda informativa"));
        QCOMPARE(PdfReadBack::infoValue(pdf(), QStringLiteral("Subject")), QStringLiteral("Scheda informativa"));

        const QStringList expected =
            open ? QStringList{QUrl::fromLocalFile(pdf()).toString(QUrl::FullyEncoded)} : QStringList{};
        QCOMPARE(Shell::opened(), expected);
    }

    // Every export writes the same file: it holds the last sheet only. A change on screen that was
    // never saved is printed as it stands.
    void twoExportsLeaveTheSecondPayer()
    {
        fillPayer(QStringLiteral("ALFA PRIMO"));
        MessageBox::setNextAnswer(MessageBox::Button::No);
        InfoSheetCommands::createPdf(m_editor);
        QVERIFY(PdfReadBack::words(pdf()).contains(QStringLiteral("ALFA")));

        fillPayer(QStringLiteral("BETA SECONDO"));
        set("txtNote", {});
        Clock::setFixed(QDateTime(QDate(2026, 3, 6), QTime(18, 30, 0)));
        MessageBox::setNextAnswer(MessageBox::Button::No);
        InfoSheetCommands::createPdf(m_editor);
        const PdfReadBack::Document document = PdfReadBack::words(pdf());
        QCOMPARE(document.pages.size(), 1);
        QCOMPARE(rowText(document, 1), QStringLiteral("BETA SECONDO"));
        QVERIFY(!document.contains(QStringLiteral("ALFA")));
        QCOMPARE(rowText(document, 24), QString());
        QVERIFY(!document.pageText(0).contains(QStringLiteral("05/03/2026")));
        QVERIFY(document.pageText(0).contains(QStringLiteral("Stampa eseguita in data 06/03/2026 alle ore 18:30:00")));
        QVERIFY(Shell::opened().isEmpty());
    }

    // When the file cannot be written the user is told, nothing is offered for opening, and the
    // sheet written before stays whole.
    void unwritablePdfKeepsThePreviousFile_data()
    {
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("file held") << false;
        QTest::newRow("read-only folder") << true;
    }

    void unwritablePdfKeepsThePreviousFile()
    {
        QFETCH(bool, lockFolder);
        fillPayer(QStringLiteral("ALFA PRIMO"));
        MessageBox::setNextAnswer(MessageBox::Button::No);
        InfoSheetCommands::createPdf(m_editor);
        const QByteArray before = TestSupport::readAll(pdf());
        QVERIFY(before.startsWith("%PDF"));
        MessageBox::clearShown();

        fillPayer(QStringLiteral("BETA SECONDO"));
        {
            ReadOnly locked(lockFolder ? m_session->folder() : pdf());
            REQUIRE_READ_ONLY(locked);
            InfoSheetCommands::createPdf(m_editor);
        }
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Error);
        QVERIFY(MessageBox::shown().front().text.startsWith(
            QStringLiteral("Attenzione: non è stato possibile scrivere il file Esecutore.pdf.")));
        QCOMPARE(TestSupport::readAll(pdf()), before);
        QVERIFY(Shell::opened().isEmpty());
        QCOMPARE(QDir(m_session->folder()).entryList(QDir::Files), QStringList{QStringLiteral("Esecutore.pdf")});
    }

    void printGoesThroughTheDialog()
    {
        fillPayer(QStringLiteral("ROSSI MARIO"));
        const QString printed = m_session->file(QStringLiteral("stampa.pdf"));
        PrintDialog::setNextAccept(printed);
        InfoSheetCommands::print(m_editor);
        const PdfReadBack::Document document = PdfReadBack::words(printed);
        QCOMPARE(document.pages.size(), 1);
        QVERIFY(qAbs(document.pages.front().width() - 210) < 0.5);
        QVERIFY(qAbs(document.pages.front().height() - 297) < 0.5);
        QCOMPARE(rowText(document, 1), QStringLiteral("ROSSI MARIO"));
        QVERIFY(document.pageText(0).contains(QStringLiteral("SCHEDA ANAGRAFICA ESECUTORE")));

        // A cancelled dialog prints nothing and says nothing.
        PrintDialog::setNextCancel();
        InfoSheetCommands::print(m_editor);
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(!QFile::exists(pdf()));
    }

    void previewShowsTheSheetModally()
    {
        fillPayer(QStringLiteral("ROSSI MARIO"));
        static_cast<Workspace*>(m_editor)->showFrom(nullptr);
        bool checked = false;
        const auto inspect = [&checked](Report::PreviewWindow* window) {
            QVERIFY(window);
            QVERIFY(window->isModal());
            for (const char* name : {"btnStampa", "btnZoomPiu", "btnZoomMeno", "btnSchermoIntero", "btnChiudi"})
                QVERIFY2(TestSupport::child<QPushButton>(window, name), name);
            QCOMPARE(window->view()->pageCount(), 1);
            QCOMPARE(window->view()->zoomFactor(), 1.0);
            // The page shown carries the orange title strip.
            const QImage page = window->pageImage(0, 2.0);
            QCOMPARE(QColor(page.pixel(int((10 + 25) * 2.0), int((10 + 4) * 2.0))), QColor(0xFF, 0x8C, 0x00));
            checked = true;
        };
        QTimer::singleShot(0, this, [&] {
            auto* window = TestSupport::openDialog<Report::PreviewWindow>();
            inspect(window);
            if (window)
                QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnChiudi"), Qt::LeftButton);
            // Whatever failed above, the modal window must not stay open.
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<QDialog*>(widget) && widget->isVisible())
                    widget->close();
        });
        InfoSheetCommands::preview(m_editor);
        QVERIFY(checked);
        QVERIFY(!TestSupport::openDialog<Report::PreviewWindow>());
        QVERIFY(!QFile::exists(pdf()));
    }

    // Every control the sheet reads is on the payer editor's form, and its buttons reach the
    // sheet and the attachments.
    void payerEditorButtons()
    {
        auto* editor = m_editor;
        for (const char* name : TestSupport::kPayerFields)
            QVERIFY2(TestSupport::child<QWidget>(editor, name), name);
        for (const InfoSheet::Source& source : InfoSheet::sources()) {
            QWidget* control = TestSupport::child<QWidget>(editor, source.control);
            QVERIFY2(qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control), source.control);
        }
        editor->showFrom(nullptr);
        TestSupport::child<QLineEdit>(editor, "txtEsecutore")->setText(QStringLiteral("ROSSI MARIO"));
        TestSupport::child<QComboBox>(editor, "txtProvNasc")->setEditText(QStringLiteral("PG"));
        TestSupport::child<QLineEdit>(editor, "txtComuneNasc")->setText(QStringLiteral("PERUGIA"));
        const auto click = [editor](const char* name) {
            QWidget* widget = TestSupport::child<QWidget>(editor, name);
            QVERIFY2(widget, name);
            QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        };
        MessageBox::setNextAnswer(MessageBox::Button::No);
        click("cmdPDF");
        const PdfReadBack::Document document = PdfReadBack::words(pdf());
        QCOMPARE(rowText(document, 1), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(rowText(document, 3), QStringLiteral("PERUGIA PG"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().text, kAsk);

        const QString printed = m_session->file(QStringLiteral("stampa.pdf"));
        PrintDialog::setNextAccept(printed);
        click("cmdStampa");
        QCOMPARE(rowText(PdfReadBack::words(printed), 1), QStringLiteral("ROSSI MARIO"));

        // "Allega file" hands the slots over and takes them back on "Applica e chiudi".
        TestSupport::setAttachment(m_editor, "File01", QStringLiteral("carta.pdf"));
        click("cmdFile");
        auto* attachments = TestSupport::openDialog<TfrmAllegaCartella>();
        QVERIFY(attachments);
        QCOMPARE(attachments->target(), static_cast<AttachmentTarget*>(m_editor));
        QCOMPARE(TestSupport::child<QLineEdit>(attachments, "txtFile01")->text(), QStringLiteral("carta.pdf"));
        TestSupport::child<QLineEdit>(attachments, "txtDesc01")->setText(QStringLiteral("Documento"));
        QPointer<QWidget> alive(attachments);
        QTest::mouseClick(TestSupport::child<QPushButton>(attachments, "btnApplica"), Qt::LeftButton);
        QTRY_VERIFY(!alive);
        QCOMPARE(TestSupport::attachment(m_editor, "Desc01"), QStringLiteral("Documento"));
    }
};

QTEST_MAIN(TestInfoSheet)
#include "tst_infosheet.moc"
