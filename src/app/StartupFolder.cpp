#include "app/StartupFolder.h"

#include "data/PasswordFile.h"
#include "data/Platform.h"
#include "windows/Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace StartupFolder {
namespace {
const QString kCaption = QStringLiteral(" Tassella - Scegliere la cartella dei dati");

// Asks for a folder until one can be used, starting from start; empty when the user cancels.
QString ask(const QString& start)
{
    const QString proposed = ProgramFolder::proposed();
    // The dialog can only open on a folder that exists: the proposed one is made for it and taken
    // away again when the user goes elsewhere and leaves it empty.
    const bool made = start == proposed && !QFileInfo::exists(proposed) && QDir().mkpath(proposed);
    QString chosen;
    for (;;) {
        chosen = FileDialog::getExistingFolder(nullptr, kCaption, start);
        if (chosen.isEmpty())
            break;
        chosen = QDir::cleanPath(QDir(chosen).absolutePath());
        const Message problem = ProgramFolder::prepare(chosen);
        if (problem.isEmpty())
            break;
        MessageBox::show(nullptr, problem);
    }
    if (made && chosen != proposed)
        QDir().rmdir(proposed); // only when still empty
    return chosen;
}
} // namespace

QString welcomeText(const QString& proposed, bool initialPassword)
{
    const QString password = initialPassword
        ? QStringLiteral("\n\r\n\rPer il primo accesso in una cartella nuova, password iniziale: ")
            + PasswordFile::initial + QStringLiteral(" (si consiglia di cambiarla subito con \"Cambia password\").")
        : QString();
    return QStringLiteral("Benvenuti in Tassella.\n\r\n\rScegliere ora la cartella in cui il programma "
                          "conserverà gli archivi, le impostazioni, la password e gli allegati. "
                          "La cartella proposta è:\n\r\n\r")
        + QDir::toNativeSeparators(proposed)
        + QStringLiteral("\n\r\n\rPer usare gli stessi archivi da più PC scegliere una cartella su "
                         "un'unità condivisa.")
        + password;
}

bool choose()
{
    if (ProgramFolder::installedFiles().isEmpty())
        return true;
    QString folder = ProgramFolder::remembered();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        // A password file deleted by the user comes back as the initial one, as at the first start;
        // a folder that cannot be written is reported by the start-up's own check.
        ProgramFolder::prepare(folder);
        ProgramFolder::use(folder);
        return true;
    }
    if (folder.isEmpty()) {
        // The first password, for a new folder: told only while the installed file still holds it.
        MessageBox::information(
            nullptr,
            welcomeText(ProgramFolder::proposed(),
                        PasswordFile::holdsInitial(ProgramFolder::installedFiles() + PasswordFile::fileName)));
        folder = ProgramFolder::proposed();
    } else {
        MessageBox::warning(
            nullptr,
            QStringLiteral("Attenzione: la cartella dei dati di Tassella non è raggiungibile:\n\r\n\r")
                + QDir::toNativeSeparators(folder)
                + QStringLiteral("\n\r\n\rSe si trova su un'unità condivisa, collegare l'unità e riavviare "
                                 "il programma; altrimenti scegliere un'altra cartella."));
    }
    const QString chosen = ask(folder);
    if (chosen.isEmpty())
        return false;
    if (const Message problem = ProgramFolder::remember(chosen); !problem.isEmpty())
        MessageBox::show(nullptr, problem);
    ProgramFolder::use(chosen);
    return true;
}

} // namespace StartupFolder
