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
};
