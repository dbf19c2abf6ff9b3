// The slip editor on the real window: typing rules, exit rules, Enter order, and every archive
// command checked against the bytes of the yearly archive.

#include "TestSupport.h"

#include "help/Guida.h"
#include "data/RecordLayout.h"
#include "checks/Calendario.h"
#include "checks/Voci_Tariffa.h"
#include "lists/DaSaldare.h"
#include "lists/ExpBollettini.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "printing/StampaBol.h"
#include "help/HelpPages.h"
#include "editors/Bollettino.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <algorithm>
#include <initializer_list>
#include <unistd.h>
#include <utility>

using TestSupport::child;
using Kind = MessageBox::Kind;
using namespace TestSupport::Messages;

namespace {

// A slip record with the given fields set; everything else empty.
QByteArray slip(std::initializer_list<std::pair<const char*, QString>> fields)
{
    Record record(SlipRecord::layout());
    for (const auto& [name, value] : fields)
        record.setText(name, value);
    return record.bytes();
}

QByteArray payerSlip(int n)
{
    return slip({{"Importo", QString::number(10 * n)},
                 {"Cents", QStringLiteral("00")},
                 {"Intero", QStringLiteral("%1,00").arg(10 * n)},
                 {"Esecutore", QStringLiteral("PAYER %1").arg(n)},
                 {"DataScade", QStringLiteral("0%1/01/2025").arg(n)},
                 {"Saldato", QStringLiteral("No")},
                 {"File01", QStringLiteral("doc%1.pdf").arg(n)},
                 {"Desc01", QStringLiteral("Document %1").arg(n)}});
}

// While alive, the process acts as an unprivileged user, so that file permissions apply
// even when the tests run as root.
class Unprivileged {
public:
    Unprivileged()
        : m_dropped(geteuid() == 0 && seteuid(65534) == 0)
    {}
    ~Unprivileged()
    {
        if (m_dropped && seteuid(0) != 0)
            qFatal("cannot take back the privileges");
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    bool m_dropped;
};

void type(QWidget* widget, const QString& text)
{
    TestSupport::typeText(widget, text);
}

} // namespace

class TestBollettino : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmBollettino* m_editor = nullptr;

    QLineEdit* edit(const char* name) { return child<QLineEdit>(m_editor, name); }
    QLabel* label(const char* name) { return child<QLabel>(m_editor, name); }
    QString text(const char* name) { return TestSupport::textOf(m_editor, name); }
    QString archive() const { return m_session->file(QStringLiteral("2025.bol")); }
    static QString focused() { return TestSupport::focused(); }
    void click(const char* name) { TestSupport::click(m_editor, name); }
    void focus(const char* name) { TestSupport::focus(m_editor, name); }

    // Shows the editor and opens the year 2025.
    void openYear()
    {
        m_editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        edit("txtAnno")->setText(QStringLiteral("2025"));
        click("btnApri");
        QVERIFY(child<QWidget>(m_editor, "panContainer")->isVisible());
        QCOMPARE(focused(), QStringLiteral("txtImporto"));
    }

    void writeArchive(int records)
    {
        QByteArray bytes;
        for (int n = 1; n <= records; ++n)
            bytes += payerSlip(n);
        QVERIFY(TestSupport::writeAll(archive(), bytes));
    }

    QList<MessageBox::Shown> messages() const { return MessageBox::shown(); }

private slots:
    void init() { QVERIFY(TestSupport::start(m_session, m_editor)); }

    void cleanup() { TestSupport::stop(m_session, m_editor); }

    void openingAYear()
    {
        Clock::setFixed(QDateTime(QDate(2031, 5, 2), QTime(9, 0)));
        m_editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Tassella - Compilazione e stampa bollettini postali"));
        QCOMPARE(text("txtAnno"), QStringLiteral("2031"));

        edit("txtAnno")->setText(QStringLiteral("24"));
        click("btnApri");
        TestSupport::shownOnce(Kind::Warning,
                               QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        QCOMPARE(focused(), QStringLiteral("txtAnno"));
        QVERIFY(!child<QWidget>(m_editor, "panContainer")->isVisible());

        // Enter in the year moves to "Apri", and Enter there opens the year.
        edit("txtAnno")->setText(QStringLiteral("2024"));
        focus("txtAnno");
        QTest::keyClick(edit("txtAnno"), Qt::Key_Return);
        QCOMPARE(focused(), QStringLiteral("btnApri"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(text("lblFile"), m_session->file(QStringLiteral("2024.bol")));
        QVERIFY(m_editor->windowTitle().endsWith(QStringLiteral("anno 2024")));
        QVERIFY(child<QWidget>(m_editor, "panContainer")->isVisible());
        QVERIFY(!child<QWidget>(m_editor, "panAvvio")->isVisible());
        // Opening does not create the archive; the first command that needs it does.
        QVERIFY(!QFile::exists(m_session->file(QStringLiteral("2024.bol"))));
        QCOMPARE(text("txtCents"), QStringLiteral("00"));
        QCOMPARE(text("txtIntero"), QStringLiteral("0,00"));
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QString());
    }

    void amountInWordsFollowsEachKey()
    {
        openYear();
        QLineEdit* amount = edit("txtImporto");
        const QString expected[] = {QStringLiteral("UNO"), QStringLiteral("DODICI"), QStringLiteral("CENTOVENTI")};
        const char keys[] = {'1', '2', '0'};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(amount, keys[i]);
            QCOMPARE(text("txtImpLettere"), expected[i]);
        }
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(amount, Qt::Key_Backspace);
        QCOMPARE(text("txtImpLettere"), QString());

        // Text placed by the program is not spelt again.
        QTest::keyClicks(amount, QStringLiteral("7"));
        amount->setText(QStringLiteral("900"));
        QCOMPARE(text("txtImpLettere"), QStringLiteral("SETTE"));
    }

    void typingRules_data()
    {
        TestSupport::textTable({"field", "typed", "shown"},
                               {
                                   {"amount refuses separators", "txtImporto", "1,5-0 a", "150"},
                                   {"amount stops at 8 digits", "txtImporto", "1234567890", "12345678"},
                                   {"tax code drops outer blanks", "txtCodFisc", " rss mra ", "RSSMRA"},
                                   {"name keeps inner blanks", "txtEsecutore", "rossi mario", "ROSSI MARIO"},
                                   {"accented letters stay", "txtComuneNasc", "forl\u00ec", "FORL\u00ec"},
                                   {"postcode takes letters", "txtCapRes", "ab12", "AB12"},
                                   {"tariff code upper-cased", "txtCodTariffa", "8a", "8A"},
                                   {"sex one letter", "txtSesso", "mf", "M"},
                                   {"day digits only", "txtGG", "a7", "7"},
                                   {"reason keeps case", "txtCausale", "Licenza di caccia", "Licenza di caccia"},
                               });
    }

    void typingRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        openYear();
        QLineEdit* target = edit(field.toLatin1().constData());
        focus(field.toLatin1().constData());
        type(target, typed);
        QCOMPARE(target->text(), shown);
    }

