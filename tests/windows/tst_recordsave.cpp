// The save both record editors share, driven through each real editor: a record another PC saved
// after it was loaded here is met the same way by the slip editor and the payer editor.

#include "TestSupport.h"
#include "lists/ListFixtures.h"

#include "data/LayoutArchive.h"
#include "editors/Esecutori.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"
#include "editors/Bollettino.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QLineEdit>
#include <QPlainTextEdit>

using TestSupport::child;
using TestSupport::click;
using namespace TestSupport::Messages;

class TestRecordSave : public QObject {
    Q_OBJECT

    std::unique_ptr<TestSupport::Session> m_session;

    // The editor a row names, shown on record 2 of a three-record archive; the archive's path.
    QWidget* showOnRecord2(bool payer, QString& path)
    {
        QWidget* editor = nullptr;
        QList<Record> records;
        for (int i = 1; i <= 3; ++i) {
            Record record =
                payer ? ListFixtures::payer({}) : ListFixtures::slip({{"DataScade", QStringLiteral("31/01/2025")}});
            record.setText("Esecutore", QStringLiteral("PAYER %1").arg(i));
            record.setText("Note", QStringLiteral("NOTA %1").arg(i));
            records.append(record);
        }
        if (payer) {
            auto* payers = TestSupport::Session::window<TfrmEsecutori>();
            path = payers->payerFile()->path();
            payers->showFrom(nullptr);
            editor = payers;
        } else {
            auto* slips = TestSupport::Session::window<TfrmBollettino>();
            path = m_session->file(QStringLiteral("2025.bol"));
            slips->showFrom(nullptr);
            child<QLineEdit>(slips, "txtAnno")->setText(QStringLiteral("2025"));
            click(slips, "btnApri");
            editor = slips;
        }
        if (!ListFixtures::writeArchive(path, records) || !QTest::qWaitForWindowExposed(editor))
            return nullptr;
        click(editor, "cmdAvanti");
        click(editor, "cmdAvanti");
        return editor;
    }

private slots:
    void init() { m_session = std::make_unique<TestSupport::Session>(); }
    void cleanup()
    {
        TestSupport::closeDialogs();
        m_session.reset();
    }

