#pragma once
// What "OK" of the change-password window decides, as a pure function: given the stored password
// (or nothing when the file could not be read) and the three typed values, the message to show,
// the fields to empty, where the focus goes and whether the new password is to be written.

#include "data/Message.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace PasswordChange {

struct Decision {
    Message message;    // shown in a plain box when not empty
    QStringList clear;  // the fields to empty
    QString focus;      // the field to focus, when not empty
    bool write = false; // store newPassword, then show done() or writeFailed()
    QString newPassword;
};

Decision decide(const std::optional<QString>& stored, const QString& oldTyped, const QString& newTyped,
                const QString& confirmTyped);

Message done();
Message writeFailed();

} // namespace PasswordChange
