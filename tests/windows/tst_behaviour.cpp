// The behaviours every window shares, on real widgets configured by a table as a window does.

#include "TestSupport.h"

#include "windows/FieldBehaviour.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
const Behaviour::Field kFields[] = {
    {"txtImporto", Behaviour::Digits | Behaviour::Highlight, 8, "txtCodFisc"},
    {"txtCodFisc", Behaviour::TrimUpper | Behaviour::Highlight, 16, "txtComune"},
    {"txtComune", Behaviour::Upper | Behaviour::Highlight, 0, "cmdSalva"},
    {"txtNote", Behaviour::None, 5, nullptr},
};
const Behaviour::Hint kHints[] = {
    {"cmdSalva", "Salva il bollettino."},
    {"imgLogo", "Apre la guida: è breve."},
};

struct Form {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QWidget* panel = new QWidget(window.get());

    Form()
    {
        panel->setObjectName(QStringLiteral("panContainer"));
        panel->setGeometry(0, 0, 400, 300);
        int y = 10;
        for (const char* name : {"txtImporto", "txtCodFisc", "txtComune", "txtNote"}) {
            auto* edit = new QLineEdit(panel);
            edit->setObjectName(QString::fromLatin1(name));
            edit->setGeometry(20, y, 150, 22);
            y += 40;
        }
        auto* save = new QPushButton(QStringLiteral("Salva"), panel);
        save->setObjectName(QStringLiteral("cmdSalva"));
        save->setGeometry(200, 10, 80, 30);
        auto* logo = new QLabel(panel);
        logo->setObjectName(QStringLiteral("imgLogo"));
        logo->setGeometry(200, 60, 80, 30);
        auto* info = new QLabel(QStringLiteral("Benvenuti"), panel);
        info->setObjectName(QStringLiteral("panInfo"));
        info->setGeometry(0, 270, 400, 30);
        Behaviour::install(window.get(), kFields);
        Behaviour::installHints(window.get(), "panInfo", kHints, {"panContainer"});
        window->resize(400, 300);
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
};

QTEST_MAIN(TestBehaviour)
#include "tst_behaviour.moc"
