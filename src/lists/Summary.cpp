#include "lists/Summary.h"

#include "data/CodePage.h"
#include "data/Formats.h"
#include "data/Platform.h"
#include "lists/ListArchive.h"
#include "lists/ListLines.h"
#include "slips/SlipRecord.h"

#include <QFileInfo>
#include <QtNumeric>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <vector>

namespace Summary {

namespace {

const QString kValidDate = QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
const QString kBreak = QStringLiteral("\n\r\n\r");

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The date of step "build the start (end) date": day, month number and year; empty without a month.
QString buildDate(const QString& day, const QString& month, const QString& year)
{
    const int number = monthNumber(month);
    if (number == 0)
        return {};
    return CodePage::trimmed(day) + QLatin1Char('/') + twoDigits(number) + QLatin1Char('/') + CodePage::trimmed(year);
}

Message warning(const char* text)
{
    return {MessageKind::Warning, QString::fromUtf8(text)};
}

} // namespace

const QStringList& days()
{
    static const QStringList list = [] {
        QStringList out;
        for (int day = 1; day <= 31; ++day)
            out << twoDigits(day);
        return out;
    }();
    return list;
}

const QStringList& months()
{
    static const QStringList list = {
        QStringLiteral("Gennaio"),   QStringLiteral("Febbraio"), QStringLiteral("Marzo"),    QStringLiteral("Aprile"),
        QStringLiteral("Maggio"),    QStringLiteral("Giugno"),   QStringLiteral("Luglio"),   QStringLiteral("Agosto"),
        QStringLiteral("Settembre"), QStringLiteral("Ottobre"),  QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
    };
    return list;
}

int monthNumber(const QString& name)
{
    const QString wanted = CodePage::lowerAscii(CodePage::trimmed(name));
    for (int i = 0; i < months().size(); ++i)
        if (CodePage::lowerAscii(months().at(i)) == wanted)
            return i + 1;
    return 0;
}

Checked check(const Choice& choice)
{
    Checked result;
    if (choice.year.size() != 4) {
        result.message = warning("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
        result.focus = QStringLiteral("txtAnno");
        return result;
    }
    const struct {
        const QString& text;
        const char* message;
        const char* focus;
    } required[] = {
        {choice.startDay, "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoInizio"},
        {choice.startMonth, "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseInizio"},
        {choice.endDay, "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoFine"},
        {choice.endMonth, "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseFine"},
    };
    for (const auto& field : required) {
        if (CodePage::trimmed(field.text).isEmpty()) {
            result.message = warning(field.message);
            result.focus = QLatin1String(field.focus);
            return result;
        }
    }

    // Each end of the period must be a date that exists; a refusal names it and goes back to its day.
    const auto date = [&result](const QString& text, const char* which, const char* focus) {
        const std::optional<QDate> day = Formats::textToDate(text);
        if (!day) {
            result.message = {MessageKind::Plain,
                              QStringLiteral("Attenzione: la data ") + CodePage::trimmed(text)
                                  + QStringLiteral(" di %1 intervallo non esiste.").arg(QLatin1String(which)) + kBreak
                                  + kValidDate};
            result.focus = QLatin1String(focus);
        }
        return day;
    };
    result.start = buildDate(choice.startDay, choice.startMonth, choice.startYear);
    const std::optional<QDate> start = date(result.start, "inizio", "txtGiornoInizio");
    if (!start)
        return result;
    result.end = buildDate(choice.endDay, choice.endMonth, choice.endYear);
    const std::optional<QDate> end = date(result.end, "fine", "txtGiornoFine");
    if (!end)
        return result;
    if (*start > *end) {
        result.message = {MessageKind::Plain,
                          QStringLiteral("Attenzione: la data di fine intervallo (") + CodePage::trimmed(result.end)
                              + QStringLiteral(") non può essere anteriore a quella di inizio intervallo (")
                              + CodePage::trimmed(result.start) + QStringLiteral(").") + kBreak
                              + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare un "
                                               "intervallo di tempo valido.")};
        return result;
    }
    result.archive = SlipRecord::archivePath(CodePage::trimmed(choice.year));
    // A program folder that is gone. An archive that is there but cannot be read is the result
    // window's to tell: it shows what it could read and says what it could not.
    if (!QFileInfo(ProgramFolder::path()).isDir()) {
        result.message = {MessageKind::Plain, inaccessibleText()};
        result.archive.clear();
    }
    return result;
}

int filterCount(const Filters& filters)
{
    return (CodePage::trimmed(filters.name).isEmpty() ? 0 : 1) + (CodePage::trimmed(filters.taxCode).isEmpty() ? 0 : 1);
}

QString payerTitle(const Filters& filters)
{
    const QString name = CodePage::trimmed(filters.name);
    return name.isEmpty() ? QStringLiteral("- - -") : name;
}

namespace {

// A short ASCII field (a date, an amount) as text on the stack: no allocation per record. Bytes
// above 127 cannot be digits or separators in any code page, so mapping them as Latin-1 keeps
// every verdict the same.
struct ShortText {
    char16_t text[16];
    qsizetype size = 0;

