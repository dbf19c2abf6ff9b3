// The window set: created in order at start, the two kinds of window, and moving between them.

#include "TestSupport.h"

#include "windows/Windows.h"
#include "checks/Calendario.h"
#include "checks/CodFisc.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

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

    void dialogsStartFreshAndCloseOnlyThroughTheirButtons()
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
        QTest::keyClick(first, Qt::Key_Escape);
        QVERIFY(first->isVisible());

        QPointer<TfrmCodFisc> guard(first);
        first->close();
        QTRY_VERIFY(guard.isNull()); // destroyed on close
        auto* second = Windows::openDialog<TfrmCodFisc>(owner);
        QVERIFY(second->findChild<QLineEdit*>(QStringLiteral("scratch")) == nullptr);
        second->close();
    }

    void callerTagsNameTheWorkspace()
    {
        TestSupport::Session session;
        QCOMPARE(Windows::forTag(QStringLiteral("bollettino")), Windows::byClass("TfrmBollettino"));
        QCOMPARE(Windows::forTag(QStringLiteral("datascade")), Windows::byClass("TfrmBollettino"));
        QCOMPARE(Windows::forTag(QStringLiteral("esecutori")), Windows::byClass("TfrmEsecutori"));
        QCOMPARE(Windows::forTag(QStringLiteral("riepilogo")), Windows::byClass("TfrmMenuRiepCosti"));
        QCOMPARE(Windows::forTag(QStringLiteral("Bollettino")), nullptr);
        QCOMPARE(Windows::forTag(QString()), nullptr);

        auto* picker = Windows::openDialog<TfrmCalendario>(Windows::byClass("TfrmBollettino"),
                                                           QStringLiteral("datascade"));
        QCOMPARE(picker->callerTag(), QStringLiteral("datascade"));
        auto* memory = picker->findChild<QLabel*>(QStringLiteral("lblMemory"));
        QVERIFY(memory && !memory->isVisible());
        picker->close();
    }

    void standardButtonsSpeakItalian()
    {
        Startup::installTranslations(*qApp);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sì"));
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
