#include "lists/DueDates.h"

#include "data/CodePage.h"
#include "data/IniFile.h"
#include "data/Platform.h"
#include "data/RecordLayout.h"
#include "data/RecordScan.h"
#include "lists/ListArchive.h"
#include "lists/ListLines.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace DueDates {

namespace {

const QString kSection = QStringLiteral("Promemoria Scadenze");
const QString kOfficeSection = QStringLiteral("Intestazione Ufficio");
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

QString read(const QString& path, const QString& section, const char* key)
{
    return IniFile::readString(path, section, QString::fromLatin1(key));
}

// The slip fields the selection decodes, looked up once.
struct SlipFields {
    const RecordLayout& layout = SlipRecord::layout();
    int paid = RecordScan::field(layout, "Saldato");
    int due = RecordScan::field(layout, "DataScade");
    int payer = RecordScan::field(layout, "Esecutore");
    int taxCode = RecordScan::field(layout, "CodFisc");
    int address = RecordScan::field(layout, "IndirizzoRes");
    int postcode = RecordScan::field(layout, "CapRes");
    int town = RecordScan::field(layout, "ComuneRes");
    int province = RecordScan::field(layout, "ProvRes");
    int tariff = RecordScan::field(layout, "CodTariffa");
    int tariffYear = RecordScan::field(layout, "AnnoTariffa");
    int amount = RecordScan::field(layout, "Importo");
    int cents = RecordScan::field(layout, "Cents");
    int causale = RecordScan::field(layout, "Causale");
};

const SlipFields& slipFields()
{
    static const SlipFields fields;
    return fields;
}

} // namespace

QString settingsPath()
{
    return ProgramFolder::file(QStringLiteral("Tassella.ini"));
}

Settings readSettings(const QString& path)
{
    Settings settings;
    settings.notice = read(path, kSection, "Avviso") != QStringLiteral("No");
    bool number = false;
    const int days = read(path, kSection, "Giorni").toInt(&number);
    if (number && std::find(kPeriods.begin(), kPeriods.end(), days) != kPeriods.end())
        settings.days = days;
    settings.lastNotice = ListArchive::dueDate(read(path, kSection, "UltimoAvviso"));
    return settings;
}

bool writeSettings(const QString& path, const Settings& settings)
{
    return IniFile::writeString(path, kSection, QStringLiteral("Avviso"), settings.notice ? Flags::yes : Flags::no)
        && IniFile::writeString(path, kSection, QStringLiteral("Giorni"), QString::number(settings.days));
}

bool noteNoticeShown(const QString& path, const QDate& day)
{
    return IniFile::writeString(path, kSection, QStringLiteral("UltimoAvviso"), day.toString(kDateFormat));
}

bool noticeDue(const Settings& settings, const QDate& today)
{
    return settings.notice && settings.lastNotice != today;
}

Office readOffice(const QString& path)
{
    return {read(path, kOfficeSection, "Nome"), read(path, kOfficeSection, "Indirizzo"),
            read(path, kOfficeSection, "Telefono"), read(path, kOfficeSection, "Email")};
}

bool writeOffice(const QString& path, const Office& office)
{
    const std::pair<const char*, QString> values[] = {
        {"Nome", office.name}, {"Indirizzo", office.address}, {"Telefono", office.telephone}, {"Email", office.email}};
    for (const auto& [key, value] : values)
        if (!IniFile::writeString(path, kOfficeSection, QString::fromLatin1(key), CodePage::trimmed(value)))
            return false;
    return true;
}

qint64 Slip::amountCents() const
{
    return amount.toLongLong() * 100 + cents.toInt();
}

QStringList yearsRead(const QDate& today, int days)
{
    QStringList years{QString::number(today.year())};
    for (int year = today.year() + 1; year <= today.addDays(days).year(); ++year)
        years << QString::number(year);
    return years;
}

