// The attachments window on the real form: opened from the slip editor, files chosen through the
// file dialog hook and copied into Documenti_Allegati, the slots handed back to the target, and
// names that would reach outside the folder refused.

#include "ReadOnly.h"
#include "TestSupport.h"

#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "editors/Bollettino.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

using TestSupport::child;
using Kind = MessageBox::Kind;

namespace {

const char* const kSlotFields[] = {"File01", "Desc01", "File02", "Desc02", "File03", "Desc03"};

// The question names the file it would replace.
const QString kReplaceDoc = QStringLiteral("Attenzione: nella cartella dei documenti allegati \u00e8 presente un file "
                                           "con lo stesso nome, \"doc.pdf\".\r\n\r\nSi vuole sovrascrivere il file "
                                           "esistente?");

} // namespace

class TestAllegaCartella : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;
    QTemporaryDir m_elsewhere; // where the user's files come from

    QString attached(const QString& name) const
    {
        return m_session->file(QStringLiteral("Documenti_Allegati/") + name);
    }

    QString userFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_elsewhere.filePath(name);
        if (!TestSupport::writeAll(path, bytes))
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }

    // The workspace as the keeper of its attachment slots.
    static AttachmentTarget* keeper(QWidget* editor) { return dynamic_cast<AttachmentTarget*>(editor); }

    // The slip editor, shown, with its six labels set; the window opened from its "Allega file".
    TfrmAllegaCartella* openFromSlipEditor(const QStringList& values = {})
    {
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        editor->showFrom(nullptr);
        child<QLineEdit>(editor, "txtAnno")->setText(QStringLiteral("2025"));
        click(child<QWidget>(editor, "btnApri"));
        for (int i = 0; i < 6; ++i)
            TestSupport::setAttachment(keeper(editor), kSlotFields[i], values.value(i));
        auto* allega = child<QWidget>(editor, "cmdAllega");
        QTest::mouseClick(allega, Qt::LeftButton, {}, allega->rect().center());
        return TestSupport::openDialog<TfrmAllegaCartella>();
    }

    TfrmAllegaCartella* openEmpty()
    {
        auto* dialog = new TfrmAllegaCartella(TestSupport::Session::window<TfrmBollettino>());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setTarget(TestSupport::Session::window<TfrmBollettino>());
        dialog->show();
        return dialog;
    }

    static QLineEdit* edit(QWidget* dialog, const char* name) { return child<QLineEdit>(dialog, name); }
    static QPushButton* button(QWidget* dialog, const char* name) { return child<QPushButton>(dialog, name); }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

