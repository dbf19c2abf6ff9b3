#pragma once
// The shell-open routine under the name the windows use: TMisc::Open("\"" + path + "\"").

#include <QString>

class QObject;

class TMisc {
public:
    // Hands a path, web address or mailto link (optionally enclosed in double quotes) to the
    // desktop's open action; reports nothing itself. requester: the window that asks, over which a
    // failure is told (by default the window in front at the call).
    static void Open(const QString& command, QObject* requester = nullptr);

    // "mailto:" + address, with the characters that would end the address or start a part of the
    // link of their own ("?attach=...", "&cc=...", "#") percent-encoded: an address typed into a
    // record can only ever address a mail, never add a recipient or attach a file.
    static QString MailLink(const QString& address);
};
