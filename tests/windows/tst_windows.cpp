// The window set: created in order at start, the two kinds of window, and moving between them.

#include "TestSupport.h"

#include "windows/Windows.h"
#include "checks/Calendario.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "app/PasswordChange.h"
#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "windows/ReportOutput.h"
#include "editors/Bollettino.h"
#include "slips/SlipRecord.h"
#include "payers/PayerRecord.h"
#include "windows/Artwork.h"
#include "windows/Look.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QRegularExpression>
#include <QTest>
#include <QScreen>
#include <array>
#include <cstring>
#include <memory>
#include <variant>

namespace {
// A desktop theme of the kind that puts pictures on the standard buttons of dialogs.
class PicturesOnButtons : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};
} // namespace

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void allWindowsAreCreatedInOrder()
    {
        TestSupport::Session session;
        const struct {
            const char* cls;
            const char* caption;
        } expected[] = {
            {"TfrmPassword", " Tassella - Autenticazione"},
            {"TfrmAvvio", " Tassella - Tasse Concessioni Governative"},
            {"TfrmCambiaPassword", " Cambia password"},
            {"TfrmCarta", " Controllo carta di credito"},
            {"TfrmCodFisc", " Controllo codice fiscale"},
            {"TfrmGuida", " Guida all'utilizzo del software"},
            {"TfrmIban", " Controllo IBAN"},
            {"TfrmInfo", " Informazioni su Tassella"},
            {"TfrmPartitaIva", " Controllo partita IVA"},
            {"TfrmSplash", nullptr},
            {"TfrmBollettino", " Tassella - Compilazione e stampa bollettini postali"},
            {"TfrmAllegaCartella", " Allega file"},
            {"TfrmStampaBol", " Stampa bollettino postale"},
            {"TfrmDaSaldare", " Riepilogo bollettini non saldati"},
            {"TfrmTrovaBollettini", " Trova versamenti in archivio"},
            {"TfrmExpBollettini", " Esporta archivio annuale versamenti in Microsoft Excel"},
            {"TfrmVoci_Tariffa", " Elenco dei codici delle voci di tariffa"},
            {"TfrmScadute", " Riepilogo bollettini scaduti e non saldati"},
            {"TfrmEsecutori", " Tassella - Anagrafica Esecutori"},
            {"TfrmRicontatta", " Riepilogo Esecutori da ricontattare"},
            {"TfrmTrovaEsecutori", " Trova Esecutori in archivio"},
            {"TfrmExpEsecutori", " Esporta archivio Esecutori in Microsoft Excel"},
            {"TfrmMenuRiepCosti", " Tassella - Riepilogo versamenti"},
            {"TfrmRiepCosti", " Tassella - Riepilogo versamenti"},
            {"TfrmCalendario", " Importazione data"},
        };
        const QList<QWidget*>& windows = Windows::all();
        QCOMPARE(windows.size(), int(std::size(expected)));
        for (int i = 0; i < windows.size(); ++i) {
            QCOMPARE(windows[i]->metaObject()->className(), expected[i].cls);
            QVERIFY(windows[i]->isWindow());
            QVERIFY2(!windows[i]->isVisible(), expected[i].cls);
            if (expected[i].caption)
                QCOMPARE(windows[i]->windowTitle(), QString::fromUtf8(expected[i].caption));
            else
                QVERIFY(windows[i]->windowTitle().startsWith(QLatin1Char(' ')));
        }
    }

    // Start-up stays cheap: each start-up instance sets its form up when it is first shown or looked
    // up, while a window made on its own has its form at once.
    void windowsSetTheirFormsUpWhenFirstNeeded()
    {
        TestSupport::Session session;
        // The instances as the window system holds them, without the registry's lookups.
        const auto instance = [](const char* cls) -> QWidget* {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (std::strcmp(widget->metaObject()->className(), cls) == 0)
                    return widget;
            return nullptr;
        };
        int waiting = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (!qobject_cast<Workspace*>(widget) && !qobject_cast<Dialog*>(widget))
                continue;
            ++waiting;
            // Nothing but a workspace's empty panel.
            QVERIFY2(widget->findChildren<QWidget*>().size() <= 1, widget->metaObject()->className());
            QCOMPARE(widget->objectName(), QString::fromLatin1(widget->metaObject()->className()));
        }
        QCOMPARE(waiting, 25);

        QWidget* slip = instance("TfrmBollettino");
        QCOMPARE(Windows::byClass("TfrmBollettino"), slip);
        QVERIFY(TestSupport::child<QLineEdit>(slip, "txtImporto"));

        auto* menu = qobject_cast<Workspace*>(instance("TfrmAvvio"));
        QVERIFY(menu);
        menu->showFrom(nullptr);
        QVERIFY(menu->isVisible());
        QVERIFY(menu->isMaximized());
        QVERIFY(TestSupport::child(menu, "imgBollettino"));
        QCOMPARE(menu->panel()->size(), menu->panel()->minimumSize()); // fixed at its form's size

        // Closing a dialog's instance that never appeared runs its own closing on a whole form.
        QWidget* search = instance("TfrmTrovaBollettini");
        QVERIFY(search->close());
        QVERIFY(TestSupport::child(search, "lstRecords"));

        TfrmCarta card(nullptr);
        QVERIFY(TestSupport::child<QLineEdit>(&card, "txtNumero"));
        QCOMPARE(card.objectName(), QStringLiteral("TfrmCarta"));
    }

    // Each picture is drawn once per size: a dialog opened again shows the same drawing.
    void picturesAreDrawnOncePerSize()
    {
        const QPixmap first = Artwork::pixmap(QStringLiteral("lucchetto"), QSize(40, 48));
        QCOMPARE(first.deviceIndependentSize(), QSizeF(40, 48));
        QCOMPARE(Artwork::pixmap(QStringLiteral("lucchetto"), QSize(40, 48)).cacheKey(), first.cacheKey());
        const QPixmap larger = Artwork::pixmap(QStringLiteral("lucchetto"), QSize(80, 96));
        QVERIFY(larger.cacheKey() != first.cacheKey());
        QCOMPARE(larger.deviceIndependentSize(), QSizeF(80, 96));
        QVERIFY(Artwork::pixmap(QStringLiteral("esci"), QSize(40, 48)).cacheKey() != first.cacheKey());
        // Something is drawn: not a blank picture.
        const QImage image = first.toImage();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY(drawn);
    }

    void workWindowsReturnToTheStartMenu_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("slip editor") << "TfrmBollettino";
        QTest::newRow("payer editor") << "TfrmEsecutori";
        QTest::newRow("payment summary selection") << "TfrmMenuRiepCosti";
    }

    void workWindowsReturnToTheStartMenu()
    {
        QFETCH(QString, window);
        TestSupport::Session session;
        auto* menu = qobject_cast<Workspace*>(Windows::byClass("TfrmAvvio"));
        auto* work = qobject_cast<Workspace*>(Windows::byClass(window.toLatin1().constData()));
        QVERIFY(menu && work);
        bool ended = false;
        Windows::setEndProgramHook([&] { ended = true; });

        menu->showFrom(nullptr);
        work->showFrom(menu);
        QVERIFY(work->isVisible());
        QVERIFY(!menu->isVisible());
        QVERIFY(work->windowState() & Qt::WindowMaximized);

        QVERIFY(work->close()); // the system close box
        QVERIFY(!work->isVisible());
        QVERIFY(menu->isVisible());
        QVERIFY(!ended);

        menu->close();
        QVERIFY(ended);
        Windows::setEndProgramHook({});
    }

    void workspacesKeepTheirContentWhileHidden()
    {
        TestSupport::Session session;
        auto* menu = qobject_cast<Workspace*>(Windows::byClass("TfrmAvvio"));
        auto* work = qobject_cast<Workspace*>(Windows::byClass("TfrmEsecutori"));
        auto* memo = new QLineEdit(work->panel());
        memo->setText(QStringLiteral("ROSSI"));
        work->showFrom(menu);
        work->close();
        work->showFrom(menu);
        QCOMPARE(memo->text(), QStringLiteral("ROSSI"));
    }

    // No close box: a dialog closes through its buttons, or Escape, which presses its exit button.
    void dialogsStartFreshAndCloseThroughTheirButtons()
    {
        TestSupport::Session session;
        QWidget* owner = Windows::byClass("TfrmBollettino");
        auto* first = Windows::openDialog<TfrmCodFisc>(owner);
        QVERIFY(first->isVisible());
        QVERIFY(first->isModal());
        QCOMPARE(first->parentWidget(), owner);
        QVERIFY(!(first->windowFlags() & Qt::WindowCloseButtonHint));
        auto* typed = new QLineEdit(first);
        typed->setObjectName(QStringLiteral("scratch"));
        typed->setText(QStringLiteral("typed"));
        QPointer<TfrmCodFisc> guard(first);
        QTest::keyClick(first, Qt::Key_Escape);
        QTRY_VERIFY(guard.isNull()); // destroyed on close
        auto* second = Windows::openDialog<TfrmCodFisc>(owner);
        QVERIFY(second->findChild<QLineEdit*>(QStringLiteral("scratch")) == nullptr);
        second->close();
    }

    // Where each window appears: the work windows and the summary result maximised, the date
    // picker, the credits and the slip print window centred on the window that opened them, every
    // other window centred on the screen.
    void windowsOpenInTheirPlace_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("place");
        const char* const owner[] = {"TfrmSplash", "TfrmStampaBol", "TfrmCalendario"};
        const char* const maximised[] = {"TfrmAvvio", "TfrmBollettino", "TfrmEsecutori", "TfrmMenuRiepCosti",
                                         "TfrmRiepCosti"};
        TestSupport::Session session;
        for (QWidget* window : Windows::all()) {
            const QString cls = QString::fromLatin1(window->metaObject()->className());
            QString place = QStringLiteral("screen");
            for (const char* name : owner)
                if (cls == QLatin1String(name))
                    place = QStringLiteral("owner");
            for (const char* name : maximised)
                if (cls == QLatin1String(name))
                    place = QStringLiteral("maximised");
            QTest::newRow(qPrintable(cls)) << cls << place;
        }
    }

    void windowsOpenInTheirPlace()
    {
        QFETCH(QString, cls);
        QFETCH(QString, place);
        TestSupport::Session session;
        const QByteArray name = cls.toLatin1();
        const Windows::WindowDef* def = Windows::definition(name.constData());
        QVERIFY(def);
        // An owner well away from the screen's centre, so that the two centres differ, and far enough
        // from its edges for every dialog to fit around its centre (a dialog never hangs over them).
        QWidget owner;
        owner.setGeometry(100, 150, 600, 460);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        QWidget* window = Windows::byClass(name.constData());
        std::unique_ptr<QWidget> dialog;
        if (std::holds_alternative<Dialog::Placement>(def->kind)) {
            dialog.reset(def->create());
            dialog->setParent(&owner, dialog->windowFlags());
            window = dialog.get();
            window->show();
        } else {
            auto* workspace = qobject_cast<Workspace*>(window);
            QVERIFY(workspace);
            workspace->showFrom(nullptr);
        }
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect screen = window->screen()->availableGeometry();
        if (place == QLatin1String("maximised")) {
            QTRY_VERIFY(window->isMaximized());
        } else {
            const QPoint centre = window->geometry().center();
            const QPoint expected = place == QLatin1String("owner") ? owner.frameGeometry().center() : screen.center();
            QVERIFY2(std::abs(centre.x() - expected.x()) <= 2 && std::abs(centre.y() - expected.y()) <= 2,
                     qPrintable(QStringLiteral("centre %1,%2, expected %3,%4")
                                    .arg(centre.x())
                                    .arg(centre.y())
                                    .arg(expected.x())
                                    .arg(expected.y())));
            QVERIFY(!window->isMaximized());
        }
        window->hide();
    }

    // Every field the user types into holds exactly what its record field can store: no more
    // (the rest would be cut silently on saving), no less.
    void editorFieldsTakeTheirRecordCapacity_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<int>("minimum"); // fields that must have been checked
        QTest::newRow("slip editor") << "TfrmBollettino" << 17;
        QTest::newRow("payer editor") << "TfrmEsecutori" << 25;
    }

    void editorFieldsTakeTheirRecordCapacity()
    {
        QFETCH(QString, cls);
        QFETCH(int, minimum);
        TestSupport::Session session;
        QWidget* editor = Windows::byClass(cls.toLatin1().constData());
        QVERIFY(editor);
        const RecordLayout& layout =
            cls == QLatin1String("TfrmBollettino") ? SlipRecord::layout() : PayerRecord::layout();
        int checked = 0;
        for (int i = 0; i < layout.fieldCount(); ++i) {
            const QString name = QStringLiteral("txt") + QLatin1String(layout.name(i));
            QLineEdit* edit = editor->findChild<QLineEdit*>(name);
            if (auto* combo = editor->findChild<QComboBox*>(name))
                edit = combo->lineEdit();
            if (!edit || edit->isReadOnly() || edit->isHidden())
                continue; // filled by the program or through a dialog, or kept elsewhere
            QVERIFY2(edit->maxLength() == layout.capacity(i),
                     qPrintable(
                         QStringLiteral("%1: %2 against %3").arg(name).arg(edit->maxLength()).arg(layout.capacity(i))));
            ++checked;
        }
        QVERIFY2(checked >= minimum, qPrintable(QString::number(checked)));
    }

    void standardButtonsSpeakItalian()
    {
        Startup::installTranslations(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sì"));
    }

    // One icon for the program, set once: every window shows it and none sets its own.
    void everyWindowCarriesTheProgramIcon()
    {
        TestSupport::Session session;
        QVERIFY(!QApplication::windowIcon().isNull());
        for (QWidget* window : Windows::all()) {
            QVERIFY2(!window->testAttribute(Qt::WA_SetWindowIcon), window->metaObject()->className());
            QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
        }
    }

    // Each window is given the rules that name no look and those for its own looks; no rule of the
    // sheet is lost on the way.
    void eachWindowTakesTheRulesForItsLooks_data()
    {
        QTest::addColumn<QStringList>("looks");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        const QString panInfo = QStringLiteral("QLabel#panInfo {");
        const QString payersCaption = QStringLiteral("*[look=\"payers\"] QLabel[class=\"caption\"] {");
        const QString formCaption = QStringLiteral("*[look=\"form\"] QLabel[class=\"caption\"] {");
        const QString deskOrList = QStringLiteral("QWidget[look=\"desk\"], QWidget[look=\"list\"] {");
        QTest::newRow("no look") << QStringList{} << QStringList{panInfo}
                                 << QStringList{payersCaption, formCaption, deskOrList};
        QTest::newRow("payers") << QStringList{QStringLiteral("payers")} << QStringList{panInfo, payersCaption}
                                << QStringList{formCaption, deskOrList};
        QTest::newRow("one of a rule's two looks")
            << QStringList{QStringLiteral("desk")} << QStringList{panInfo, deskOrList}
            << QStringList{payersCaption, formCaption};
        QTest::newRow("two looks") << QStringList{QStringLiteral("form"), QStringLiteral("payers")}
                                   << QStringList{formCaption, payersCaption} << QStringList{deskOrList};
    }
    void eachWindowTakesTheRulesForItsLooks()
    {
        QFETCH(QStringList, looks);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        const QString sheet = Look::styleSheetFor(looks);
        for (const QString& rule : present)
            QVERIFY2(sheet.contains(QLatin1Char('\n') + rule) || sheet.startsWith(rule), qPrintable(rule));
        for (const QString& rule : absent)
            QVERIFY2(!sheet.contains(rule), qPrintable(rule));
        QVERIFY(!sheet.contains(QLatin1String("/*")));
    }
    void noRuleOfTheSheetIsLost()
    {
        QString full = Look::styleSheet();
        full.remove(QRegularExpression(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption));
        QStringList every;
        for (auto match = QRegularExpression(QStringLiteral("\\[look=\"([^\"]*)\"\\]")).globalMatch(full);
             match.hasNext();)
            every.append(match.next().captured(1));
        every.removeDuplicates();
        QVERIFY(every.size() >= 7);
        const QString all = Look::styleSheetFor(every);
        QCOMPARE(all.count(QLatin1Char('{')), full.count(QLatin1Char('{')));
        QCOMPARE(all.count(QLatin1Char('}')), full.count(QLatin1Char('}')));
        // Each rule keeps its declarations: the sheet's words, in order, without the comments.
        QCOMPARE(all.simplified().remove(QLatin1Char(' ')), full.simplified().remove(QLatin1Char(' ')));
    }

    // The look is one style sheet for the application; the windows built on it hold no colours of
    // their own, and none of their controls a sheet of its own.
    void windowsTakeTheirLookFromTheSharedStyleSheet()
    {
        TestSupport::Session session;
        QVERIFY(Look::styleSheet().contains(QLatin1String("QLabel#panInfo")));
        QVERIFY(qApp->styleSheet().isEmpty());
        // No window, nor any of its controls, brings rules of its own.
        for (QWidget* window : Windows::all()) {
            QVERIFY2(window->styleSheet().isEmpty(), window->metaObject()->className());
            for (const QWidget* control : window->findChildren<QWidget*>())
                QVERIFY2(control->styleSheet().isEmpty(), qPrintable(control->objectName()));
        }
        for (const char* cls : {"TfrmPassword", "TfrmCambiaPassword", "TfrmAvvio", "TfrmBollettino", "TfrmEsecutori",
                                "TfrmMenuRiepCosti"}) {
            auto* window = qobject_cast<Workspace*>(Windows::byClass(cls));
            // Only windows that appear are styled, when they first appear.
            QVERIFY2(window->styleSheet().isEmpty(), cls);
            window->showFrom(nullptr);
            QCOMPARE(window->styleSheet(), Look::styleSheetFor(Look::looksOf(window)));
            for (const QWidget* control : window->findChildren<QWidget*>())
                QVERIFY2(control->styleSheet().isEmpty(), qPrintable(control->objectName()));
        }
        // A dialog shares its owner's sheet when that holds the rules for its looks, and takes
        // the rules it lacks itself; message boxes carry the common rules wherever they open.
        auto* date = Windows::openDialog<TfrmCalendario>(Windows::byClass("TfrmBollettino"));
        QVERIFY(date->styleSheet().isEmpty());
        date->close();
        auto* check = Windows::openDialog<TfrmCodFisc>(Windows::byClass("TfrmBollettino"));
        QCOMPARE(Look::looksOf(check), QStringList{QStringLiteral("check")});
        QCOMPARE(check->styleSheet(), Look::styleSheetFor({QStringLiteral("check")}));
        check->close();
        const std::unique_ptr<QMessageBox> box =
            MessageBox::makeBox(nullptr, MessageBox::Kind::Plain, QStringLiteral("x"));
        QCOMPARE(box->styleSheet(), Look::styleSheetFor({}));
        // The slip editor's form asks for the paper-form look by its property.
        auto* slip = Windows::get<TfrmBollettino>();
        QCOMPARE(slip->findChild<QWidget*>(QStringLiteral("panSfondo"))->property("look").toString(),
                 QStringLiteral("form"));
    }

    // Every drop-down list draws its arrow (navy on the pale button), also in windows that add
    // rules of their own when they first appear, and those windows keep the shared sheet.
    void dropDownListsDrawTheirArrow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("combo");
        QTest::newRow("summary start day") << "TfrmMenuRiepCosti"
                                           << "txtGiornoInizio";
        QTest::newRow("summary end month") << "TfrmMenuRiepCosti"
                                           << "txtMeseFine";
        QTest::newRow("payer birth province") << "TfrmEsecutori"
                                              << "txtProvNasc";
        QTest::newRow("payer home province") << "TfrmEsecutori"
                                             << "txtProvRes";
    }
    void dropDownListsDrawTheirArrow()
    {
        QFETCH(QString, window);
        QFETCH(QString, combo);
        TestSupport::Session session;
        auto* work = qobject_cast<Workspace*>(Windows::byClass(window.toLatin1().constData()));
        QVERIFY(work);
        work->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(work));
        QVERIFY(work->styleSheet().startsWith(Look::styleSheetFor(Look::looksOf(work))));
        auto* box = TestSupport::child<QComboBox>(work, combo.toLatin1().constData());
        const QImage picture = box->grab().toImage();
        const qreal scale = picture.devicePixelRatio();
        // The button is the field's right end; its border and the field's frame stay out.
        const QRect button(QPoint(int((box->width() - 18) * scale), int(3 * scale)),
                           QPoint(int((box->width() - 3) * scale), int((box->height() - 4) * scale)));
        int arrow = 0;
        int blank = 0;
        for (int y = button.top(); y <= button.bottom(); ++y)
            for (int x = button.left(); x <= button.right(); ++x) {
                const QColor pixel = picture.pixelColor(x, y);
                if (pixel.blue() - pixel.red() > 60 && pixel.red() < 110)
                    ++arrow;
                else if (pixel.lightness() > 225)
                    ++blank;
            }
        QVERIFY2(arrow >= 8, qPrintable(QStringLiteral("%1 navy pixels").arg(arrow)));
        QVERIFY2(blank > arrow, qPrintable(QStringLiteral("%1 pale, %2 navy").arg(blank).arg(arrow)));
    }

    // The four checks wear their own look as soon as they open from an editor: the navy title band
    // and the navy "Controlla", not the desktop's grey.
    void checkDialogsWearTheirLook_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const char* name : {"TfrmCodFisc", "TfrmPartitaIva", "TfrmIban", "TfrmCarta"})
            QTest::newRow(name) << name;
    }
    void checkDialogsWearTheirLook()
    {
        QFETCH(QString, dialog);
        TestSupport::Session session;
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        QDialog* check = nullptr;
        if (dialog == QLatin1String("TfrmCodFisc"))
            check = Windows::openDialog<TfrmCodFisc>(slip);
        else if (dialog == QLatin1String("TfrmPartitaIva"))
            check = Windows::openDialog<TfrmPartitaIva>(slip);
        else if (dialog == QLatin1String("TfrmIban"))
            check = Windows::openDialog<TfrmIban>(slip);
        else
            check = Windows::openDialog<TfrmCarta>(slip);
        QVERIFY(QTest::qWaitForWindowExposed(check));
        const auto centre = [](QWidget* widget) {
            const QImage picture = widget->grab().toImage();
            return picture.pixelColor(picture.width() / 2, picture.height() / 8);
        };
        for (const char* name : {"panTitolo", "btnControlla"}) {
            const QColor colour = centre(TestSupport::child(check, name));
            QVERIFY2(colour.blue() - colour.red() > 60 && colour.red() < 70,
                     qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), colour.name())));
        }
        check->close();
    }

    // The two record editors browse with one navigation bar: the same controls, placed, sized and
    // drawn alike.
    void editorsShareOneNavigationBar()
    {
        TestSupport::Session session;
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        TestSupport::child<QLineEdit>(slip, "txtAnno")->setText(QStringLiteral("2026"));
        QTest::mouseClick(TestSupport::child(slip, "btnApri"), Qt::LeftButton);
        auto* payers = Windows::get<TfrmEsecutori>();
        payers->showFrom(nullptr);
        QWidget* bars[] = {TestSupport::child(slip, "panNavigazione"), TestSupport::child(payers, "panNavigazione")};
        QCOMPARE(bars[0]->height(), bars[1]->height());
        QCOMPARE(bars[0]->grab().toImage().pixelColor(3, bars[0]->height() / 2),
                 bars[1]->grab().toImage().pixelColor(3, bars[1]->height() / 2));
        for (const char* name : {"lblScheda", "lblPosizione", "cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
            QWidget* controls[2];
            for (int i = 0; i < 2; ++i) {
                controls[i] = TestSupport::child(bars[i], name);
                QVERIFY2(controls[i]->parentWidget() == bars[i], name);
                QVERIFY2(controls[i]->isVisible(), name);
            }
            QCOMPARE(controls[0]->metaObject()->className(), controls[1]->metaObject()->className());
            QCOMPARE(controls[0]->y(), controls[1]->y());
            QCOMPARE(controls[0]->height(), controls[1]->height());
            // Centred on the bar alike.
            QCOMPARE(controls[0]->geometry().center().x() - bars[0]->width() / 2,
                     controls[1]->geometry().center().x() - bars[1]->width() / 2);
            QCOMPARE(controls[0]->font(), controls[1]->font());
            if (auto* arrow = qobject_cast<QToolButton*>(controls[0])) {
                QCOMPARE(controls[0]->size(), controls[1]->size());
                QCOMPARE(arrow->iconSize(), qobject_cast<QToolButton*>(controls[1])->iconSize());
                // Drawn pixel for pixel the same: size, frame, colours and picture.
                QCOMPARE(controls[0]->grab().toImage(), controls[1]->grab().toImage());
            }
        }
        const std::array numbers{TestSupport::child<QLabel>(bars[0], "lblPosizione"),
                                 TestSupport::child<QLabel>(bars[1], "lblPosizione")};
        numbers[0]->setText(QStringLiteral("12"));
        numbers[1]->setText(QStringLiteral("12"));
        const QImage slipNumber = numbers[0]->grab().toImage();
        const QImage payerNumber = numbers[1]->grab().toImage();
        QCOMPARE(slipNumber.pixelColor(4, 4), payerNumber.pixelColor(4, 4));
        QCOMPARE(slipNumber.pixelColor(0, slipNumber.height() / 2),
                 payerNumber.pixelColor(0, payerNumber.height() / 2));
    }

    // A text longer than its field shows its beginning, where its words start: the amount in words
    // while the amount is typed, and an attachment's file name.
    void longTextsShowTheirBeginning()
    {
        TestSupport::Session session;
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        TestSupport::child<QLineEdit>(slip, "txtAnno")->setText(QStringLiteral("2026"));
        QTest::mouseClick(TestSupport::child(slip, "btnApri"), Qt::LeftButton);
        auto* amount = TestSupport::child<QLineEdit>(slip, "txtImporto");
        TestSupport::focus(slip, "txtImporto");
        auto* words = TestSupport::child<QLineEdit>(slip, "txtImpLettere");
        // Drawn after every key, as on screen: the field scrolls its text when it paints.
        for (QChar digit : QStringLiteral("77777777")) {
            QTest::keyClick(amount, digit.toLatin1());
            words->grab();
        }
        const auto showsItsBeginning = [](QLineEdit* field) {
            const QString what = field->objectName();
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) > field->contentsRect().width(),
                     qPrintable(what));
            field->grab(); // the field scrolls its text when it paints
            QVERIFY2(field->cursorPosition() == 0, qPrintable(what));
            const QRect start = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
            QVERIFY2(start.left() >= 0 && start.right() < field->width() / 4,
                     qPrintable(QStringLiteral("%1: %2").arg(what).arg(start.left())));
        };
        showsItsBeginning(words);
        // Enter after the cents moves on into the words, which select their whole text from the
        // beginning; so does Tab coming back to them.
        QTest::keyClick(amount, Qt::Key_Return);
        auto* cents = TestSupport::child<QLineEdit>(slip, "txtCents");
        QVERIFY(cents->hasFocus());
        QTest::keyClicks(cents, QStringLiteral("50"));
        QTest::keyClick(cents, Qt::Key_Return);
        QVERIFY(words->hasFocus());
        QCOMPARE(words->selectedText(), words->text());
        showsItsBeginning(words);
        QTest::keyClick(words, Qt::Key_Backtab);
        QVERIFY(cents->hasFocus());
        QTest::keyClick(cents, Qt::Key_Tab);
        QVERIFY(words->hasFocus());
        QCOMPARE(words->selectedText(), words->text());
        showsItsBeginning(words);

        auto* attachments = Windows::openDialog<TfrmAllegaCartella>(slip);
        auto* name = TestSupport::child<QLineEdit>(attachments, "txtFile01");
        name->setText(QStringLiteral("Ricevuta_del_versamento_della_tassa_di_concessione_governativa_per_il_porto_"
                                     "d_armi_uso_caccia_anno_2026.pdf"));
        showsItsBeginning(name);
        attachments->close();
    }

    // The record number between the arrows shows up to seven digits whole, and the arrows stay in
    // their bar without covering it.
    void recordNumbersShowWhole_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("1") << QStringLiteral("1");
        QTest::newRow("12345") << QStringLiteral("12345");
        QTest::newRow("100000") << QStringLiteral("100000");
        QTest::newRow("1234567") << QStringLiteral("1234567");
    }
    void recordNumbersShowWhole()
    {
        QFETCH(QString, number);
        TestSupport::Session session;
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        TestSupport::child<QLineEdit>(slip, "txtAnno")->setText(QStringLiteral("2026"));
        QTest::mouseClick(TestSupport::child(slip, "btnApri"), Qt::LeftButton);
        auto* label = TestSupport::child<QLabel>(slip, "lblPosizione");
        QVERIFY(label->isVisible());
        label->setText(number);
        QVERIFY(label->font().bold());
        const int text = label->fontMetrics().horizontalAdvance(number);
        QVERIFY2(text <= label->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(text).arg(label->contentsRect().width())));
        QVERIFY2(label->sizeHint().width() <= label->width(),
                 qPrintable(QStringLiteral("%1 > %2").arg(label->sizeHint().width()).arg(label->width())));
        QWidget* bar = TestSupport::child(slip, "panNavigazione");
        QVERIFY(bar->rect().contains(label->geometry()));
        for (const char* arrow : {"cmdPrimo", "cmdIndietro", "cmdAvanti", "cmdUltimo"}) {
            QWidget* button = TestSupport::child(slip, arrow);
            QVERIFY2(bar->rect().contains(button->geometry()), arrow);
            QVERIFY2(!button->geometry().intersects(label->geometry()), arrow);
        }
    }

    // Fields wide enough for their widest real value, and captions that end before the next one.
    void fieldsShowTheirWholeValue_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("VAT number") << "TfrmEsecutori"
                                    << "txtPartitaIva"
                                    << "88888888888";
        QTest::newRow("payer tax code") << "TfrmEsecutori"
                                        << "txtCodFisc"
                                        << "MRTMTT91D08F205J";
        QTest::newRow("payer CAP") << "TfrmEsecutori"
                                   << "txtCapRes"
                                   << "00000";
        QTest::newRow("slip tax code") << "TfrmBollettino"
                                       << "txtCodFisc"
                                       << "MRTMTT91D08F205J";
        QTest::newRow("slip CAP") << "TfrmBollettino"
                                  << "txtCapRes"
                                  << "00000";
        QTest::newRow("slip birth year") << "TfrmBollettino"
                                         << "txtAA"
                                         << "00";
    }

    void fieldsShowTheirWholeValue()
    {
        QFETCH(QString, cls);
        QFETCH(QString, field);
        QFETCH(QString, value);
        TestSupport::Session session;
        auto* window = static_cast<Workspace*>(Windows::byClass(cls.toLatin1().constData()));
        window->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* edit = TestSupport::child<QLineEdit>(window, field.toLatin1().constData());
        edit->setText(value);
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect inside = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const int text = edit->fontMetrics().horizontalAdvance(value) + 4; // the edit's own side margins
        QVERIFY2(text <= inside.width(), qPrintable(QStringLiteral("%1 > %2").arg(text).arg(inside.width())));
    }

    // "Data di nascita (gg/mm/aa)" stands over its three boxes, not past them.
    void birthDateCaptionStaysOverItsBoxes()
    {
        TestSupport::Session session;
        auto* slip = Windows::get<TfrmBollettino>();
        slip->showFrom(nullptr);
        auto* caption = TestSupport::child<QLabel>(slip, "lblNascita");
        const int end = caption->geometry().left() + caption->fontMetrics().horizontalAdvance(caption->text());
        QVERIFY2(end <= TestSupport::child(slip, "txtAA")->geometry().right() + 2, qPrintable(QString::number(end)));
        QVERIFY(end < TestSupport::child(slip, "lblComuneNasc")->geometry().left());
    }

    // Message boxes in the program's look: words only on the buttons, even where the desktop theme
    // puts pictures on them, and even margins around a plain message.
    // A text long enough to wrap fills the width of the box from its left margin: no empty
    // column before it (the password change's refusal is such a text).
    void messageBoxesLook_data()
    {
        QTest::addColumn<MessageBox::Kind>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("text");
        const QString shortText = QStringLiteral("Attenzione: password errata.");
        const Message mismatch = PasswordChange::decide(QStringLiteral("TASSELLA"), QStringLiteral("TASSELLA"),
                                                        QStringLiteral("UNO"), QStringLiteral("DUE"))
                                     .message;
        QCOMPARE(mismatch.kind, MessageBox::Kind::Plain);
        QVERIFY(mismatch.text.contains(QStringLiteral("non è stata confermata")));
        QTest::newRow("plain") << MessageBox::Kind::Plain << 1 << shortText;
        QTest::newRow("plain, password mismatch") << MessageBox::Kind::Plain << 1 << mismatch.text;
        QTest::newRow("warning") << MessageBox::Kind::Warning << 2 << shortText;
        QTest::newRow("warning, long") << MessageBox::Kind::Warning << 2 << mismatch.text;
        QTest::newRow("error") << MessageBox::Kind::Error << 2 << shortText;
        QTest::newRow("information") << MessageBox::Kind::Information << 2 << shortText;
        QTest::newRow("confirmation") << MessageBox::Kind::Confirmation << 2 << shortText;
    }
    void messageBoxesLook()
    {
        QFETCH(MessageBox::Kind, kind);
        QFETCH(int, buttons);
        QFETCH(QString, text);
        const QString styleName = QApplication::style()->name();
        QApplication::setStyle(new PicturesOnButtons(QStyleFactory::create(styleName)));
        const std::unique_ptr<QMessageBox> box = MessageBox::makeBox(nullptr, kind, text);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QCOMPARE(box->windowTitle(), QStringLiteral("Tassella"));
        QCOMPARE(box->buttons().size(), buttons);
        for (QAbstractButton* button : box->buttons())
            QVERIFY2(button->icon().isNull(), qPrintable(button->text()));
        QCOMPARE(box->icon() == QMessageBox::NoIcon, kind == MessageBox::Kind::Plain);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        auto* buttonBox = box->findChild<QWidget*>(QStringLiteral("qt_msgbox_buttonbox"));
        QVERIFY(label && buttonBox);
        const int right = box->width() - 1 - buttonBox->geometry().right();
        if (kind == MessageBox::Kind::Plain) {
            const int left = label->geometry().left();
            QVERIFY2(qAbs(left - right) <= 2, qPrintable(QStringLiteral("left %1, right %2").arg(left).arg(right)));
        } else {
            // Beside the icon, with the icon's own small gap only.
            auto* icon = box->findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"));
            QVERIFY(icon);
            const int gap = label->geometry().left() - icon->geometry().right();
            QVERIFY2(gap <= 24, qPrintable(QString::number(gap)));
        }
        // The text reaches the right margin: the width the box took is the text's.
        QVERIFY2(
            label->geometry().right() >= buttonBox->geometry().right() - 2,
            qPrintable(QStringLiteral("%1 < %2").arg(label->geometry().right()).arg(buttonBox->geometry().right())));
        box->close();
        QApplication::setStyle(QStyleFactory::create(styleName));
    }

    void messageBoxesAreRecordedWithTheirKind()
    {
        TestSupport::Session session(false);
        MessageBox::setNextAnswer(MessageBox::Button::No);
        QVERIFY(!MessageBox::confirm(nullptr, QStringLiteral("Procedere?")));
        QVERIFY(MessageBox::confirm(nullptr, QStringLiteral("Ancora?")));
        MessageBox::warning(nullptr, QStringLiteral("Attenzione: riga\n\r\n\raltra riga"));
        const auto shown = MessageBox::shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].kind, MessageBox::Kind::Confirmation);
        QCOMPARE(shown[2].kind, MessageBox::Kind::Warning);
        QCOMPARE(shown[2].text, QStringLiteral("Attenzione: riga\n\r\n\raltra riga")); // passed as it stands
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
