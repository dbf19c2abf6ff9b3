// The behaviours every window shares, on real widgets configured by a table as a window does.

#include "TestSupport.h"

#include "app/Startup.h"
#include "windows/FieldBehaviour.h"
#include "windows/Windows.h"

#include <QComboBox>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
QString doubled(const QString& text)
{
    return text + text;
}

const Behaviour::Field kFields[] = {
    {"txtImporto", Behaviour::Digits | Behaviour::Highlight, 8, "txtCodFisc"},
    {"txtCodFisc", Behaviour::TrimUpper | Behaviour::Highlight, 16, "txtComune"},
    {"txtComune", Behaviour::Upper | Behaviour::Highlight, 0, "cmdSalva"},
    {"txtNote", Behaviour::None, 5, nullptr},
    {"txtCents", Behaviour::Digits, 2, nullptr, {.exit = Behaviour::Exit::Cents, .mirror = "txtCentLettere"}},
    {"txtGG", Behaviour::Digits, 2, nullptr, {.exit = Behaviour::Exit::TwoDigits, .mirror = "lblGiorno,lblCopia"}},
    {"txtParola", Behaviour::None, 0, nullptr, {.mirror = "txtCentLettere", .mirrorText = &doubled}},
    {"txtDataScade", Behaviour::None, 10, nullptr, {.key = Behaviour::Key::Dialog, .tag = "datascade"}},
    {"txtProv", Behaviour::TrimUpper | Behaviour::ClearSelection, 2, nullptr, {.exit = Behaviour::Exit::TrimUpper}},
    {"txtMese",
     Behaviour::ClearSelection,
     0,
     nullptr,
     {.exit = Behaviour::Exit::InList, .key = Behaviour::Key::ListOnly}},
};
const Behaviour::Hint kHints[] = {
    {"cmdSalva", "Salva il bollettino."},
    {"imgLogo", "Apre la guida: è breve."},
};

struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget* panel = new QWidget(window.get());
    QStringList dialogs; // the tags the fields asked a dialog for

    Form()
    {
        panel->setObjectName(QStringLiteral("panContainer"));
        panel->setGeometry(0, 0, 400, 300);
        int y = 10;
        for (const char* name : {"txtImporto", "txtCodFisc", "txtComune", "txtNote", "txtCents", "txtCentLettere",
                                 "txtGG", "txtParola", "txtDataScade"}) {
            auto* edit = new QLineEdit(panel);
            edit->setObjectName(QString::fromLatin1(name));
            edit->setGeometry(20, y, 150, 22);
            y += 26;
        }
        for (const char* name : {"lblGiorno", "lblCopia"}) {
            auto* label = new QLabel(panel);
            label->setObjectName(QString::fromLatin1(name));
        }
        for (const char* name : {"txtProv", "txtMese"}) {
            auto* combo = new QComboBox(panel);
            combo->setObjectName(QString::fromLatin1(name));
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->addItems(QString::fromLatin1(name) == QLatin1String("txtProv")
                                ? QStringList{QStringLiteral("AG"), QStringLiteral("NA")}
                                : QStringList{QStringLiteral("Gennaio"), QStringLiteral("Febbraio")});
            combo->setGeometry(200, y, 120, 22);
            y += 26;
        }
        auto* save = new QPushButton(QStringLiteral("Salva"), panel);
        save->setObjectName(QStringLiteral("cmdSalva"));
        save->setGeometry(200, 10, 80, 30);
        auto* logo = new QLabel(panel);
        logo->setObjectName(QStringLiteral("imgLogo"));
        logo->setGeometry(200, 60, 80, 30);
        auto* info = new QLabel(QStringLiteral("Benvenuti"), panel);
        info->setObjectName(QStringLiteral("panInfo"));
        info->setGeometry(0, 310, 400, 30);
        Behaviour::install(window.get(), kFields, [this](const char* tag) { dialogs << QString::fromLatin1(tag); });
        Behaviour::installHints(window.get(), "panInfo", kHints, {"panContainer"});
        window->resize(400, 340);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class T = QLineEdit> T* get(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};
} // namespace

class TestBehaviour : public QObject {
    Q_OBJECT
private slots:
    void digitFilterLetsOnlyDigitsAndEditingKeysThrough()
    {
        Form form;
        QLineEdit* amount = form.get("txtImporto");
        amount->setFocus();
        QTest::keyClicks(amount, QStringLiteral("1a2, -3.x"));
        QCOMPARE(amount->text(), QStringLiteral("123"));
        QTest::keyClick(amount, Qt::Key_Left);
        QTest::keyClick(amount, Qt::Key_Backspace);
        QCOMPARE(amount->text(), QStringLiteral("13"));
        QTest::keyClick(amount, Qt::Key_Home); // not an allowed key: the cursor stays
        QTest::keyClick(amount, Qt::Key_Delete);
        QCOMPARE(amount->text(), QStringLiteral("1"));
        QTest::keyClicks(amount, QStringLiteral("234567890"));
        QCOMPARE(amount->text(), QStringLiteral("12345678")); // length limit 8

        amount->setText(QStringLiteral("1.200,50")); // the program's own text is not filtered
        QCOMPARE(amount->text(), QStringLiteral("1.200,50"));
    }

