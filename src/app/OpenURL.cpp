#include "app/OpenURL.h"

#include "app/Platform.h"

void TMisc::Open(const QString& command) { Shell::open(command); }
