// The program driven from the keyboard alone, on the real windows: each row of the table is a
// window, the keys pressed there from where its focus stands, and what must come of them. Beside
// it, the keys that every digit field must take, Escape in every dialog, and the date picker's
// double click.

#include "TestSupport.h"
#include "lists/ListFixtures.h"

#include "app/Avvio.h"
#include "help/HelpPages.h"
#include "app/Info.h"
#include "app/Password.h"
#include "checks/Calendario.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "checks/Voci_Tariffa.h"
#include "data/InterfaceSize.h"
#include "lists/DaSaldare.h"
#include "lists/ExpBollettini.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/Ricontatta.h"
#include "lists/RiepCosti.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "help/Guida.h"
#include "payers/AllegaCartella.h"
#include "editors/Esecutori.h"
#include "payers/PayerRecord.h"
#include "printing/StampaBol.h"
#include "editors/Bollettino.h"
#include "windows/ClickLabel.h"
#include "windows/Look.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QSignalSpy>
#include <QTableView>
#include <variant>

using TestSupport::child;
using TestSupport::Session;

namespace {

Session* g_session = nullptr;
bool g_ended = false;

template <class T> T* window()
{
    return Session::window<T>();
}
QLineEdit* edit(QWidget* window, const char* name)
{
    return child<QLineEdit>(window, name);
}

// Waits until the window is the one that takes the keys. (QTest's wait for an active window is
// content with the window's owner being active, which a dialog over it is not.)
bool takesTheKeys(QWidget* window)
{
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

// The widget a key pressed now reaches: the open drop-down list, or the focus.
QWidget* keyTarget()
{
    if (QWidget* popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
}

// Presses keys as the user does, each at the control that has the focus then. Tokens are key
// names as Qt writes them ("End", "Shift+Tab", "Alt+Down"), "Name*n" for n presses, and "'text"
// to type the text.
void press(const QString& keys)
{
    for (const QString& token : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QList<QKeyCombination> strokes;
        if (token.startsWith(QLatin1Char('\''))) {
            for (QChar c : token.mid(1))
                strokes << QKeySequence(QString(c))[0];
        } else {
            const qsizetype star = token.indexOf(QLatin1Char('*'));
            const QKeySequence sequence(star > 0 ? token.left(star) : token);
            QVERIFY2(sequence.count() == 1 && sequence[0].key() != Qt::Key_unknown, qPrintable(token));
            for (int i = 0, times = star > 0 ? token.mid(star + 1).toInt() : 1; i < times; ++i)
                strokes << sequence[0];
        }
        for (const QKeyCombination stroke : strokes) {
            // A window opened by the key before is the one the next key goes to.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && !QApplication::activePopupWidget())
                QVERIFY(takesTheKeys(modal));
            QTRY_VERIFY2(keyTarget() && keyTarget()->window()->isVisible(), qPrintable(token));
            QWidget* target = keyTarget();
            const QChar typed = token.startsWith(QLatin1Char('\'')) ? QChar(stroke.key()) : QChar();
            if (!typed.isNull() && typed.isPrint())
                QTest::keyClick(target, typed.toLatin1());
            else
                QTest::keyClick(target, stroke.key(), stroke.keyboardModifiers());
        }
    }
}

void show(Workspace* workspace)
{
    workspace->showFrom(nullptr);
    QVERIFY(takesTheKeys(workspace));
}

void focus(QWidget* window, const char* name)
{
    TestSupport::focus(window, name);
}

template <class D, class Owner> D* openOver(Owner* owner)
{
    D* dialog = TestSupport::openFrom<D>(owner);
    if (!takesTheKeys(dialog))
        return nullptr;
    return dialog;
}

// The slip editor on the year 2026, whose archive holds two unpaid slips.
void slipEditorOn2026()
{
    using ListFixtures::slip;
    QVERIFY(ListFixtures::writeArchive(g_session->file(QStringLiteral("2026.bol")),
                                       {slip({{"Esecutore", QStringLiteral("ROSSI MARIO")},
                                              {"Intero", QStringLiteral("168,00")},
                                              {"DataScade", QStringLiteral("02/03/2026")}}),
                                        slip({{"Esecutore", QStringLiteral("BIANCHI ANNA")},
                                              {"Intero", QStringLiteral("32,00")},
                                              {"DataScade", QStringLiteral("01/04/2026")}})}));
    auto* editor = window<TfrmBollettino>();
    show(editor);
    edit(editor, "txtAnno")->setText(QStringLiteral("2026"));
    TestSupport::click(editor, "btnApri");
    QVERIFY(child(editor, "panContainer")->isVisible());
}

void showSummarySelection()
{
    show(window<TfrmMenuRiepCosti>());
}

QString dueDate()
{
    return edit(window<TfrmBollettino>(), "txtDataScade")->text();
}

// The slip export over the slip editor on 2026, its grid focused on the note of the first slip.
void slipExportOnANote()
{
    slipEditorOn2026();
    auto* exporter = openOver<TfrmExpBollettini>(window<TfrmBollettino>());
    QVERIFY(exporter);
    auto* grid = child<QTableView>(exporter, "grdRecords");
    QVERIFY(grid);
    grid->setCurrentIndex(grid->model()->index(0, 15));
    focus(exporter, "grdRecords");
}

// The payer export over the payer editor, its grid focused.
void payerExport()
{
    show(window<TfrmEsecutori>());
    auto* exporter = openOver<TfrmExpEsecutori>(window<TfrmEsecutori>());
    QVERIFY(exporter);
    focus(exporter, "grdRecords");
}

// The slip editor on 2026 with two files attached to the slip shown.
void slipAttachments()
{
    slipEditorOn2026();
    const std::pair<const char*, const char*> attached[] = {
        {"File01", "carta.pdf"}, {"Desc01", "Ricevuta"}, {"File02", "b.pdf"}};
    for (const auto& [name, text] : attached)
        TestSupport::setAttachment(window<TfrmBollettino>(), name, QString::fromLatin1(text));
    focus(window<TfrmBollettino>(), "txtCausale");
}

void focusIsOn(const char* name)
{
    QTRY_COMPARE(TestSupport::focused(), QString::fromLatin1(name));
}

// One keyboard path: how the window is opened and where its focus is put, the keys, the effect.
struct Path {
    const char* row;
    void (*open)();
    const char* keys;
    void (*check)();
};

const Path kPaths[] = {
    // The start menu: the first work area waits for Enter; Tab runs through areas and corners.
    {"start menu, Enter on the first area", [] { show(window<TfrmAvvio>()); }, "Return",
     [] {
         QTRY_VERIFY(window<TfrmEsecutori>()->isVisible());
         QVERIFY(!window<TfrmAvvio>()->isVisible());
     }},
    {"start menu, Tab Tab Enter", [] { show(window<TfrmAvvio>()); }, "Tab Tab Return",
     [] {
         QTRY_VERIFY(window<TfrmMenuRiepCosti>()->isVisible());
         QVERIFY(!window<TfrmAvvio>()->isVisible());
     }},
    {"start menu, Shift+Tab past the guide and the interface size to the about image, Enter",
     [] { show(window<TfrmAvvio>()); }, "Shift+Tab*3 Return",
     [] {
         QVERIFY(TestSupport::openDialog<TfrmInfo>());
         QVERIFY(window<TfrmAvvio>()->isVisible());
     }},
    {"start menu, Tab past the foot's commands to the exit, last, Space",
     [] {
         Windows::setEndProgramHook([] { g_ended = true; });
         show(window<TfrmAvvio>());
     },
     "Tab*10 Space", [] { QVERIFY(g_ended); }},
    {"start menu, F1 opens the guide", [] { show(window<TfrmAvvio>()); }, "F1",
     [] {
         auto* guide = TestSupport::openDialog<TfrmGuida>();
         QVERIFY(guide);
         QCOMPARE(TestSupport::textOf(guide, "lblTitolo"), HelpPages::startMenuTitle());
     }},
    {"login, Escape leaves as Esci",
     [] {
         Windows::setEndProgramHook([] { g_ended = true; });
         show(window<TfrmPassword>());
     },
     "Escape", [] { QVERIFY(g_ended); }},
    {"start menu, the site strip by Tab, Enter", [] { show(window<TfrmAvvio>()); }, "Tab*3 Return",
     [] { QCOMPARE(Shell::opened().size(), 1); }},
    {"start menu, Shift+Tab*2 to the interface size, Down", [] { show(window<TfrmAvvio>()); }, "Shift+Tab*2 Down",
     [] {
         QCOMPARE(TestSupport::focused(), QStringLiteral("cboDimensione"));
         QCOMPARE(TestSupport::textOf(window<TfrmAvvio>(), "cboDimensione"), QStringLiteral("125 %"));
         QCOMPARE(InterfaceSize::read(), 125);
     }},

    // Ctrl+Enter runs the search from the find field, where Enter only moves on to Trova.
    {"tariff list, a word and Ctrl+Enter",
     [] {
         slipEditorOn2026();
         focus(window<TfrmBollettino>(), "txtCodTariffa");
     },
     "F4 'gioco Ctrl+Return",
     [] {
         auto* list = TestSupport::openDialog<TfrmVoci_Tariffa>();
         QVERIFY(list);
         QCOMPARE(TestSupport::focused(), QStringLiteral("txtTrova"));
         const int row = TestSupport::selectedRow(list);
         QVERIFY(row >= 0);
         QVERIFY(TestSupport::shownLines(list).at(row).startsWith(QStringLiteral("2914")));
     }},
    {"summary result, F1 opens the guide",
     [] {
         show(window<TfrmMenuRiepCosti>());
         QVERIFY(openOver<TfrmRiepCosti>(window<TfrmMenuRiepCosti>()));
     },
     "F1", [] { QVERIFY(TestSupport::openDialog<TfrmGuida>()); }},

    // The slip editor's year panel: the year shown can be corrected or replaced from the keyboard.
    {"slip editor, End, Backspace*4, 2031, Enter, Enter", [] { show(window<TfrmBollettino>()); },
     "End Backspace*4 '2031 Return Return",
     [] {
         QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "lblFile"), g_session->file("2031.bol"));
         QVERIFY(window<TfrmBollettino>()->windowTitle().endsWith(QStringLiteral("anno 2031")));
     }},
    {"slip editor, the year shown is replaced by typing", [] { show(window<TfrmBollettino>()); }, "'2030 Return Return",
     [] { QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "lblFile"), g_session->file("2030.bol")); }},
    {"slip editor, Backspace on the shown year empties it, Home and End move", [] { show(window<TfrmBollettino>()); },
     "End Home Shift+End Backspace '2029 Return Return",
     [] { QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "lblFile"), g_session->file("2029.bol")); }},

    // The summary selection: days and months from their lists by keys; typing stays refused.
    {"summary, F4 opens the start day list on the day shown, Down Enter chooses the next",
     [] {
         showSummarySelection();
         TestSupport::choosePeriod(window<TfrmMenuRiepCosti>(), QStringLiteral("15"), {}, {}, {});
         focus(window<TfrmMenuRiepCosti>(), "txtGiornoInizio");
     },
     "F4 Down Return",
     [] { QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "txtGiornoInizio"), QStringLiteral("16")); }},
    {"summary, Alt+Down opens the start month list on the month shown, Up Enter chooses",
     [] {
         showSummarySelection();
         TestSupport::choosePeriod(window<TfrmMenuRiepCosti>(), {}, QStringLiteral("Marzo"), {}, {});
         focus(window<TfrmMenuRiepCosti>(), "txtMeseInizio");
     },
     "Alt+Down Up Return",
     [] { QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "txtMeseInizio"), QStringLiteral("Febbraio")); }},
    {"summary, Escape closes an open list and keeps the month",
     [] {
         showSummarySelection();
         TestSupport::choosePeriod(window<TfrmMenuRiepCosti>(), {}, {}, {}, QStringLiteral("Marzo"));
         focus(window<TfrmMenuRiepCosti>(), "txtMeseFine");
     },
     "F4 Down Escape",
     [] {
         QTRY_VERIFY(!QApplication::activePopupWidget());
         QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "txtMeseFine"), QStringLiteral("Marzo"));
         QVERIFY(window<TfrmMenuRiepCosti>()->isVisible());
     }},
    {"summary, Escape in a field leaves as Esci",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "txtEsecutore");
     },
     "Escape",
     [] {
         QTRY_VERIFY(window<TfrmAvvio>()->isVisible());
         QVERIFY(!window<TfrmMenuRiepCosti>()->isVisible());
     }},
    {"summary, Ctrl+W in a period list leaves as Esci",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "txtGiornoInizio");
     },
     "Ctrl+W",
     [] {
         QTRY_VERIFY(window<TfrmAvvio>()->isVisible());
         QVERIFY(!window<TfrmMenuRiepCosti>()->isVisible());
     }},
    {"summary, typing refused, Down and Up choose the end day",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "txtGiornoFine");
     },
     "'15 Down Down Down Up",
     [] { QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "txtGiornoFine"), QStringLiteral("02")); }},
    {"summary, Tab from the tax code to the payer image, Enter",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "txtCodFisc");
     },
     "Tab Return",
     [] {
         auto* search = TestSupport::openDialog<TfrmTrovaEsecutori>();
         QVERIFY(search);
         QCOMPARE(search->target(), static_cast<PayerTarget*>(window<TfrmMenuRiepCosti>()));
     }},
    {"summary, a whole period by keys, Enter on Visualizza",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "txtGiornoInizio");
     },
     "Down Return Down Return Down Down Return Down Down Down Return Return",
     [] {
         QVERIFY(TestSupport::openDialog<TfrmRiepCosti>());
         QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "lblDataInizio"), QStringLiteral("01/01/2026"));
         QCOMPARE(TestSupport::textOf(window<TfrmMenuRiepCosti>(), "lblDataFine"), QStringLiteral("02/03/2026"));
     }},
    {"summary, Enter on Esci",
     [] {
         showSummarySelection();
         focus(window<TfrmMenuRiepCosti>(), "btnEsci");
     },
     "Return",
     [] {
         QTRY_VERIFY(window<TfrmAvvio>()->isVisible());
         QVERIFY(!window<TfrmMenuRiepCosti>()->isVisible());
     }},
    {"summary result, Escape leaves as Esci and hides the notice",
     [] {
         showSummarySelection();
         TestSupport::choosePeriod(window<TfrmMenuRiepCosti>(), QStringLiteral("01"), QStringLiteral("Gennaio"),
                                   QStringLiteral("31"), QStringLiteral("Dicembre"));
         TestSupport::click(window<TfrmMenuRiepCosti>(), "btnVisualizza");
         QVERIFY(TestSupport::openDialog<TfrmRiepCosti>());
         QVERIFY(child(window<TfrmMenuRiepCosti>(), "lblAttendere")->isVisible());
     },
     "Escape",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmRiepCosti>());
         QVERIFY(!child(window<TfrmMenuRiepCosti>(), "lblAttendere")->isVisible());
     }},

    // The date picker takes the day with Enter.
    {"date picker, Enter takes today",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmCalendario>(window<TfrmBollettino>()));
     },
     "Return",
     [] {
         QCOMPARE(dueDate(), QStringLiteral("10/05/2026"));
         QTRY_VERIFY(!TestSupport::openDialog<TfrmCalendario>());
     }},
    {"date picker, Right Down Enter takes a day a week and one later",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmCalendario>(window<TfrmBollettino>()));
     },
     "Right Down Return", [] { QCOMPARE(dueDate(), QStringLiteral("18/05/2026")); }},
    {"date picker, Escape leaves the due date",
     [] {
         slipEditorOn2026();
         edit(window<TfrmBollettino>(), "txtDataScade")->setText(QStringLiteral("01/01/2027"));
         QVERIFY(openOver<TfrmCalendario>(window<TfrmBollettino>()));
     },
     "Right Escape",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmCalendario>());
         QCOMPARE(dueDate(), QStringLiteral("01/01/2027"));
     }},

    // Lists: Enter on a line opens it; Enter on a focused Trova finds.
    {"unpaid slips, Tab to the list, Down Enter loads the second line's slip",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmDaSaldare>(window<TfrmBollettino>()));
     },
     "Tab Tab Down Return",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmDaSaldare>());
         QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "lblPosizione"), QStringLiteral("1"));
         QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "txtEsecutore"), QStringLiteral("ROSSI MARIO"));
     }},
    {"unpaid slips, find text, Enter to Trova, Enter finds",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmDaSaldare>(window<TfrmBollettino>()));
     },
     "'rossi Return Return",
     [] {
         auto* list = TestSupport::openDialog<TfrmDaSaldare>();
         QVERIFY(list);
         QCOMPARE(TestSupport::selectedRow(list), 1);
         QCOMPARE(TestSupport::focused(), QStringLiteral("btnTrova"));
     }},
    {"tariff list, Tab Tab to the list, Down Enter writes the code",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmVoci_Tariffa>(window<TfrmBollettino>()));
     },
     "Tab Tab Down Return",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmVoci_Tariffa>());
         QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "txtCodTariffa"),
                  TfrmVoci_Tariffa::entries().at(1).left(4));
     }},
    {"slip search, Enter on Cerca, then Enter on a line",
     [] {
         slipEditorOn2026();
         auto* search = openOver<TfrmTrovaBollettini>(window<TfrmBollettino>());
         QVERIFY(search);
         focus(search, "btnCerca");
     },
     "Return Tab Tab Return",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmTrovaBollettini>());
         QCOMPARE(TestSupport::textOf(window<TfrmBollettino>(), "lblPosizione"), QStringLiteral("2"));
     }},

    // The print window opens on "Stampa": Enter prints, with the margins as they were.
    {"print window, Enter prints",
     [] {
         slipEditorOn2026();
         PrintDialog::setNextAccept(g_session->file(QStringLiteral("slip.pdf")));
         QVERIFY(openOver<TfrmStampaBol>(window<TfrmBollettino>()));
     },
     "Return",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmStampaBol>());
         QVERIFY(QFile::exists(g_session->file(QStringLiteral("slip.pdf"))));
         QVERIFY(!QFile::exists(g_session->file(QStringLiteral("Tassella.ini"))));
     }},
    {"print window, Escape leaves without printing",
     [] {
         slipEditorOn2026();
         QVERIFY(openOver<TfrmStampaBol>(window<TfrmBollettino>()));
     },
     "Escape",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmStampaBol>());
         QVERIFY(!QFile::exists(g_session->file(QStringLiteral("slip.pdf"))));
     }},

    // The check windows and the export: their buttons take Enter, tool buttons too.
    {"tax code check, Tab to Chiudi, Enter", [] { QVERIFY(openOver<TfrmCodFisc>(window<TfrmAvvio>())); },
     "Tab Tab Return", [] { QTRY_VERIFY(!TestSupport::openDialog<TfrmCodFisc>()); }},
    {"card check, a letter refused, digits checked by Enter Enter",
     [] { QVERIFY(openOver<TfrmCarta>(window<TfrmAvvio>())); }, "'x5555555555554444 Return Return",
     [] {
         QCOMPARE(MessageBox::shown().size(), 1);
         QCOMPARE(MessageBox::shown().first().text, TestSupport::Messages::cardValid("5555555555554444", "MasterCard"));
     }},
    // The export windows: Tab, Shift+Tab and Ctrl+Tab leave the grid for the commands and come back
    // round; the commands have their keys.
    {"slip export, Tab from the grid to Esporta in Excel", slipExportOnANote, "Tab", [] { focusIsOn("cmdEsporta"); }},
    {"slip export, Tab through Guida and Esci back to the grid", slipExportOnANote, "Tab Tab Tab Tab",
     [] { focusIsOn("grdRecords"); }},
    {"slip export, Shift+Tab from the grid to Esci", slipExportOnANote, "Shift+Tab", [] { focusIsOn("cmdEsci"); }},
    {"slip export, Ctrl+Tab leaves the grid", slipExportOnANote, "Ctrl+Tab", [] { focusIsOn("cmdEsporta"); }},
    {"slip export, Ctrl+Shift+Tab leaves the grid backwards", slipExportOnANote, "Ctrl+Shift+Tab",
     [] { focusIsOn("cmdEsci"); }},
    {"slip export, Tab in a cell being edited keeps the text and leaves the grid", slipExportOnANote, "F2 End 'X Tab",
     [] {
         focusIsOn("cmdEsporta");
         auto* grid = child<QTableView>(TestSupport::openDialog<TfrmExpBollettini>(), "grdRecords");
         QCOMPARE(grid->model()->index(0, 15).data().toString(), QStringLiteral("X"));
         QTRY_VERIFY(!grid->findChild<QLineEdit*>());
     }},
    {"slip export, Tab then Enter exports",
     [] {
         slipExportOnANote();
         MessageBox::setNextAnswer(MessageBox::Button::No);
     },
     "Tab Return",
     [] {
         QCOMPARE(MessageBox::shown().size(), 1);
         QCOMPARE(MessageBox::shown().first().text, Exports::askExport().text);
     }},
    {"slip export, Ctrl+S exports from the grid",
     [] {
         slipExportOnANote();
         MessageBox::setNextAnswer(MessageBox::Button::No);
     },
     "Ctrl+S",
     [] {
         QCOMPARE(MessageBox::shown().size(), 1);
         QCOMPARE(MessageBox::shown().first().text, Exports::askExport().text);
         QVERIFY(!QFile::exists(g_session->file(QStringLiteral("Riepilogo_Annuale_Versamenti.xls"))));
     }},
    {"slip export, F1 opens the guide", slipExportOnANote, "F1",
     [] {
         auto* guide = TestSupport::openDialog<TfrmGuida>();
         QVERIFY(guide);
         QCOMPARE(TestSupport::textOf(guide, "lblTitolo"),
                  QStringLiteral("Esportazione archivio annuale versamenti in Microsoft Excel."));
     }},
    {"slip export, Ctrl+W leaves", slipExportOnANote, "Ctrl+W",
     [] { QTRY_VERIFY(!TestSupport::openDialog<TfrmExpBollettini>()); }},
    {"slip export, Tab Tab Tab Enter on Esci leaves", slipExportOnANote, "Tab Tab Tab Return",
     [] { QTRY_VERIFY(!TestSupport::openDialog<TfrmExpBollettini>()); }},
    {"payer export, Tab Tab from the grid to Guida", payerExport, "Tab Tab", [] { focusIsOn("cmdGuida"); }},
    {"payer export, Ctrl+Tab leaves the grid", payerExport, "Ctrl+Tab", [] { focusIsOn("cmdEsporta"); }},
    {"payer export, F1 opens the guide", payerExport, "F1", [] { QVERIFY(TestSupport::openDialog<TfrmGuida>()); }},
    {"payer export, Escape leaves", payerExport, "Escape",
     [] { QTRY_VERIFY(!TestSupport::openDialog<TfrmExpEsecutori>()); }},

    // The attachments: each name's eraser is reached by Tab and pressed by Space or Enter.
    {"attachments, Tab to the first eraser, Space, then Applica e chiudi", slipAttachments,
     "Ctrl+L Tab Space Shift+Tab*3 Return",
     [] {
         QTRY_VERIFY(!TestSupport::openDialog<TfrmAllegaCartella>());
         QCOMPARE(TestSupport::attachment(window<TfrmBollettino>(), "File01"), QString());
         QCOMPARE(TestSupport::attachment(window<TfrmBollettino>(), "Desc01"), QStringLiteral("Ricevuta"));
         QCOMPARE(TestSupport::attachment(window<TfrmBollettino>(), "File02"), QStringLiteral("b.pdf"));
     }},
    {"attachments, Tab to the second eraser, Enter", slipAttachments, "Ctrl+L Tab*6 Return",
     [] {
         auto* dialog = TestSupport::openDialog<TfrmAllegaCartella>();
         QVERIFY(dialog);
         QCOMPARE(TestSupport::focused(), QStringLiteral("imgCancella02"));
         QCOMPARE(TestSupport::textOf(dialog, "txtFile01"), QStringLiteral("carta.pdf"));
         QCOMPARE(TestSupport::textOf(dialog, "txtFile02"), QString());
         QVERIFY(!child(dialog, "btnApri02")->isEnabled());
     }},

    {"slip export, Enter on the focused Esci",
     [] {
         slipEditorOn2026();
         auto* exporter = openOver<TfrmExpBollettini>(window<TfrmBollettino>());
         QVERIFY(exporter);
         focus(exporter, "cmdEsci");
     },
     "Return", [] { QTRY_VERIFY(!TestSupport::openDialog<TfrmExpBollettini>()); }},
};

