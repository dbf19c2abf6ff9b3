// The start menu, the help, about and credits windows and the shell-open routine.

#include "PdfReadBack.h"
#include "TestSupport.h"
#include "app/Avvio.h"
#include "windows/ClickLabel.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "app/Info.h"
#include "data/Maker.h"
#include "data/OpenURL.h"
#include "app/Splash.h"
#include "lists/MenuRiepCosti.h"
#include "editors/Esecutori.h"
#include "editors/Bollettino.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

using TestSupport::child;

class TestStartMenu : public QObject {
    Q_OBJECT
private slots:
    // Every command of the menu stands clear of the others: the commands added at its foot
    // (batch issuing, backups) must not lie over one another.
    void commandsDoNotOverlap()
    {
        TestSupport::Session session;
        auto* menu = Windows::get<TfrmAvvio>();
        menu->showFrom(nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QList<QWidget*> commands;
        for (QWidget* widget : menu->findChildren<QWidget*>())
            if (widget->isVisible() && (widget->focusPolicy() & Qt::TabFocus))
                commands << widget;
        QVERIFY(commands.size() >= 8);
        for (int i = 0; i < commands.size(); ++i)
            for (int j = i + 1; j < commands.size(); ++j) {
                const QRect a(commands[i]->mapTo(menu, QPoint()), commands[i]->size());
                const QRect b(commands[j]->mapTo(menu, QPoint()), commands[j]->size());
                QVERIFY2(!a.intersects(b),
                         qPrintable(commands[i]->objectName() + QStringLiteral(" / ") + commands[j]->objectName()));
            }
    }

    void init()
    {
        m_session = std::make_unique<TestSupport::Session>();
        menu()->showFrom(nullptr);
    }
    void cleanup()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(widget))
                widget->close();
        m_session.reset();
    }

    void workAreas_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QString>("target");
        const struct {
            const char* area;
            const char* target;
        } areas[] = {
            {"Anagrafica", "TfrmEsecutori"},
            {"Bollettino", "TfrmBollettino"},
            {"Riepilogo", "TfrmMenuRiepCosti"},
        };
        for (const auto& area : areas)
            for (const char* prefix : {"img", "btn", "inf"}) {
                const QString image = QLatin1String(prefix) + QLatin1String(area.area);
                QTest::newRow(qPrintable(image)) << image << QString::fromLatin1(area.target);
            }
    }
    void workAreas()
    {
        QFETCH(QString, image);
        QFETCH(QString, target);
        auto* label = menu()->findChild<ClickLabel*>(image);
        QVERIFY(label);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
        QWidget* window = Windows::byClass(qPrintable(target));
        QVERIFY(window->isVisible());
        QVERIFY(!menu()->isVisible());
        for (QWidget* other : {Windows::byClass("TfrmEsecutori"), Windows::byClass("TfrmBollettino"),
                               Windows::byClass("TfrmMenuRiepCosti")})
            QCOMPARE(other->isVisible(), other == window);
        // Leaving the work window comes back to the start menu.
        window->close();
        QVERIFY(menu()->isVisible());
    }

    void captionsAndNoButtons()
    {
        QCOMPARE(menu()->windowTitle(), QStringLiteral(" Tassella - Tasse Concessioni Governative"));
        QCOMPARE(menu()->panel()->size(), QSize(995, 692));
        QCOMPARE(child<QLabel>(menu(), "btnAnagrafica")->text(), QStringLiteral("ANAGRAFICA ESECUTORI"));
        QCOMPARE(child<QLabel>(menu(), "btnBollettino")->text(), QStringLiteral("STAMPA BOLLETTINI"));
        QCOMPARE(child<QLabel>(menu(), "btnRiepilogo")->text(), QStringLiteral("RIEPILOGO VERSAMENTI"));
        QVERIFY(menu()->findChildren<QAbstractButton*>().isEmpty());
        // Nor hover hints: the pictures speak for themselves.
        for (const QWidget* widget : menu()->findChildren<QWidget*>())
            QVERIFY2(widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY(child<QLabel>(menu(), "imgSito")->text().contains(Maker::webAddress));
    }

    void ending_data()
    {
        QTest::addColumn<QString>("control"); // empty: the window is closed
        QTest::newRow("imgEsci") << QStringLiteral("imgEsci");
        QTest::newRow("its caption lblEsci") << QStringLiteral("lblEsci");
        QTest::newRow("closing the window") << QString();
    }
    void ending()
    {
        QFETCH(QString, control);
        // The login window is hidden but alive: the program ends all the same.
        QVERIFY(Windows::byClass("TfrmPassword"));
        if (!control.isEmpty())
            QCOMPARE(child(menu(), qPrintable(control))->cursor().shape(), Qt::PointingHandCursor);
        QTimer::singleShot(0, this, [this, control] {
            if (!control.isEmpty())
                QTest::mouseClick(child(menu(), qPrintable(control)), Qt::LeftButton);
            else
                menu()->close();
        });
        QVERIFY(TestSupport::runsToEnd());
    }

    // The caption beside the credits image opens the credits as the image does.
    void creditsFromImageOrCaption_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("imgCopyright") << QStringLiteral("imgCopyright");
        QTest::newRow("its caption lblCopyright") << QStringLiteral("lblCopyright");
    }
    void creditsFromImageOrCaption()
    {
        QFETCH(QString, control);
        QWidget* clicked = child(menu(), qPrintable(control));
        QCOMPARE(clicked->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(clicked, Qt::LeftButton);
        auto* credits = TestSupport::openDialog<TfrmSplash>();
        QVERIFY(credits);
        QVERIFY(credits->isModal());
        QVERIFY(menu()->isVisible());
        QTest::mouseClick(child(credits, "btnChiudi"), Qt::LeftButton);
        QVERIFY(!TestSupport::openDialog<TfrmSplash>());
    }

    void helpPage()
    {
        QTest::mouseClick(child(menu(), "imgGuida"), Qt::LeftButton);
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        QVERIFY(guide->isModal());
        QVERIFY(menu()->isVisible());
        QCOMPARE(child<QLabel>(guide, "lblTitolo")->text(), QStringLiteral("Uno sguardo a Tassella."));
        auto* body = child<QPlainTextEdit>(guide, "txtGuida");
        QVERIFY(body->isReadOnly());
        const QStringList paragraphs = body->toPlainText().split(QStringLiteral("\n\n"));
        QVERIFY2(paragraphs.size() >= 30, qPrintable(QString::number(paragraphs.size())));
        QStringList tariffs = paragraphs.filter(QRegularExpression(QStringLiteral("^• \\d{4}  -  ")));
        QCOMPARE(tariffs.size(), 23);
        QVERIFY(tariffs.first().startsWith(QStringLiteral("• 1417  -  PORTO PISTOLE")));
        QVERIFY(tariffs.last().startsWith(QStringLiteral("• 8617  -  AUTORIZZAZIONI")));
        QVERIFY(HelpPages::startMenuBody().contains(QStringLiteral("seguenti:\r\n\r\n• 1417")));
        // The long page scrolls.
        QVERIFY(body->verticalScrollBar()->maximum() > 0);

        QTest::mouseClick(child(guide, "btnChiudi"), Qt::LeftButton);
        QVERIFY(!TestSupport::openDialog<TfrmGuida>());
    }

    // The help text has the focus but no caret: the arrow keys scroll it at once, and typing
    // moves nothing inside it.
    void helpTextScrollsWithoutCaret()
    {
        QTest::mouseClick(child(menu(), "imgGuida"), Qt::LeftButton);
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(guide);
        auto* body = child<QPlainTextEdit>(guide, "txtGuida");
        guide->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(guide));
        QCOMPARE(QApplication::focusWidget(), body);
        QCOMPARE(body->verticalScrollBar()->value(), 0);
        QTest::keyClick(body, Qt::Key_Down);
        QVERIFY(body->verticalScrollBar()->value() > 0);
        QTest::keyClick(body, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(body, Qt::Key_Right);
        QCOMPARE(body->textCursor().position(), 0);
        QVERIFY(!body->textCursor().hasSelection());
        QVERIFY(!(body->textInteractionFlags() & (Qt::TextSelectableByKeyboard | Qt::TextEditable)));
        QTest::mouseClick(child(guide, "btnChiudi"), Qt::LeftButton);
    }

    void helpPagesStartFresh()
    {
        TfrmGuida::showPage(menu(), QStringLiteral("Prima."), QStringLiteral("Uno.\r\n\r\nDue."));
        auto* first = TestSupport::openDialog<TfrmGuida>();
        QCOMPARE(child<QPlainTextEdit>(first, "txtGuida")->toPlainText(), QStringLiteral("Uno.\n\nDue."));
        first->close();
        // A body written with LF CR breaks shows the same empty line between paragraphs.
        TfrmGuida::showPage(menu(), QStringLiteral("Prima."), QStringLiteral("Uno.\n\r\n\rDue.\rTre."));
        auto* other = TestSupport::openDialog<TfrmGuida>();
        QCOMPARE(child<QPlainTextEdit>(other, "txtGuida")->toPlainText(), QStringLiteral("Uno.\n\nDue.\nTre."));
        other->close();
        TfrmGuida::showPage(menu(), QStringLiteral("Seconda."), QStringLiteral("Tre."));
        auto* second = TestSupport::openDialog<TfrmGuida>();
        QVERIFY(second != first || !first);
        QCOMPARE(child<QLabel>(second, "lblTitolo")->text(), QStringLiteral("Seconda."));
        QCOMPARE(child<QPlainTextEdit>(second, "txtGuida")->toPlainText(), QStringLiteral("Tre."));
    }

    // The guide opens from the program folder even when its path holds blanks.
    void guideLinks_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("link") << QStringLiteral("lnkWeb");
        QTest::newRow("PDF icon") << QStringLiteral("imgPDF");
    }
    void guideLinks()
    {
        QFETCH(QString, control);
        const QString folder = m_session->folder() + QStringLiteral("/Programmi con spazi");
        QVERIFY(QDir().mkpath(folder));
        ProgramFolder::setOverride(folder);
        TfrmGuida::showPage(menu(), QStringLiteral("Titolo."), QStringLiteral("Testo."));
        auto* guide = TestSupport::openDialog<TfrmGuida>();
        auto* link = child<ClickLabel>(guide, "lnkWeb");
        auto* pressed = guide->findChild<ClickLabel*>(control);

        const auto colour = [link] { return link->palette().color(link->foregroundRole()); };
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8b));
        QTest::mousePress(pressed, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0xff, 0x8c, 0x00));
        QTest::mouseRelease(pressed, Qt::LeftButton);
        QCOMPARE(colour(), QColor(0x00, 0x00, 0x8b));

        QCOMPARE(Shell::opened().size(), 1);
        const QUrl url(Shell::opened().at(0));
        QVERIFY(url.isLocalFile());
        QCOMPARE(url.toLocalFile(), folder + QStringLiteral("/Guida.pdf"));
        QVERIFY(Shell::opened().at(0).endsWith(QStringLiteral("/Programmi%20con%20spazi/Guida.pdf")));
        // A missing guide gives no message.
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void aboutWindowWritesToTheMaker()
    {
        QTest::mouseClick(child(menu(), "imgInfo"), Qt::LeftButton);
        auto* about = TestSupport::openDialog<TfrmInfo>();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral(" Informazioni su Tassella"));
        for (const char* control : {"lnkEmail", "imgEmail"})
            QTest::mouseClick(child(about, control), Qt::LeftButton);
        QCOMPARE(Shell::opened().size(), 2);
        QCOMPARE(Shell::opened().at(0), Shell::opened().at(1));
        const QUrl url(Shell::opened().at(0));
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), Maker::supportMail);
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Software Tassella"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:"));

        const QPointer<TfrmInfo> closing(about);
        QTest::mouseClick(child(about, "btnChiudi"), Qt::LeftButton);
        QTRY_VERIFY(closing.isNull()); // closed and destroyed
        QVERIFY(!TestSupport::openDialog<TfrmInfo>());
        QVERIFY(menu()->isVisible());
    }

    void creditsAndSite()
    {
        QTest::mouseClick(child(menu(), "imgCopyright"), Qt::LeftButton);
        auto* credits = TestSupport::openDialog<TfrmSplash>();
        QVERIFY(credits);
        QVERIFY(credits->windowTitle().contains(Maker::name));
        QCOMPARE(child<QLabel>(credits, "lnkWeb")->text(), Maker::webAddress);
        for (const char* control : {"lnkWeb", "imgWeb"})
            QTest::mouseClick(child(credits, control), Qt::LeftButton);
        QTest::mouseClick(child(credits, "btnChiudi"), Qt::LeftButton);
        QTest::mouseClick(child(menu(), "imgSito"), Qt::LeftButton);
        const QString site = QUrl(Maker::webUrl).toString(QUrl::FullyEncoded);
        QCOMPARE(Shell::opened(), (QStringList{site, site, site}));
    }

    // The credits' tiles stop short of both edges of their picture, and the product's logo and
    // title stand below them, not over them.
    void creditsTilesAndTitle()
    {
        Windows::openDialog<TfrmSplash>(menu());
        auto* credits = TestSupport::openDialog<TfrmSplash>();
        QVERIFY(QTest::qWaitForWindowExposed(credits));
        auto* tiles = child<QLabel>(credits, "imgCrediti");
        for (const char* name : {"imgLogo", "imgTitolo", "lblCrediti"})
            QVERIFY2(!child(credits, name)->geometry().intersects(tiles->geometry()), name);
        QVERIFY(credits->rect().contains(tiles->geometry()));
        const QImage picture = tiles->pixmap().toImage();
        QVERIFY(!picture.isNull());
        const qreal ratio = picture.devicePixelRatio();
        const QColor paper(0xee, 0xf4, 0xfc);
        for (int x : {1, tiles->width() - 2}) {
            const QColor edge = picture.pixelColor(int(x * ratio), int(20 * ratio));
            QVERIFY2(qAbs(edge.red() - paper.red()) < 12 && qAbs(edge.green() - paper.green()) < 12
                         && qAbs(edge.blue() - paper.blue()) < 12,
                     qPrintable(QStringLiteral("x %1: %2").arg(x).arg(edge.name())));
        }
        credits->close();
    }

    void shellOpenTargets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("opened");
        QTest::newRow("quoted path with blanks")
            << QStringLiteral("\"/home/ufficio/Tassella/Documenti_Allegati/carta identità.pdf\"")
            << QStringLiteral("file:///home/ufficio/Tassella/Documenti_Allegati/carta%20identit%C3%A0.pdf");
        QTest::newRow("path without quotes")
            << QStringLiteral("/srv/Tassella/Esecutori.xls") << QStringLiteral("file:///srv/Tassella/Esecutori.xls");
        QTest::newRow("folder") << QStringLiteral("\"/srv/Tassella/\"") << QStringLiteral("file:///srv/Tassella/");
        QTest::newRow("web address") << QStringLiteral("\"www.officinatessera.example\"")
                                     << QStringLiteral("http://www.officinatessera.example");
        QTest::newRow("https") << QStringLiteral("\"https://www.officinatessera.example/prodotti\"")
                               << QStringLiteral("https://www.officinatessera.example/prodotti");
        QTest::newRow("mail with subject")
            << QStringLiteral("\"mailto:mario.rossi@example.it?subject=Rinnovo licenza&body=Buongiorno, ecco\"")
            << QStringLiteral("mailto:mario.rossi@example.it?subject=Rinnovo%20licenza&body=Buongiorno,%20ecco");
        QTest::newRow("mail without address") << QStringLiteral("\"mailto:\"") << QStringLiteral("mailto:");
    }
    void shellOpenTargets()
    {
        QFETCH(QString, command);
        QFETCH(QString, opened);
        TMisc::Open(command);
        QCOMPARE(Shell::opened(), QStringList{opened});
    }

    // The build writes the user guide into the program folder; read it back with poppler.
    void userGuide()
    {
        const QString pdf = QStringLiteral(TASSELLA_PROGRAM_DIR "/Guida.pdf");
        QVERIFY(QFile::exists(pdf));
        const PdfReadBack::Document guide = PdfReadBack::words(pdf);
        QVERIFY(guide.pages.size() >= 8);
        QString content;
        for (int page = 0; page < guide.pages.size(); ++page)
            content += guide.pageText(page) + QLatin1Char(' ');
        for (const char* heading : {"Avvio e password", "Calibrare i margini di stampa", "Gli archivi",
                                    "L'anagrafica degli Esecutori", "Elenchi e ricerche", "Il riepilogo dei versamenti",
                                    "Le esportazioni", "Gli allegati", "I controlli", "TASSELLA"})
            QVERIFY2(content.contains(QString::fromUtf8(heading)), heading);
    }

private:
    static TfrmAvvio* menu() { return Windows::get<TfrmAvvio>(); }

    std::unique_ptr<TestSupport::Session> m_session;
};

QTEST_MAIN(TestStartMenu)
#include "tst_startmenu.moc"
