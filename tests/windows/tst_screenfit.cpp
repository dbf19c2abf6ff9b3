// Every window fits on the screen: shown on a small screen at a large desktop scale, at every
// interface size the user can choose, each lies wholly inside the screen's free area, and on a large
// screen Automatica makes the work forms fill it. The screen (its size and the desktop's scale) is
// the test run's: CTest runs this test once per screen, with Qt's offscreen platform set to it.

#include "TestSupport.h"

#include "data/InterfaceSize.h"
#include "windows/Scaling.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QScreen>
#include <memory>
#include <variant>

namespace {

// The visible controls of window that stand outside area: each control is drawn on the screen
// where it is, except what a list scrolls.
QStringList outside(QWidget* window, const QRect& area)
{
    QStringList out;
    const auto check = [&](QWidget* widget) {
        const QRect box(widget->mapToGlobal(QPoint(0, 0)), widget->size());
        if (!area.contains(box))
            out << QStringLiteral("%1 %2,%3 %4×%5")
                       .arg(widget->objectName())
                       .arg(box.x())
                       .arg(box.y())
                       .arg(box.width())
                       .arg(box.height());
    };
    if (!area.contains(window->frameGeometry()))
        out << QStringLiteral("the window's frame %1,%2 %3×%4")
                   .arg(window->frameGeometry().x())
                   .arg(window->frameGeometry().y())
                   .arg(window->frameGeometry().width())
                   .arg(window->frameGeometry().height());
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (widget->window() != window || !widget->isVisible() || widget->objectName().isEmpty())
            continue;
        bool scrolled = false;
        for (QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
            scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(up);
        if (!scrolled)
            check(widget);
    }
    return out;
}

} // namespace

class TestScreenFit : public QObject {
    Q_OBJECT
private slots:
    void everyWindowFits_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<int>("choice");
        TestSupport::Session session;
        for (int choice : InterfaceSize::choices())
            for (QWidget* window : Windows::all()) {
                const QByteArray row =
                    InterfaceSize::caption(choice).toLatin1() + ' ' + window->metaObject()->className();
                QTest::newRow(row.constData()) << QString::fromLatin1(window->metaObject()->className()) << choice;
            }
    }

    void everyWindowFits()
    {
        QFETCH(QString, cls);
        QFETCH(int, choice);
        TestSupport::Session session;
        QVERIFY(InterfaceSize::write(choice));
        const QByteArray name = cls.toLatin1();
        const Windows::WindowDef* def = Windows::definition(name.constData());
        QVERIFY(def);
        // Dialogs open over the start menu, as the program opens them over a maximised window.
        auto* menu = static_cast<Workspace*>(Windows::byClass("TfrmAvvio"));
        QVERIFY(menu);
        menu->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QWidget* window = Windows::byClass(name.constData());
        std::unique_ptr<QWidget> dialog;
        if (std::holds_alternative<Dialog::Placement>(def->kind)) {
            dialog.reset(def->create());
            dialog->setParent(menu, dialog->windowFlags());
            window = dialog.get();
            window->show();
        } else if (window != menu) {
            static_cast<Workspace*>(window)->showFrom(nullptr);
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The slip editor shows its fields once a year is open.
        if (auto* open = window->findChild<QAbstractButton*>(QStringLiteral("btnApri")))
            open->click();
        // A maximised window's frame is the screen itself, which at a fractional desktop scale rounds
        // a pixel wider than the free area that Qt reports.
        const QRect area = Scaling::availableArea(window).adjusted(0, 0, 1, 1);
        QTRY_VERIFY2(outside(window, area).isEmpty(),
                     qPrintable(QStringLiteral("area %1×%2: ").arg(area.width()).arg(area.height())
                                + outside(window, area).join(QStringLiteral(", "))));
        window->hide();
        menu->hide();
    }

    // Automatica draws the work forms as large as the screen allows: they fill its height or its
    // width, on a small screen and on a large one alike.
    void automaticFillsTheScreen_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::newRow("start menu") << QStringLiteral("TfrmAvvio");
        QTest::newRow("slip editor") << QStringLiteral("TfrmBollettino");
        QTest::newRow("payer editor") << QStringLiteral("TfrmEsecutori");
        QTest::newRow("payment summary selection") << QStringLiteral("TfrmMenuRiepCosti");
    }

    void automaticFillsTheScreen()
    {
        QFETCH(QString, cls);
        TestSupport::Session session;
        QVERIFY(InterfaceSize::write(InterfaceSize::automatic));
        auto* window = qobject_cast<Workspace*>(Windows::byClass(cls.toLatin1().constData()));
        QVERIFY(window);
        window->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect area = Scaling::availableArea(window);
        const QSize form = window->panel()->size();
        QVERIFY2(form.height() >= area.height() * 0.85 || form.width() >= area.width() * 0.85,
                 qPrintable(QStringLiteral("form %1×%2 on %3×%4")
                                .arg(form.width())
                                .arg(form.height())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY(qAbs(window->panel()->width() * 692 / 995 - window->panel()->height()) <= 2); // not stretched
    }
};

QTEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