    void enterMovesToTheNextControl()
    {
        Form form;
        form.get("txtImporto")->setFocus();
        const char* order[] = {"txtCodFisc", "txtComune", "cmdSalva"};
        QWidget* current = form.get("txtImporto");
        for (const char* next : order) {
            QTest::keyClick(current, Qt::Key_Return);
            current = form.get<QWidget>(next);
            QCOMPARE(QApplication::focusWidget(), current);
        }
        // Reached by Enter, a field's text is selected as by Tab: typing replaces a default such as "00".
        QLineEdit* code = form.get("txtCodFisc");
        code->setText(QStringLiteral("00"));
        QTest::keyClick(form.get("txtImporto"), Qt::Key_Return);
        QTest::keyClicks(code, QStringLiteral("ab"));
        QCOMPARE(code->text(), QStringLiteral("AB"));

        // A field without a next control ignores Enter.
        QLineEdit* note = form.get("txtNote");
        note->setFocus();
        QTest::keyClick(note, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), note);
    }

    void typingRulesUpperCaseOnlyAtoZ()
    {
        Form form;
        QLineEdit* town = form.get("txtComune");
        town->setFocus();
        TestSupport::typeText(town, QString::fromUtf8("forlì x"));
        QCOMPARE(town->text(), QString::fromUtf8("FORLì X"));

        QLineEdit* code = form.get("txtCodFisc");
        code->setFocus();
        QTest::keyClicks(code, QStringLiteral(" rss "));
        QCOMPARE(code->text(), QStringLiteral("RSS"));
        QTest::keyClicks(code, QStringLiteral("mra"));
        QCOMPARE(code->text(), QStringLiteral("RSSMRA"));

        code->setText(QStringLiteral("  abc ")); // set by the program: left as it is
        QCOMPARE(code->text(), QStringLiteral("  abc "));
    }

    void focusHighlightFollowsTheFocus()
    {
        Form form;
        QWidget* effAmount = form.get<QWidget>("effImporto");
        QWidget* effCode = form.get<QWidget>("effCodFisc");
        QVERIFY(effAmount && effCode);
        QVERIFY(!form.get<QWidget>("effNote")); // no highlight asked for
        form.get("txtNote")->setFocus();
        QTRY_VERIFY(!effAmount->isVisible());

        form.get("txtImporto")->setFocus();
        QTRY_VERIFY(effAmount->isVisible());
        QCOMPARE(effAmount->geometry(), form.get("txtImporto")->geometry().adjusted(-4, -4, 4, 4));
        QVERIFY(!effCode->isVisible());

        form.get("txtCodFisc")->setFocus();
        QTRY_VERIFY(effCode->isVisible());
        QVERIFY(!effAmount->isVisible());
    }

    void hoverHintsFillAndEmptyTheStatus()
    {
        Form form;
        auto* info = form.get<QLabel>("panInfo");
        QCOMPARE(info->text(), QStringLiteral("Benvenuti")); // stays until the mouse crosses the background

        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(form.get<QWidget>("cmdSalva"), &enter);
        QCOMPARE(info->text(), QStringLiteral("Salva il bollettino."));
        QApplication::sendEvent(form.get<QWidget>("imgLogo"), &enter);
        QCOMPARE(info->text(), QString::fromUtf8("Apre la guida: è breve."));

        QTest::mouseMove(form.panel, QPoint(350, 200));
        QMouseEvent move(QEvent::MouseMove, QPointF(350, 200), QPointF(350, 200), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(form.panel, &move);
        QCOMPARE(info->text(), QString());
    }

    // Leaving a field runs its exit rule and refreshes its mirrors; the mirror follows every key.
    void exitRulesAndMirrors_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("mirror");
        QTest::addColumn<QString>("mirrored");
        QTest::newRow("cents empty") << "txtCents"
                                     << ""
                                     << "00"
                                     << "txtCentLettere"
                                     << "00";
        QTest::newRow("cents one digit") << "txtCents"
                                         << "5"
                                         << "50"
                                         << "txtCentLettere"
                                         << "50";
        QTest::newRow("cents whole") << "txtCents"
                                     << "07"
                                     << "07"
                                     << "txtCentLettere"
                                     << "07";
        QTest::newRow("day one digit") << "txtGG"
                                       << "7"
                                       << "07"
                                       << "lblGiorno"
                                       << "07";
        QTest::newRow("day to a second mirror") << "txtGG"
                                                << "3"
                                                << "03"
                                                << "lblCopia"
                                                << "03";
        QTest::newRow("mirror text") << "txtParola"
                                     << "ab"
                                     << "ab"
                                     << "txtCentLettere"
                                     << "abab";
        QTest::newRow("blank shows nothing") << "txtParola"
                                             << " "
                                             << " "
                                             << "txtCentLettere"
                                             << "";
    }
    void exitRulesAndMirrors()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        QFETCH(QString, mirror);
        QFETCH(QString, mirrored);
        Form form;
        auto* edit = form.window->findChild<QLineEdit*>(field);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        form.get("txtNote")->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), left);
        QWidget* target = form.window->findChild<QWidget*>(mirror);
        const QString shown = qobject_cast<QLabel*>(target) ? qobject_cast<QLabel*>(target)->text()
                                                            : qobject_cast<QLineEdit*>(target)->text();
        QCOMPARE(shown, mirrored);
    }

    // Another window taking the focus for a while is not leaving the field.
    void exitRuleWaitsForAnotherControl()
    {
        Form form;
        QLineEdit* cents = form.get("txtCents");
        cents->setFocus();
        QTest::keyClicks(cents, QStringLiteral("5"));
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(cents, &out);
        QCOMPARE(cents->text(), QStringLiteral("5"));
    }

    void dialogKeyRule()
    {
        Form form;
        QLineEdit* due = form.get("txtDataScade");
        due->setText(QStringLiteral("01/02/2024"));
        due->setFocus();
        QTest::keyClick(due, Qt::Key_Tab); // moving on is no request
        QVERIFY(form.dialogs.isEmpty());
        due->setFocus();
        QTest::keyClick(due, Qt::Key_A);
        QTest::keyClick(due, Qt::Key_Return);
        QCOMPARE(form.dialogs, (QStringList{"datascade", "datascade"}));
        QCOMPARE(due->text(), QStringLiteral("01/02/2024")); // nothing typed
        QTest::keyClick(due, Qt::Key_Backspace);
        QCOMPARE(due->text(), QString());
        QCOMPARE(form.dialogs.size(), 2);
    }

    void comboFields()
    {
        Form form;
        auto* province = form.get<QComboBox>("txtProv");
        province->setCurrentIndex(1);
        form.get("txtNote")->setFocus();
        province->setFocus(Qt::TabFocusReason);
        QCOMPARE(province->currentIndex(), -1);                  // the list forgets its choice
        QCOMPARE(province->currentText(), QStringLiteral("NA")); // the text stays
        province->lineEdit()->clear();
        QTest::keyClicks(province->lineEdit(), QStringLiteral(" nap"));
        QCOMPARE(province->currentText(), QStringLiteral("NA"));
        form.get("txtNote")->setFocus(Qt::TabFocusReason);
        QCOMPARE(province->currentText(), QStringLiteral("NA"));

        auto* month = form.get<QComboBox>("txtMese");
        month->setEditText(QString());
        month->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(month->lineEdit(), QStringLiteral("Gen"));
        QCOMPARE(month->currentText(), QString()); // nothing can be typed
        month->setCurrentIndex(1);
        QCOMPARE(month->currentText(), QStringLiteral("Febbraio"));
        QTest::keyClick(month->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(month->currentText(), QString());
        month->setEditText(QStringLiteral("Marzolino"));
        form.get("txtNote")->setFocus(Qt::TabFocusReason);
        QCOMPARE(month->currentText(), QString()); // not in the list: emptied on leaving
    }

    // Text put in by the program shows its beginning; a full field clicked into selects its text.
    void programTextAndFullFields()
    {
        Form form;
        QLineEdit* town = form.get("txtComune");
        town->setText(QStringLiteral("TASSA CONCESSIONE GOVERNATIVA MOLTO LUNGA DA NON ENTRARE"));
        QCOMPARE(town->cursorPosition(), 0);

        QLineEdit* cents = form.get("txtCents");
        cents->setText(QStringLiteral("00"));
        QTest::mouseClick(cents, Qt::LeftButton, {}, QPoint(cents->width() - 5, cents->height() / 2));
        QTRY_COMPARE(cents->selectedText(), QStringLiteral("00"));
        QTest::keyClicks(cents, QStringLiteral("50"));
        QCOMPARE(cents->text(), QStringLiteral("50"));

        // A field that is not full keeps the click's cursor.
        QLineEdit* amount = form.get("txtImporto");
        amount->setText(QStringLiteral("12"));
        QTest::mouseClick(amount, Qt::LeftButton, {}, QPoint(amount->width() - 5, amount->height() / 2));
        QTest::qWait(10);
        QCOMPARE(amount->selectedText(), QString());
    }

    // Every window's tables name controls its form has; a wrong name is reported.
    void everyWindowsTablesMatchItsForm()
    {
        Behaviour::clearProblems();
        {
            TestSupport::Session session;
            QVERIFY(!Windows::all().isEmpty());
        }
        QCOMPARE(Behaviour::problems(), QStringList());

        QWidget window;
        new QLineEdit(&window);
        const Behaviour::Field wrong[] = {{"txtMancante", Behaviour::None, 0, nullptr}};
        const Behaviour::Hint hints[] = {{"cmdMancante", "x"}};
        Behaviour::install(&window, wrong);
        Behaviour::installHints(&window, "panInfo", hints, {"panMancante"});
        QCOMPARE(Behaviour::problems().size(), 4);
        QVERIFY(Behaviour::problems().first().contains(QStringLiteral("txtMancante")));
        Behaviour::clearProblems();
    }
};

QTEST_MAIN(TestBehaviour)
#include "tst_behaviour.moc"
