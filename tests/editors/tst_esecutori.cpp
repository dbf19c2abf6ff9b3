// The payer editor on the real window: typing rules, Enter and Tab order, the archive commands
// checked against the bytes of the payer archive, and the windows the editor opens.

#include "TestSupport.h"
#include "ReadOnly.h"

#include "app/Avvio.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "checks/Voci_Tariffa.h"
#include "lists/Ricontatta.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "windows/ClickLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <initializer_list>
#include <utility>

using TestSupport::child;
using Kind = MessageBox::Kind;
using namespace TestSupport::Messages;

namespace {

constexpr int kSize = 2685;

// The payer record's fields as the file lays them out: name, offset, capacity.
struct Slot {
    const char* name;
    int offset;
    int capacity;
};
constexpr Slot kSlots[] = {
    {"Esecutore", 0, 23},      {"GG", 24, 2},           {"MM", 27, 2},          {"AA", 30, 2},
    {"ComuneNasc", 33, 11},    {"ProvNasc", 45, 2},     {"Sesso", 48, 1},       {"Recapito", 50, 50},
    {"IndirizzoRes", 101, 20}, {"ProvRes", 122, 2},     {"ComuneRes", 125, 17}, {"CapRes", 143, 5},
    {"Categoria", 149, 50},    {"TelCasa", 200, 30},    {"TelUff", 231, 30},    {"TelCel", 262, 30},
    {"Fax", 293, 30},          {"Email", 324, 50},      {"CodFisc", 375, 16},   {"Carta", 392, 30},
    {"ScadeCarta", 423, 30},   {"PartitaIva", 454, 11}, {"Iban", 466, 27},      {"TipoDoc", 494, 50},
    {"NumDoc", 545, 50},       {"EnteRil", 596, 50},    {"DataRil", 647, 10},   {"DataSca", 658, 10},
    {"CodTariffa", 669, 4},    {"Questioni", 674, 250}, {"Note", 925, 250},     {"Ricontatta", 1176, 2},
    {"File01", 1179, 250},     {"File02", 1430, 250},   {"File03", 1681, 250},  {"Desc01", 1932, 250},
    {"Desc02", 2183, 250},     {"Desc03", 2434, 250},
};

// A payer record built byte by byte: each given field as its length byte and Windows-1252 bytes,
// every other field empty (the flag "No" unless given).
QByteArray payerBytes(std::initializer_list<std::pair<const char*, QByteArray>> fields)
{
    QByteArray bytes(kSize, '\0');
    const auto put = [&bytes](const char* name, const QByteArray& value) {
        for (const Slot& slot : kSlots)
            if (qstrcmp(slot.name, name) == 0) {
                const QByteArray cut = value.left(slot.capacity);
                bytes[slot.offset] = char(cut.size());
                bytes.replace(slot.offset + 1, cut.size(), cut);
                return;
            }
        qFatal("no field %s", name);
    };
    put("Ricontatta", "No");
    for (const auto& [name, value] : fields)
        put(name, value);
    return bytes;
}

QByteArray storedPayer(int n)
{
    return payerBytes({{"Esecutore", "PAYER " + QByteArray::number(n)},
                       {"ProvRes", "RM"},
                       {"Email", "p" + QByteArray::number(n) + "@example.it"},
                       {"Ricontatta", n % 2 ? QByteArray("S\xEC") : QByteArray("No")},
                       {"File01", "doc" + QByteArray::number(n) + ".pdf"},
                       {"Desc01", "Document " + QByteArray::number(n)}});
}

// Types text key by key; QTest::keyClicks takes ASCII only.
void type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

} // namespace

class TestEsecutori : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestSupport::Session> m_session;
    TfrmEsecutori* m_editor = nullptr;

    QLineEdit* edit(const char* name) { return child<QLineEdit>(m_editor, name); }
    QComboBox* combo(const char* name) { return child<QComboBox>(m_editor, name); }
    QLabel* label(const char* name) { return child<QLabel>(m_editor, name); }
    QCheckBox* recontact() { return child<QCheckBox>(m_editor, "chkRicontatta"); }
    QString text(const char* name) { return TestSupport::textOf(m_editor, name); }
    void setText(const char* name, const QString& value)
    {
        if (auto* c = combo(name))
            c->setEditText(value);
        else
            edit(name)->setText(value);
    }
    QString archive() const { return m_session->file(QStringLiteral("Esecutori.pro")); }
    static QString focused() { return TestSupport::focused(); }
    QList<MessageBox::Shown> messages() const { return MessageBox::shown(); }

    void click(const char* name) { TestSupport::click(m_editor, name); }
    void focus(const char* name) { TestSupport::focus(m_editor, name); }

    void showEditor()
    {
        m_editor->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));
    }

    void writeArchive(int records)
    {
        QByteArray bytes;
        for (int n = 1; n <= records; ++n)
            bytes += storedPayer(n);
        QVERIFY(TestSupport::writeAll(archive(), bytes));
    }

