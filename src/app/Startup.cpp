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
#include "windows/Windows.h"
#include "app/StartupChecks.h"

#include <QApplication>
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

void createWindows()
{
    StartupChecks::installShellFailureMessage();
    Windows::add(new TfrmPassword);
    Windows::add(new TfrmAvvio);
    Windows::add(new TfrmCambiaPassword);
    Windows::add(new TfrmCarta);
    Windows::add(new TfrmCodFisc);
    Windows::add(new TfrmGuida);
    Windows::add(new TfrmIban);
    Windows::add(new TfrmInfo);
    Windows::add(new TfrmPartitaIva);
    Windows::add(new TfrmSplash);
    Windows::add(new TfrmBollettino);
    Windows::add(new TfrmAllegaCartella);
    Windows::add(new TfrmStampaBol);
    Windows::add(new TfrmDaSaldare);
    Windows::add(new TfrmTrovaBollettini);
    Windows::add(new TfrmExpBollettini);
    Windows::add(new TfrmVoci_Tariffa);
    Windows::add(new TfrmScadute);
    Windows::add(new TfrmEsecutori);
    Windows::add(new TfrmRicontatta);
    Windows::add(new TfrmTrovaEsecutori);
    Windows::add(new TfrmExpEsecutori);
    Windows::add(new TfrmMenuRiepCosti);
    Windows::add(new TfrmRiepCosti);
    Windows::add(new TfrmCalendario);
}

void showLogin()
{
    if (auto* login = qobject_cast<Workspace*>(Windows::byClass("TfrmPassword"))) {
        login->showFrom(nullptr);
        StartupChecks::warnIfProgramFolderReadOnly(login);
    }
}

} // namespace Startup