    void everyFieldBoundOnce_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::newRow("slip editor") << false;
        QTest::newRow("payer editor") << true;
    }
    // Each field of the record reaches the control named after it ("txt" or "chk" and the field), and
    // the attachments, which no control shows, the editor's own slots; no field is left out or bound
    // twice.
    void everyFieldBoundOnce()
    {
        QFETCH(bool, payer);
        QWidget* editor = nullptr;
        const RecordForm::Fields* fields = nullptr;
        AttachmentTarget* attachments = nullptr;
        if (payer) {
            auto* payers = TestSupport::Session::window<TfrmEsecutori>();
            payers->showFrom(nullptr);
            editor = payers;
            fields = &payers->fields();
            attachments = payers;
        } else {
            auto* slips = TestSupport::Session::window<TfrmBollettino>();
            slips->showFrom(nullptr);
            editor = slips;
            fields = &slips->fields();
            attachments = slips;
        }
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        const RecordLayout& layout = payer ? PayerRecord::layout() : SlipRecord::layout();
        QSet<QString> bound;
        int kept = 0;
        for (const RecordForm::Binding& binding : fields->bindings()) {
            const QString field = QString::fromLatin1(binding.field);
            QVERIFY2(layout.indexOf(binding.field) >= 0, binding.field);
            QVERIFY2(!bound.contains(field), binding.field);
            bound.insert(field);
            if (const auto* box = std::get_if<QCheckBox*>(&binding.to)) {
                QCOMPARE((*box)->objectName(), QStringLiteral("chk") + field);
            } else if (std::holds_alternative<QString*>(binding.to)) {
                QVERIFY2(field.startsWith(QLatin1String("File")) || field.startsWith(QLatin1String("Desc")),
                         binding.field);
                ++kept;
            } else {
                const QWidget* control = std::visit(
                    [](auto* to) -> const QWidget* {
                        if constexpr (std::is_base_of_v<QWidget, std::remove_pointer_t<decltype(to)>>)
                            return to;
                        else
                            return nullptr;
                    },
                    binding.to);
                QVERIFY(control);
                QCOMPARE(control->objectName(), QStringLiteral("txt") + field);
            }
        }
        QCOMPARE(bound.size(), layout.fieldCount());
        QCOMPARE(kept, 6);

        // The attachments go into the record from the editor's slots and back.
        Record record(layout);
        record.setText("File02", QStringLiteral("ricevuta.pdf"));
        record.setText("Desc03", QStringLiteral("Terzo"));
        fields->load(record);
        QCOMPARE(attachments->attachments()[1].file, QStringLiteral("ricevuta.pdf"));
        QCOMPARE(attachments->attachments()[2].description, QStringLiteral("Terzo"));
        attachments->setAttachments({AttachmentSlot{QStringLiteral(" a.pdf "), QStringLiteral("Primo")}});
        Record stored(layout);
        fields->store(stored);
        QCOMPARE(stored.text("File01"), QStringLiteral("a.pdf"));
        QCOMPARE(stored.text("Desc01"), QStringLiteral("Primo"));
        QCOMPARE(stored.text("File02"), QString());
        // No hidden control keeps them any more.
        QVERIFY(editor->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^lbl(File|Desc)0"))).isEmpty());
    }

    void changedElsewhere_data()
    {
        QTest::addColumn<bool>("payer");
        QTest::addColumn<int>("choice");
        const struct {
            const char* name;
            int choice;
        } choices[] = {{"Ricarica", 0}, {"Sovrascrivi", 1}, {"Annulla", 2}};
        for (const bool payer : {false, true})
            for (const auto& choice : choices)
                QTest::addRow("%s, %s", payer ? "payer editor" : "slip editor", choice.name) << payer << choice.choice;
    }

    // The question with its three answers; Ricarica shows what the other PC stored and writes nothing,
    // Sovrascrivi writes this PC's record over it, Annulla leaves both the archive and the screen.
    void changedElsewhere()
    {
        QFETCH(bool, payer);
        QFETCH(int, choice);
        QString path;
        QWidget* editor = showOnRecord2(payer, path);
        QVERIFY(editor);
        QCOMPARE(TestSupport::textOf(editor, "lblPosizione"), QStringLiteral("2"));
        QCOMPARE(TestSupport::textOf(editor, "txtEsecutore"), QStringLiteral("PAYER 2"));
        MessageBox::clearShown();

        // The other PC saves record 2 with another note, by its own program.
        const RecordLayout& layout = payer ? PayerRecord::layout() : SlipRecord::layout();
        const int size = payer ? PayerRecord::kSize : SlipRecord::kSize;
        QByteArray stored = TestSupport::readAll(path);
        Record theirs(layout, stored.mid(size, size));
        theirs.setText("Note", QStringLiteral("SALDATO ALTROVE"));
        stored.replace(size, size, theirs.bytes());
        QVERIFY(TestSupport::writeAll(path, stored));

        child<QLineEdit>(editor, "txtEsecutore")->setText(QStringLiteral("MODIFICATO QUI"));
        MessageBox::setNextChoice(choice);
        click(editor, "cmdSalva");

        const QList<MessageBox::Shown> shown = MessageBox::shown();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first().text, LayoutArchive::changedQuestion().text);
        QCOMPARE(TestSupport::textOf(editor, "lblPosizione"), QStringLiteral("2"));
        const QByteArray after = TestSupport::readAll(path);
        switch (choice) {
        case 0: // Ricarica
            QCOMPARE(shown.size(), 1);
            QCOMPARE(after, stored);
            QCOMPARE(TestSupport::textOf(editor, "txtEsecutore"), QStringLiteral("PAYER 2"));
            QCOMPARE(TestSupport::textOf(editor, "txtNote"), QStringLiteral("SALDATO ALTROVE"));
            break;
        case 1: { // Sovrascrivi
            QCOMPARE(shown.size(), 2);
            QCOMPARE(shown.last().kind, MessageBox::Kind::Information);
            QCOMPARE(shown.last().text, payer ? PayerEditor::changedText() : SlipEditor::changedText());
            QCOMPARE(after.size(), stored.size());
            QCOMPARE(after.left(size), stored.left(size));
            QCOMPARE(after.mid(2 * size), stored.mid(2 * size));
            const Record written(layout, after.mid(size, size));
            QCOMPARE(written.text("Esecutore"), QStringLiteral("MODIFICATO QUI"));
            QCOMPARE(written.text("Note"), QStringLiteral("NOTA 2"));
            break;
        }
        default: // Annulla
            QCOMPARE(shown.size(), 1);
            QCOMPARE(after, stored);
            QCOMPARE(TestSupport::textOf(editor, "txtEsecutore"), QStringLiteral("MODIFICATO QUI"));
            QCOMPARE(TestSupport::textOf(editor, "txtNote"), QStringLiteral("NOTA 2"));
            break;
        }
    }
};

QTEST_MAIN(TestRecordSave)
#include "tst_recordsave.moc"