    void centsExitRule_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mirrored");
        QTest::addColumn<QString>("left");
        QTest::newRow("one digit is tens of cents") << "5"
                                                    << "5"
                                                    << "50";
        QTest::newRow("empty is 00") << ""
                                     << ""
                                     << "00";
        QTest::newRow("two digits stay") << "07"
                                         << "07"
                                         << "07";
    }

    void centsExitRule()
    {
        QFETCH(QString, typed);
        QFETCH(QString, mirrored);
        QFETCH(QString, left);
        openYear();
        QLineEdit* cents = edit("txtCents");
        focus("txtCents");
        cents->selectAll();
        QTest::keyClick(cents, Qt::Key_Backspace);
        QTest::keyClicks(cents, typed);
        QCOMPARE(text("txtCentLettere"), mirrored);
        focus("txtCodTariffa");
        QCOMPARE(text("txtCents"), left);
        QCOMPARE(text("txtCentLettere"), left);
    }

    void twoDigitExitRule_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        for (const char* field : {"txtGG", "txtMM", "txtAA", "txtAnnoTariffa"}) {
            QTest::addRow("%s 7", field) << field << "7"
                                         << "07";
            QTest::addRow("%s 45", field) << field << "45"
                                          << "45";
            QTest::addRow("%s empty", field) << field << ""
                                             << "";
        }
    }

    void twoDigitExitRule()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        openYear();
        const QByteArray name = field.toLatin1();
        focus(name.constData());
        QTest::keyClicks(edit(name.constData()), typed);
        focus("txtNote");
        QCOMPARE(text(name.constData()), left);
    }

    void exitRulesWaitUntilTheFieldIsLeft()
    {
        // Switching to another window is not leaving the field: on coming back the user types on
        // (1, then 2, gives 12 cents).
        openYear();
        for (const char* name : {"txtCents", "txtGG"}) {
            QLineEdit* field = edit(name);
            focus(name);
            field->clear();
            QTest::keyClick(field, '1');
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            QCOMPARE(field->text(), QStringLiteral("1"));
            other.close();
            m_editor->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_editor));
            QCOMPARE(focused(), QString::fromLatin1(name));
            field->end(false);
            QTest::keyClick(field, '2');
            QCOMPARE(field->text(), QStringLiteral("12"));
        }
    }

    void enterOrder_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        const char* const order[][2] = {
            {"txtImporto", "txtCents"},
            {"txtCents", "txtImpLettere"},
            {"txtImpLettere", "txtImpLettere"},
            {"txtCentLettere", "txtCentLettere"},
            {"txtCodTariffa", "txtAnnoTariffa"},
            {"txtAnnoTariffa", "txtCodFisc"},
            {"txtCodFisc", "txtEsecutore"},
            {"txtEsecutore", "txtSesso"},
            {"txtSesso", "txtGG"},
            {"txtGG", "txtMM"},
            {"txtMM", "txtAA"},
            {"txtAA", "txtComuneNasc"},
            {"txtComuneNasc", "txtProvNasc"},
            {"txtProvNasc", "txtIndirizzoRes"},
            {"txtIndirizzoRes", "txtProvRes"},
            {"txtProvRes", "txtComuneRes"},
            {"txtComuneRes", "txtCapRes"},
            {"txtCapRes", "txtDataScade"},
            {"txtDataPaga", "txtCausale"},
            {"txtCausale", "txtNote"},
            {"txtNote", "txtImporto"},
        };
        for (const auto& step : order)
            QTest::newRow(step[0]) << step[0] << step[1];
    }

    void enterOrder()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        openYear();
        focus(from.toLatin1().constData());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(focused(), to);
        QVERIFY(!TestSupport::openDialog<TfrmCalendario>());
        // The field reached shows its highlight; the read-only words have none.
        auto* highlight = child<QWidget>(m_editor, qPrintable(QStringLiteral("eff") + to.mid(3)));
        QCOMPARE(highlight && highlight->isVisible(), !to.contains(QLatin1String("Lettere")));
    }

    void tabOrderFollowsTheForm()
    {
        openYear();
        const char* const order[] = {
            "txtImporto", "txtCents", "txtImpLettere", "txtCentLettere", "txtCodTariffa", "txtAnnoTariffa",
            "txtCodFisc", "txtEsecutore", "txtSesso", "txtGG", "txtMM", "txtAA", "txtComuneNasc", "txtProvNasc",
            "txtIndirizzoRes", "txtProvRes", "txtComuneRes", "txtCapRes", "chkRilascio", "chkAnnuale",
            "chkIntegrazione", "txtDataScade", "txtDataPaga", "txtCausale", "txtNote", "chkSaldato",
            // then the commands, down the column and along the navigation row, and round to the amount
            "cmdNuovo", "cmdDuplica", "cmdAllega", "cmdImporta", "cmdSalva", "cmdStampa", "cmdTrova", "cmdDaSaldare",
            "cmdMargini", "cmdPromemoria", "cmdEsporta", "cmdGuida", "cmdEsci", "cmdPrimo", "cmdIndietro", "cmdAvanti",
            "cmdUltimo", "txtImporto"};
        for (size_t i = 0; i + 1 < std::size(order); ++i) {
            focus(order[i]);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), QString::fromLatin1(order[i + 1]));
        }
        QVERIFY(!TestSupport::openDialog<TfrmCalendario>());
    }

    void dueDateKeyRule()
    {
        openYear();
        QLineEdit* due = edit("txtDataScade");
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {
            due->setText(QStringLiteral("01/02/2025"));
            focus("txtDataScade");
            QTest::keyClick(due, key);
            QCOMPARE(due->text(), QString());
            QVERIFY(!TestSupport::openDialog<TfrmCalendario>());
        }
        // Typing never reaches the field: any other key asks the date picker, Enter included.
        for (Qt::Key key : {Qt::Key_A, Qt::Key_1, Qt::Key_Return}) {
            due->setText(QStringLiteral("01/02/2025"));
            focus("txtDataScade");
            QTest::keyClick(due, key);
            auto* picker = TestSupport::openDialog<TfrmCalendario>();
            QVERIFY(picker);
            QCOMPARE(picker->target(), static_cast<DateTarget*>(m_editor));
            QCOMPARE(picker->parentWidget(), m_editor);
            QCOMPARE(due->text(), QStringLiteral("01/02/2025"));
            QPointer<TfrmCalendario> guard(picker);
            child<QPushButton>(picker, "btnAnnulla")->click();
            QTRY_VERIFY(guard.isNull());
        }
    }

    void saveStopsOnABadDueDate_data()
    {
        QTest::addColumn<QString>("dueDate");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing") << ""
                                 << "Attenzione: per salvare la scheda \u00e8 necessario indicare la data di scadenza "
                                    "del versamento.";
        QTest::newRow("31 April") << "31/04/2025"
                                  << "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la scheda "
                                     "\u00e8 necessario indicare una data valida nel formato gg/mm/anno.";
        QTest::newRow("29 February 2025")
            << "29/02/2025"
            << "Attenzione: la data indicata non esiste.\n\r\n\rPer poter salvare la "
               "scheda \u00e8 necessario indicare una data valida nel formato gg/mm/anno.";
    }

    void saveStopsOnABadDueDate()
    {
        QFETCH(QString, dueDate);
        QFETCH(QString, warning);
        openYear();
        edit("txtImporto")->clear();
        edit("txtCents")->clear();
        edit("txtDataScade")->setText(dueDate);
        click("cmdSalva");
        TestSupport::shownOnce(Kind::Warning, warning);
        QCOMPARE(focused(), QStringLiteral("txtDataScade"));
        // The amount was tidied before the check stopped the save.
        QCOMPARE(text("txtImporto"), QStringLiteral("0"));
        QCOMPARE(text("txtCents"), QStringLiteral("00"));
        QCOMPARE(text("txtCentLettere"), QStringLiteral("00"));
        QCOMPARE(text("txtIntero"), QStringLiteral("0,00"));
        QCOMPARE(text("lblPosizione"), QString());
        QVERIFY(!QFile::exists(archive()));
    }

    void savedRecordHasTheArchiveBytes()
    {
        openYear();
        QTest::keyClicks(edit("txtImporto"), QStringLiteral("120"));
        focus("txtCents");
        edit("txtCents")->selectAll();
        QTest::keyClicks(edit("txtCents"), QStringLiteral("5"));
        focus("txtCodTariffa");
        QTest::keyClicks(edit("txtCodTariffa"), QStringLiteral("8a"));
        edit("txtAnnoTariffa")->setText(QStringLiteral("25"));
        edit("txtCodFisc")->setText(QStringLiteral("RSSMRA80A01H501U"));
        edit("txtEsecutore")->setText(QStringLiteral("  ROSSI MARIO  "));
        edit("txtSesso")->setText(QStringLiteral("M"));
        edit("txtGG")->setText(QStringLiteral("01"));
        edit("txtMM")->setText(QStringLiteral("02"));
        edit("txtAA")->setText(QStringLiteral("80"));
        edit("txtComuneNasc")->setText(QStringLiteral("FORL\u00cc"));
        edit("txtProvNasc")->setText(QStringLiteral("FC"));
        edit("txtIndirizzoRes")->setText(QStringLiteral("VIA ROMA 1"));
        edit("txtProvRes")->setText(QStringLiteral("RM"));
        edit("txtComuneRes")->setText(QStringLiteral("ROMA"));
        edit("txtCapRes")->setText(QStringLiteral("00100"));
        edit("txtDataScade")->setText(QStringLiteral("31/01/2025"));
        edit("txtDataPaga")->setText(QStringLiteral("15/01/2025"));
        edit("txtCausale")->setText(QStringLiteral("Licenza \u20ac \u0141"));
        edit("txtNote")->setText(QStringLiteral("Nota"));
        child<QCheckBox>(m_editor, "chkAnnuale")->setChecked(true);
        TestSupport::setAttachment(m_editor, "File02", QStringLiteral("ricevuta.pdf"));
        TestSupport::setAttachment(m_editor, "Desc02", QStringLiteral("Ricevuta"));
        click("cmdSalva");
        TestSupport::shownOnce(Kind::Information, kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

        // The record as the archive format lays it out, byte by byte.
        QByteArray expected(2443, '\0');
        const auto put = [&expected](int offset, const QByteArray& value) {
            expected[offset] = static_cast<char>(value.size());
            expected.replace(offset + 1, value.size(), value);
        };
        put(0, "120");
        put(9, "50");
        put(12, "CENTOVENTI");
        put(263, "50");
        put(266, "120,50");
        put(278, "8A");
        put(283, "25");
        put(286, "RSSMRA80A01H501U");
        put(303, "ROSSI MARIO");
        put(327, "M");
        put(329, "01");
        put(332, "02");
        put(335, "80");
        put(338, "FORL\xcc");
        put(350, "FC");
        put(353, "VIA ROMA 1");
        put(374, "RM");
        put(377, "ROMA");
        put(395, "00100");
        put(401, "31/01/2025");
        put(412, "15/01/2025");
        put(423, "Licenza \x80 ?");
        put(674, "Nota");
        put(925, "No");
        put(928, "No");
        put(931, "S\xec");
        put(934, "No");
        put(1188, "ricevuta.pdf");
        put(1941, "Ricevuta");
        QCOMPARE(TestSupport::readAll(archive()), expected);
    }

    void newSlipSavedTwiceIsAppendedOnce()
    {
        writeArchive(3);
        const QByteArray before = TestSupport::readAll(archive());
        openYear();
        edit("txtEsecutore")->setText(QStringLiteral("BIANCHI"));
        edit("txtDataScade")->setText(QStringLiteral("28/02/2025"));
        click("cmdSalva");
        QCOMPARE(messages().last().text, kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
        QCOMPARE(QFileInfo(archive()).size(), 4 * 2443);

        edit("txtEsecutore")->setText(QStringLiteral("VERDI"));
        click("cmdSalva");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last().kind, Kind::Information);
        QCOMPARE(messages().last().text, kChanged);
        QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
        const QByteArray after = TestSupport::readAll(archive());
        QCOMPARE(after.size(), 4 * 2443);
        QCOMPARE(after.left(3 * 2443), before);
        QCOMPARE(Record(SlipRecord::layout(), after.mid(3 * 2443)).text("Esecutore"), QStringLiteral("VERDI"));
    }

    // Every command runs on its key with the focus in a field, and shows the key in its hint and
    // tooltip; a screen reader names it by its caption. The year panel has only Guida and Esci.
    void commandKeys_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("key");   // as the hint shows it
        QTest::addColumn<QString>("field"); // where the key is pressed
        QTest::addColumn<QString>("name");  // the accessible name
        QTest::addColumn<QString>("effect");
        const char* const rows[][5] = {
            {"cmdNuovo", "Ctrl+N", "txtEsecutore", "Nuovo", "new"},
            {"cmdDuplica", "Ctrl+D", "txtEsecutore", "Duplica", "copy"},
            {"cmdAllega", "Ctrl+L", "txtEsecutore", "Allega file", "TfrmAllegaCartella"},
            {"cmdImporta", "Ctrl+I", "txtEsecutore", "Importa dati", "TfrmTrovaEsecutori"},
            {"cmdSalva", "Ctrl+S", "txtEsecutore", "Salva", "saved"},
            {"cmdStampa", "Ctrl+P", "txtEsecutore", "Stampa", "TfrmStampaBol"},
            {"cmdTrova", "Ctrl+F", "txtEsecutore", "Trova", "TfrmTrovaBollettini"},
            {"cmdDaSaldare", "Ctrl+R", "txtEsecutore", "Da saldare", "TfrmDaSaldare"},
            {"cmdMargini", "Ctrl+T", "txtEsecutore", "Scaduti", "TfrmScadute"},
            {"cmdEsporta", "Ctrl+E", "txtEsecutore", "Esporta archivio", "TfrmExpBollettini"},
            {"cmdGuida", "F1", "txtEsecutore", "Guida", "TfrmGuida"},
            {"cmdEsci", "Ctrl+W", "txtEsecutore", "Esci", "closed"},
            // The arrows from slip 2 of 3; Ctrl+Home and Ctrl+End are not kept by the field.
            {"cmdPrimo", "Ctrl+Home", "txtEsecutore", "Primo", "position 1"},
            {"cmdIndietro", "PgUp", "txtEsecutore", "Indietro", "position 1"},
            {"cmdAvanti", "PgDown", "txtCausale", "Avanti", "position 3"},
            {"cmdUltimo", "Ctrl+End", "txtCausale", "Ultimo", "position 3"},
            {"cmdAvanti", "PgDown", "chkSaldato", "Avanti", "position 3"},
            // The images beside a field run on F4 in that field.
            {"impCodTariffa", "F4", "txtCodTariffa", "Elenco dei codici tariffa", "TfrmVoci_Tariffa"},
            {"btnCodFisc", "F4", "txtCodFisc", "Controlla il codice fiscale", "TfrmCodFisc"},
            {"btnCodFisc", "F4", "txtEsecutore", "Controlla il codice fiscale", "nothing"},
            // The year panel.
            {"imgGuida", "F1", "txtAnno", "Guida", "TfrmGuida"},
            {"imgEsci", "Ctrl+W", "txtAnno", "Esci", "closed"},
            {"cmdSalva", "Ctrl+S", "txtAnno", "Salva", "nothing"},
            {"cmdAvanti", "PgDown", "txtAnno", "Avanti", "nothing"},
        };
        for (const auto& row : rows)
            QTest::addRow("%s %s in %s", row[0], row[1], row[2]) << row[0] << row[1] << row[2] << row[3] << row[4];
    }

    void commandKeys()
    {
        QFETCH(QString, command);
        QFETCH(QString, key);
        QFETCH(QString, field);
        QFETCH(QString, name);
        QFETCH(QString, effect);
        writeArchive(3);
        const QByteArray before = TestSupport::readAll(archive());
        const bool yearPanel = field == QLatin1String("txtAnno");
        if (yearPanel) {
            m_editor->showFrom(nullptr);
            QVERIFY(QTest::qWaitForWindowActive(m_editor));
        } else {
            openYear();
            click("cmdPrimo");
            click("cmdAvanti");
            QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        }
        QWidget* control = child<QWidget>(m_editor, command.toLatin1().constData());
        QVERIFY(control);
        QCOMPARE(control->accessibleName(), name);
        QVERIFY2(control->toolTip().endsWith(QStringLiteral(" (") + key + QLatin1Char(')')),
                 qPrintable(control->toolTip()));
        if (!yearPanel && !command.startsWith(QLatin1String("img"))) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(control, &enter);
            QCOMPARE(text("panInfo"), control->toolTip());
        }

        focus(field.toLatin1().constData());
        MessageBox::clearShown();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));

        QDialog* dialog = TestSupport::openedDialog();
        if (effect.startsWith(QLatin1String("Tfrm"))) {
            QVERIFY(dialog);
            QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), effect);
            return;
        }
        QVERIFY(!dialog);
        if (effect == QLatin1String("nothing")) {
            QVERIFY(messages().isEmpty());
            QCOMPARE(TestSupport::readAll(archive()), before);
            QCOMPARE(text("lblPosizione"), yearPanel ? QString() : QStringLiteral("2"));
        } else if (effect == QLatin1String("closed")) {
            QVERIFY(!m_editor->isVisible());
        } else if (effect == QLatin1String("saved")) {
            TestSupport::shownOnce(Kind::Information, kChanged);
        } else if (effect == QLatin1String("new")) {
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QString());
        } else if (effect == QLatin1String("copy")) {
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 2"));
        } else {
            QVERIFY(effect.startsWith(QLatin1String("position ")));
            QCOMPARE(text("lblPosizione"), effect.mid(9));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER ") + effect.mid(9));
        }
        QVERIFY(effect == QLatin1String("saved") || messages().isEmpty() || effect == QLatin1String("copy"));
    }

    // A change to the slip shown is not lost by what leaves it: each way out asks, and Sì saves it
    // into its record first, No drops it, Annulla stays on it. A slip left unchanged asks nothing.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("answer"); // -1: the slip is left unchanged
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("movedOn");
        for (const char* trigger : {"arrow", "nuovo", "duplica", "esci", "list", "search"}) {
            QTest::addRow("%s, unchanged", trigger) << trigger << -1 << false << true;
            QTest::addRow("%s, S\u00ec", trigger) << trigger << int(MessageBox::Button::Yes) << true << true;
            QTest::addRow("%s, No", trigger) << trigger << int(MessageBox::Button::No) << false << true;
            QTest::addRow("%s, Annulla", trigger) << trigger << int(MessageBox::Button::Cancel) << false << false;
        }
    }

    void unsavedChanges()
    {
        QFETCH(QString, trigger);
        QFETCH(int, answer);
        QFETCH(bool, stored);
        QFETCH(bool, movedOn);
        writeArchive(3);
        const QByteArray before = TestSupport::readAll(archive());
        openYear();
        click("cmdPrimo");
        click("cmdAvanti");
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        const bool changed = answer >= 0;
        focus("txtNote");
        if (changed) {
            type(edit("txtNote"), QStringLiteral("CAMBIO"));
            MessageBox::setNextAnswer(MessageBox::Button(answer));
        }
        MessageBox::clearShown();

        QPointer<QDialog> list;
        if (trigger == QLatin1String("arrow")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        } else if (trigger == QLatin1String("nuovo")) {
            click("cmdNuovo");
        } else if (trigger == QLatin1String("duplica")) {
            click("cmdDuplica");
        } else if (trigger == QLatin1String("esci")) {
            click("cmdEsci");
        } else {
            // A line of a list or of the search, double-clicked: slip 1.
            const bool search = trigger == QLatin1String("search");
            click(search ? "cmdTrova" : "cmdDaSaldare");
            list = TestSupport::openedDialog();
            QVERIFY(list);
            if (search) {
                child<QLineEdit>(list, "txtEsecutore")->setText(QStringLiteral("payer 1"));
                TestSupport::click(list, "btnCerca");
            }
            const QStringList lines = TestSupport::shownLines(list);
            const auto row = std::find_if(lines.begin(), lines.end(),
                                          [](const QString& line) { return line.contains(QLatin1String("PAYER 1")); });
            QVERIFY(row != lines.end());
            MessageBox::clearShown();
            TestSupport::doubleClick(list, int(row - lines.begin()));
        }

        const QList<MessageBox::Shown> shown = messages();
        QCOMPARE(!shown.isEmpty() && shown.first().kind == Kind::Question, changed);
        if (changed)
            QCOMPARE(shown.first().text, kUnsaved);
        const QByteArray after = TestSupport::readAll(archive());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(Record(SlipRecord::layout(), after.mid(2443, 2443)).text("Note"),
                 stored ? QStringLiteral("CAMBIO") : QString());
        if (!stored)
            QCOMPARE(after, before);

        if (!movedOn) {
            QVERIFY(m_editor->isVisible());
            QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 2"));
            QCOMPARE(text("txtNote"), QStringLiteral("CAMBIO"));
            QCOMPARE(!list.isNull() && list->isVisible(),
                     trigger == QLatin1String("list") || trigger == QLatin1String("search"));
            return;
        }
        if (trigger == QLatin1String("arrow")) {
            QCOMPARE(text("lblPosizione"), QStringLiteral("3"));
            QCOMPARE(text("txtNote"), QString());
        } else if (trigger == QLatin1String("nuovo")) {
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QString());
            QCOMPARE(text("txtNote"), QString());
        } else if (trigger == QLatin1String("duplica")) {
            // The copy carries what the form showed, saved into slip 2 or not.
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 2"));
            QCOMPARE(text("txtNote"), changed ? QStringLiteral("CAMBIO") : QString());
            QCOMPARE(shown.last().text, SlipEditor::duplicatedText());
        } else if (trigger == QLatin1String("esci")) {
            QVERIFY(!m_editor->isVisible());
        } else {
            QTRY_VERIFY(!list || !list->isVisible());
            QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 1"));
            QCOMPARE(text("txtNote"), QString());
        }
    }

    // A new slip: empty, it asks nothing; typed, it asks, and Sì appends it before the arrow moves on,
    // while a save that the slip's due date refuses keeps it on screen.
    void unsavedNewSlip()
    {
        writeArchive(2);
        openYear();
        click("cmdNuovo");
        click("cmdAvanti");
        QVERIFY(messages().isEmpty());
        QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

        click("cmdNuovo");
        edit("txtImporto")->setText(QStringLiteral("75"));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("cmdUltimo");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().first().text, kUnsaved);
        QCOMPARE(messages().last().kind, Kind::Warning); // no due date: not saved
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(text("txtImporto"), QStringLiteral("75"));
        QCOMPARE(QFileInfo(archive()).size(), 2 * 2443);

        MessageBox::clearShown();
        edit("txtDataScade")->setText(QStringLiteral("31/01/2025"));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("cmdUltimo");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last().text, kInserted);
        QCOMPARE(QFileInfo(archive()).size(), 3 * 2443);
        QCOMPARE(Record(SlipRecord::layout(), TestSupport::readAll(archive()).mid(2 * 2443)).text("Importo"),
                 QStringLiteral("75"));
        QCOMPARE(text("lblPosizione"), QStringLiteral("3"));

        // Closing the window with a change and Annulla keeps it open; clearing everything typed again
        // leaves nothing to lose.
        MessageBox::clearShown();
        click("cmdNuovo");
        edit("txtNote")->setText(QStringLiteral("x"));
        MessageBox::setNextAnswer(MessageBox::Button::Cancel);
        QVERIFY(!m_editor->close());
        QVERIFY(m_editor->isVisible());
        edit("txtNote")->clear();
        QVERIFY(m_editor->close());
        QCOMPARE(messages().size(), 1);
    }

    void navigationOnAnEmptyArchive_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"})
            QTest::newRow(command) << command;
    }

    void navigationOnAnEmptyArchive()
    {
        QFETCH(QString, command);
        openYear();
        edit("txtEsecutore")->setText(QStringLiteral("TYPED"));
        click(command.toLatin1().constData());
        TestSupport::shownOnce(Kind::Information, kEmpty);
        // The first command that needs the year's archive creates it, empty.
        QVERIFY(QFile::exists(archive()));
        QCOMPARE(QFileInfo(archive()).size(), 0);
        QCOMPARE(text("txtEsecutore"), QStringLiteral("TYPED"));
        QCOMPARE(text("lblPosizione"), QString());
    }

    void navigation_data() { TestSupport::browseRows(3); }

    void navigation()
    {
        QFETCH(QString, from);
        QFETCH(QString, command);
        QFETCH(int, loaded);
        writeArchive(3);
        openYear();
        TestSupport::browse(m_editor, *m_editor->year(), from, command, loaded, QStringLiteral("PAYER %1").arg(loaded));
        if (loaded == 0)
            return;
        QCOMPARE(text("txtImporto"), QString::number(10 * loaded));
        QCOMPARE(text("txtIntero"), QStringLiteral("%1,00").arg(10 * loaded));
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QStringLiteral("doc%1.pdf").arg(loaded));
        QCOMPARE(TestSupport::attachment(m_editor, "Desc01"), QStringLiteral("Document %1").arg(loaded));
    }

    void loadingShowsWhatIsStored()
    {
        // Written by another program: stored words that do not match the amount, blanks around
        // values, and flags that are neither "Sì" nor "No".
        QByteArray record = slip({{"Importo", QStringLiteral("5")},
                                  {"ImpLettere", QStringLiteral("STORED WORDS")},
                                  {"Saldato", QStringLiteral("S\u00ec")},
                                  {"Rilascio", QStringLiteral("No")},
                                  {"DataScade", QStringLiteral("01/01/2025")}});
        record[338] = 3; // " MI" with a leading blank
        record.replace(339, 3, " MI");
        QVERIFY(TestSupport::writeAll(archive(), record));
        openYear();
        child<QCheckBox>(m_editor, "chkRilascio")->setChecked(true);
        child<QCheckBox>(m_editor, "chkAnnuale")->setChecked(true);
        MessageBox::setNextAnswer(MessageBox::Button::No); // the ticked boxes are a change, dropped
        click("cmdPrimo");
        QCOMPARE(text("txtImpLettere"), QStringLiteral("STORED WORDS"));
        QCOMPARE(text("txtComuneNasc"), QStringLiteral("MI"));
        QVERIFY(child<QCheckBox>(m_editor, "chkSaldato")->isChecked());
        QVERIFY(!child<QCheckBox>(m_editor, "chkRilascio")->isChecked());
        QVERIFY(child<QCheckBox>(m_editor, "chkAnnuale")->isChecked());       // empty flag: left as it was
        QVERIFY(!child<QCheckBox>(m_editor, "chkIntegrazione")->isChecked()); // empty flag: left as it was
    }

    void duplicateThenSaveAppendsACopyWithoutAttachments()
    {
        writeArchive(2);
        const QByteArray before = TestSupport::readAll(archive());
        openYear();
        click("cmdDuplica");
        QCOMPARE(messages().last().kind, Kind::Warning);
        QCOMPARE(messages().last().text,
                 QStringLiteral("Attenzione: la duplicazione di una scheda pu\u00f2 avvenire "
                                "soltanto dopo che questa \u00e8 stata inserita in archivio."));

        click("cmdUltimo");
        child<QCheckBox>(m_editor, "chkSaldato")->setChecked(true);
        MessageBox::clearShown();
        // The tick is a change to slip 2: not saved there, it goes into the copy.
        MessageBox::setNextAnswer(MessageBox::Button::No);
        click("cmdDuplica");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().first().kind, Kind::Question);
        QCOMPARE(messages().first().text, kUnsaved);
        QCOMPARE(messages().last().kind, Kind::Information);
        QCOMPARE(
            messages().last().text,
            QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine "
                           "premere Salva per inserire la scheda in archivio."));
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QString());
        QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 2"));
        QVERIFY(child<QCheckBox>(m_editor, "chkSaldato")->isChecked());
        QCOMPARE(focused(), QStringLiteral("txtImporto"));

        click("cmdSalva");
        QCOMPARE(messages().last().text, kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("3"));
        const QByteArray after = TestSupport::readAll(archive());
        QCOMPARE(after.size(), 3 * 2443);
        QCOMPARE(after.left(2 * 2443), before);
        const Record copy(SlipRecord::layout(), after.mid(2 * 2443));
        QCOMPARE(copy.text("Esecutore"), QStringLiteral("PAYER 2"));
        QCOMPARE(copy.text("Intero"), QStringLiteral("20,00"));
        QCOMPARE(copy.text("File01"), QString());
        QCOMPARE(copy.text("Desc01"), QString());
        QCOMPARE(copy.flag("Saldato"), Record::Flag::Yes);
    }

    void archiveThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("kind");
        QTest::newRow("save") << "cmdSalva" << int(Kind::Warning);
        QTest::newRow("first") << "cmdPrimo" << int(Kind::Error);
        QTest::newRow("next") << "cmdAvanti" << int(Kind::Error);
        QTest::newRow("duplicate") << "cmdDuplica" << int(Kind::Error);
    }

    void archiveThatCannotBeWritten()
    {
        QFETCH(QString, command);
        QFETCH(int, kind);
        writeArchive(2);
        const QByteArray before = TestSupport::readAll(archive());
        openYear();
        m_editor->year()->setPosition(1);
        edit("txtEsecutore")->setText(QStringLiteral("TYPED"));
        edit("txtDataScade")->setText(QStringLiteral("31/01/2025"));
        QVERIFY(QFile::setPermissions(m_session->folder(),
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(archive(), QFile::ReadOwner | QFile::ReadOther));
        // Duplica first asks about the typed name, which would go into the copy.
        const bool asks = command == QLatin1String("cmdDuplica");
        if (asks)
            MessageBox::setNextAnswer(MessageBox::Button::No);
        {
            Unprivileged unprivileged;
            click(command.toLatin1().constData());
        }
        QFile::setPermissions(archive(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(m_session->folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (asks) {
            QCOMPARE(messages().size(), 2);
            QCOMPARE(messages().first().text, kUnsaved);
            QCOMPARE(messages().last().kind, Kind(kind));
            QCOMPARE(messages().last().text, kAccess);
        } else {
            TestSupport::shownOnce(Kind(kind), kAccess);
        }
        QCOMPARE(TestSupport::readAll(archive()), before);
        QCOMPARE(text("txtEsecutore"), QStringLiteral("TYPED"));
    }

    void saveBeyondTheEndIsRefused()
    {
        writeArchive(2);
        openYear();
        edit("txtDataScade")->setText(QStringLiteral("31/01/2025"));
        TestSupport::saveBeyondTheEndIsRefused(m_editor, *m_editor->year(), archive(), Kind::Warning);
    }

    // A save interrupted earlier left part of a record at the end: the next save moves those bytes
    // to a side file, appends after the whole records and says once where the bytes went.
    void appendAfterAnIncompleteTailMovesItAside()
    {
        writeArchive(1);
        const QByteArray whole = TestSupport::readAll(archive());
        QVERIFY(TestSupport::writeAll(archive(), whole + QByteArray(100, 'x')));
        Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5)));
        openYear();
        edit("txtDataScade")->setText(QStringLiteral("31/01/2025"));
        click("cmdSalva");
        const QString side = archive() + QStringLiteral(".coda-20261210-143005");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().at(0).text, QStringLiteral("La scheda corrente \u00e8 stata inserita in archivio."));
        QCOMPARE(messages().at(1).kind, Kind::Information);
        QVERIFY(messages().at(1).text.contains(QDir::toNativeSeparators(side)));
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        QCOMPARE(TestSupport::readAll(side), QByteArray(100, 'x'));
        QCOMPARE(TestSupport::readAll(archive()).size(), 2 * SlipRecord::kSize);
        QVERIFY(TestSupport::readAll(archive()).startsWith(whole));

        // Told once: the next save has nothing to mend.
        MessageBox::clearShown();
        click("cmdSalva");
        QCOMPARE(messages().size(), 1);
    }

    void taxCodeCheckRouting_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("eleven digits") << "12345678901"
                                       << "TfrmPartitaIva";
        QTest::newRow("empty") << ""
                               << "TfrmCodFisc";
        QTest::newRow("tax code") << "RSSMRA80A01H501U"
                                  << "TfrmCodFisc";
        QTest::newRow("digits and a letter") << "1234567890A"
                                             << "TfrmCodFisc";
    }

    void taxCodeCheckRouting()
    {
        QFETCH(QString, code);
        QFETCH(QString, dialog);
        openYear();
        edit("txtCodFisc")->setText(code);
        click("btnCodFisc");
        QDialog* opened = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && qobject_cast<QDialog*>(widget))
                opened = qobject_cast<QDialog*>(widget);
        QVERIFY(opened);
        QCOMPARE(QString::fromLatin1(opened->metaObject()->className()), dialog);
        QCOMPARE(opened->parentWidget(), m_editor);
        // Each check shows the code in its own field, once its form has one.
        const char* field = dialog == QLatin1String("TfrmPartitaIva") ? "txtPartitaIva" : "txtCodFisc";
        auto* target = child<QLineEdit>(opened, field);
        QVERIFY(target);
        QCOMPARE(target->text(), code);
    }

    void commandsOpenTheirWindows_data()
    {
        TestSupport::textTable({"command", "dialog"},
                               {
                                   {"payer search", "cmdImporta", "TfrmTrovaEsecutori"},
                                   {"tariff list", "impCodTariffa", "TfrmVoci_Tariffa"},
                                   {"slip search", "cmdTrova", "TfrmTrovaBollettini"},
                                   {"attachments", "cmdAllega", "TfrmAllegaCartella"},
                                   {"unpaid", "cmdDaSaldare", "TfrmDaSaldare"},
                                   {"expired", "cmdMargini", "TfrmScadute"},
                                   {"export", "cmdEsporta", "TfrmExpBollettini"},
                                   {"print", "cmdStampa", "TfrmStampaBol"},
                                   {"help", "cmdGuida", "TfrmGuida"},
                                   {"help image", "imgGuida", "TfrmGuida"},
                               });
    }

    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        if (command == QLatin1String("imgGuida")) {
            m_editor->showFrom(nullptr);
            QVERIFY(QTest::qWaitForWindowActive(m_editor));
        } else {
            openYear();
        }
        QDialog* opened = nullptr;
        TestSupport::commandOpens(m_editor, command.toLatin1().constData(), dialog, &opened);
        QVERIFY(opened);
        // A dialog that hands something back, or reads the year, has this editor as its target.
        if (auto* search = qobject_cast<TfrmTrovaEsecutori*>(opened))
            QCOMPARE(search->target(), static_cast<PayerTarget*>(m_editor));
        else if (auto* tariffs = qobject_cast<TfrmVoci_Tariffa*>(opened))
            QCOMPARE(tariffs->target(), static_cast<TariffTarget*>(m_editor));
        else if (auto* slips = qobject_cast<TfrmTrovaBollettini*>(opened))
            QCOMPARE(slips->target(), static_cast<SlipTarget*>(m_editor));
        else if (auto* attachments = qobject_cast<TfrmAllegaCartella*>(opened))
            QCOMPARE(attachments->target(), static_cast<AttachmentTarget*>(m_editor));
        else if (auto* unpaid = qobject_cast<TfrmDaSaldare*>(opened))
            QCOMPARE(unpaid->target(), static_cast<SlipTarget*>(m_editor));
        else if (auto* expired = qobject_cast<TfrmScadute*>(opened))
            QCOMPARE(expired->target(), static_cast<SlipTarget*>(m_editor));
        else if (auto* exporter = qobject_cast<TfrmExpBollettini*>(opened))
            QCOMPARE(exporter->year().data(), m_editor->year().data());
        else if (auto* print = qobject_cast<TfrmStampaBol*>(opened))
            QCOMPARE(print->source(), static_cast<const SlipSource*>(m_editor));
        if (dialog == QLatin1String("TfrmGuida")) {
            auto* guide = qobject_cast<TfrmGuida*>(opened);
            QVERIFY(guide);
            QCOMPARE(child<QLabel>(guide, "lblTitolo")->text(),
                     QStringLiteral("Compilazione e stampa dei bollettini postali."));
            const QString body = child<QPlainTextEdit>(guide, "txtGuida")->toPlainText();
            const QStringList paragraphs = HelpPages::slipEditorBody().split(QStringLiteral("\r\n\r\n"));
            QCOMPARE(paragraphs.size(), 6);
            const qsizetype words = HelpPages::slipEditorBody()
                                        .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)
                                        .size();
            QVERIFY2(words >= 300 && words <= 400, qPrintable(QString::number(words)));
            QVERIFY(body.contains(QStringLiteral("8003")));
        }
    }

    void attachmentsWindowReceivesTheLabels()
    {
        openYear();
        TestSupport::setAttachment(m_editor, "File01", QStringLiteral(" a.pdf "));
        TestSupport::setAttachment(m_editor, "Desc03", QStringLiteral("Terzo"));
        click("cmdAllega");
        QWidget* attachments = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible() && qstrcmp(widget->metaObject()->className(), "TfrmAllegaCartella") == 0)
                attachments = widget;
        QVERIFY(attachments);
        auto* file = child<QLineEdit>(attachments, "txtFile01");
        auto* description = child<QLineEdit>(attachments, "txtDesc03");
        QVERIFY(file && description);
        QCOMPARE(file->text(), QStringLiteral("a.pdf"));
        QCOMPARE(description->text(), QStringLiteral("Terzo"));
    }

    void hoverHints()
    {
        openYear();
        // The slip panel opens with its ready text, whatever the mouse crossed on the year panel.
        QCOMPARE(text("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(child<QWidget>(m_editor, "cmdMargini"), &enter);
        QCOMPARE(text("panInfo"),
                 QStringLiteral("Visualizza l'elenco dei bollettini scaduti e non ancora saldati. (Ctrl+T)"));
        QApplication::sendEvent(child<QWidget>(m_editor, "chkSaldato"), &enter);
        QCOMPARE(text("panInfo"), QStringLiteral("Annota che il bollettino \u00e8 stato saldato."));

        // With the real mouse: moving about inside a command keeps its hint; the panel behind it
        // empties the text only when the mouse is over the panel itself.
        m_editor->setWindowState(Qt::WindowNoState);
        m_editor->setGeometry(0, 0, 1000, 700); // the whole slip panel inside the test screen
        QTRY_COMPARE(m_editor->windowHandle()->geometry().size(), QSize(1000, 700));
        const auto moveTo = [this](const char* name, QPoint pos) {
            QWidget* widget = child<QWidget>(m_editor, name);
            QTest::mouseMove(m_editor->windowHandle(), widget->mapTo(m_editor, pos));
        };
        const QString saveHint = QStringLiteral("Salva la scheda corrente in archivio. (Ctrl+S)");
        const QString tariffHint = QStringLiteral("Importa i dati dall'elenco dei codici delle voci di tariffa. (F4)");
        const struct {
            const char* name;
            QString hint;
        } hovered[] = {{"cmdSalva", saveHint}, {"impCodTariffa", tariffHint}};
        for (const auto& command : hovered) {
            moveTo("panComandi", QPoint(3, 3));
            QTRY_COMPARE(text("panInfo"), QString());
            for (int step = 2; step <= 20; step += 6) {
                moveTo(command.name, QPoint(step, step));
                QCOMPARE(text("panInfo"), command.hint);
            }
            moveTo("panModulo", QPoint(300, 140));
            QCOMPARE(text("panInfo"), QString());
        }
    }

    void leavingReturnsToTheStartMenu()
    {
        openYear();
        click("cmdEsci");
        QVERIFY(!m_editor->isVisible());
        QVERIFY(Windows::byClass("TfrmAvvio")->isVisible());

        // Shown again, the window starts over on the year panel with a clear slip.
        edit("txtEsecutore")->setText(QStringLiteral("LEFT"));
        m_editor->showFrom(Windows::byClass("TfrmAvvio"));
        QVERIFY(child<QWidget>(m_editor, "panAvvio")->isVisible());
        QVERIFY(!child<QWidget>(m_editor, "panContainer")->isVisible());
        QCOMPARE(text("txtEsecutore"), QString());
    }
};

QTEST_MAIN(TestBollettino)
#include "tst_bollettino.moc"
