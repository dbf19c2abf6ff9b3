#pragma once
// The shell-open routine under the name the windows use: TMisc::Open("\"" + path + "\"").

#include <QString>

class TMisc {
public:
    // Hands a path, web address or mailto link (optionally enclosed in double quotes) to the
    // desktop's open action; reports nothing, whatever happens.
    static void Open(const QString& command);
};
