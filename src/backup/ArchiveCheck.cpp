#include "backup/ArchiveCheck.h"

#include "backup/Backup.h"
#include "data/RecordLayout.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <future>
#include <vector>

namespace ArchiveCheck {
namespace {

// Fields whose length byte is above their capacity: the record was not written by the program.
QStringList badLengths(const Record& record)
{
    QStringList out;
    const RecordLayout& layout = record.layout();
    for (int i = 0; i < layout.fieldCount(); ++i)
        if (static_cast<unsigned char>(record.bytes().at(layout.offset(i))) > layout.capacity(i))
            out.append(QString::fromLatin1(layout.name(i)));
    return out;
}

// "dd/MM/yyyy" read by hand for the common case, a well-formed date; anything else goes to Qt's
// parser, which alone decides what else it accepts.
bool readableDate(const QString& text)
{
    const auto digit = [&](int i) { return text.at(i).unicode() >= '0' && text.at(i).unicode() <= '9'; };
    if (text.size() == 10 && text.at(2) == QLatin1Char('/') && text.at(5) == QLatin1Char('/') && digit(0) && digit(1)
        && digit(3) && digit(4) && digit(6) && digit(7) && digit(8) && digit(9)) {
        const auto number = [&](int from, int count) {
            int n = 0;
            for (int i = from; i < from + count; ++i)
                n = n * 10 + (text.at(i).unicode() - '0');
            return n;
        };
        if (QDate(number(6, 4), number(3, 2), number(0, 2)).isValid())
            return true;
    }
    return QDate::fromString(text, QStringLiteral("dd/MM/yyyy")).isValid();
}

// One to eight digits, a comma, two digits (the field comes trimmed of spaces and line ends).
bool readableAmount(const QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 1 || comma > 8 || text.size() != comma + 3)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (i != comma && (text.at(i).unicode() < '0' || text.at(i).unicode() > '9'))
            return false;
    return true;
}

struct SlipFields {
    int due = SlipRecord::layout().indexOf("DataScade");
    int amount = SlipRecord::layout().indexOf("Intero");
};

void checkSlip(const Record& record, const SlipFields& fields, qint64 n, QStringList& problems)
{
    const QString due = record.text(fields.due);
    if (!readableDate(due))
        problems.append(QStringLiteral("scheda %1: data di scadenza illeggibile \"%2\"").arg(n).arg(due));
    const QString amount = record.text(fields.amount);
    if (!readableAmount(amount))
        problems.append(QStringLiteral("scheda %1: importo illeggibile \"%2\"").arg(n).arg(amount));
    const QStringList lengths = badLengths(record);
    if (!lengths.isEmpty())
        problems.append(QStringLiteral("scheda %1: lunghezza non valida nei campi %2")
                            .arg(n)
                            .arg(lengths.join(QStringLiteral(", "))));
}

void checkPayer(const Record& record, qint64 n, QStringList& problems)
{
    const QStringList fields = badLengths(record);
    if (!fields.isEmpty())
        problems.append(QStringLiteral("scheda %1: lunghezza non valida nei campi %2")
                            .arg(n)
                            .arg(fields.join(QStringLiteral(", "))));
    if (record.flag("Ricontatta") == Record::Flag::Unknown)
        problems.append(QStringLiteral("scheda %1: indicazione \"Da ricontattare\" illeggibile").arg(n));
}

bool lockHeld(const QString& path)
{
    // A lock file holds its holder's process id on its first line (QLockFile's format).
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 pid = file.readLine().trimmed().toLongLong();
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

Report check(const QDir& dir, const QString& name, const QStringList& entries, bool slips)
{
    Report report;
    report.name = name;
    const RecordLayout& layout = slips ? SlipRecord::layout() : PayerRecord::layout();
    const int size = slips ? SlipRecord::kSize : PayerRecord::kSize;
    QFile file(dir.filePath(name));
    if (QFileInfo(file).exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            report.readable = false;
        } else {
            report.records = file.size() / size;
            report.tailBytes = file.size() % size;
            const SlipFields fields;
            // Read a few hundred records at a time into one buffer: one call per record, or fresh
            // memory per block, costs more than the check.
            constexpr qint64 kBlock = 256;
            QByteArray block(kBlock * size, Qt::Uninitialized);
            for (qint64 n = 1; n <= report.records && report.readable; n += kBlock) {
                const qint64 count = std::min(kBlock, report.records - n + 1);
                if (file.read(block.data(), count * size) != count * size) {
                    report.readable = false;
                    break;
                }
                for (qint64 k = 0; k < count; ++k) {
                    const Record record(layout, QByteArray::fromRawData(block.constData() + k * size, size));
                    if (slips)
                        checkSlip(record, fields, n + k, report.problems);
                    else
                        checkPayer(record, n + k, report.problems);
                }
            }
        }
    }
    for (const QString& entry : entries) {
        if (!entry.startsWith(name + QLatin1Char('.')) && !entry.startsWith(name + QLatin1Char('-')))
            continue;
        const QString rest = entry.mid(name.size());
        if (rest.startsWith(QLatin1String(".coda-")))
            report.sideFiles.append(entry);
        else if (rest == QLatin1String(".lock"))
            report.lockFiles.append(
                entry + (lockHeld(dir.filePath(entry)) ? QStringLiteral(" (in uso)") : QStringLiteral(" (rimasto)")));
        else if (rest == QLatin1String(".lock.d")) // the lock of a share that only makes folders once
            report.lockFiles.append(entry
                                    + (lockHeld(dir.filePath(name + QStringLiteral(".lock")))
                                           ? QStringLiteral(" (in uso)")
                                           : QStringLiteral(" (rimasto)")));
        else if (rest.endsWith(QLatin1String(".rmlock")))
            report.lockFiles.append(entry + QStringLiteral(" (rimasto)"));
        else
            report.otherFiles.append(entry);
    }
    return report;
}

} // namespace

