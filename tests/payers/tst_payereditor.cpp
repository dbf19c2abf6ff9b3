// The payer editor's decisions without a window, and the payer archive against hand-made bytes.

#include "CoreSupport.h"
#include "ReadOnly.h"

#include "payers/PayerArchive.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"

#include <QFile>

using PayerEditor::Action;
using PayerEditor::Decision;
using PayerEditor::Move;

Q_DECLARE_METATYPE(Move)
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(MessageKind)

using namespace TestSupport::Messages;

namespace {

// A payer record built byte by byte: the name at offset 0 and the recontact flag at 1176.
QByteArray payerBytes(const QByteArray& name, bool recontact)
{
    QByteArray bytes(PayerRecord::kSize, '\0');
    bytes[0] = char(name.size());
    bytes.replace(1, name.size(), name);
    const QByteArray flag = recontact ? QByteArray("\x02\x53\xEC", 3) : QByteArray("\x02\x4E\x6F", 3);
    bytes.replace(1176, 3, flag);
    return bytes;
}

Record payer(const QString& name, bool recontact)
{
    Record record = PayerArchive::blank();
    record.setText("Esecutore", name);
    record.setFlag("Ricontatta", recontact);
    return record;
}

} // namespace

class TestPayerEditor : public QObject {
    Q_OBJECT

private slots:
    void saveNeedsAName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks") << "   " << true;
        QTest::newRow("tab and blanks") << " \t " << true;
        QTest::newRow("name") << "ROSSI MARIO" << false;
        QTest::newRow("name between blanks") << "  A  " << false;
    }

    void saveNeedsAName()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        const Decision decision = PayerEditor::checkName(name);
        QCOMPARE(decision.action, Action::None);
        if (!refused) {
            QCOMPARE(decision, Decision{});
            return;
        }
        QCOMPARE(decision.message.kind, MessageKind::Warning);
        QCOMPARE(
            decision.message.text,
            QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il nome dell'Esecutore."));
        QCOMPARE(decision.focus, QStringLiteral("txtEsecutore"));
    }

    void save_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<Action>("action");
        QTest::addColumn<qint64>("record");
        QTest::newRow("new payer, empty archive") << "" << qint64(0) << Action::Append << qint64(0);
        QTest::newRow("new payer") << " " << qint64(4) << Action::Append << qint64(0);
        QTest::newRow("record shown") << "3" << qint64(4) << Action::Overwrite << qint64(3);
        QTest::newRow("last record") << " 4 " << qint64(4) << Action::Overwrite << qint64(4);
        QTest::newRow("beyond the end") << "5" << qint64(4) << Action::None << qint64(0);
        QTest::newRow("archive replaced by an empty one") << "1" << qint64(0) << Action::None << qint64(0);
        QTest::newRow("zero") << "0" << qint64(4) << Action::None << qint64(0);
        QTest::newRow("not a number") << "x" << qint64(4) << Action::None << qint64(0);
    }

    void save()
    {
        QFETCH(QString, position);
        QFETCH(qint64, count);
        QFETCH(Action, action);
        QFETCH(qint64, record);
        // The payer editor saves through the shared decision; it shows a refusal as an error.
        const Decision decision = RecordEditor::save(position, count);
        QCOMPARE(decision.action, action);
        QCOMPARE(decision.record, record);
        QCOMPARE(PayerEditor::accessError(), (Message{MessageKind::Error, kAccess}));
        if (action == Action::None)
            QCOMPARE(decision.message.text, kAccess);
        else
            QVERIFY(decision.message.isEmpty());
    }

    void savedShowsTheNumberAndTheRightText()
    {
        const auto saved = [](const Decision& save, qint64 written) {
            return RecordEditor::saved(save, written, PayerEditor::insertedText(), PayerEditor::changedText());
        };
        const Decision appended = saved(RecordEditor::save(QString(), 4), 5);
        QCOMPARE(appended.position, std::optional<QString>(QStringLiteral("5")));
        QCOMPARE(appended.message,
                 (Message{MessageKind::Information,
                          QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio.")}));
        const Decision changed = saved(RecordEditor::save(QStringLiteral(" 5"), 5), 5);
        QCOMPARE(changed.position, std::optional<QString>(QStringLiteral("5")));
        QCOMPARE(changed.message,
                 (Message{MessageKind::Information,
                          QStringLiteral("Le modifiche apportate alla scheda corrente sono state "
                                         "salvate in archivio.")}));
    }

    void clear_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<MessageKind>("kind");
        QTest::newRow("new payer") << "" << MessageKind::Warning;
        QTest::newRow("blank number") << "  " << MessageKind::Warning;
        QTest::newRow("record 3") << "3" << MessageKind::Confirmation;
    }

    void clear()
    {
        QFETCH(QString, position);
        QFETCH(MessageKind, kind);
        const Message request = PayerEditor::clearRequest(position);
        QCOMPARE(request.kind, kind);
        if (kind == MessageKind::Warning) {
            QCOMPARE(request.text,
                     QStringLiteral("Attenzione: la cancellazione dei campi di una scheda pu\u00f2 "
                                    "avvenire soltanto dopo che questa \u00e8 stata inserita in "
                                    "archivio."));
            return;
        }
        QCOMPARE(request.text,
                 QStringLiteral("Per ottenere la cancellazione dei dati, \u00e8 necessario sovrascrivere "
                                "la scheda con nuove informazioni e premere Salva.\r\n\r\nSi vuole "
                                "sovrascrivere la scheda corrente?"));
        const Decision cleared = PayerEditor::cleared(QStringLiteral(" 3 "));
        QCOMPARE(cleared.action, Action::None);
        QCOMPARE(cleared.position, std::nullopt); // the number stays
        QCOMPARE(cleared.focus, QStringLiteral("txtEsecutore"));
        QCOMPARE(cleared.message,
                 (Message{MessageKind::Information,
                          QStringLiteral("Inserire i nuovi dati e premere Salva per sovrascrivere la "
                                         "scheda n. 3.")}));
    }

    void arrows_data()
    {
        QTest::addColumn<Move>("move");
        QTest::addColumn<QString>("position");
        QTest::addColumn<qint64>("count");
        QTest::addColumn<qint64>("load");         // 0: nothing loaded
        QTest::addColumn<QString>("newPosition"); // "-": unchanged
        QTest::addColumn<bool>("emptyMessage");

        // An empty archive.
        QTest::newRow("first, empty") << Move::First << "2" << qint64(0) << qint64(0) << "-" << true;
        QTest::newRow("last, empty") << Move::Last << "" << qint64(0) << qint64(0) << "-" << true;
        QTest::newRow("next, empty") << Move::Next << "2" << qint64(0) << qint64(0) << "" << true;
        QTest::newRow("next, empty, new payer") << Move::Next << "" << qint64(0) << qint64(0) << "" << true;
        QTest::newRow("previous, empty, on 1") << Move::Previous << "1" << qint64(0) << qint64(0) << "-" << false;
        QTest::newRow("previous, empty, new payer") << Move::Previous << "" << qint64(0) << qint64(0) << "-" << true;
        QTest::newRow("previous, empty, on 2") << Move::Previous << "2" << qint64(0) << qint64(0) << "-" << true;

        // Five records.
        QTest::newRow("first") << Move::First << "3" << qint64(5) << qint64(1) << "1" << false;
        QTest::newRow("last") << Move::Last << "" << qint64(5) << qint64(5) << "5" << false;
        QTest::newRow("next from a new payer") << Move::Next << "" << qint64(5) << qint64(1) << "1" << false;
        QTest::newRow("next") << Move::Next << "3" << qint64(5) << qint64(4) << "4" << false;
        QTest::newRow("next on the last") << Move::Next << "5" << qint64(5) << qint64(0) << "-" << false;
        QTest::newRow("previous from a new payer") << Move::Previous << "" << qint64(5) << qint64(1) << "1" << false;
        QTest::newRow("previous") << Move::Previous << "3" << qint64(5) << qint64(2) << "2" << false;
        QTest::newRow("previous on 1") << Move::Previous << "1" << qint64(5) << qint64(0) << "-" << false;
    }

    void arrows()
    {
        QFETCH(Move, move);
        QFETCH(QString, position);
        QFETCH(qint64, count);
        QFETCH(qint64, load);
        QFETCH(QString, newPosition);
        QFETCH(bool, emptyMessage);
        const Decision decision = PayerEditor::move(move, position, count);
        QCOMPARE(decision.action, load ? Action::Load : Action::None);
        QCOMPARE(decision.record, load);
        QCOMPARE(decision.position, newPosition == QLatin1String("-") ? std::nullopt : std::optional(newPosition));
        QCOMPARE(decision.message, (emptyMessage ? Message{MessageKind::Information, kEmpty} : Message{}));
    }

    void archiveBytes()
    {
        TestSupport::Folder folder;
        const QString path = PayerRecord::archivePath();
        QCOMPARE(path, folder.file(QStringLiteral("Esecutori.pro")));
        PayerArchive archive(path);

        // A read creates a missing archive empty.
        QCOMPARE(archive.count(), std::optional<qint64>(0));
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFile(path).size(), 0);

        QCOMPARE(archive.append(payer(QStringLiteral("PRIMO"), true)), std::optional<qint64>(1));
        QCOMPARE(archive.append(payer(QStringLiteral("SECONDO"), false)), std::optional<qint64>(2));
        QCOMPARE(archive.append(payer(QStringLiteral(" TERZO "), false)), std::optional<qint64>(3));
        const QByteArray three = TestSupport::readAll(path);
        QCOMPARE(three.size(), 8055);
        QCOMPARE(three.mid(0, PayerRecord::kSize), payerBytes("PRIMO", true));
        QCOMPARE(three.mid(PayerRecord::kSize, PayerRecord::kSize), payerBytes("SECONDO", false));
        QCOMPARE(three.mid(5370, 6), QByteArray("\x05TERZO"));

        // Overwriting record 2 changes its bytes only.
        QVERIFY(archive.overwrite(2, payer(QStringLiteral("NUOVO"), true)));
        const QByteArray after = TestSupport::readAll(path);
        QCOMPARE(after.size(), 8055);
        QCOMPARE(after.left(2685), three.left(2685));
        QCOMPARE(after.mid(2685, 2685), payerBytes("NUOVO", true));
        QCOMPARE(after.mid(5370), three.mid(5370));
        QCOMPARE(archive.read(2)->text("Esecutore"), QStringLiteral("NUOVO"));
        QCOMPARE(archive.read(2)->flag("Ricontatta"), Record::Flag::Yes);

        // A number without a record behind it is refused and writes nothing.
        QVERIFY(!archive.overwrite(4, payer(QStringLiteral("OLTRE"), false)));
        QVERIFY(!archive.read(4));
        QCOMPARE(TestSupport::readAll(path), after);
    }

    void readOnlyArchiveStaysAsItIs()
    {
        TestSupport::Folder folder;
        const QString path = PayerRecord::archivePath();
        QVERIFY(TestSupport::writeAll(path, payerBytes("UNO", false) + payerBytes("DUE", true)));
        const QByteArray before = TestSupport::readAll(path);
        ReadOnly readOnly(path);
        QVERIFY(readOnly.ok());
        PayerArchive archive(path);
        QVERIFY(!archive.append(payer(QStringLiteral("TRE"), false)));
        QVERIFY(!archive.overwrite(1, payer(QStringLiteral("TRE"), false)));
        QVERIFY(!archive.errorString().isEmpty());
        QCOMPARE(TestSupport::readAll(path), before);
    }
};

QTEST_GUILESS_MAIN(TestPayerEditor)
#include "tst_payereditor.moc"
