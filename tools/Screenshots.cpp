// Build tool: pictures of the program's windows for the user guide, taken from the real windows
// created as the program creates them and filled with sample data, rendered offscreen.
//   tassella_shots <folder>      writes <folder>/<name>.png for each row of the table below
// One process takes every picture, so the build pays the start-up once.

#include "app/Avvio.h"
#include "app/Password.h"
#include "app/Startup.h"
#include "checks/Calendario.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "checks/Voci_Tariffa.h"
#include "data/Platform.h"
#include "lists/DaSaldare.h"
#include "lists/ExpBollettini.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/Ricontatta.h"
#include "lists/RiepCosti.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "payers/Esecutori.h"
#include "printing/SlipPreview.h"
#include "printing/StampaBol.h"
#include "slips/Bollettino.h"
#include "windows/Prompts.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Types text into a control as the user would, so that every typing rule and mirror follows.
void type(QWidget* window, const char* name, const QString& text)
{
    auto* field = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (!field) {
        err() << "note: " << window->metaObject()->className() << " has no " << name << "\n";
        return;
    }
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->clear();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

void press(QWidget* window, const char* name)
{
    if (auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name)))
        button->click();
    else
        err() << "note: " << window->metaObject()->className() << " has no " << name << "\n";
}

using Fill = std::function<void(QWidget*)>;

// A row of the table: the picture's file name, how the window comes to be (the start-up instance
// of a workspace, or a fresh dialog with its owner, as the program opens them), and the sample
// data it shows.
struct Shot {
    const char* file;
    std::function<QWidget*()> window;
    Fill fill = {};
    QSize size = {}; // for windows that open maximised: the size of the picture
};

template <class T> std::function<QWidget*()> workspace()
{
    return [] { return static_cast<QWidget*>(Windows::get<T>()); };
}
template <class T, class Owner = TfrmAvvio> std::function<QWidget*()> dialog(const char* tag = nullptr)
{
    return [tag]() -> QWidget* {
        auto* created = new T(Windows::get<Owner>());
        if (tag)
            created->setCallerTag(QString::fromLatin1(tag));
        return created;
    };
}

// One payer, one slip: the same person throughout the guide.
void fillSlip(QWidget* editor)
{
    // The year's archive opened, as the user does first.
    type(editor, "txtAnno", QStringLiteral("2025"));
    press(editor, "btnApri");
    type(editor, "txtEsecutore", QStringLiteral("ROSSI MARIO"));
    type(editor, "txtCodFisc", QStringLiteral("RSSMRA80A01H501U"));
    type(editor, "txtComuneNasc", QStringLiteral("ROMA"));
    type(editor, "txtProvNasc", QStringLiteral("RM"));
    type(editor, "txtGG", QStringLiteral("01"));
    type(editor, "txtMM", QStringLiteral("01"));
    type(editor, "txtAA", QStringLiteral("80"));
    type(editor, "txtSesso", QStringLiteral("M"));
    type(editor, "txtIndirizzoRes", QStringLiteral("VIA GARIBALDI 12"));
    type(editor, "txtCapRes", QStringLiteral("00100"));
    type(editor, "txtComuneRes", QStringLiteral("ROMA"));
    type(editor, "txtProvRes", QStringLiteral("RM"));
    type(editor, "txtCodTariffa", QStringLiteral("8445"));
    type(editor, "txtAnnoTariffa", QStringLiteral("25"));
    type(editor, "txtCausale", QStringLiteral("PORTO D'ARMI USO CACCIA"));
    type(editor, "txtImporto", QStringLiteral("168"));
    type(editor, "txtCents", QStringLiteral("00"));
    // A key in the due date opens the date picker: the date goes in as the picker writes it.
    if (auto* due = editor->findChild<QLineEdit*>(QStringLiteral("txtDataScade")))
        due->setText(QStringLiteral("31/03/2025"));
    if (auto* annual = editor->findChild<QCheckBox*>(QStringLiteral("chkAnnuale")))
        annual->setChecked(true);
    type(editor, "txtNote", QStringLiteral("Rinnovo annuale"));
}

Fill typed(const char* name, const char* text, const char* button = nullptr)
{
    return [=](QWidget* window) {
        type(window, name, QString::fromUtf8(text));
        if (button)
            press(window, button);
    };
}