Selection select(const QDate& today, int days)
{
    Selection selection;
    selection.today = today;
    selection.last = today.addDays(days);
    selection.years = yearsRead(today, days);
    const SlipFields& f = slipFields();
    const auto text = [&f](const char* record, int index) { return RecordScan::fieldText(f.layout, record, index); };
    for (const QString& year : std::as_const(selection.years)) {
        const QString path = SlipRecord::archivePath(year);
        if (!QFileInfo::exists(path))
            continue;
        const bool read = RecordScan::scan(path, SlipRecord::kSize, [&](const char* record, qint64 number) {
            if (!RecordScan::fieldIs(f.layout, record, f.paid, "No"))
                return true;
            const QDate due = ListArchive::dueDate(text(record, f.due));
            if (!due.isValid()) {
                ++selection.unreadable;
                return true;
            }
            if (due > selection.last)
                return true;
            Slip slip;
            slip.year = year;
            slip.position = number;
            slip.due = due;
            slip.expired = due <= today;
            slip.line = ListLines::slipLine(record);
            slip.payer = text(record, f.payer);
            slip.taxCode = text(record, f.taxCode);
            slip.address = text(record, f.address);
            slip.postcode = text(record, f.postcode);
            slip.town = text(record, f.town);
            slip.province = text(record, f.province);
            slip.tariff = text(record, f.tariff);
            slip.tariffYear = text(record, f.tariffYear);
            slip.amount = text(record, f.amount);
            slip.cents = text(record, f.cents);
            slip.causale = text(record, f.causale);
            ++(slip.expired ? selection.expired : selection.dueSoon);
            selection.slips.push_back(std::move(slip));
            return true;
        });
        if (!read)
            selection.ok = false;
    }
    // The archives are read in year order and each front to back: a stable sort keeps that order
    // among slips of the same day.
    std::stable_sort(selection.slips.begin(), selection.slips.end(),
                     [](const Slip& a, const Slip& b) { return a.due < b.due; });
    return selection;
}

QString payerKey(const QString& taxCode, const QString& name)
{
    const QString code = CodePage::trimmed(taxCode).toUpper();
    return code.isEmpty() ? QStringLiteral("N:") + CodePage::trimmed(name).toUpper() : QStringLiteral("C:") + code;
}

std::vector<Payer> payers(const Selection& selection)
{
    std::vector<Payer> out;
    QHash<QString, size_t> byKey;
    for (size_t i = 0; i < selection.slips.size(); ++i) {
        const Slip& slip = selection.slips[i];
        const QString key = payerKey(slip.taxCode, slip.payer);
        auto found = byKey.constFind(key);
        if (found == byKey.constEnd()) {
            found = byKey.insert(key, out.size());
            out.push_back(Payer{.key = key});
        }
        Payer& payer = out[*found];
        // The latest slip's name and address: the slips run by due date.
        payer.name = slip.payer;
        payer.taxCode = slip.taxCode;
        payer.address = slip.address;
        payer.postcode = slip.postcode;
        payer.town = slip.town;
        payer.province = slip.province;
        payer.slips.push_back(int(i));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Payer& a, const Payer& b) { return QString::localeAwareCompare(a.name, b.name) < 0; });
    return out;
}

bool addEmails(std::vector<Payer>& payers, const QString& path)
{
    if (payers.empty() || !QFileInfo::exists(path))
        return true;
    QHash<QString, size_t> byKey;
    for (size_t i = 0; i < payers.size(); ++i)
        byKey.insert(payers[i].key, i);
    const RecordLayout& layout = PayerRecord::layout();
    static const int name = RecordScan::field(layout, "Esecutore");
    static const int taxCode = RecordScan::field(layout, "CodFisc");
    static const int email = RecordScan::field(layout, "Email");
    return RecordScan::scan(path, PayerRecord::kSize, [&](const char* record, qint64) {
        const auto found = byKey.constFind(
            payerKey(RecordScan::fieldText(layout, record, taxCode), RecordScan::fieldText(layout, record, name)));
        if (found != byKey.constEnd())
            payers[*found].email = RecordScan::fieldText(layout, record, email); // the last record wins
        return true;
    });
}

QString noticeText(int dueSoon, int expired, int days)
{
    const QString soon = dueSoon == 1
        ? QStringLiteral("1 bollettino non saldato scade entro %1 giorni").arg(days)
        : QStringLiteral("%1 bollettini non saldati scadono entro %2 giorni").arg(dueSoon).arg(days);
    const QString late = expired == 1 ? QStringLiteral("1 \u00e8 gi\u00e0 scaduto")
                                      : QStringLiteral("%1 sono gi\u00e0 scaduti").arg(expired);
    return soon + QStringLiteral(", ") + late;
}

} // namespace DueDates