QList<Report> run(const QString& folder)
{
    const QDir dir(folder);
    QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    // A lock taken through a share that decides only the making of folders is a folder.
    entries +=
        dir.entryList({QStringLiteral("*.lock.d")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    entries.sort();
    QList<std::pair<QString, bool>> archives; // name, whether it holds slips
    const bool payers = entries.contains(Backup::kPayers);
    if (payers || std::any_of(entries.begin(), entries.end(), [](const QString& e) {
            return e.startsWith(Backup::kPayers + QLatin1Char('.'));
        }))
        archives.append({Backup::kPayers, false});
    QStringList years;
    for (const QString& entry : entries)
        if (entry.size() >= 8 && Backup::isYearArchive(entry.left(8)) && !years.contains(entry.left(8)))
            years.append(entry.left(8));
    for (const QString& year : years)
        archives.append({year, true});
    // Each archive read on a thread of its own: the check only reads, and a second processor halves
    // the wait for the payers and the year. Each thread makes its own QDir: a shared one fills its
    // caches from both.
    std::vector<std::future<Report>> pending;
    for (const auto& [name, slips] : archives)
        pending.push_back(std::async(std::launch::async, [&folder, &entries, name, slips] {
            return check(QDir(folder), name, entries, slips);
        }));
    QList<Report> reports;
    for (std::future<Report>& report : pending)
        reports.append(report.get());
    return reports;
}

QStringList lines(const QList<Report>& reports)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    QStringList out;
    for (const Report& report : reports) {
        QString head = report.name.leftJustified(16);
        if (!report.readable)
            head += QStringLiteral("non leggibile");
        else
            head += QStringLiteral("%1 schede").arg(italian.toString(report.records));
        if (report.clean())
            head += QStringLiteral(" - nessun problema");
        out.append(head);
        if (report.tailBytes > 0)
            out.append(QStringLiteral("    termina con una scheda incompleta di %1 byte").arg(report.tailBytes));
        for (const QString& problem : report.problems)
            out.append(QStringLiteral("    ") + problem);
        for (const QString& side : report.sideFiles)
            out.append(QStringLiteral("    file di riparazione: ") + side);
        for (const QString& lock : report.lockFiles)
            out.append(QStringLiteral("    file di blocco: ") + lock);
        for (const QString& other : report.otherFiles)
            out.append(QStringLiteral("    file rimasto da una scrittura interrotta: ") + other);
    }
    if (reports.isEmpty())
        out.append(QStringLiteral("Nessun archivio nella cartella del programma."));
    // A damaged archive is mended from a backup: the check says where, since it changes nothing.
    if (std::any_of(reports.begin(), reports.end(), [](const Report& report) {
            return !report.readable || report.tailBytes > 0 || !report.problems.isEmpty();
        }))
        out.append(QStringLiteral("Archivi danneggiati: usare Ripristina (menu di avvio) con un backup precedente."));
    return out;
}

} // namespace ArchiveCheck
