#include "app/Startup.h"

#include "app/Password.h"
#include "app/Avvio.h"
#include "app/CambiaPassword.h"
#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "app/Guida.h"
#include "checks/Iban.h"
#include "app/Info.h"
#include "checks/PartitaIVA.h"
#include "app/Splash.h"
#include "slips/Bollettino.h"
#include "payers/AllegaCartella.h"
#include "printing/StampaBol.h"
#include "lists/DaSaldare.h"
#include "lists/TrovaBollettini.h"
#include "lists/ExpBollettini.h"
#include "checks/Voci_Tariffa.h"
#include "lists/Scadute.h"
#include "payers/Esecutori.h"
#include "lists/Ricontatta.h"
#include "lists/TrovaEsecutori.h"
#include "lists/ExpEsecutori.h"
#include "lists/MenuRiepCosti.h"
#include "lists/RiepCosti.h"
#include "checks/Calendario.h"
#include "windows/Artwork.h"
#include "windows/Windows.h"
#include "app/StartupChecks.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void installTranslations(QApplication& app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

namespace {
template <class T> QWidget* make()
{
    return new T;
}

using Role = Workspace::Role;
using Placement = Dialog::Placement;

// Every window of the program, in the order the start-up creates them, with how each is shown
// and the caller tags that name the workspaces.
const Windows::WindowDef kWindows[] = {
    {"TfrmPassword", Role::Login, &make<TfrmPassword>},
    {"TfrmAvvio", Role::StartMenu, &make<TfrmAvvio>},
    {"TfrmCambiaPassword", Role::Fixed, &make<TfrmCambiaPassword>},
    {"TfrmCarta", Placement::CentreScreen, &make<TfrmCarta>},
    {"TfrmCodFisc", Placement::CentreScreen, &make<TfrmCodFisc>},
    {"TfrmGuida", Placement::CentreScreen, &make<TfrmGuida>},
    {"TfrmIban", Placement::CentreScreen, &make<TfrmIban>},
    {"TfrmInfo", Placement::CentreScreen, &make<TfrmInfo>},
    {"TfrmPartitaIva", Placement::CentreScreen, &make<TfrmPartitaIva>},
    {"TfrmSplash", Placement::CentreOwner, &make<TfrmSplash>},
    {"TfrmBollettino", Role::Work, &make<TfrmBollettino>, "bollettino,datascade"},
    {"TfrmAllegaCartella", Placement::CentreScreen, &make<TfrmAllegaCartella>},
    {"TfrmStampaBol", Placement::CentreOwner, &make<TfrmStampaBol>},
    {"TfrmDaSaldare", Placement::CentreScreen, &make<TfrmDaSaldare>},
    {"TfrmTrovaBollettini", Placement::CentreScreen, &make<TfrmTrovaBollettini>},
    {"TfrmExpBollettini", Placement::CentreScreen, &make<TfrmExpBollettini>},
    {"TfrmVoci_Tariffa", Placement::CentreScreen, &make<TfrmVoci_Tariffa>},
    {"TfrmScadute", Placement::CentreScreen, &make<TfrmScadute>},
    {"TfrmEsecutori", Role::Work, &make<TfrmEsecutori>, "esecutori"},
    {"TfrmRicontatta", Placement::CentreScreen, &make<TfrmRicontatta>},
    {"TfrmTrovaEsecutori", Placement::CentreScreen, &make<TfrmTrovaEsecutori>},
    {"TfrmExpEsecutori", Placement::CentreScreen, &make<TfrmExpEsecutori>},
    {"TfrmMenuRiepCosti", Role::Work, &make<TfrmMenuRiepCosti>, "riepilogo"},
    {"TfrmRiepCosti", Placement::Maximised, &make<TfrmRiepCosti>},
    {"TfrmCalendario", Placement::CentreOwner, &make<TfrmCalendario>},
};
} // namespace

void createWindows()
{
    StartupChecks::installShellFailureMessage();
    StartupChecks::installLockWait();
    // One icon for every window, set before the first window exists.
    QApplication::setWindowIcon(QIcon(Artwork::pixmap(QStringLiteral("icona"), QSize(64, 64))));
    Windows::setRegistry(kWindows);
    for (const Windows::WindowDef& def : kWindows)
        Windows::add(def.create());
}

void showLogin()
{
    if (auto* login = qobject_cast<Workspace*>(Windows::byClass("TfrmPassword"))) {
        login->showFrom(nullptr);
        StartupChecks::warnIfProgramFolderReadOnly(login);
    }
}

} // namespace Startup