private slots:
    void init() { m_session = std::make_unique<TestSupport::Session>(); }

    void cleanup()
    {
        // The windows the tests opened; the start-up instances belong to the session.
        QList<QPointer<QWidget>> open;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmAllegaCartella*>(widget) && !Windows::all().contains(widget))
                open << widget;
        for (const QPointer<QWidget>& widget : open)
            delete widget.data();
        m_session.reset();
    }

    void formAndTabOrder()
    {
        auto* dialog = openEmpty();
        QCOMPARE(dialog->windowTitle(), QStringLiteral(" Allega file"));
        QCOMPARE(dialog->size(), QSize(634, 534));
        QVERIFY(!(dialog->windowFlags() & Qt::WindowCloseButtonHint));
        const QStringList labels = {"Nome 1\u00b0 file allegato:", "Descrizione 1\u00b0 file allegato:",
                                    "Nome 2\u00b0 file allegato:", "Descrizione 2\u00b0 file allegato:",
                                    "Nome 3\u00b0 file allegato:", "Descrizione 3\u00b0 file allegato:"};
        for (int i = 0; i < 6; ++i) {
            const QByteArray name = "lblCampo0" + QByteArray::number(i + 1);
            QCOMPARE(child<QLabel>(dialog, name.constData())->text(), labels.at(i));
        }
        for (const char* name : {"txtFile01", "txtFile02", "txtFile03"})
            QVERIFY(edit(dialog, name)->isReadOnly());
        for (const char* name : {"txtDesc01", "txtDesc02", "txtDesc03"}) {
            QVERIFY(!edit(dialog, name)->isReadOnly());
            QCOMPARE(edit(dialog, name)->maxLength(), 32767); // no limit of its own
            QCOMPARE(edit(dialog, name)->font().family(), QStringLiteral("Verdana"));
            QVERIFY(edit(dialog, name)->font().bold());
        }
        for (const char* name : {"btnSfoglia01", "btnSfoglia02", "btnSfoglia03"})
            QCOMPARE(button(dialog, name)->text(), QStringLiteral("Sfoglia..."));
        // The erasers are buttons that Tab reaches, named for the screen reader, with a focus frame.
        for (int n = 1; n <= 3; ++n) {
            auto* eraser = child<QToolButton>(dialog, qPrintable(QStringLiteral("imgCancella0%1").arg(n)));
            QVERIFY(eraser);
            QVERIFY(!eraser->icon().isNull());
            QCOMPARE(eraser->focusPolicy(), Qt::TabFocus);
            QCOMPARE(eraser->accessibleName(), QStringLiteral("Elimina il nome del %1\u00b0 file allegato").arg(n));
        }
        auto* eraser = child<QToolButton>(dialog, "imgCancella01");
        const QImage unfocused = eraser->grab().toImage();
        eraser->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(eraser->hasFocus());
        QVERIFY(eraser->grab().toImage() != unfocused);
        QVERIFY(!child<QLabel>(dialog, "imgBanner")->pixmap().isNull());
        QCOMPARE(button(dialog, "btnAnnulla")->text(), QStringLiteral("Annulla"));
        QCOMPARE(button(dialog, "btnApplica")->text(), QStringLiteral("Applica e chiudi"));

        const QStringList order = {"txtFile01",  "imgCancella01", "btnSfoglia01", "btnApri01", "txtDesc01",
                                   "txtFile02",  "imgCancella02", "btnSfoglia02", "btnApri02", "txtDesc02",
                                   "txtFile03",  "imgCancella03", "btnSfoglia03", "btnApri03", "txtDesc03",
                                   "btnApplica", "btnAnnulla",    "txtFile01"};
        QWidget* widget = edit(dialog, "txtFile01");
        for (int i = 1; i < order.size(); ++i) {
            do
                widget = widget->nextInFocusChain();
            while (!(widget->focusPolicy() & Qt::TabFocus));
            QCOMPARE(widget->objectName(), order.at(i));
        }
    }

    // The slip editor's labels arrive trimmed; "Apri" is enabled exactly where a name is.
    void openedFromTheSlipEditor()
    {
        auto* dialog = openFromSlipEditor({" carta.pdf ", " Documento ", "", "Senza file", "   ", ""});
        QVERIFY(dialog);
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->target(), static_cast<AttachmentTarget*>(TestSupport::Session::window<TfrmBollettino>()));
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("carta.pdf"));
        QCOMPARE(edit(dialog, "txtDesc01")->text(), QStringLiteral("Documento"));
        QCOMPARE(edit(dialog, "txtDesc02")->text(), QStringLiteral("Senza file"));
        QCOMPARE(edit(dialog, "txtFile03")->text(), QString());
        QVERIFY(button(dialog, "btnApri01")->isEnabled());
        QVERIFY(!button(dialog, "btnApri02")->isEnabled());
        QVERIFY(!button(dialog, "btnApri03")->isEnabled());

        // Blanks alone are no name.
        edit(dialog, "txtFile02")->setText(QStringLiteral("  "));
        QVERIFY(!button(dialog, "btnApri02")->isEnabled());
        edit(dialog, "txtFile02")->setText(QStringLiteral("x"));
        QVERIFY(button(dialog, "btnApri02")->isEnabled());
    }

    // The window opens over the slip editor in both rows: the slots go to the target, not the owner.
    void applyWritesBackToTheTarget_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::newRow("slip editor") << "bollettino";
        QTest::newRow("payer editor") << "esecutori";
    }

    void applyWritesBackToTheTarget()
    {
        QFETCH(QString, tag);
        auto* slipEditor = TestSupport::Session::window<TfrmBollettino>();
        auto* payerEditor = TestSupport::Session::window<TfrmEsecutori>();
        QWidget* editor =
            tag == QLatin1String("bollettino") ? static_cast<QWidget*>(slipEditor) : static_cast<QWidget*>(payerEditor);
        AttachmentTarget* target = tag == QLatin1String("bollettino") ? static_cast<AttachmentTarget*>(slipEditor)
                                                                      : static_cast<AttachmentTarget*>(payerEditor);
        for (const char* field : kSlotFields) {
            QVERIFY2(keeper(editor), field);
            TestSupport::setAttachment(keeper(editor), field, QStringLiteral("prima"));
        }

        auto* dialog = new TfrmAllegaCartella(slipEditor);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setTarget(target);
        for (const char* field : kSlotFields) // the target's slots, as they were
            QCOMPARE(edit(dialog, QByteArray(QByteArray("txt") + field).constData())->text(), QStringLiteral("prima"));
        const QStringList values = {" a.pdf", "Uno ", "b.txt", "", "", QString(300, QLatin1Char('d'))};
        for (int i = 0; i < 6; ++i) {
            const QByteArray name = QByteArray("txt") + kSlotFields[i];
            edit(dialog, name.constData())->setText(values.at(i));
        }
        dialog->show();
        QPointer<QWidget> alive(dialog);
        click(button(dialog, "btnApplica"));
        QTRY_VERIFY(!alive);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(TestSupport::attachment(keeper(editor), kSlotFields[i]), values.at(i).trimmed());
        // The other editor got nothing.
        QWidget* other = tag == QLatin1String("bollettino")
            ? static_cast<QWidget*>(TestSupport::Session::window<TfrmEsecutori>())
            : static_cast<QWidget*>(TestSupport::Session::window<TfrmBollettino>());
        QVERIFY(TestSupport::attachment(keeper(other), "File01") != QStringLiteral("a.pdf"));
    }

    void noTargetWritesNothingAndStaysOpen()
    {
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        TestSupport::setAttachment(keeper(editor), "File01", QStringLiteral("prima"));
        auto* dialog = new TfrmAllegaCartella(editor);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        edit(dialog, "txtFile01")->setText(QStringLiteral("nuovo.pdf"));
        dialog->show();
        click(button(dialog, "btnApplica"));
        QVERIFY(dialog->isVisible());
        QCOMPARE(TestSupport::attachment(keeper(editor), "File01"), QStringLiteral("prima"));
        delete dialog;
    }

    // The first "Sfoglia..." makes the folder and copies; the dialog is asked the program's way.
    void browseCopiesIntoANewFolder()
    {
        auto* dialog = openFromSlipEditor();
        QVERIFY(dialog);
        QVERIFY(!QFileInfo::exists(m_session->file(QStringLiteral("Documenti_Allegati"))));
        FileDialog::setNextFileName(userFile(QStringLiteral("patente fronte.jpg"), "JPEG bytes"));
        click(button(dialog, "btnSfoglia02"));
        QCOMPARE(FileDialog::lastCaption(), QStringLiteral("Selezionare il file da allegare:"));
        QCOMPARE(FileDialog::lastFilter(), QStringLiteral("Tutti i file (*.*)"));
        QCOMPARE(edit(dialog, "txtFile02")->text(), QStringLiteral("patente fronte.jpg"));
        QVERIFY(button(dialog, "btnApri02")->isEnabled());
        QCOMPARE(TestSupport::readAll(attached(QStringLiteral("patente fronte.jpg"))), QByteArray("JPEG bytes"));
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(edit(dialog, "txtFile01")->text().isEmpty());
    }

    // A name longer than its field shows its beginning, whether chosen or handed over by the editor.
    void longNamesShowTheirBeginning()
    {
        auto* dialog = openFromSlipEditor();
        QVERIFY(dialog);
        const QString name = QStringLiteral("Ricevuta del versamento della tassa di concessione governativa 2031.pdf");
        FileDialog::setNextFileName(userFile(name, "PDF bytes"));
        click(button(dialog, "btnSfoglia01"));
        QLineEdit* file = edit(dialog, "txtFile01");
        QCOMPARE(file->text(), name);
        QVERIFY(file->fontMetrics().horizontalAdvance(name) > file->width()); // it does not fit
        QCOMPARE(file->cursorPosition(), 0);
    }

    void browseOverAnExistingName_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("yes replaces") << true;
        QTest::newRow("no keeps the older file") << false;
    }

    void browseOverAnExistingName()
    {
        QFETCH(bool, replace);
        QVERIFY(QDir().mkpath(m_session->file(QStringLiteral("Documenti_Allegati"))));
        QVERIFY(TestSupport::writeAll(attached(QStringLiteral("doc.pdf")), "older"));
        auto* dialog = openFromSlipEditor({"altro.pdf"});
        FileDialog::setNextFileName(userFile(QStringLiteral("doc.pdf"), "newer"));
        MessageBox::setNextAnswer(replace ? MessageBox::Button::Yes : MessageBox::Button::No);
        click(button(dialog, "btnSfoglia01"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Confirmation);
        QCOMPARE(MessageBox::shown().front().text, kReplaceDoc);
        // Either way the slot names the file in the folder.
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("doc.pdf"));
        QCOMPARE(TestSupport::readAll(attached(QStringLiteral("doc.pdf"))),
                 replace ? QByteArray("newer") : QByteArray("older"));
    }

    // The file chosen inside the attachment folder is the one already there: nothing to ask or copy.
    void browseTheAttachedFileItself()
    {
        QVERIFY(QDir().mkpath(m_session->file(QStringLiteral("Documenti_Allegati"))));
        QVERIFY(TestSupport::writeAll(attached(QStringLiteral("doc.pdf")), "older"));
        auto* dialog = openFromSlipEditor({"altro.pdf"});
        FileDialog::setNextFileName(attached(QStringLiteral("doc.pdf")));
        click(button(dialog, "btnSfoglia01"));
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("doc.pdf"));
        QCOMPARE(TestSupport::readAll(attached(QStringLiteral("doc.pdf"))), QByteArray("older"));
    }

    void cancelledDialogChangesNothing()
    {
        auto* dialog = openFromSlipEditor({"carta.pdf", "Documento"});
        FileDialog::setNextFileName(QString());
        click(button(dialog, "btnSfoglia01"));
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("carta.pdf"));
        QVERIFY(button(dialog, "btnApri01")->isEnabled());
        QVERIFY(!QFileInfo::exists(m_session->file(QStringLiteral("Documenti_Allegati"))));
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // A copy that fails (the folder cannot be made, or takes no new file) is told as an error, and
    // the slot keeps what it held: it never names a file that is not in the folder.
    void browseFailureIsShown_data()
    {
        QTest::addColumn<bool>("folderExists");
        QTest::newRow("the folder cannot be made") << false;
        QTest::newRow("the folder takes no file") << true;
    }
    void browseFailureIsShown()
    {
        QFETCH(bool, folderExists);
        auto* dialog = openFromSlipEditor({"carta.pdf", "Documento"});
        const QString folder = m_session->file(QStringLiteral("Documenti_Allegati"));
        if (folderExists)
            QVERIFY(QDir().mkpath(folder));
        FileDialog::setNextFileName(userFile(QStringLiteral("  doc.pdf"), "bytes"));
        {
            ReadOnly locked(folderExists ? folder : m_session->folder());
            REQUIRE_READ_ONLY(locked);
            click(button(dialog, "btnSfoglia01"));
        }
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("carta.pdf"));
        QCOMPARE(QFileInfo::exists(folder), folderExists);
        if (folderExists)
            QVERIFY(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Error);
        QVERIFY(MessageBox::shown().front().text.startsWith(
            QStringLiteral("Attenzione: non \u00e8 stato possibile copiare il file doc.pdf")));
    }

    void cancelAfterACopy()
    {
        auto* dialog = openFromSlipEditor({"carta.pdf", "Documento"});
        FileDialog::setNextFileName(userFile(QStringLiteral("nuovo.pdf"), "bytes"));
        click(button(dialog, "btnSfoglia01"));
        QPointer<QWidget> alive(dialog);
        click(button(dialog, "btnAnnulla"));
        QTRY_VERIFY(!alive);
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        QCOMPARE(TestSupport::attachment(keeper(editor), "File01"), QStringLiteral("carta.pdf"));
        QCOMPARE(TestSupport::attachment(keeper(editor), "Desc01"), QStringLiteral("Documento"));
        QCOMPARE(TestSupport::readAll(attached(QStringLiteral("nuovo.pdf"))), QByteArray("bytes"));
    }

    void eraserThenApply()
    {
        QVERIFY(QDir().mkpath(m_session->file(QStringLiteral("Documenti_Allegati"))));
        QVERIFY(TestSupport::writeAll(attached(QStringLiteral("carta.pdf")), "kept"));
        auto* dialog = openFromSlipEditor({"carta.pdf", "Documento", "b.pdf", "Due"});
        auto* eraser = child<QToolButton>(dialog, "imgCancella01");
        QTest::mouseClick(eraser, Qt::LeftButton, {}, eraser->rect().center());
        QCOMPARE(edit(dialog, "txtFile01")->text(), QString());
        QVERIFY(!button(dialog, "btnApri01")->isEnabled());
        QPointer<QWidget> alive(dialog);
        click(button(dialog, "btnApplica"));
        QTRY_VERIFY(!alive);
        auto* editor = TestSupport::Session::window<TfrmBollettino>();
        QCOMPARE(TestSupport::attachment(keeper(editor), "File01"), QString());
        QCOMPARE(TestSupport::attachment(keeper(editor), "Desc01"), QStringLiteral("Documento"));
        QCOMPARE(TestSupport::attachment(keeper(editor), "File02"), QStringLiteral("b.pdf"));
        QCOMPARE(TestSupport::readAll(attached(QStringLiteral("carta.pdf"))), QByteArray("kept"));
    }

    // "Apri" hands the file in the attachment folder, quoted, to the shell; it does not check it exists.
    void openHandsThePathToTheShell()
    {
        auto* dialog = openFromSlipEditor({"", "", "", "", "scansione 1.pdf"});
        click(button(dialog, "btnApri03"));
        QCOMPARE(
            Shell::opened(),
            QStringList{QUrl::fromLocalFile(attached(QStringLiteral("scansione 1.pdf"))).toString(QUrl::FullyEncoded)});
        QVERIFY(MessageBox::shown().isEmpty());
    }

    // A stored name from an archive written elsewhere must not reach outside the folder.
    void namesWithFolderPartsAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../Esecutori.pro";
        QTest::newRow("parent, Windows") << "..\\..\\unins000.dll";
        QTest::newRow("absolute") << "/etc/passwd";
        QTest::newRow("drive") << "C:\\Windows\\notepad.exe";
        QTest::newRow("parent alone") << "..";
    }

    void namesWithFolderPartsAreRefused()
    {
        QFETCH(QString, name);
        auto* dialog = openFromSlipEditor({name});
        QVERIFY(button(dialog, "btnApri01")->isEnabled());
        click(button(dialog, "btnApri01"));
        QVERIFY(Shell::opened().isEmpty());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Warning);
        QVERIFY(MessageBox::shown().front().text.startsWith(QStringLiteral("Attenzione: ")));
    }

    // A chosen file whose own name holds a Windows separator is not copied under that name.
    void browseRefusesAnUnsafeName()
    {
        auto* dialog = openFromSlipEditor({"carta.pdf"});
        FileDialog::setNextFileName(userFile(QStringLiteral("..\\evil.pdf"), "bytes"));
        click(button(dialog, "btnSfoglia01"));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().front().kind, Kind::Warning);
        QCOMPARE(edit(dialog, "txtFile01")->text(), QStringLiteral("carta.pdf"));
        const QString folder = m_session->file(QStringLiteral("Documenti_Allegati"));
        QVERIFY(!QFileInfo::exists(folder) || QDir(folder).isEmpty());
        QCOMPARE(QDir(m_session->folder()).entryList(QDir::Files), QStringList());
    }
};

QTEST_MAIN(TestAllegaCartella)
#include "tst_allegacartella.moc"
