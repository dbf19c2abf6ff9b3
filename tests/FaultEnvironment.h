#pragma once
// The environment of a process run under the fault-injection library: which call fails or kills
// ("kill:7", "rename:3", "stuck:3", none), and the mark file it leaves when it struck.

#include <QProcessEnvironment>
#include <QString>

inline QProcessEnvironment faultEnvironment(const QString& library, const QString& fault, const QString& mark)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!fault.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), library);
        env.insert(QStringLiteral("TASSELLA_FAIL"), fault);
        env.insert(QStringLiteral("TASSELLA_FAIL_MARK"), mark);
        // A sanitizer build wants its runtime first; the fault library comes before it.
        const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QStringLiteral("verify_asan_link_order=0"));
    }
    return env;
}
