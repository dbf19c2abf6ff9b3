#include "app/PasswordChange.h"

#include "data/CodePage.h"
#include "data/PasswordFile.h"

namespace PasswordChange {

Message writeFailed()
{
    return {MessageKind::Plain,
            QStringLiteral("Attenzione: si è verificato un errore durante la procedura di "
                           "modifica della password. Si consiglia di reinstallare il software.")};
}

Message done()
{
    return {MessageKind::Plain, QStringLiteral("Modifica della password completata con successo.")};
}

Decision decide(const std::optional<QString>& stored, const QString& oldTyped, const QString& newTyped,
                const QString& confirmTyped)
{
    if (!stored)
        return {.message = writeFailed()};
    if (PasswordFile::normalise(oldTyped) != *stored)
        return {.message = {MessageKind::Plain, QStringLiteral("Attenzione: vecchia password errata.")},
                .clear = {QStringLiteral("txtPasswordOld")},
                .focus = QStringLiteral("txtPasswordOld")};
    const QString newPassword = CodePage::trimmed(newTyped);
    QString refusal;
    if (newPassword != CodePage::trimmed(confirmTyped))
        refusal = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                 "E' necessario reinserire entrambi i valori.");
    else if (!PasswordFile::storable(newPassword))
        // The file keeps one byte per character: such a password could never be typed back.
        refusal = QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono essere "
                                 "memorizzati, come il simbolo dell'euro (€) o altri caratteri speciali. "
                                 "Utilizzare lettere, cifre e gli altri simboli della tastiera ed inserire di "
                                 "nuovo entrambi i valori.");
    if (!refusal.isEmpty())
        return {.message = {MessageKind::Plain, refusal},
                .clear = {QStringLiteral("txtPasswordNew"), QStringLiteral("txtConferma")},
                .focus = QStringLiteral("txtPasswordNew")};
    return {.write = true, .newPassword = newPassword};
}

} // namespace PasswordChange
