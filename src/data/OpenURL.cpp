#include "data/OpenURL.h"

#include "data/Platform.h"

void TMisc::Open(const QString& command, QObject* requester)
{
    Shell::open(command, requester);
}
