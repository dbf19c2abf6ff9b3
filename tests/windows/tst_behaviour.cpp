// The behaviours every window shares, on real widgets configured by a table as a window does.

#include "TestSupport.h"

#include "app/Startup.h"
#include "windows/ClickLabel.h"
#include "windows/FieldBehaviour.h"
#include "windows/Look.h"
#include "windows/Windows.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <utility>

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
    // The digit rule is about characters: keys that type none move and select as in any field.
    void digitFilterRefusesOnlyOtherCharacters()
    {
        Form form;
        QLineEdit* amount = form.get("txtImporto");
        amount->setFocus();
        QTest::keyClicks(amount, QStringLiteral("1a2, -3.x"));
        QCOMPARE(amount->text(), QStringLiteral("123"));
        QTest::keyClick(amount, Qt::Key_Comma, Qt::KeypadModifier);
        QTest::keyClick(amount, Qt::Key_Plus, Qt::ShiftModifier);
        QTest::keyClick(amount, Qt::Key_4, Qt::KeypadModifier);
        QCOMPARE(amount->text(), QStringLiteral("1234"));
        QTest::keyClick(amount, Qt::Key_Left);
        QTest::keyClick(amount, Qt::Key_Backspace);
        QCOMPARE(amount->text(), QStringLiteral("124"));
        QTest::keyClick(amount, Qt::Key_Home);
        QCOMPARE(amount->cursorPosition(), 0);
        QTest::keyClick(amount, Qt::Key_Delete);
        QCOMPARE(amount->text(), QStringLiteral("24"));
        QTest::keyClick(amount, Qt::Key_End);
        QCOMPARE(amount->cursorPosition(), 2);
        QTest::keyClick(amount, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(amount->selectedText(), QStringLiteral("4"));
        QTest::keyClick(amount, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(amount->selectedText(), QStringLiteral("24"));
        QTest::keyClick(amount, Qt::Key_Right);
        QTest::keyClick(amount, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(amount->selectedText(), QStringLiteral("24"));
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(amount, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("24"));
        QTest::keyClick(amount, Qt::Key_End);
        QTest::keyClicks(amount, QStringLiteral("34567890"));
        QCOMPARE(amount->text(), QStringLiteral("24345678")); // length limit 8

        amount->setText(QStringLiteral("1.200,50")); // the program's own text is not filtered
        QCOMPARE(amount->text(), QStringLiteral("1.200,50"));
        // ... and stays editable: Backspace works, a digit goes in, a separator does not.
        amount->setCursorPosition(8);
        QTest::keyClick(amount, Qt::Key_Backspace);
        QTest::keyClicks(amount, QStringLiteral(",9"));
        QCOMPARE(amount->text(), QStringLiteral("1.200,59"));
    }

    // A paste into a digit field is taken when it is made of digits (blanks at its ends aside) and
    // refused whole otherwise, by every way of pasting.
    void digitFieldPastes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("result"); // into "12" with the cursor after the 1
        const char* const ways[] = {"Ctrl+V", "Shift+Insert", "context menu", "drop"};
        for (const char* how : ways) {
            const auto row = [how](const char* what) { return QByteArray(QByteArray(how) + ": " + what); };
            QTest::newRow(row("digits").constData()) << how << "345"
                                                     << "13452";
            QTest::newRow(row("blanks and a line end around").constData()) << how << " 345\n"
                                                                           << "13452";
            QTest::newRow(row("an amount with separators").constData()) << how << "1.200,50"
                                                                        << "12";
            QTest::newRow(row("a letter").constData()) << how << "34a"
                                                       << "12";
            QTest::newRow(row("a sign").constData()) << how << "-3"
                                                     << "12";
            QTest::newRow(row("blanks only").constData()) << how << "  "
                                                          << "12";
        }
    }
    void digitFieldPastes()
    {
        QFETCH(QString, how);
        QFETCH(QString, pasted);
        QFETCH(QString, result);
        Form form;
        QLineEdit* amount = form.get("txtImporto");
        amount->setFocus();
        QTest::keyClicks(amount, QStringLiteral("12"));
        amount->setCursorPosition(1);
        if (how == QLatin1String("drop")) {
            QMimeData data;
            data.setText(pasted);
            QPoint at(0, amount->height() / 2); // a point that drops after the 1
            while (at.x() < amount->width() && amount->cursorPositionAt(at) != 1)
                at.rx()++;
            QCOMPARE(amount->cursorPositionAt(at), 1);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(amount, &enter);
            QCOMPARE(enter.isAccepted(), result != QLatin1String("12"));
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(amount, &drop);
        } else if (how == QLatin1String("context menu")) {
            QGuiApplication::clipboard()->setText(pasted);
            QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), amount->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(amount, &request);
            QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QAction* paste = nullptr;
            for (QAction* action : menu->actions())
                if (action->text().startsWith(QCoreApplication::translate("QLineEdit", "&Paste")))
                    paste = action;
            QVERIFY(paste);
            QCOMPARE(paste->isEnabled(), true);
            paste->trigger();
            menu->close();
        } else {
            QGuiApplication::clipboard()->setText(pasted);
            const QKeySequence keys(how);
            QTest::keyClick(amount, keys[0].key(), keys[0].keyboardModifiers());
        }
        QCOMPARE(amount->text(), result);
    }

    // Text dropped into a field reaches its mirrors at once, as typed text does.
    void droppedDigitsReachTheMirrors()
    {
        Form form;
        QLineEdit* day = form.get("txtGG");
        QMimeData data;
        data.setText(QStringLiteral("7"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(day, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(day, &drop);
        QCOMPARE(day->text(), QStringLiteral("7"));
        QCOMPARE(form.get<QLabel>("lblGiorno")->text(), QStringLiteral("7"));
    }

    // A field the program filled selects its text when entered other than by a mouse click, or at
    // once when it has the focus, so typing replaces it instead of going in front of it.
    void programTextIsSelectedWhenEntered_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("typedBefore"); // the user's own text instead of the program's
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("program focus") << int(Qt::OtherFocusReason) << false << "170"
                                       << "170";
        QTest::newRow("window activated again") << int(Qt::ActiveWindowFocusReason) << false << "170"
                                                << "170";
        QTest::newRow("Tab") << int(Qt::TabFocusReason) << false << "170"
                             << "170";
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << false << "170"
                                   << "170";
        QTest::newRow("mouse click: the cursor stays") << int(Qt::MouseFocusReason) << false << "9"
                                                       << "9168";
        QTest::newRow("typed by the user: kept") << int(Qt::OtherFocusReason) << true << "9"
                                                 << "9168";
    }
    void programTextIsSelectedWhenEntered()
    {
        QFETCH(int, reason);
        QFETCH(bool, typedBefore);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        Form form;
        QLineEdit* amount = form.get("txtImporto");
        form.get("txtNote")->setFocus();
        if (typedBefore) {
            amount->setFocus();
            QTest::keyClicks(amount, QStringLiteral("168"));
            form.get("txtNote")->setFocus();
        } else {
            amount->setText(QStringLiteral("168"));
        }
        amount->setCursorPosition(0);
        amount->setFocus(Qt::FocusReason(reason));
        QTest::keyClicks(amount, typed);
        QCOMPARE(amount->text(), result);

        // Filled while it has the focus: selected at once.
        amount->setText(QStringLiteral("42"));
        QCOMPARE(amount->selectedText(), QStringLiteral("42"));
        QTest::keyClicks(amount, QStringLiteral("5"));
        QCOMPARE(amount->text(), QStringLiteral("5"));
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

    // Typing into a field puts away a command's hint left in the status, but not the window's own
    // status text.
    void typingPutsAwayACommandsHint()
    {
        Form form;
        auto* info = form.get<QLabel>("panInfo");
        auto* note = form.get("txtNote");
        TestSupport::focus(form.window.get(), "txtNote");
        QTest::keyClick(note, Qt::Key_A);
        QCOMPARE(info->text(), QStringLiteral("Benvenuti"));
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(form.get<QWidget>("cmdSalva"), &enter);
        QCOMPARE(info->text(), QStringLiteral("Salva il bollettino."));
        QTest::keyClick(note, Qt::Key_B);
        QCOMPARE(info->text(), QString());
        QCOMPARE(note->text(), QStringLiteral("ab"));
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

    // A field whose value comes from its list: typing and pasting refused, Up and Down choose, the
    // list opens with Space, F4 and Alt+Down, and the cursor keys work.
    void listOnlyKeys()
    {
        Form form;
        auto* month = form.get<QComboBox>("txtMese");
        month->setCurrentIndex(-1);
        month->clearEditText();
        month->setFocus(Qt::TabFocusReason);
        QLineEdit* line = month->lineEdit();
        QTest::keyClick(line, Qt::Key_Down);
        QCOMPARE(month->currentText(), QStringLiteral("Gennaio"));
        QTest::keyClick(line, Qt::Key_Down);
        QTest::keyClick(line, Qt::Key_Down); // the last stays
        QCOMPARE(month->currentText(), QStringLiteral("Febbraio"));
        QTest::keyClick(line, Qt::Key_Up);
        QCOMPARE(month->currentText(), QStringLiteral("Gennaio"));
        // Up and Down start from the value shown, though the list forgot its choice on entering.
        form.get("txtNote")->setFocus(Qt::TabFocusReason);
        month->setFocus(Qt::TabFocusReason);
        QCOMPARE(month->currentIndex(), -1);
        QTest::keyClick(line, Qt::Key_Down);
        QCOMPARE(month->currentText(), QStringLiteral("Febbraio"));

        QTest::keyClick(line, Qt::Key_End);
        QCOMPARE(line->cursorPosition(), 8);
        QTest::keyClick(line, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(line->selectedText(), QStringLiteral("Febbraio"));
        QTest::keyClick(line, Qt::Key_End);
        QTest::keyClicks(line, QStringLiteral("x1,"));
        QGuiApplication::clipboard()->setText(QStringLiteral("Gen"));
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(month->currentText(), QStringLiteral("Febbraio"));

        const std::pair<Qt::Key, Qt::KeyboardModifiers> openers[] = {
            {Qt::Key_F4, Qt::NoModifier}, {Qt::Key_Down, Qt::AltModifier}, {Qt::Key_Space, Qt::NoModifier}};
        for (const auto& [key, modifiers] : openers) {
            QTRY_VERIFY(!month->view()->isVisible());
            QTest::keyClick(line, key, modifiers);
            QTRY_VERIFY(month->view()->isVisible());
            month->hidePopup();
        }
        QCOMPARE(month->currentText(), QStringLiteral("Febbraio"));
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

    // Enter on a focused button presses it, as Space does, in the workspaces and in the dialogs;
    // a picture or caption made a command does the same, and draws its focus frame.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("key");
        for (bool dialog : {false, true})
            for (const char* kind : {"push button", "tool button", "check box", "command label"})
                for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)})
                    QTest::newRow(qPrintable(QStringLiteral("%1, %2, %3")
                                                 .arg(QLatin1String(dialog ? "dialog" : "workspace"),
                                                      QLatin1String(kind), QKeySequence(key).toString())))
                        << dialog << QString::fromLatin1(kind) << key;
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(bool, dialog);
        QFETCH(QString, kind);
        QFETCH(int, key);
        std::unique_ptr<QWidget> window;
        if (dialog)
            window = std::make_unique<Dialog>(nullptr);
        else
            window = std::make_unique<Workspace>();
        QWidget* parent = dialog ? window.get() : static_cast<Workspace*>(window.get())->panel();
        auto* field = new QLineEdit(parent);
        field->setObjectName(QStringLiteral("txtCampo"));
        QWidget* control = nullptr;
        int clicks = 0;
        if (kind == QLatin1String("command label")) {
            auto* label = new ClickLabel(parent);
            label->setObjectName(QStringLiteral("imgComando"));
            label->setText(QStringLiteral("Comando"));
            const Behaviour::Command commands[] = {{"imgComando"}};
            Behaviour::installCommands(window.get(), commands);
            QCOMPARE(label->accessibleName(), QStringLiteral("Comando"));
            QObject::connect(label, &ClickLabel::clicked, [&clicks] { ++clicks; });
            control = label;
        } else {
            QAbstractButton* button = nullptr;
            if (kind == QLatin1String("push button")) {
                auto* push = new QPushButton(QStringLiteral("Trova"), parent);
                push->setAutoDefault(false); // as the list windows' buttons
                button = push;
            } else if (kind == QLatin1String("tool button")) {
                button = new QToolButton(parent);
            } else {
                button = new QCheckBox(QStringLiteral("Saldato"), parent);
            }
            button->setFocusPolicy(Qt::StrongFocus);
            QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
            control = button;
        }
        control->setGeometry(10, 40, 120, 30);
        field->setGeometry(10, 5, 120, 25);
        window->resize(200, 100);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());
        QTest::keyClick(control, Qt::Key(key));
        QCOMPARE(clicks, 1);
        if (auto* box = qobject_cast<QCheckBox*>(control))
            QVERIFY(box->isChecked());
        // Enter in a field is no press of anything.
        field->setFocus();
        QTest::keyClick(field, Qt::Key(key));
        QCOMPARE(clicks, 1);
        QVERIFY(window->isVisible());
    }

    void commandLabelsShowTheirFocus()
    {
        QWidget window;
        auto* label = new ClickLabel(&window);
        label->setObjectName(QStringLiteral("imgGuida"));
        label->setGeometry(10, 10, 60, 40);
        auto* other = new QLineEdit(&window);
        other->setGeometry(10, 60, 60, 20);
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Without a table entry it is the mouse's alone: Tab passes it by and Enter does nothing.
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        int clicks = 0;
        QObject::connect(label, &ClickLabel::clicked, [&clicks] { ++clicks; });
        QTest::keyClick(label, Qt::Key_Return);
        QCOMPARE(clicks, 0);

        const Behaviour::Command commands[] = {{"imgGuida", "Guida"}};
        Behaviour::installCommands(&window, commands);
        QCOMPARE(label->accessibleName(), QStringLiteral("Guida"));
        QVERIFY(label->focusPolicy() & Qt::TabFocus);
        other->setFocus();
        QTest::keyClick(other, Qt::Key_Tab);
        QTRY_VERIFY(label->hasFocus());
        const QImage focused = label->grab().toImage();
        QCOMPARE(focused.pixelColor(1, 20), Look::focusColour());
        QCOMPARE(focused.pixelColor(30, 1), Look::focusColour());
        other->setFocus();
        QTRY_VERIFY(!label->hasFocus());
        QVERIFY(label->grab().toImage().pixelColor(1, 20) != Look::focusColour());

        // A command without a caption and without a name in the table is reported.
        Behaviour::clearProblems();
        auto* unnamed = new ClickLabel(&window);
        unnamed->setObjectName(QStringLiteral("imgMuta"));
        const Behaviour::Command mute[] = {{"imgMuta"}, {"imgMancante", "X"}};
        Behaviour::installCommands(&window, mute);
        QCOMPARE(Behaviour::problems().size(), 2);
        Behaviour::clearProblems();
    }

    // Escape closes a dialog, unless a drop-down list is open: then it closes the list only.
    void escapeClosesADialog()
    {
        QPointer<Dialog> dialog = new Dialog(nullptr);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        auto* combo = new QComboBox(dialog);
        combo->addItems({QStringLiteral("01"), QStringLiteral("02")});
        dialog->resize(200, 100);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        combo->setFocus();
        combo->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(dialog, Qt::Key_Escape); // as if the key reached the dialog itself
        QVERIFY(dialog->isVisible());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(dialog->isVisible());
        QTest::keyClick(combo, Qt::Key_Escape);
        QTRY_VERIFY(dialog.isNull());
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
