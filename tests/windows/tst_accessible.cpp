// What a screen reader hears: every control a user can reach or press in every window has a name,
// as Qt's accessibility bridge hands it to the desktop's screen reader.

#include "TestSupport.h"

#include "windows/Accessible.h"
#include "windows/ClickLabel.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
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
        const QByteArray name = cls.toLatin1();
        const Windows::WindowDef* def = Windows::definition(name.constData());
        QVERIFY(def);
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        std::unique_ptr<QWidget> dialog;
        QWidget* window = Windows::byClass(name.constData());
        if (std::holds_alternative<Dialog::Placement>(def->kind)) {
            dialog.reset(def->create());
            dialog->setParent(&owner, dialog->windowFlags());
            window = dialog.get();
            window->show();
        } else {
            static_cast<Workspace*>(window)->showFrom(nullptr);
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
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