// A dialog that closes itself hands the keys back to the window that opened it, with the focus
// where it was: how the opener is shown and focused, the keys that open the dialog and have it close.
struct Return {
    const char* row;
    void (*open)();
    const char* keys;
    const char* window;
    const char* field;
};

// The payer editor with text in one of its fields, focused there.
void payerField(const char* field, const char* text)
{
    show(window<TfrmEsecutori>());
    edit(window<TfrmEsecutori>(), field)->setText(QString::fromLatin1(text));
    focus(window<TfrmEsecutori>(), field);
}

void slipField(const char* field)
{
    slipEditorOn2026();
    focus(window<TfrmBollettino>(), field);
}

// Two payers in the archive, the second to be contacted again.
void payerArchive()
{
    Record again = ListFixtures::payer({{"Esecutore", QStringLiteral("VERDI LUCA")}});
    again.setFlag("Ricontatta", true);
    QVERIFY(ListFixtures::writeArchive(PayerRecord::archivePath(),
                                       {ListFixtures::payer({{"Esecutore", QStringLiteral("NERI ADA")}}), again}));
}

const Return kReturns[] = {
    {"tax code check, after its verdict", [] { payerField("txtCodFisc", "RSSMRA85T10A562S"); }, "F4 Return Return",
     "TfrmEsecutori", "txtCodFisc"},
    {"tax code check, Escape", [] { payerField("txtCodFisc", "RSSMRA85T10A562S"); }, "F4 Escape", "TfrmEsecutori",
     "txtCodFisc"},
    {"VAT number check, after its verdict", [] { payerField("txtPartitaIva", "12345678903"); }, "F4 Return Return",
     "TfrmEsecutori", "txtPartitaIva"},
    {"IBAN check, after its verdict", [] { payerField("txtIban", "IT60X0542811101000000123456"); }, "F4 Return Return",
     "TfrmEsecutori", "txtIban"},
    {"card check, after its verdict", [] { payerField("txtCarta", "4111111111111111"); }, "F4 Return Return",
     "TfrmEsecutori", "txtCarta"},
    {"date picker, a day taken", [] { slipField("txtDataScade"); }, "F4 Return", "TfrmBollettino", "txtDataScade"},
    {"tariff list, a code taken", [] { slipField("txtCodTariffa"); }, "F4 Tab Tab Down Return", "TfrmBollettino",
     "txtCodTariffa"},
    {"unpaid slips, a slip loaded", [] { slipField("txtCausale"); }, "Ctrl+R Tab Tab Down Return", "TfrmBollettino",
     "txtCausale"},
    {"expired slips, a slip loaded", [] { slipField("txtCausale"); }, "Ctrl+T Tab Tab Return", "TfrmBollettino",
     "txtCausale"},
    {"slip search, a slip loaded", [] { slipField("txtCausale"); }, "Ctrl+F Shift+Tab Return Tab Tab Return",
     "TfrmBollettino", "txtCausale"},
    {"payer search, a payer taken into the slip",
     [] {
         payerArchive();
         slipField("txtCausale");
     },
     "Ctrl+I Shift+Tab Return Tab Tab Return", "TfrmBollettino", "txtCausale"},
    {"payers to recontact, a payer loaded",
     [] {
         payerArchive();
         show(window<TfrmEsecutori>());
         focus(window<TfrmEsecutori>(), "txtNote");
     },
     "Ctrl+R Tab Tab Return", "TfrmEsecutori", "txtNote"},
    {"attachments, Applica e chiudi", [] { slipField("txtCausale"); }, "Ctrl+L Shift+Tab Shift+Tab Return",
     "TfrmBollettino", "txtCausale"},
    {"print window, printed",
     [] {
         slipField("txtCausale");
         PrintDialog::setNextAccept(g_session->file(QStringLiteral("slip.pdf")));
     },
     "Ctrl+P Return", "TfrmBollettino", "txtCausale"},
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<Session> m_session;

private slots:
    void init()
    {
        m_session = std::make_unique<Session>();
        g_session = m_session.get();
        g_ended = false;
        Clock::setFixed(QDateTime(QDate(2026, 5, 10), QTime(9, 0)));
        // The slip editor names an archive in the program folder for the windows that read it.
        window<TfrmBollettino>()->year()->open(QStringLiteral("2026"), m_session->file(QStringLiteral("2026.bol")));
    }
    void cleanup()
    {
        TestSupport::closeDialogs();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_session = nullptr;
        m_session.reset();
    }

    void keyboardPaths_data()
    {
        QTest::addColumn<int>("path");
        for (size_t i = 0; i < std::size(kPaths); ++i)
            QTest::newRow(kPaths[i].row) << int(i);
    }
    void keyboardPaths()
    {
        QFETCH(int, path);
        const Path& p = kPaths[path];
        p.open();
        if (QTest::currentTestFailed())
            return;
        MessageBox::clearShown();
        press(QString::fromLatin1(p.keys));
        if (QTest::currentTestFailed())
            return;
        p.check();
    }

    // After a dialog closes itself, the keys go to the window that opened it, at the field they left.
    void focusReturnsToTheOpener_data()
    {
        QTest::addColumn<int>("path");
        for (size_t i = 0; i < std::size(kReturns); ++i)
            QTest::newRow(kReturns[i].row) << int(i);
    }
    void focusReturnsToTheOpener()
    {
        QFETCH(int, path);
        const Return& r = kReturns[path];
        r.open();
        if (QTest::currentTestFailed())
            return;
        press(QString::fromLatin1(r.keys));
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QTRY_VERIFY(QApplication::activeWindow());
        QCOMPARE(QApplication::activeWindow()->objectName(), QString::fromLatin1(r.window));
        QTRY_COMPARE(TestSupport::focused(), QString::fromLatin1(r.field));
    }

    // Every digit field of the program takes the keys that type nothing: End, Home, Shift+End and
    // Ctrl+A move the cursor and select. Entered by the program's focus after the program filled
    // it, the field has its text selected.
    void digitFieldsMoveAndSelect_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        const std::pair<const char*, const char*> fields[] = {
            {"TfrmBollettino", "txtAnno"},
            {"TfrmBollettino", "txtImporto"},
            {"TfrmBollettino", "txtCents"},
            {"TfrmBollettino", "txtAnnoTariffa"},
            {"TfrmBollettino", "txtGG"},
            {"TfrmBollettino", "txtMM"},
            {"TfrmBollettino", "txtAA"},
            {"TfrmBollettino", "txtCapRes"},
            {"TfrmEsecutori", "txtGG"},
            {"TfrmEsecutori", "txtMM"},
            {"TfrmEsecutori", "txtAA"},
            {"TfrmEsecutori", "txtCapRes"},
            {"TfrmEsecutori", "txtCarta"},
            {"TfrmEsecutori", "txtPartitaIva"},
            {"TfrmMenuRiepCosti", "txtAnno"},
            {"TfrmMenuRiepCosti", "txtGiornoInizio"},
            {"TfrmMenuRiepCosti", "txtMeseInizio"},
            {"TfrmMenuRiepCosti", "txtGiornoFine"},
            {"TfrmMenuRiepCosti", "txtMeseFine"},
            {"TfrmCarta", "txtNumero"},
            {"TfrmPartitaIva", "txtPartitaIva"},
        };
        for (const auto& [window, field] : fields)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(window), QLatin1String(field))))
                << QString::fromLatin1(window) << QString::fromLatin1(field);
    }
    void digitFieldsMoveAndSelect()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QWidget* shown = showWindow(window, field);
        QVERIFY(shown);
        QWidget* control = shown->findChild<QWidget*>(field);
        QVERIFY2(control, qPrintable(field));
        auto* combo = qobject_cast<QComboBox*>(control);
        QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
        QVERIFY(line);
        // A value as the program puts it in.
        const int room = line->maxLength() < 4 ? line->maxLength() : 4;
        const QString value = combo ? combo->itemText(1) : QStringLiteral("1234").left(room);
        if (combo)
            combo->setCurrentIndex(1);
        else
            line->setText(value);
        TestSupport::focus(shown, qPrintable(field));
        QCOMPARE(line->selectedText(), value);

        QTest::keyClick(line, Qt::Key_End);
        QCOMPARE(line->cursorPosition(), value.size());
        QVERIFY(!line->hasSelectedText());
        QTest::keyClick(line, Qt::Key_Home);
        QCOMPARE(line->cursorPosition(), 0);
        QTest::keyClick(line, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(line->selectedText(), value);
        QTest::keyClick(line, Qt::Key_Home);
        QTest::keyClick(line, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(line->selectedText(), value.left(1));
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(line->selectedText(), value);
        QCOMPARE(line->text(), value);
    }

    // The table above holds every digit field there is: a new one must be added to it.
    void everyDigitFieldIsInTheTable()
    {
        QStringList found;
        for (QWidget* window : Windows::all())
            for (QLineEdit* line : window->findChildren<QLineEdit*>())
                if (line->inputMethodHints() & Qt::ImhDigitsOnly)
                    found << QStringLiteral("%1 %2").arg(QLatin1String(window->metaObject()->className()),
                                                         line->objectName());
        found.sort();
        QCOMPARE(
            found,
            (QStringList{"TfrmBollettino txtAA", "TfrmBollettino txtAnno", "TfrmBollettino txtAnnoTariffa",
                         "TfrmBollettino txtCents", "TfrmBollettino txtGG", "TfrmBollettino txtImporto",
                         "TfrmBollettino txtMM", "TfrmCarta txtNumero", "TfrmEsecutori txtCarta",
                         "TfrmEsecutori txtPartitaIva", "TfrmMenuRiepCosti txtAnno", "TfrmPartitaIva txtPartitaIva"}));
    }

    // Escape in any dialog presses its exit command, and so does what that command does.
    void escapePressesTheExitCommand_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("exit");
        int dialogs = 0;
        const Session registry;
        for (QWidget* window : Windows::all()) {
            const Windows::WindowDef* def = Windows::definition(window->metaObject()->className());
            if (!std::holds_alternative<Dialog::Placement>(def->kind))
                continue;
            ++dialogs;
            QTest::newRow(def->className) << QString::fromLatin1(def->className) << QString::fromLatin1(def->exit);
        }
        QCOMPARE(dialogs, 19);
    }
    void escapePressesTheExitCommand()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, exit);
        const Windows::WindowDef* def = Windows::definition(qPrintable(dialog));
        QPointer<QWidget> opened = def->create();
        opened->setParent(window<TfrmBollettino>(), opened->windowFlags());
        opened->setAttribute(Qt::WA_DeleteOnClose);
        opened->setWindowModality(Qt::ApplicationModal);
        opened->show();
        QVERIFY(takesTheKeys(opened));
        auto* command = opened->findChild<QAbstractButton*>(exit);
        QVERIFY2(command, qPrintable(exit));
        QSignalSpy pressed(command, &QAbstractButton::clicked);
        QWidget* target = opened->focusWidget() ? opened->focusWidget() : opened.data();
        QTest::keyClick(target, Qt::Key_Escape);
        QCOMPARE(pressed.size(), 1);
        QTRY_VERIFY(opened.isNull());
    }

    // A double click on a day takes that day, as "Importa" does.
    void datePickerTakesADoubleClickedDay()
    {
        auto* editor = window<TfrmBollettino>();
        show(editor);
        auto* picker = openOver<TfrmCalendario>(editor);
        QVERIFY(picker);
        auto* calendar = child<QCalendarWidget>(picker, "calAppuntamenti");
        QVERIFY(calendar);
        auto* days = calendar->findChild<QTableView*>();
        QVERIFY(days);
        QModelIndex fifteenth;
        for (int row = 0; row < days->model()->rowCount() && !fifteenth.isValid(); ++row)
            for (int column = 0; column < days->model()->columnCount(); ++column)
                if (const QModelIndex index = days->model()->index(row, column); row > 0 && index.data().toInt() == 15)
                    fifteenth = index;
        QVERIFY(fifteenth.isValid());
        const QPoint at = days->visualRect(fifteenth).center();
        QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(TestSupport::openDialog<TfrmCalendario>()); // one click only chooses
        QTest::mouseDClick(days->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(dueDate(), QStringLiteral("15/05/2026"));
        QTRY_VERIFY(!TestSupport::openDialog<TfrmCalendario>());
    }

    // A list with the focus is framed in the focus colour.
    void listsShowTheirFocus()
    {
        slipEditorOn2026();
        auto* list = openOver<TfrmDaSaldare>(window<TfrmBollettino>());
        QVERIFY(list);
        auto* view = child<QListView>(list, "lstRecords");
        const auto edge = [view] { return view->grab().toImage().pixelColor(0, view->height() / 2); };
        QVERIFY(edge() != Look::focusColour());
        press(QStringLiteral("Tab Tab"));
        QTRY_VERIFY(view->hasFocus());
        QCOMPARE(edge(), Look::focusColour());
    }

    // Pictures and captions that take the keyboard's focus say what they do.
    void focusableCommandsHaveNames()
    {
        int commands = 0;
        for (QWidget* window : Windows::all())
            for (ClickLabel* label : window->findChildren<ClickLabel*>()) {
                if (!(label->focusPolicy() & Qt::TabFocus))
                    continue;
                ++commands;
                QVERIFY2(!label->accessibleName().trimmed().isEmpty(), qPrintable(label->objectName()));
            }
        QVERIFY(commands >= 13); // the start menu's eight, the summary's two, the about, credits and guide links
        QCOMPARE(child(window<TfrmAvvio>(), "btnBollettino")->accessibleName(), QStringLiteral("Stampa bollettini"));
    }

private:
    // Shows the window of that class as the user reaches it, for work on that field.
    static QWidget* showWindow(const QString& className, const QString& field)
    {
        QWidget* startup = Windows::byClass(qPrintable(className));
        if (auto* workspace = qobject_cast<Workspace*>(startup)) {
            workspace->showFrom(nullptr);
            if (!QTest::qWaitForWindowActive(workspace))
                return nullptr;
            if (className == QLatin1String("TfrmBollettino") && field != QLatin1String("txtAnno")) {
                edit(workspace, "txtAnno")->setText(QStringLiteral("2026"));
                TestSupport::click(workspace, "btnApri");
            }
            return workspace;
        }
        QWidget* dialog = Windows::definition(qPrintable(className))->create();
        dialog->setParent(window<TfrmAvvio>(), dialog->windowFlags());
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->show();
        return takesTheKeys(dialog) ? dialog : nullptr;
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