private slots:
    void init() { QVERIFY(TestSupport::start(m_session, m_editor)); }

    void cleanup() { TestSupport::stop(m_session, m_editor); }

    void openedFromTheStartMenuOnANewPayer()
    {
        auto* menu = TestSupport::Session::window<TfrmAvvio>();
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        setText("txtEsecutore", QStringLiteral("LEFT OVER"));
        setText("txtProvRes", QStringLiteral("MI"));
        recontact()->setChecked(true);
        m_editor->payerFile()->setPosition(4);
        TestSupport::setAttachment(m_editor, "File02", QStringLiteral("a.pdf"));

        auto* image = child<ClickLabel>(menu, "imgAnagrafica");
        QVERIFY(image);
        QTest::mouseClick(image, Qt::LeftButton, {}, image->rect().center());
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        QVERIFY(!menu->isVisible());
        QCOMPARE(m_editor->windowTitle(), QStringLiteral(" Tassella - Anagrafica Esecutori"));
        QVERIFY(m_editor->windowState() & Qt::WindowMaximized);
        QCOMPARE(m_editor->panel()->size(), QSize(995, 692));
        QCOMPARE(text("panInfo"), QStringLiteral("Pronto per archiviare una nuova scheda..."));
        for (const char* name : TestSupport::kPayerFields)
            QVERIFY2(text(name).isEmpty(), name);
        QVERIFY(!recontact()->isChecked());
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(TestSupport::attachment(m_editor, "File02"), QString());
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));
        QVERIFY(child<QWidget>(m_editor, "effEsecutore")->isVisible());

        // Esci returns to the start menu; the editor is found empty the next time.
        click("cmdEsci");
        QVERIFY(!m_editor->isVisible());
        QVERIFY(menu->isVisible());

        // The close box does the same and does not end the program.
        bool ended = false;
        Windows::setEndProgramHook([&ended] { ended = true; });
        m_editor->showFrom(menu);
        QVERIFY(QTest::qWaitForWindowActive(m_editor));
        m_editor->close();
        QVERIFY(!m_editor->isVisible());
        QVERIFY(menu->isVisible());
        QVERIFY(!ended);
    }

    void labelsAndLimits()
    {
        const struct {
            const char* field;
            const char* label;
            int limit;
        } fields[] = {
            {"txtEsecutore", "Cognome e nome o ragione sociale:", 23},
            {"txtGG", "Data di nascita:", 2},
            {"txtMM", nullptr, 2},
            {"txtAA", nullptr, 2},
            {"txtComuneNasc", "Comune di nascita:", 11},
            {"txtProvNasc", "Prov.", 2},
            {"txtSesso", "Sesso:", 1},
            {"txtRecapito", "Recapito preferenziale:", 50},
            {"txtIndirizzoRes", "Residente in Via / Piazza e numero civico:", 20},
            {"txtProvRes", "Prov.", 2},
            {"txtComuneRes", "Comune di residenza:", 17},
            {"txtCapRes", "CAP:", 5},
            {"txtCategoria", "Categoria di appartenenza:", 50},
            {"txtTelCasa", "Tel. casa:", 30},
            {"txtTelUff", "Tel. ufficio:", 30},
            {"txtTelCel", "Tel. cellulare:", 30},
            {"txtFax", "Fax:", 30},
            {"txtEmail", "E-mail:", 50},
            {"txtCodFisc", "Codice fiscale:", 16},
            {"txtCarta", "Carta di credito n.", 30},
            {"txtScadeCarta", "Scadenza:", 30},
            {"txtPartitaIva", "Partita IVA:", 11},
            {"txtIban", "IBAN:", 27},
            {"txtTipoDoc", "Tipo documento:", 50},
            {"txtNumDoc", "Numero documento:", 50},
            {"txtEnteRil", "Ente di rilascio:", 50},
            {"txtDataRil", "Data rilascio (gg/mm/aaaa):", 10},
            {"txtDataSca", "Data scadenza (gg/mm/aaaa):", 10},
            {"txtCodTariffa", "Codice tariffa:", 4},
            {"txtQuestioni", "Questioni in sospeso:", 250},
            {"txtNote", "Note:", 250},
        };
        QStringList captions;
        for (QLabel* caption : m_editor->findChildren<QLabel*>())
            captions << caption->text();
        for (const auto& field : fields) {
            if (auto* c = combo(field.field))
                QCOMPARE(c->lineEdit()->maxLength(), field.limit);
            else
                QVERIFY2(edit(field.field) && edit(field.field)->maxLength() == field.limit, field.field);
            if (field.label)
                QVERIFY2(captions.contains(QString::fromUtf8(field.label)), field.label);
        }
        QCOMPARE(recontact()->text(), QStringLiteral("Da ricontattare"));
        const char* const commands[][2] = {{"cmdNuovo", "Nuovo"},
                                           {"cmdFile", "Allega file"},
                                           {"cmdSalva", "Salva"},
                                           {"cmdTrova", "Trova"},
                                           {"cmdAnteprima", "Anteprima"},
                                           {"cmdStampa", "Stampa"},
                                           {"cmdPDF", "Crea PDF"},
                                           {"cmdRicontatta", "Da ricontattare"},
                                           {"cmdEsporta", "Esporta archivio"},
                                           {"cmdElimina", "Cancella"},
                                           {"cmdGuida", "Guida"},
                                           {"cmdEsci", "Esci"}};
        int previousY = -1;
        for (const auto& command : commands) {
            auto* button = child<QToolButton>(m_editor, command[0]);
            QVERIFY2(button, command[0]);
            QCOMPARE(button->text(), QString::fromLatin1(command[1]));
            QVERIFY2(button->y() > previousY, command[0]); // top to bottom in this order
            previousY = button->y();
        }
        // Seven digits of a record number fit in the navigation bar.
        QLabel* position = label("lblPosizione");
        QVERIFY(position->fontMetrics().horizontalAdvance(QStringLiteral("9999999"))
                < position->contentsRect().width());
    }

    void typingRules_data()
    {
        TestSupport::textTable(
            {"field", "typed", "shown"},
            {
                {"name in capitals", "txtEsecutore", "rossi mario", "ROSSI MARIO"},
                {"name stops at 23", "txtEsecutore", "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVW"},
                {"accented letters stay", "txtComuneNasc", "forl\u00ec", "FORL\u00ec"},
                {"day is free text", "txtGG", "5a", "5A"},
                {"sex one letter", "txtSesso", "mf", "M"},
                {"contact keeps case", "txtRecapito", "Ufficio di Roma", "Ufficio di Roma"},
                {"province of birth", "txtProvNasc", " na", "NA"},
                {"province of residence", "txtProvRes", "r m", "RM"},
                {"tax code drops blanks", "txtCodFisc", "rss mra ", "RSSMRA"},
                {"iban has no groups", "txtIban", "it60 x05 ", "IT60X05"},
                {"card takes digits", "txtCarta", "4111-1111 abc", "41111111"},
                {"vat number takes 11 digits", "txtPartitaIva", "IT 012345678901", "01234567890"},
                {"tariff code", "txtCodTariffa", "8a", "8A"},
                {"expiry is free text", "txtScadeCarta", "12/29 ok", "12/29 ok"},
            });
    }

    void typingRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        showEditor();
        const QByteArray name = field.toLatin1();
        focus(name.constData());
        type(QApplication::focusWidget(), typed);
        QCOMPARE(text(name.constData()), shown);
    }

    void exitRules_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("province trimmed on leaving") << "txtProvNasc"
                                                     << "rm "
                                                     << "RM";
        QTest::newRow("e-mail trimmed, case kept") << "txtEmail"
                                                   << " Mario.Rossi@Example.it "
                                                   << "Mario.Rossi@Example.it";
        QTest::newRow("name keeps its blanks until saved") << "txtEsecutore"
                                                           << "rossi "
                                                           << "ROSSI ";
    }

    void exitRules()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        showEditor();
        const QByteArray name = field.toLatin1();
        focus(name.constData());
        type(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(focused() != field);
        QCOMPARE(text(name.constData()), left);
    }

    void provinceLists()
    {
        showEditor();
        const QStringList expected =
            QStringLiteral(
                "AG AL AN AO AP AQ AR AT AV BA BG BI BL BN BO BR BS BT BZ CA CB CE CH CI CL CN CO CR CS CT CZ EE EN FC FE FG "
                "FI FM FO FR GE GO GR IM IS KR LC LE LI LO LT LU MB MC MD ME MI MN MO MS MT NA NO NU OG OR OT PA PC PD PE PG "
                "PI PN PO PR PT PU PV PZ RA RC RE RG RI RM RN RO SA SI SO SP SR SS SV TA TE TN TO TP TR TS TV UD VA VB VC VE "
                "VI VR VT VV")
                .split(QLatin1Char(' '));
        QCOMPARE(expected.size(), 112);
        for (const char* name : {"txtProvNasc", "txtProvRes"}) {
            QComboBox* province = combo(name);
            QVERIFY2(province && province->isEditable(), name);
            QStringList items;
            for (int i = 0; i < province->count(); ++i)
                items << province->itemText(i);
            QCOMPARE(items, expected);

            // Entering the field forgets the list's selection but keeps the text.
            province->setCurrentIndex(expected.indexOf(QStringLiteral("TO")));
            focus("txtEsecutore");
            focus(name);
            QCOMPARE(province->currentIndex(), -1);
            QCOMPARE(province->currentText(), QStringLiteral("TO"));
        }
    }

    void enterOrder()
    {
        showEditor();
        for (size_t i = 0; i < std::size(TestSupport::kPayerFields); ++i) {
            const QString from = QString::fromLatin1(TestSupport::kPayerFields[i]);
            const QString to =
                QString::fromLatin1(TestSupport::kPayerFields[(i + 1) % std::size(TestSupport::kPayerFields)]);
            QCOMPARE(focused(), from);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(focused(), to);
            // The field reached shows its highlight, the one left hides it.
            QVERIFY2(child<QWidget>(m_editor, qPrintable(QStringLiteral("eff") + to.mid(3)))->isVisible(),
                     qPrintable(to));
            if (from != to)
                QVERIFY(!child<QWidget>(m_editor, qPrintable(QStringLiteral("eff") + from.mid(3)))->isVisible());
        }
        QVERIFY(messages().isEmpty());
    }

    void tabStopsOnTheRecontactBox()
    {
        showEditor();
        QStringList order;
        for (const char* name : TestSupport::kPayerFields)
            order << QString::fromLatin1(name);
        order.insert(order.indexOf(QStringLiteral("txtNote")), QStringLiteral("chkRicontatta"));
        // Then the commands, down the column and along the navigation bar, and round to the name.
        for (const char* command : {"cmdNuovo", "cmdFile", "cmdSalva", "cmdTrova", "cmdAnteprima", "cmdStampa",
                                    "cmdPDF", "cmdRicontatta", "cmdEsporta", "cmdElimina", "cmdGuida", "cmdEsci",
                                    "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo", "txtEsecutore"})
            order << QString::fromLatin1(command);
        for (qsizetype i = 0; i + 1 < order.size(); ++i) {
            focus(qPrintable(order.at(i)));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(focused(), order.at(i + 1));
        }
    }

    // Every command runs on its key with the focus in a field, and shows the key in its tooltip (the
    // hover hints with their keys are the fixture of hoverHints); a screen reader names it.
    void commandKeys_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("effect");
        const char* const rows[][5] = {
            {"cmdNuovo", "Ctrl+N", "txtEsecutore", "Nuovo", "new"},
            {"cmdFile", "Ctrl+L", "txtEsecutore", "Allega file", "TfrmAllegaCartella"},
            {"cmdSalva", "Ctrl+S", "txtEsecutore", "Salva", "saved"},
            {"cmdTrova", "Ctrl+F", "txtEsecutore", "Trova", "TfrmTrovaEsecutori"},
            {"cmdAnteprima", "Ctrl+Shift+P", "txtEsecutore", "Anteprima", "Report::PreviewWindow"},
            {"cmdStampa", "Ctrl+P", "txtEsecutore", "Stampa", "print dialog"},
            {"cmdPDF", "Ctrl+Shift+E", "txtEsecutore", "Crea PDF", "pdf"},
            {"cmdRicontatta", "Ctrl+R", "txtEsecutore", "Da ricontattare", "TfrmRicontatta"},
            {"cmdEsporta", "Ctrl+E", "txtEsecutore", "Esporta archivio", "TfrmExpEsecutori"},
            {"cmdElimina", "Ctrl+Shift+Del", "txtEsecutore", "Cancella", "cleared"},
            {"cmdGuida", "F1", "txtEsecutore", "Guida", "TfrmGuida"},
            {"cmdEsci", "Ctrl+W", "txtEsecutore", "Esci", "closed"},
            {"cmdPrimo", "Ctrl+Home", "txtEsecutore", "Primo", "position 1"},
            {"cmdIndietro", "PgUp", "txtNote", "Indietro", "position 1"},
            {"cmdAvanti", "PgDown", "txtNote", "Avanti", "position 3"},
            {"cmdUltimo", "Ctrl+End", "txtNote", "Ultimo", "position 3"},
            {"cmdAvanti", "PgDown", "txtProvRes", "Avanti", "position 3"},
            {"cmdUltimo", "Ctrl+End", "chkRicontatta", "Ultimo", "position 3"},
            {"btnEmail", "F4", "txtEmail", "Invia una e-mail", "mail"},
            {"btnCodFisc", "F4", "txtCodFisc", "Controlla il codice fiscale", "TfrmCodFisc"},
            {"btnCarta", "F4", "txtCarta", "Controlla la carta di credito", "TfrmCarta"},
            {"btnPartitaIva", "F4", "txtPartitaIva", "Controlla la partita IVA", "TfrmPartitaIva"},
            {"btnIban", "F4", "txtIban", "Controlla l'IBAN", "TfrmIban"},
            {"impCodTariffa", "F4", "txtCodTariffa", "Elenco dei codici tariffa", "TfrmVoci_Tariffa"},
            {"btnIban", "F4", "txtNote", "Controlla l'IBAN", "nothing"},
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
        showEditor();
        click("cmdPrimo");
        click("cmdAvanti");
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        QWidget* control = child<QWidget>(m_editor, command.toLatin1().constData());
        QVERIFY(control);
        QCOMPARE(control->accessibleName(), name);
        QVERIFY2(control->toolTip().endsWith(QStringLiteral(" (") + key + QLatin1Char(')')),
                 qPrintable(control->toolTip()));

        focus(field.toLatin1().constData());
        MessageBox::clearShown();
        Shell::clearOpened();
        if (effect == QLatin1String("print dialog"))
            PrintDialog::setNextCancel();
        QString modal; // a window shown modally while the key is handled
        QTimer::singleShot(0, this, [&modal] {
            if (QWidget* window = QApplication::activeModalWidget();
                window && window->inherits("Report::PreviewWindow")) {
                modal = QString::fromLatin1(window->metaObject()->className());
                window->close();
            }
        });
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(key));

        if (effect == QLatin1String("Report::PreviewWindow")) {
            QTRY_COMPARE(modal, effect);
            return;
        }
        QDialog* dialog = TestSupport::openedDialog();
        if (effect.startsWith(QLatin1String("Tfrm"))) {
            QVERIFY(dialog);
            QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), effect);
            return;
        }
        QVERIFY(!dialog);
        if (effect == QLatin1String("nothing")) {
            QVERIFY(messages().isEmpty());
            QVERIFY(Shell::opened().isEmpty());
            QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
        } else if (effect == QLatin1String("print dialog")) {
            QVERIFY(!PrintDialog::hasPending());
        } else if (effect == QLatin1String("pdf")) {
            QVERIFY(QFile::exists(m_session->file(QStringLiteral("Esecutore.pdf"))));
            QCOMPARE(messages().size(), 1);
            QCOMPARE(messages().first().kind, Kind::Confirmation);
        } else if (effect == QLatin1String("mail")) {
            QCOMPARE(Shell::opened().size(), 1);
            QVERIFY(Shell::opened().first().startsWith(QLatin1String("mailto:p2@example.it")));
        } else if (effect == QLatin1String("closed")) {
            QVERIFY(!m_editor->isVisible());
        } else if (effect == QLatin1String("saved")) {
            TestSupport::shownOnce(Kind::Information, kChanged);
            QCOMPARE(TestSupport::readAll(archive()), before);
        } else if (effect == QLatin1String("new")) {
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QString());
        } else if (effect == QLatin1String("cleared")) {
            QCOMPARE(messages().first().kind, Kind::Confirmation);
            QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
            QCOMPARE(text("txtEsecutore"), QString());
        } else {
            QVERIFY(effect.startsWith(QLatin1String("position ")));
            QVERIFY(messages().isEmpty());
            QCOMPARE(text("lblPosizione"), effect.mid(9));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER ") + effect.mid(9));
        }
    }

    // A change to the payer shown is not lost by what leaves it: each way out asks, and Sì saves it
    // into its record first, No drops it, Annulla stays on it. A payer left unchanged asks nothing.
    void unsavedChanges_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<int>("answer"); // -1: the payer is left unchanged
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("movedOn");
        for (const char* trigger : {"arrow", "nuovo", "esci", "search", "recontact list"}) {
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
        showEditor();
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

        const bool fromList = trigger == QLatin1String("search") || trigger == QLatin1String("recontact list");
        QPointer<QDialog> list;
        if (trigger == QLatin1String("arrow")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        } else if (trigger == QLatin1String("nuovo")) {
            click("cmdNuovo");
        } else if (trigger == QLatin1String("esci")) {
            click("cmdEsci");
        } else {
            // A line of the search or of the recontact list, double-clicked: payer 1.
            const bool search = trigger == QLatin1String("search");
            click(search ? "cmdTrova" : "cmdRicontatta");
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
        if (changed) {
            QCOMPARE(shown.first().text, kUnsaved);
            QCOMPARE(shown.size(), stored ? 2 : 1); // Sì: the save's own information follows
        } else {
            QVERIFY(shown.isEmpty());
        }
        const QByteArray after = TestSupport::readAll(archive());
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after.mid(kSize + 925, 7),
                 stored ? QByteArray("\x06"
                                     "CAMBIO")
                        : QByteArray(7, '\0'));
        if (!stored)
            QCOMPARE(after, before);

        if (!movedOn) {
            QVERIFY(m_editor->isVisible());
            QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 2"));
            QCOMPARE(text("txtNote"), QStringLiteral("CAMBIO"));
            QCOMPARE(!list.isNull() && list->isVisible(), fromList);
            return;
        }
        if (trigger == QLatin1String("arrow")) {
            QCOMPARE(text("lblPosizione"), QStringLiteral("3"));
            QCOMPARE(text("txtNote"), QString());
        } else if (trigger == QLatin1String("nuovo")) {
            QCOMPARE(text("lblPosizione"), QString());
            QCOMPARE(text("txtEsecutore"), QString());
            QCOMPARE(text("txtNote"), QString());
        } else if (trigger == QLatin1String("esci")) {
            QVERIFY(!m_editor->isVisible());
        } else {
            QTRY_VERIFY(!list || !list->isVisible());
            QCOMPARE(text("lblPosizione"), QStringLiteral("1"));
            QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 1"));
            QCOMPARE(text("txtNote"), QString());
        }
    }

    // A new payer: empty it asks nothing, nor does a payer cleared with "Cancella"; a typed one asks,
    // and Sì with a name the save refuses keeps it on screen.
    void unsavedNewPayer()
    {
        writeArchive(2);
        showEditor();
        click("cmdAvanti");
        QVERIFY(messages().isEmpty());
        QCOMPARE(text("lblPosizione"), QStringLiteral("1"));

        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("cmdElimina"); // the fields emptied, number 1 kept
        MessageBox::clearShown();
        click("cmdAvanti");
        QVERIFY(messages().isEmpty());
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));

        click("cmdNuovo");
        setText("txtTelCasa", QStringLiteral("06 1234"));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("cmdPrimo");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().first().text, kUnsaved);
        QCOMPARE(messages().last().kind, Kind::Warning); // no name: not saved
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(text("txtTelCasa"), QStringLiteral("06 1234"));
        QCOMPARE(QFileInfo(archive()).size(), 2 * kSize);

        // Sì with a name appends the payer; the arrow then moves from it.
        MessageBox::clearShown();
        setText("txtEsecutore", QStringLiteral("NUOVO"));
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        click("cmdIndietro");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last().text, kInserted);
        QCOMPARE(QFileInfo(archive()).size(), 3 * kSize);
        QCOMPARE(text("lblPosizione"), QStringLiteral("2"));
    }

    void saveWithoutANameWritesNothing()
    {
        showEditor();
        setText("txtEsecutore", QStringLiteral("   "));
        setText("txtNote", QStringLiteral("only a note"));
        focus("txtNote");
        click("cmdSalva");
        QCOMPARE(messages().size(), 1);
        QCOMPARE(messages().last().kind, Kind::Warning);
        QCOMPARE(
            messages().last().text,
            QStringLiteral("Attenzione: per salvare la scheda \u00e8 necessario indicare il nome dell'Esecutore."));
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));
        QVERIFY(!QFile::exists(archive())); // not even created
        QCOMPARE(text("lblPosizione"), QString());
    }

    void newPayerAppendedThenOverwritten()
    {
        writeArchive(4);
        const QByteArray before = TestSupport::readAll(archive());
        showEditor();
        click("cmdUltimo");
        QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
        click("cmdNuovo");
        QCOMPARE(text("lblPosizione"), QString());
        QCOMPARE(text("txtEsecutore"), QString());
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QString());
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));

        type(QApplication::focusWidget(), QStringLiteral("verdi luc\u00eca "));
        // Every field, each with blanks around it where the field keeps them, and the hidden slots.
        const std::pair<const char*, QString> typed[] = {
            {"txtGG", QStringLiteral("5")},
            {"txtMM", QStringLiteral("11")},
            {"txtAA", QStringLiteral("80")},
            {"txtComuneNasc", QStringLiteral("NAPOLI")},
            {"txtProvNasc", QStringLiteral("NA")},
            {"txtSesso", QStringLiteral("F")},
            {"txtRecapito", QStringLiteral(" Studio ")},
            {"txtIndirizzoRes", QStringLiteral("VIA ROMA 1")},
            {"txtProvRes", QStringLiteral("RM")},
            {"txtComuneRes", QStringLiteral("ROMA")},
            {"txtCapRes", QStringLiteral("00100")},
            {"txtCategoria", QStringLiteral("Commercianti")},
            {"txtTelCasa", QStringLiteral("06 123")},
            {"txtTelUff", QStringLiteral("06 456")},
            {"txtTelCel", QStringLiteral("333 789")},
            {"txtFax", QStringLiteral("06 999")},
            {"txtEmail", QStringLiteral("lucia@example.it")},
            {"txtCodFisc", QStringLiteral("VRDLCU80S45F839X")},
            {"txtCarta", QStringLiteral("4111111111111111")},
            {"txtScadeCarta", QStringLiteral("12/2029")},
            {"txtPartitaIva", QStringLiteral("01234567890")},
            {"txtIban", QStringLiteral("IT60X0542811101000000123456")},
            {"txtTipoDoc", QStringLiteral("Carta d'identit\u00e0")},
            {"txtNumDoc", QStringLiteral("AX 123")},
            {"txtEnteRil", QStringLiteral("Comune di Roma")},
            {"txtDataRil", QStringLiteral("01/02/2020")},
            {"txtDataSca", QStringLiteral("01/02/2030")},
            {"txtCodTariffa", QStringLiteral("8003")},
            {"txtQuestioni", QStringLiteral("Manca la visura")},
            {"txtNote", QStringLiteral("Cliente dal 2010")},
        };
        for (const auto& [name, value] : typed)
            setText(name, value);
        recontact()->setChecked(true);
        TestSupport::setAttachment(m_editor, "File01", QStringLiteral(" visura.pdf "));
        TestSupport::setAttachment(m_editor, "Desc03", QStringLiteral("Terzo allegato"));

        click("cmdSalva");
        TestSupport::shownOnce(Kind::Information, kInserted);
        QCOMPARE(text("lblPosizione"), QStringLiteral("5"));

        click("cmdSalva");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last().kind, Kind::Information);
        QCOMPARE(messages().last().text, kChanged);
        QCOMPARE(text("lblPosizione"), QStringLiteral("5"));

        const QByteArray expected = payerBytes({
            {"Esecutore",
             "VERDI LUC\xEC"
             "A"},
            {"GG", "5"},
            {"MM", "11"},
            {"AA", "80"},
            {"ComuneNasc", "NAPOLI"},
            {"ProvNasc", "NA"},
            {"Sesso", "F"},
            {"Recapito", "Studio"},
            {"IndirizzoRes", "VIA ROMA 1"},
            {"ProvRes", "RM"},
            {"ComuneRes", "ROMA"},
            {"CapRes", "00100"},
            {"Categoria", "Commercianti"},
            {"TelCasa", "06 123"},
            {"TelUff", "06 456"},
            {"TelCel", "333 789"},
            {"Fax", "06 999"},
            {"Email", "lucia@example.it"},
            {"CodFisc", "VRDLCU80S45F839X"},
            {"Carta", "4111111111111111"},
            {"ScadeCarta", "12/2029"},
            {"PartitaIva", "01234567890"},
            {"Iban", "IT60X0542811101000000123456"},
            {"TipoDoc", "Carta d'identit\xE0"},
            {"NumDoc", "AX 123"},
            {"EnteRil", "Comune di Roma"},
            {"DataRil", "01/02/2020"},
            {"DataSca", "01/02/2030"},
            {"CodTariffa", "8003"},
            {"Questioni", "Manca la visura"},
            {"Note", "Cliente dal 2010"},
            {"Ricontatta", "S\xEC"},
            {"File01", "visura.pdf"},
            {"Desc03", "Terzo allegato"},
        });
        const QByteArray after = TestSupport::readAll(archive());
        QCOMPARE(after.size(), 5 * kSize);
        QCOMPARE(after.left(4 * kSize), before);
        QCOMPARE(after.mid(4 * kSize), expected);

        // Browsing back shows the payer as stored.
        click("cmdNuovo");
        click("cmdUltimo");
        QCOMPARE(text("lblPosizione"), QStringLiteral("5"));
        QCOMPARE(text("txtEsecutore"), QStringLiteral("VERDI LUC\u00ecA"));
        QCOMPARE(text("txtProvNasc"), QStringLiteral("NA"));
        QCOMPARE(text("txtRecapito"), QStringLiteral("Studio"));
        QVERIFY(recontact()->isChecked());
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QStringLiteral("visura.pdf"));
        QCOMPARE(TestSupport::attachment(m_editor, "Desc03"), QStringLiteral("Terzo allegato"));
    }

    void loadingSetsTheRecontactBoxOnlyForYesOrNo_data()
    {
        QTest::addColumn<QByteArray>("flag");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("yes") << QByteArray("S\xEC") << false << true;
        QTest::newRow("no") << QByteArray("No") << true << false;
        QTest::newRow("unknown keeps checked") << QByteArray("??") << true << true;
        QTest::newRow("unknown keeps unchecked") << QByteArray("") << false << false;
    }

    void loadingSetsTheRecontactBoxOnlyForYesOrNo()
    {
        QFETCH(QByteArray, flag);
        QFETCH(bool, before);
        QFETCH(bool, after);
        QVERIFY(TestSupport::writeAll(archive(), payerBytes({{"Esecutore", "ONE"}, {"Ricontatta", flag}})));
        showEditor();
        recontact()->setChecked(before);
        if (before)
            MessageBox::setNextAnswer(MessageBox::Button::No); // the ticked box is a change, dropped
        click("cmdPrimo");
        QCOMPARE(text("txtEsecutore"), QStringLiteral("ONE"));
        QCOMPARE(recontact()->isChecked(), after);
    }

    void arrowsOnAnEmptyArchive_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("told");
        QTest::addColumn<QString>("position");
        QTest::newRow("first") << "cmdPrimo"
                               << "2" << true << "2";
        QTest::newRow("last") << "cmdUltimo"
                              << "" << true << "";
        QTest::newRow("next empties the number") << "cmdAvanti"
                                                 << "2" << true << "";
        QTest::newRow("next on a new payer") << "cmdAvanti"
                                             << "" << true << "";
        QTest::newRow("previous on 1") << "cmdIndietro"
                                       << "1" << false << "1";
        QTest::newRow("previous on 2") << "cmdIndietro"
                                       << "2" << true << "2";
        QTest::newRow("previous on a new payer") << "cmdIndietro"
                                                 << "" << true << "";
    }

    void arrowsOnAnEmptyArchive()
    {
        QFETCH(QString, command);
        QFETCH(QString, from);
        QFETCH(bool, told);
        QFETCH(QString, position);
        showEditor();
        setText("txtEsecutore", QStringLiteral("TYPED"));
        m_editor->payerFile()->setPositionText(from);
        click(command.toLatin1().constData());
        if (told) {
            TestSupport::shownOnce(Kind::Information, kEmpty);
        } else {
            QVERIFY(messages().isEmpty());
        }
        // The arrow created the missing archive, empty.
        QVERIFY(QFile::exists(archive()));
        QCOMPARE(QFileInfo(archive()).size(), 0);
        QCOMPARE(text("txtEsecutore"), QStringLiteral("TYPED"));
        QCOMPARE(text("lblPosizione"), position);
    }

    void arrows_data() { TestSupport::browseRows(5); }

    void arrows()
    {
        QFETCH(QString, from);
        QFETCH(QString, command);
        QFETCH(int, loaded);
        writeArchive(5);
        showEditor();
        TestSupport::browse(m_editor, *m_editor->payerFile(), from, command, loaded,
                            QStringLiteral("PAYER %1").arg(loaded));
        if (loaded == 0)
            return;
        QCOMPARE(text("txtProvRes"), QStringLiteral("RM"));
        QCOMPARE(text("txtEmail"), QStringLiteral("p%1@example.it").arg(loaded));
        QCOMPARE(recontact()->isChecked(), loaded % 2 == 1);
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QStringLiteral("doc%1.pdf").arg(loaded));
        QCOMPARE(TestSupport::attachment(m_editor, "Desc01"), QStringLiteral("Document %1").arg(loaded));
    }

    void clearForOverwrite()
    {
        writeArchive(5);
        const QByteArray before = TestSupport::readAll(archive());
        showEditor();

        // A new payer has nothing to clear.
        setText("txtEsecutore", QStringLiteral("NEW"));
        click("cmdElimina");
        TestSupport::shownOnce(Kind::Warning,
                               QStringLiteral("Attenzione: la cancellazione dei campi di una scheda pu\u00f2 "
                                              "avvenire soltanto dopo che questa \u00e8 stata inserita in "
                                              "archivio."));
        QCOMPARE(text("txtEsecutore"), QStringLiteral("NEW"));

        // On record 3, No changes nothing.
        m_editor->payerFile()->setPosition(2);
        MessageBox::setNextAnswer(MessageBox::Button::No); // the typed name is dropped
        click("cmdAvanti");
        QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 3"));
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::No);
        click("cmdElimina");
        TestSupport::shownOnce(Kind::Confirmation,
                               QStringLiteral("Per ottenere la cancellazione dei dati, \u00e8 necessario "
                                              "sovrascrivere la scheda con nuove informazioni e premere "
                                              "Salva.\r\n\r\nSi vuole sovrascrivere la scheda corrente?"));
        QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 3"));

        // Yes empties the fields and keeps the number.
        MessageBox::clearShown();
        MessageBox::setNextAnswer(MessageBox::Button::Yes);
        focus("txtNote");
        click("cmdElimina");
        QCOMPARE(messages().size(), 2);
        QCOMPARE(messages().last().kind, Kind::Information);
        QCOMPARE(messages().last().text,
                 QStringLiteral("Inserire i nuovi dati e premere Salva per sovrascrivere la scheda n. 3."));
        for (const char* name : TestSupport::kPayerFields)
            QVERIFY2(text(name).isEmpty(), name);
        QVERIFY(!recontact()->isChecked());
        QCOMPARE(TestSupport::attachment(m_editor, "File01"), QString());
        QCOMPARE(TestSupport::attachment(m_editor, "Desc01"), QString());
        QCOMPARE(text("lblPosizione"), QStringLiteral("3"));
        QCOMPARE(focused(), QStringLiteral("txtEsecutore"));

        // Browsing on forgets the cleared fields; the archive never changed.
        MessageBox::clearShown();
        click("cmdAvanti");
        QVERIFY(messages().isEmpty());
        QCOMPARE(text("lblPosizione"), QStringLiteral("4"));
        QCOMPARE(text("txtEsecutore"), QStringLiteral("PAYER 4"));
        QCOMPARE(TestSupport::readAll(archive()), before);
    }

    void saveBeyondTheEndIsRefused()
    {
        writeArchive(2);
        showEditor();
        setText("txtEsecutore", QStringLiteral("SOMEONE"));
        TestSupport::saveBeyondTheEndIsRefused(m_editor, *m_editor->payerFile(), archive(), Kind::Error);
    }

    void archiveThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("position");
        QTest::newRow("append") << "cmdSalva"
                                << "";
        QTest::newRow("overwrite") << "cmdSalva"
                                   << "1";
        QTest::newRow("first") << "cmdPrimo"
                               << "";
        QTest::newRow("next") << "cmdAvanti"
                              << "1";
    }

    void archiveThatCannotBeWritten()
    {
        QFETCH(QString, command);
        QFETCH(QString, position);
        writeArchive(2);
        const QByteArray before = TestSupport::readAll(archive());
        showEditor();
        m_editor->payerFile()->setPositionText(position);
        setText("txtEsecutore", QStringLiteral("TYPED"));
        {
            ReadOnly readOnly(archive());
            QVERIFY(readOnly.ok());
            click(command.toLatin1().constData());
        }
        TestSupport::shownOnce(Kind::Error, kAccess);
        QCOMPARE(TestSupport::readAll(archive()), before);
        QCOMPARE(text("txtEsecutore"), QStringLiteral("TYPED"));
        QCOMPARE(text("lblPosizione"), position);
    }

    void emailOpensTheMailProgram()
    {
        showEditor();
        setText("txtEmail", QStringLiteral(" mario.rossi@example.it "));
        click("btnEmail");
        QCOMPARE(Shell::opened(), QStringList{QStringLiteral("mailto:mario.rossi@example.it")});
        QVERIFY(!TestSupport::openedDialog());
    }

    void commandsOpenTheirWindows_data()
    {
        TestSupport::textTable({"command", "dialog"},
                               {
                                   {"payer search", "cmdTrova", "TfrmTrovaEsecutori"},
                                   {"tariff list", "impCodTariffa", "TfrmVoci_Tariffa"},
                                   {"attachments", "cmdFile", "TfrmAllegaCartella"},
                                   {"recontact list", "cmdRicontatta", "TfrmRicontatta"},
                                   {"export", "cmdEsporta", "TfrmExpEsecutori"},
                                   {"help", "cmdGuida", "TfrmGuida"},
                               });
    }

    void commandsOpenTheirWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        showEditor();
        QDialog* opened = nullptr;
        TestSupport::commandOpens(m_editor, command.toLatin1().constData(), dialog, &opened);
        QVERIFY(opened);
        // A dialog that hands something back has this editor as its target.
        if (auto* search = qobject_cast<TfrmTrovaEsecutori*>(opened))
            QCOMPARE(search->target(), static_cast<PayerTarget*>(m_editor));
        else if (auto* tariffs = qobject_cast<TfrmVoci_Tariffa*>(opened))
            QCOMPARE(tariffs->target(), static_cast<TariffTarget*>(m_editor));
        else if (auto* attachments = qobject_cast<TfrmAllegaCartella*>(opened))
            QCOMPARE(attachments->target(), static_cast<AttachmentTarget*>(m_editor));
        else if (auto* recontact = qobject_cast<TfrmRicontatta*>(opened))
            QCOMPARE(recontact->target(), static_cast<PayerTarget*>(m_editor));
        if (auto* guide = qobject_cast<TfrmGuida*>(opened)) {
            QCOMPARE(child<QLabel>(guide, "lblTitolo")->text(), QStringLiteral("Applicazione Anagrafica Esecutori."));
            const QString body = child<QPlainTextEdit>(guide, "txtGuida")->toPlainText();
            QCOMPARE(HelpPages::payerEditorBody().split(QStringLiteral("\r\n\r\n")).size(), 10);
            QVERIFY(body.contains(QStringLiteral("Da ricontattare")));
            QVERIFY(body.contains(QStringLiteral("Documenti_Allegati")));
        }
    }

    void checksReceiveTheirValue_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("input");
        QTest::newRow("tax code") << "btnCodFisc"
                                  << "txtCodFisc"
                                  << "RSSMRA80A01H501U"
                                  << "TfrmCodFisc"
                                  << "txtCodFisc";
        QTest::newRow("tax code of digits") << "btnCodFisc"
                                            << "txtCodFisc"
                                            << "12345678901"
                                            << "TfrmPartitaIva"
                                            << "txtPartitaIva";
        QTest::newRow("empty tax code") << "btnCodFisc"
                                        << "txtCodFisc"
                                        << ""
                                        << "TfrmCodFisc"
                                        << "txtCodFisc";
        QTest::newRow("vat number") << "btnPartitaIva"
                                    << "txtPartitaIva"
                                    << "01234567890"
                                    << "TfrmPartitaIva"
                                    << "txtPartitaIva";
        QTest::newRow("iban") << "btnIban"
                              << "txtIban"
                              << "IT60X0542811101000000123456"
                              << "TfrmIban"
                              << "txtIban";
        QTest::newRow("card") << "btnCarta"
                              << "txtCarta"
                              << "4111111111111111"
                              << "TfrmCarta"
                              << "txtNumero";
    }

    void checksReceiveTheirValue()
    {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, dialog);
        QFETCH(QString, input);
        showEditor();
        setText(field.toLatin1().constData(), value);
        click(button.toLatin1().constData());
        QDialog* opened = TestSupport::openedDialog();
        QVERIFY(opened);
        QCOMPARE(QString::fromLatin1(opened->metaObject()->className()), dialog);
        QCOMPARE(opened->parentWidget(), m_editor);
        auto* target = child<QLineEdit>(opened, input.toLatin1().constData());
        QVERIFY2(target, qPrintable(input));
        QCOMPARE(target->text(), value);
    }

    void attachmentsWindowReceivesTheSlots()
    {
        showEditor();
        const char* const pairs[][2] = {{"File01", "txtFile01"}, {"Desc01", "txtDesc01"}, {"File02", "txtFile02"},
                                        {"Desc02", "txtDesc02"}, {"File03", "txtFile03"}, {"Desc03", "txtDesc03"}};
        for (const auto& slot : pairs)
            TestSupport::setAttachment(m_editor, slot[0], QStringLiteral(" %1 ").arg(QLatin1String(slot[0])));
        click("cmdFile");
        QDialog* attachments = TestSupport::openedDialog();
        QVERIFY(attachments);
        QCOMPARE(QString::fromLatin1(attachments->metaObject()->className()), QStringLiteral("TfrmAllegaCartella"));
        QCOMPARE(qobject_cast<TfrmAllegaCartella*>(attachments)->target(), static_cast<AttachmentTarget*>(m_editor));
        for (const auto& slot : pairs) {
            auto* field = child<QLineEdit>(attachments, slot[1]);
            QVERIFY2(field, slot[1]);
            QCOMPARE(field->text(), QString::fromLatin1(slot[0]));
        }
    }

    void hoverHints()
    {
        showEditor();
        // The hints as the payer editor's users read them, one "control<TAB>hint" a line.
        const QStringList hints =
            QString::fromUtf8(TestSupport::readAll(TestSupport::fixture(QStringLiteral("payer_hints.tsv"))))
                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(hints.size(), 23);
        for (const QString& hint : hints) {
            const QByteArray name = hint.section(QLatin1Char('\t'), 0, 0).toLatin1();
            QEvent enter(QEvent::Enter);
            QWidget* widget = child<QWidget>(m_editor, name.constData());
            QVERIFY2(widget, name.constData());
            QApplication::sendEvent(widget, &enter);
            QCOMPARE(text("panInfo"), hint.section(QLatin1Char('\t'), 1));
            // A move over a background area empties the status text.
            for (const char* background :
                 {"panAnagrafica", "panImgQuestioni", "panComandi", "panNavigazione", "lblPosizione", "lblScheda"}) {
                QApplication::sendEvent(widget, &enter);
                QWidget* area = child<QWidget>(m_editor, background);
                QVERIFY2(area, background);
                QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), area->mapToGlobal(QPointF(1, 1)), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(area, &move);
                QVERIFY2(text("panInfo").isEmpty(), background);
            }
            // So does a move over the status bar, which lets the mouse through to the panel behind.
            QApplication::sendEvent(widget, &enter);
            QWidget* container = child<QWidget>(m_editor, "panContainer");
            const QPointF overStatus = child<QWidget>(m_editor, "panInfo")->geometry().center();
            QCOMPARE(container->childAt(overStatus.toPoint()), nullptr);
            QMouseEvent move(QEvent::MouseMove, overStatus, container->mapToGlobal(overStatus), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(container, &move);
            QVERIFY(text("panInfo").isEmpty());
        }
    }
};

QTEST_MAIN(TestEsecutori)
#include "tst_esecutori.moc"