    explicit ShortText(std::pair<const unsigned char*, int> bytes)
    {
        size = std::min<qsizetype>(bytes.second, std::size(text));
        for (qsizetype i = 0; i < size; ++i)
            text[i] = bytes.first[i];
    }
    // Longer than any date or amount: never one.
    bool fits(std::pair<const unsigned char*, int> bytes) const { return bytes.second <= qsizetype(std::size(text)); }
    QStringView view() const { return QStringView(text, size); }
};

// A filter as it is compared with the stored bytes: a to z lower case, in the archive's code page.
struct Key {
    QByteArray bytes;
    int field;
};

} // namespace

Result compute(const QString& archive, const Filters& filters, const QDate& start, const QDate& end)
{
    static const RecordLayout& layout = SlipRecord::layout();
    static const int nameField = RecordScan::field(layout, "Esecutore");
    static const int taxCodeField = RecordScan::field(layout, "CodFisc");
    static const int dueField = RecordScan::field(layout, "DataScade");
    static const int amountField = RecordScan::field(layout, "Intero");

    // Filters are matched as typed, lower-cased but not trimmed; an empty one never matches.
    const int needed = filterCount(filters);
    std::vector<Key> keys;
    if (!filters.name.isEmpty())
        keys.push_back({CodePage::encode(CodePage::lowerAscii(filters.name)), nameField});
    if (!filters.taxCode.isEmpty())
        keys.push_back({CodePage::encode(CodePage::lowerAscii(filters.taxCode)), taxCodeField});
    const qint64 first = start.toJulianDay();
    const qint64 last = end.toJulianDay();

    // The archive is read in parts at once only where no sum can overflow: then each part's total
    // is exact and so is theirs, and a slip is left out for its own amount alone. An amount's
    // whole euros have fewer digits than its field holds characters.
    const qint64 records = QFileInfo(archive).size() / SlipRecord::kSize;
    const double largest = std::pow(10.0, std::min(layout.capacity(amountField), 16)) + 1;
    const int maxParts =
        double(records) * largest < double(std::numeric_limits<qint64>::max()) / 2 ? RecordScan::kMaxParts : 1;

    struct Part {
        Decimal total;
        int unreadable = 0;
    };
    std::array<Part, RecordScan::kMaxParts> parts;
    // Room for every slip's line in one mapping, each part's from its own start: room never
    // filled is never touched, and no line is copied when the parts are joined.
    std::array<LineList::Part, RecordScan::kMaxParts> lineParts;
    const int partCount = RecordScan::splitParts(records, maxParts);
    Result result;
    result.lines.split(lineParts, RecordScan::partSizes(records, partCount), ListLines::slipLineMax());
    const RecordScan::Split read = RecordScan::scanSplit(
        archive, SlipRecord::kSize,
        [&](int index, const char* record) {
            Part& part = parts[size_t(index)];
            if (needed > 0) {
                int score = 0;
                for (const Key& key : keys)
                    if (RecordScan::fieldContains(layout, record, key.field, key.bytes))
                        ++score;
                if (score < needed)
                    return;
            }
            const auto dueBytes = RecordScan::fieldBytes(layout, record, dueField);
            const ShortText dueText(dueBytes);
            const QDate due = dueText.fits(dueBytes) ? ListArchive::dueDate(dueText.view()) : QDate();
            if (!due.isValid()) {
                ++part.unreadable;
                return;
            }
            const qint64 day = due.toJulianDay();
            if (day < first || day > last)
                return;
            const auto amountBytes = RecordScan::fieldBytes(layout, record, amountField);
            const ShortText amountText(amountBytes);
            const std::optional<Decimal> amount =
                amountText.fits(amountBytes) ? amountValue(amountText.view()) : std::nullopt;
            // A sum that would overflow is as unreadable as the amount itself: far beyond any real archive.
            if (!amount || !part.total.add(*amount)) {
                ++part.unreadable;
                return;
            }
            ListLines::appendSlipLine(lineParts[size_t(index)], record);
        },
        partCount, records);

    result.ok = read.ok;
    result.tail = read.tail;
    if (!read.ok) {
        // What the file's size says it holds beyond the slips read; a file that could not even be
        // opened may still tell its size, a folder or a file that is gone cannot.
        const QFileInfo file(archive);
        const qint64 size = read.size >= 0 ? read.size : file.isFile() ? file.size() : 0;
        const qint64 all = (size + SlipRecord::kSize - 1) / SlipRecord::kSize;
        result.unread = all > read.read ? all - read.read : -1;
    }
    result.lines.join(lineParts, read.keep);
    result.total = parts[0].total;
    result.unreadable = parts[0].unreadable;
    for (int index = 1; index < read.keep; ++index) {
        result.total.add(parts[size_t(index)].total); // cannot overflow: see maxParts
        result.unreadable += parts[size_t(index)].unreadable;
    }
    result.lines.sort();
    return result;
}

Decimal Decimal::fromCents(qint64 cents)
{
    // Floor division, so that the rest stays from 0 up to one euro for a negative amount too.
    qint64 euros = cents / 100;
    qint64 left = cents % 100;
    if (left < 0) {
        --euros;
        left += 100;
    }
    return {euros, left * (kUnit / 100)};
}

bool Decimal::add(const Decimal& other)
{
    qint64 sum = rest + other.rest;
    const qint64 carry = sum >= kUnit ? 1 : 0;
    sum -= carry * kUnit;
    qint64 whole = 0;
    if (qAddOverflow(euros, other.euros, &whole) || qAddOverflow(whole, carry, &whole))
        return false;
    euros = whole;
    rest = sum;
    return true;
}

std::optional<Decimal> amountValue(QStringView text)
{
    // Codes 0 to 32 only, as every stored text is trimmed: QStringView::trimmed() would also take
    // a non-breaking space away and pass a text that is no number.
    text = CodePage::trimmed(text);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == QLatin1Char('-') || text.front() == QLatin1Char('+'))) {
        negative = text.front() == QLatin1Char('-');
        text = text.mid(1);
    }
    const qsizetype comma = text.indexOf(Formats::decimalSeparator);
    const QStringView whole = comma < 0 ? text : text.left(comma);
    const QStringView fraction = comma < 0 ? QStringView() : text.mid(comma + 1);
    // Eleven characters fit in the record; fifteen whole digits still leave room for the sum.
    if (whole.size() + fraction.size() == 0 || whole.size() > 15)
        return std::nullopt;
    const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9') ? c.unicode() - '0' : -1; };
    qint64 euros = 0;
    for (QChar c : whole) {
        const int d = digit(c);
        if (d < 0)
            return std::nullopt;
        euros = euros * 10 + d;
    }
    qint64 rest = 0;
    qint64 place = Decimal::kUnit;
    for (QChar c : fraction) {
        const int d = digit(c);
        if (d < 0)
            return std::nullopt;
        place /= 10;
        // Past the tenth decimal only zeros can be held exactly; no record has room for them anyway.
        if (place == 0 && d != 0)
            return std::nullopt;
        rest += d * place;
    }
    if (!negative || rest == 0)
        return Decimal{negative ? -euros : euros, rest};
    return Decimal{-euros - 1, Decimal::kUnit - rest};
}

