// What a screen reader hears: every control a user can reach or press in every window has a name,
// as Qt's accessibility bridge hands it to the desktop's screen reader.

#include "TestSupport.h"

#include "windows/Accessible.h"
#include "windows/ClickLabel.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>
#include <memory>
#include <variant>

namespace {

// Reached by Tab, or pressed: what must be named.
bool mustBeNamed(const QWidget* widget)
{
    if (!widget->isVisible() || !widget->isEnabled())
        return false;
    if (qobject_cast<const QLineEdit*>(widget) && qobject_cast<const QComboBox*>(widget->parentWidget()))
        return false; // a drop-down's edit line: the drop-down speaks for it
    return (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<const QAbstractButton*>(widget)
        || qobject_cast<const ClickLabel*>(widget);
}

QStringList unnamed(QWidget* window)
{
    QStringList missing;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!mustBeNamed(widget))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            missing << QStringLiteral("%1 (%2)").arg(widget->objectName(),
                                                     QString::fromLatin1(widget->metaObject()->className()));
    }
    return missing;
}

// One window of the program on screen: a workspace as the program shows it, a dialog made afresh
// over an owner window.
struct Shown {
    QWidget owner;
    std::unique_ptr<QWidget> dialog;
    QWidget* window = nullptr;

    bool show(const QByteArray& name)
    {
        const Windows::WindowDef* def = Windows::definition(name.constData());
        if (!def)
            return false;
        owner.resize(400, 300);
        owner.show();
        window = Windows::byClass(name.constData());
        if (std::holds_alternative<Dialog::Placement>(def->kind)) {
            dialog.reset(def->create());
            dialog->setParent(&owner, dialog->windowFlags());
            window = dialog.get();
            window->show();
        } else {
            static_cast<Workspace*>(window)->showFrom(nullptr);
        }
        return QTest::qWaitForWindowExposed(window);
    }
};

} // namespace

class TestAccessible : public QObject {
    Q_OBJECT
private slots:
    void everyControlHasAName_data()
    {
        QTest::addColumn<QString>("cls");
        TestSupport::Session session;
        for (QWidget* window : Windows::all())
            QTest::newRow(window->metaObject()->className()) << QString::fromLatin1(window->metaObject()->className());
    }

    void everyControlHasAName()
    {
        QFETCH(QString, cls);
        TestSupport::Session session;
        Shown shown;
        QVERIFY(shown.show(cls.toLatin1()));
        QWidget* window = shown.window;
        // The slip editor shows its fields once a year is open.
        if (auto* open = window->findChild<QAbstractButton*>(QStringLiteral("btnApri")))
            open->click();
        QVERIFY(!QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name).trimmed().isEmpty()
                || !window->windowTitle().trimmed().isEmpty());
        if (qEnvironmentVariableIsSet("TASSELLA_DUMP_NAMES"))
            for (QWidget* widget : window->findChildren<QWidget*>())
                if (mustBeNamed(widget))
                    qInfo("%s -> %s", qPrintable(widget->objectName()),
                          qPrintable(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name)));
        const QStringList missing = unnamed(window);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
        window->hide();
    }

    // What a screen reader can do with each control: every command (button, picture, caption or link)
    // is a push button or a link it can press, and pressing it runs the command; every field's name
    // is its caption, not the value it holds; every window is a window (or dialog), not a filler.
    void commandsArePressableAndFieldsNamed_data() { everyControlHasAName_data(); }

    void commandsArePressableAndFieldsNamed()
    {
        QFETCH(QString, cls);
        TestSupport::Session session;
        Shown shown;
        QVERIFY(shown.show(cls.toLatin1()));
        QWidget* window = shown.window;
        if (auto* open = window->findChild<QAbstractButton*>(QStringLiteral("btnApri")))
            open->click();
        const QAccessible::Role windowRole = QAccessible::queryAccessibleInterface(window)->role();
        QVERIFY2(windowRole == QAccessible::Window || windowRole == QAccessible::Dialog,
                 qPrintable(QString::number(windowRole)));
        QStringList wrong;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!mustBeNamed(widget))
                continue;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(face);
            const QString what = widget->objectName() + QLatin1Char(' ');
            const bool command = qobject_cast<ClickLabel*>(widget)
                || (qobject_cast<QAbstractButton*>(widget) && !widget->inherits("QCheckBox")
                    && !widget->inherits("QRadioButton"));
            if (command) {
                // A button that opens a menu (the calendar's month) is pressed by showing the menu.
                const bool menu = face->role() == QAccessible::ButtonMenu;
                if (face->role() != QAccessible::Button && face->role() != QAccessible::Link && !menu)
                    wrong << what + QStringLiteral("has the role %1").arg(face->role());
                const QString action =
                    menu ? QAccessibleActionInterface::showMenuAction() : QAccessibleActionInterface::pressAction();
                if (!face->actionInterface() || !face->actionInterface()->actionNames().contains(action))
                    wrong << what + QStringLiteral("cannot be pressed");
            }
            const bool field = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)
                || qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
            const QString value = face->text(QAccessible::Value).trimmed();
            if (field && !value.isEmpty() && face->text(QAccessible::Name).trimmed() == value)
                wrong << what + QStringLiteral("is named by its value \"%1\"").arg(value);
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
        window->hide();
    }

    // Pressing a picture command through the screen reader's action runs its command.
    void pressActionRunsThePictureCommand()
    {
        TestSupport::Session session;
        bool ended = false;
        Windows::setEndProgramHook([&ended] { ended = true; });
        auto* menu = static_cast<Workspace*>(Windows::byClass("TfrmAvvio"));
        menu->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        auto* exit = menu->findChild<ClickLabel*>(QStringLiteral("imgEsci"));
        QVERIFY(exit);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(exit);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Esci dal programma"));
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(ended);
    }

    // An editable drop-down speaks its caption as its name and its value as its value, and its
    // edit line, which holds the focus, speaks the same name.
    void dropDownsAreNamedByTheirCaption()
    {
        TestSupport::Session session;
        auto* summary = static_cast<Workspace*>(Windows::byClass("TfrmMenuRiepCosti"));
        summary->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(summary));
        auto* day = summary->findChild<QComboBox*>(QStringLiteral("txtGiornoInizio"));
        QVERIFY(day);
        day->setEditText(QStringLiteral("01"));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(day);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Giorno di inizio"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("01"));
        QCOMPARE(QAccessible::queryAccessibleInterface(day->lineEdit())->text(QAccessible::Name),
                 QStringLiteral("Giorno di inizio"));
    }

    // Every name in the table of names belongs to a control of some window.
    void tableNamesNameControls()
    {
        TestSupport::Session session;
        QSet<QString> present;
        std::vector<std::unique_ptr<QWidget>> dialogs;
        for (QWidget* window : Windows::all()) {
            QWidget* form = window;
            const Windows::WindowDef* def = Windows::definition(window->metaObject()->className());
            if (def && std::holds_alternative<Dialog::Placement>(def->kind)) {
                dialogs.emplace_back(def->create()); // a fresh one, as the program opens them
                form = dialogs.back().get();
            }
            for (const QWidget* child : form->findChildren<QWidget*>())
                present.insert(child->objectName());
        }
        for (const QString& name : Accessible::tableNames())
            QVERIFY2(present.contains(name), qPrintable(name));
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
