#include "data/OpenURL.h"

#include "data/Platform.h"

void TMisc::Open(const QString& command)
{
    Shell::open(command);
}
