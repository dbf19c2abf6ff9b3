// Reads an installed program folder as the program does: the password file answers the initial
// password, the guide is a PDF, and the folder can be written.
//   tassella_foldercheck <folder>     exit 0 when all holds, else 1 with the reason

#include "data/PasswordFile.h"
#include "data/Platform.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2)
        return 2;
    ProgramFolder::setOverride(args.at(1));
    QTextStream err(stderr);
    const auto password = PasswordFile::read(ProgramFolder::file(PasswordFile::fileName));
    if (!password || *password != QLatin1String("TASSELLA")) {
        err << "the password file does not hold the initial password\n";
        return 1;
    }
    QFile guide(ProgramFolder::file(QStringLiteral("Guida.pdf")));
    if (!guide.open(QIODevice::ReadOnly) || !guide.read(5).startsWith("%PDF-") || guide.size() < 10000) {
        err << "no guide in the program folder\n";
        return 1;
    }
    if (const Message problem = ProgramFolder::writeCheck(); !problem.isEmpty()) {
        err << problem.text << "\n";
        return 1;
    }
    return 0;
}
