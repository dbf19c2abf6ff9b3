// The program's own save paths in a process of their own, for the tests that run them under the
// fault-injection library, kill them in the middle of a save or run two of them at once.
//
//   faulttool append <archive> <slip|payer> <name>          appends a record named <name>
//   faulttool overwrite <archive> <slip|payer> <n> <name>   overwrites record n
//   faulttool loop <archive> <count> <prefix>               appends slips <prefix>00001, 00002, ..., printing
//                                                           the number each one was given
//   faulttool batch <archive> <count> <prefix>              appends slips <prefix>00001, ... in one batch
//   faulttool mixed <folder> <count> <prefix>               appends slips <prefix>00001, ... to 2024.bol in
//                                                           <folder>, overwrites every third with its
//                                                           second version, and sets its own key in
//                                                           Tassella.ini to the count reached, every fifth
//   faulttool retry <archive> <slip|payer> <name> <tries>   appends, trying again after a failure as the
//                                                           user would, up to <tries> times
//   faulttool count <archive> <slip|payer>                  counts the records (an interrupted overwrite is
//                                                           undone first)
//   faulttool ini <file> <section> <key> <value>            sets one settings value
//   faulttool margin <folder> <key> <value>                 stores a print margin as "Applica" does
//   faulttool password <file> <password>                    changes the password as the window does
//
// Exit code 0 when the save was done, 1 when it failed (the reason on standard error), 2 for
// wrong arguments. A notice for the user is printed on standard output.

#include "data/IniFile.h"
#include "data/PasswordFile.h"
#include "data/Platform.h"
#include "data/RecordArchive.h"
#include "data/RecordLayout.h"
#include "data/SafeWrite.h"
#include "payers/PayerRecord.h"
#include "printing/PrintMargins.h"
#include "slips/SlipArchive.h"
#include "slips/SlipRecord.h"

#include <cstdio>

namespace {

QString arg(char** argv, int i)
{
    return QString::fromLocal8Bit(argv[i]);
}

int done(bool ok, const QString& error = {}, const QString& notice = {})
{
    if (!notice.isEmpty())
        std::fprintf(stdout, "%s\n", notice.toUtf8().constData());
    if (!ok)
        std::fprintf(stderr, "failed: %s\n", error.toUtf8().constData());
    return ok ? 0 : 1;
}

Record named(bool payer, const QString& name)
{
    Record record(payer ? PayerRecord::layout() : SlipRecord::layout());
    record.setText("Esecutore", name);
    return record;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    // The wait for a lock held elsewhere, when a test wants it shorter than the program's.
    if (const int wait = qEnvironmentVariableIntValue("TASSELLA_LOCK_WAIT"); wait > 0)
        SafeWrite::Lock::setTimeout(wait);
    const QByteArray command = argv[1];
    if ((command == "append" && argc == 5) || (command == "overwrite" && argc == 6)) {
        const bool payer = arg(argv, 3) == QLatin1String("payer");
        RecordArchive archive(arg(argv, 2), payer ? PayerRecord::kSize : SlipRecord::kSize);
        const Record record = named(payer, arg(argv, argc - 1));
        if (command == "append") {
            const std::optional<qint64> n = archive.append(record.bytes());
            return done(n.has_value(), archive.errorString(), archive.notice().text);
        }
        return done(archive.overwrite(arg(argv, 4).toLongLong(), record.bytes()), archive.errorString());
    }
    if (command == "loop" && argc == 5) {
        SlipArchive archive(arg(argv, 2));
        const int count = arg(argv, 3).toInt();
        for (int i = 1; i <= count; ++i) {
            const QString name = arg(argv, 4) + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
            const std::optional<qint64> n = archive.append(named(false, name));
            if (!n)
                return done(false, archive.errorString());
            std::fprintf(stdout, "%lld\n", static_cast<long long>(*n));
        }
        return 0;
    }
    if (command == "batch" && argc == 5) {
        RecordArchive archive(arg(argv, 2), SlipRecord::kSize);
        const QString prefix = arg(argv, 4);
        const std::optional<qint64> last = archive.append(arg(argv, 3).toLongLong(), [&prefix](qint64 i) {
            return named(false, prefix + QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0'))).bytes();
        });
        return done(last.has_value(), archive.errorString(), archive.notice().text);
    }
    if (command == "mixed" && argc == 5) {
        const QString folder = arg(argv, 2);
        SlipArchive archive(folder + QStringLiteral("/2024.bol"));
        const QString ini = folder + QStringLiteral("/Tassella.ini");
        const int count = arg(argv, 3).toInt();
        const QString prefix = arg(argv, 4);
        qint64 previous = 0;
        for (int i = 1; i <= count; ++i) {
            Record slip = named(false, prefix + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
            // The reason repeats the name: a record mixed from two writes shows at once.
            slip.setText("Causale", slip.text("Esecutore"));
            const std::optional<qint64> n = archive.append(slip);
            if (!n)
                return done(false, archive.errorString());
            if (i % 3 == 0) {
                // Read again after a moment, as the user would after the access message, should the
                // archive be busy with the other PC's save for longer than the wait.
                auto loaded = archive.read(previous);
                for (int tries = 1; !loaded && tries < 5; ++tries) {
                    std::fprintf(stderr, "read %lld refused: %s\n", static_cast<long long>(previous),
                                 archive.errorString().toUtf8().constData());
                    loaded = archive.read(previous);
                }
                if (!loaded)
                    return done(false, archive.errorString());
                Record second = *loaded;
                second.setText("Note", QStringLiteral("seconda versione"));
                if (!archive.overwrite(previous, second))
                    return done(false, archive.errorString());
            }
            previous = *n;
            if ((i % 5 == 0 || i == count)
                && !IniFile::writeString(ini, QStringLiteral("Postazioni"), prefix, QString::number(i)))
                return done(false, QStringLiteral("settings not written"));
        }
        return 0;
    }
    if (command == "retry" && argc == 6) {
        const bool payer = arg(argv, 3) == QLatin1String("payer");
        RecordArchive archive(arg(argv, 2), payer ? PayerRecord::kSize : SlipRecord::kSize);
        const Record record = named(payer, arg(argv, 4));
        for (int tries = arg(argv, 5).toInt(); tries > 0; --tries)
            if (const std::optional<qint64> n = archive.append(record.bytes())) {
                std::fprintf(stdout, "%lld\n", static_cast<long long>(*n));
                return 0;
            }
        return done(false, archive.errorString());
    }
    if (command == "count" && argc == 4) {
        const bool payer = arg(argv, 3) == QLatin1String("payer");
        RecordArchive archive(arg(argv, 2), payer ? PayerRecord::kSize : SlipRecord::kSize);
        const std::optional<qint64> n = archive.count();
        return done(n.has_value(), archive.errorString(), archive.notice().text);
    }
    if (command == "ini" && argc == 6)
        return done(IniFile::writeString(arg(argv, 2), arg(argv, 3), arg(argv, 4), arg(argv, 5)));
    if (command == "margin" && argc == 5) {
        ProgramFolder::setOverride(arg(argv, 2));
        return done(PrintMargins::write(arg(argv, 3), arg(argv, 4)));
    }
    if (command == "password" && argc == 4)
        return done(PasswordFile::write(arg(argv, 2), arg(argv, 3)));
    return 2;
}
