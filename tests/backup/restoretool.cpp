// The restore and the start-up's recovery in a process of their own, for the tests that run them
// under the fault-injection library or kill them in the middle.
//
//   restoretool restore <backup> <folder> <yyyyMMddhhmmss>   restores the backup into folder
//   restoretool recover <folder>                            settles a restore left unfinished
//
// The message for the user goes to standard output. Exit code 0 when the restore was done (always
// for recover), 1 when it failed, 2 for wrong arguments.

#include "backup/Restore.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const QByteArray command = argv[1];
    const QString folder = QString::fromLocal8Bit(argv[command == "restore" ? 3 : 2]);
    Message message;
    bool ok = true;
    if (command == "restore" && argc == 5) {
        const Restore::Result result =
            Restore::apply(QString::fromLocal8Bit(argv[2]), folder,
                           QDateTime::fromString(QString::fromLatin1(argv[4]), QStringLiteral("yyyyMMddhhmmss")));
        message = result.message;
        ok = result.ok;
    } else if (command == "recover" && argc == 3) {
        message = Restore::recover(folder);
    } else {
        return 2;
    }
    std::fputs(message.text.toUtf8().constData(), stdout);
    return ok ? 0 : 1;
}