const std::vector<Shot>& shots()
{
    static const std::vector<Shot> table = {
        {"login", workspace<TfrmPassword>(), typed("txtPassword", "tassella")},
        {"avvio", workspace<TfrmAvvio>()},
        {"bollettino", workspace<TfrmBollettino>(), fillSlip},
        {"stampa", dialog<TfrmStampaBol, TfrmBollettino>()},
        {"anteprima",
         [] {
             auto* print = new TfrmStampaBol(Windows::get<TfrmBollettino>());
             print->prepareSlip();
             return static_cast<QWidget*>(new SlipPreview(print->report(), print));
         },
         {},
         QSize(1000, 720)},
        {"esecutori", workspace<TfrmEsecutori>()},
        {"dasaldare", dialog<TfrmDaSaldare, TfrmBollettino>()},
        {"scadute", dialog<TfrmScadute, TfrmBollettino>()},
        {"trovabollettini", dialog<TfrmTrovaBollettini, TfrmBollettino>("bollettino")},
        {"trovaesecutori", dialog<TfrmTrovaEsecutori, TfrmEsecutori>("esecutori")},
        {"ricontatta", dialog<TfrmRicontatta, TfrmEsecutori>()},
        {"menuriepcosti", workspace<TfrmMenuRiepCosti>()},
        {"riepcosti", dialog<TfrmRiepCosti, TfrmMenuRiepCosti>(), {}, QSize(1280, 720)},
        {"expbollettini", dialog<TfrmExpBollettini, TfrmBollettino>()},
        {"expesecutori", dialog<TfrmExpEsecutori, TfrmEsecutori>()},
        {"allega", dialog<TfrmAllegaCartella, TfrmBollettino>("bollettino")},
        {"vocitariffa", dialog<TfrmVoci_Tariffa, TfrmBollettino>("bollettino")},
        {"calendario", dialog<TfrmCalendario, TfrmBollettino>("datascade")},
        {"codfisc", dialog<TfrmCodFisc>(), typed("txtCodFisc", "RSSMRA80A01H501U", "btnControlla")},
        {"partitaiva", dialog<TfrmPartitaIva>(), typed("txtPartitaIva", "00743110157", "btnControlla")},
        {"iban", dialog<TfrmIban>(), typed("txtIban", "IT60X0542811101000000123456", "btnControlla")},
        {"carta", dialog<TfrmCarta>(), typed("txtNumero", "4111111111111111", "btnControlla")},
    };
    return table;
}

} // namespace

int main(int argc, char* argv[])
{
    // The offscreen platform says for every window that it cannot raise it; that is no news here.
    static const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        err() << "usage: tassella_shots <folder>\n";
        return 2;
    }
    const QString target = args.at(1);
    if (!QDir().mkpath(target)) {
        err() << "cannot write " << target << "\n";
        return 1;
    }
    // A program folder of its own, with no box or shell action ever shown: the pictures come from
    // the windows alone.
    QTemporaryDir folder;
    ProgramFolder::setOverride(folder.path());
    MessageBox::setTestMode(true);
    Shell::setRecording(true);
    Startup::installTranslations(app);
    Startup::createWindows();

    int failed = 0;
    for (const Shot& shot : shots()) {
        QWidget* window = shot.window();
        auto* work = qobject_cast<Workspace*>(window);
        if (work)
            work->showFrom(nullptr);
        else
            window->show();
        if (shot.fill)
            shot.fill(window);
        if (shot.size.isValid())
            window->resize(shot.size);
        QApplication::processEvents();
        // A workspace's picture is its form panel, without the empty desk around it.
        const QPixmap picture = (work ? work->panel() : window)->grab();
        const QString file = target + QLatin1Char('/') + QLatin1String(shot.file) + QStringLiteral(".png");
        if (picture.isNull() || !picture.save(file)) {
            err() << "cannot write " << file << "\n";
            ++failed;
        }
        window->hide();
        if (!work)
            delete window;
        // Boxes a check would have shown belong to that picture only.
        MessageBox::clearShown();
    }
    for (QWidget* window : Windows::all())
        delete window;
    Windows::clear();
    return failed == 0 ? 0 : 1;
}
