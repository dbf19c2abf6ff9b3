#include "data/MailCompose.h"

#include <QProcess>

namespace MailCompose {

namespace {
bool g_recording = false;
bool g_failing = false;
QList<Draft> g_composed;
} // namespace

QStringList arguments(const Draft& draft)
{
    // The address goes with "--to", which takes it as it stands: one starting with a dash or with
    // "mailto:" can only ever be an address.
    return {QStringLiteral("--utf8"),
            QStringLiteral("--subject"),
            draft.subject,
            QStringLiteral("--body"),
            draft.body,
            QStringLiteral("--attach"),
            draft.attachment,
            QStringLiteral("--to"),
            draft.address};
}

bool compose(const Draft& draft)
{
    if (g_recording) {
        g_composed << draft;
        return !g_failing;
    }
    return QProcess::startDetached(QStringLiteral("xdg-email"), arguments(draft));
}

void setRecording(bool on)
{
    g_recording = on;
    if (!on)
        g_failing = false;
}

void setFailing(bool on)
{
    g_failing = on;
}

QList<Draft> composed()
{
    return g_composed;
}

void clearComposed()
{
    g_composed.clear();
}

} // namespace MailCompose
