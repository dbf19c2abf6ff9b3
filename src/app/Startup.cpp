#include "app/Startup.h"

#include "app/Password.h"
#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "help/Guida.h"
#include "checks/Iban.h"
#include "app/Info.h"
#include "checks/PartitaIVA.h"
#include "app/Splash.h"
#include "editors/Bollettino.h"
#include "payers/AllegaCartella.h"
#include "printing/StampaBol.h"
#include "lists/DaSaldare.h"
#include "lists/TrovaBollettini.h"
#include "lists/ExpBollettini.h"
#include "checks/Voci_Tariffa.h"
#include "lists/Scadute.h"
#include "editors/Esecutori.h"
#include "lists/Ricontatta.h"
#include "lists/TrovaEsecutori.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"
#include "checks/Calendario.h"
#include "windows/Artwork.h"
#include "windows/Windows.h"
#include "app/StartupChecks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QThreadPool>
#include <QTranslator>
#include <fontconfig/fontconfig.h>

namespace Startup {

namespace {

// Qt 6 asks the kinds of the file dialog's entries ("Folder", "Drive") under a context of their own
// that its Italian translation does not have yet; the file dialog's context has the same words.
class FileKindTranslator : public QTranslator {
public:
    FileKindTranslator(const QTranslator* base, QObject* parent)
        : QTranslator(parent)
        , m_base(base)
    {}
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        return m_base->translate("QFileDialog", source, disambiguation, n);
    }
    bool isEmpty() const override { return false; }

private:
    const QTranslator* m_base;
};

} // namespace

EarlyWork::EarlyWork()
    : m_fonts([] { FcInit(); })
{}

EarlyWork::~EarlyWork()
{
    if (m_fonts.joinable())
        m_fonts.join();
}

void EarlyWork::applicationReady()
{
    if (m_fonts.joinable())
        m_fonts.join();
    // Only the desktop platforms have the bridge; the offscreen one of the tests has none.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        QThreadPool::globalInstance()->start([] { QDBusConnection::sessionBus(); });
}

void installTranslations(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
        QApplication::installTranslator(new FileKindTranslator(translator, &app));
    }
}

namespace {
template <class T> QWidget* make()
{
    return new T;
}

using Role = Workspace::Role;
using Placement = Dialog::Placement;

// Every window of the program, in the order the start-up creates them, with how each is shown,
// and the command that leaves each dialog and some workspaces (Escape).
const Windows::WindowDef kWindows[] = {
    {"TfrmPassword", Role::Login, &make<TfrmPassword>, "cmdEsci"},
    {"TfrmAvvio", Role::StartMenu, &make<TfrmAvvio>},
    {"TfrmCambiaPassword", Role::Fixed, &make<TfrmCambiaPassword>},
    {"TfrmCarta", Placement::CentreScreen, &make<TfrmCarta>, "btnChiudi"},
    {"TfrmCodFisc", Placement::CentreScreen, &make<TfrmCodFisc>, "btnChiudi"},
    {"TfrmGuida", Placement::CentreScreen, &make<TfrmGuida>, "btnChiudi"},
    {"TfrmIban", Placement::CentreScreen, &make<TfrmIban>, "btnChiudi"},
    {"TfrmInfo", Placement::CentreScreen, &make<TfrmInfo>, "btnChiudi"},
    {"TfrmPartitaIva", Placement::CentreScreen, &make<TfrmPartitaIva>, "btnChiudi"},
    {"TfrmSplash", Placement::CentreOwner, &make<TfrmSplash>, "btnChiudi"},
    {"TfrmBollettino", Role::Work, &make<TfrmBollettino>},
    {"TfrmAllegaCartella", Placement::CentreScreen, &make<TfrmAllegaCartella>, "btnAnnulla"},
    {"TfrmStampaBol", Placement::CentreOwner, &make<TfrmStampaBol>, "btnAnnulla"},
    {"TfrmDaSaldare", Placement::CentreScreen, &make<TfrmDaSaldare>, "btnChiudi"},
    {"TfrmTrovaBollettini", Placement::CentreScreen, &make<TfrmTrovaBollettini>, "btnAnnulla"},
    {"TfrmExpBollettini", Placement::CentreScreen, &make<TfrmExpBollettini>, "cmdEsci"},
    {"TfrmVoci_Tariffa", Placement::CentreScreen, &make<TfrmVoci_Tariffa>, "btnChiudi"},
    {"TfrmScadute", Placement::CentreScreen, &make<TfrmScadute>, "btnChiudi"},
    {"TfrmEsecutori", Role::Work, &make<TfrmEsecutori>},
    {"TfrmRicontatta", Placement::CentreScreen, &make<TfrmRicontatta>, "btnChiudi"},
    {"TfrmTrovaEsecutori", Placement::CentreScreen, &make<TfrmTrovaEsecutori>, "btnAnnulla"},
    {"TfrmExpEsecutori", Placement::CentreScreen, &make<TfrmExpEsecutori>, "cmdEsci"},
    {"TfrmMenuRiepCosti", Role::Work, &make<TfrmMenuRiepCosti>, "btnEsci"},
    {"TfrmRiepCosti", Placement::Maximised, &make<TfrmRiepCosti>, "btnEsci"},
    {"TfrmCalendario", Placement::CentreOwner, &make<TfrmCalendario>, "btnAnnulla"},
};
} // namespace

void createWindows()
{
    StartupChecks::installShellFailureMessage();
    StartupChecks::installLockWait();
    TfrmGuida::installHelpKey();
    // One icon for every window, set before the first window exists.
    QApplication::setWindowIcon(QIcon(Artwork::pixmap(QStringLiteral("icona"), QSize(64, 64))));
    Windows::setRegistry(kWindows);
    // Each window sets its form up when it is first shown or looked up: the start pays for the login.
    const Windows::StartupInstances startup;
    for (const Windows::WindowDef& def : kWindows)
        Windows::add(def.create());
}

namespace {
// Draws the texts of a window just shown, aside, in their fonts: the fonts are loaded and their
// letters drawn once while the window manager maps the window, instead of after, when the window
// is first painted.
void loadFontsOf(const QWidget* window)
{
    QImage scratch(64, 64, QImage::Format_RGB32);
    QPainter painter(&scratch);
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        QString text;
        if (const auto* label = qobject_cast<const QLabel*>(control))
            text = label->text();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            text = button->text();
        if (!text.isEmpty() && control->isVisible()) {
            painter.setFont(control->font());
            painter.drawText(0, 40, text);
        }
    }
}
} // namespace

void showLogin()
{
    if (auto* login = qobject_cast<Workspace*>(Windows::byClass("TfrmPassword"))) {
        login->showFrom(nullptr);
        loadFontsOf(login);
        StartupChecks::warnIfProgramFolderReadOnly(login);
        StartupChecks::warnIfShareUntested(login);
    }
}

} // namespace Startup