std::optional<qint64> amountCents(QStringView text)
{
    const std::optional<Decimal> amount = amountValue(text);
    constexpr qint64 cent = Decimal::kUnit / 100;
    if (!amount || amount->rest % cent != 0)
        return std::nullopt;
    return amount->euros * 100 + amount->rest / cent;
}

QString totalText(const Decimal& total)
{
    // Half up on the exact value x: floor(x * 10000 + 0.5), with the rest never negative. For a
    // negative total this is the nearest ten-thousandth too, ties going up (-1,00005 gives -1,00).
    constexpr qint64 step = Decimal::kUnit / 10000;
    const qint64 up = (total.rest + step / 2) / step; // 0 to 10000 ten-thousandths above the euros
    const bool negative = total.euros < 0;
    // Sign and size, through unsigned so that even the smallest qint64 turns positive.
    quint64 whole = 0;
    qint64 fraction = 0;
    if (!negative) {
        whole = quint64(total.euros) + (up == 10000 ? 1 : 0);
        fraction = up % 10000;
    } else {
        const quint64 size = quint64(0) - quint64(total.euros);
        whole = up == 0 ? size : size - 1;
        fraction = up == 0 ? 0 : 10000 - up;
    }
    QString decimals = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
    while (decimals.size() > 2 && decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    const bool minus = negative && (whole != 0 || fraction != 0);
    return (minus ? QStringLiteral("-") : QString()) + QString::number(whole) + Formats::decimalSeparator + decimals;
}

QString periodText(const QString& start, const QString& end)
{
    return QStringLiteral("Dal   ") + CodePage::trimmed(start) + QStringLiteral("   al   ") + CodePage::trimmed(end);
}

QString unreadableText(int count)
{
    if (count <= 0)
        return {};
    if (count == 1)
        return QStringLiteral("Attenzione: 1 bollettino ha la data di scadenza o l'importo non leggibile: è "
                              "escluso dall'elenco e dal totale.");
    return QStringLiteral("Attenzione: %1 bollettini hanno la data di scadenza o l'importo non leggibile: sono esclusi "
                          "dall'elenco e dal totale.")
        .arg(count);
}

QString noteText(const Result& result)
{
    if (result.unread < 0)
        return QStringLiteral("Attenzione: l'archivio non è leggibile: il riepilogo non contiene i suoi bollettini.");
    if (result.unread == 0) {
        // The end of a save that never finished is no slip the user saved: it is named, not counted.
        const QString slips = unreadableText(result.unreadable);
        if (!result.tail)
            return slips;
        const QString tail = QStringLiteral("Attenzione: l'archivio termina con una scheda incompleta, rimasta da un "
                                            "salvataggio interrotto.");
        return slips.isEmpty() ? tail : slips + QLatin1Char('\n') + tail;
    }
    const qint64 count = result.unread + result.unreadable;
    if (count == 1)
        return QStringLiteral("Attenzione: 1 bollettino dell'archivio non è leggibile: è escluso dall'elenco "
                              "e dal totale.");
    return QStringLiteral("Attenzione: %1 bollettini dell'archivio non sono leggibili: sono esclusi dall'elenco e dal "
                          "totale.")
        .arg(count);
}

QString emptyPrintText()
{
    return QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
}

QString confirmPrintText()
{
    return QStringLiteral("Si vuole stampare il presente riepilogo?");
}

QString printTitle(const QString& payerTitle)
{
    return QStringLiteral("Riepilogo versamenti - Esecutore: ") + CodePage::trimmed(payerTitle);
}

QStringList printBody(const LineList& lines, const QString& period, const QString& total, const QString& note)
{
    QStringList body = lines.toList();
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:  ") + CodePage::trimmed(period)
         << QStringLiteral("TOTALE IMPORTI VERSATI:  € ") + CodePage::trimmed(total);
    // A total printed without the slips it leaves out would pass for the whole one. Each line of
    // the note on a line of its own: the body does not wrap.
    if (!note.isEmpty())
        body << note.split(QLatin1Char('\n'));
    return body;
}

QString inaccessibleText()
{
    return QStringLiteral("Attenzione: il file di archivio non risulta accessibile.");
}

} // namespace Summary
