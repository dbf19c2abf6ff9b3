#include "lists/ListLines.h"

#include "data/CodePage.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <algorithm>

namespace ListLines {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined bytes stand for themselves.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

inline QChar decodeByte(unsigned char b) { return QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b)); }

// The stored value's bytes without the characters 0..32 at both ends.
inline std::pair<const unsigned char*, int> trimmedBytes(const RecordLayout& layout, const char* record, int index)
{
    const auto* field = reinterpret_cast<const unsigned char*>(record + layout.offset(index));
    int length = std::min<int>(field[0], layout.capacity(index));
    const unsigned char* text = field + 1;
    while (length > 0 && text[0] <= 32) {
        ++text;
        --length;
    }
    while (length > 0 && text[length - 1] <= 32)
        --length;
    return {text, length};
}

inline void appendField(QString& line, const RecordLayout& layout, const char* record, int index)
{
    const auto [text, length] = trimmedBytes(layout, record, index);
    for (int i = 0; i < length; ++i)
        line.append(decodeByte(text[i]));
}

// A field's padded piece, decoded straight into the line.
inline void appendPaddedField(QString& line, const RecordLayout& layout, const char* record, int index, int width)
{
    const auto [text, length] = trimmedBytes(layout, record, index);
    const int shown = std::min(length, width);
    for (int i = 0; i < shown; ++i)
        line.append(decodeByte(text[i]));
    line.append(QString(width - shown, QLatin1Char(' ')));
}

// Town and province joined by one blank make one padded piece.
inline void appendPlace(QString& line, const RecordLayout& layout, const char* record, int town, int province)
{
    QString place;
    appendField(place, layout, record, town);
    place.append(QLatin1Char(' '));
    appendField(place, layout, record, province);
    appendPadded(line, place, 20);
}

struct SlipFields {
    const RecordLayout& layout = SlipRecord::layout();
    int dataScade = field(layout, "DataScade");
    int intero = field(layout, "Intero");
    int esecutore = field(layout, "Esecutore");
    int codFisc = field(layout, "CodFisc");
    int comuneRes = field(layout, "ComuneRes");
    int provRes = field(layout, "ProvRes");
    int codTariffa = field(layout, "CodTariffa");
    int note = field(layout, "Note");
};

struct PayerFields {
    const RecordLayout& layout = PayerRecord::layout();
    int esecutore = field(layout, "Esecutore");
    int codFisc = field(layout, "CodFisc");
    int comuneRes = field(layout, "ComuneRes");
    int provRes = field(layout, "ProvRes");
    int recapito = field(layout, "Recapito");
    int codTariffa = field(layout, "CodTariffa");
    int note = field(layout, "Note");
};

// Lines are built in one reused buffer and copied out at their exact size, so that a list of
// 100 000 lines holds no spare capacity.
QString& scratch()
{
    thread_local QString buffer;
    buffer.resize(0);
    return buffer;
}

QString exact(const QString& line) { return QString(line.constData(), line.size()); }

} // namespace

QString padded(const QString& text, int width)
{
    QString piece;
    appendPadded(piece, text, width);
    return piece;
}

void appendPadded(QString& line, const QString& text, int width)
{
    const QString trimmed = CodePage::trimmed(text);
    const qsizetype shown = std::min<qsizetype>(trimmed.size(), width);
    line.append(QStringView(trimmed).left(shown));
    line.append(QString(width - shown, QLatin1Char(' ')));
}

int field(const RecordLayout& layout, const char* name)
{
    const int index = layout.indexOf(name);
    Q_ASSERT(index >= 0);
    return index;
}

QString fieldText(const RecordLayout& layout, const char* record, int index)
{
    QString text;
    appendField(text, layout, record, index);
    return text;
}

QString slipLine(const char* record)
{
    static const SlipFields f;
    QString& line = scratch();
    line.append(QLatin1String("Scad. "));
    appendPaddedField(line, f.layout, record, f.dataScade, 10);
    line.append(QStringLiteral("  \u20ac "));
    appendPaddedField(line, f.layout, record, f.intero, 11);
    line.append(QLatin1String("  "));
    appendPaddedField(line, f.layout, record, f.esecutore, 23);
    line.append(QLatin1String(" C.F. "));
    appendPaddedField(line, f.layout, record, f.codFisc, 16);
    line.append(QLatin1String("  "));
    appendPlace(line, f.layout, record, f.comuneRes, f.provRes);
    line.append(QLatin1String(" TAR. "));
    appendPaddedField(line, f.layout, record, f.codTariffa, 4);
    line.append(QLatin1String("  "));
    appendField(line, f.layout, record, f.note);
    return exact(line);
}

QString slipLine(const Record& slip) { return slipLine(slip.bytes().constData()); }

QString payerLine(const char* record)
{
    static const PayerFields f;
    QString& line = scratch();
    appendPaddedField(line, f.layout, record, f.esecutore, 23);
    line.append(QLatin1String("  C.F. "));
    appendPaddedField(line, f.layout, record, f.codFisc, 16);
    line.append(QLatin1String("  "));
    appendPlace(line, f.layout, record, f.comuneRes, f.provRes);
    line.append(QLatin1String("  Tel. "));
    appendPaddedField(line, f.layout, record, f.recapito, 20);
    line.append(QLatin1String("  TAR. "));
    appendPaddedField(line, f.layout, record, f.codTariffa, 4);
    line.append(QLatin1String("  "));
    appendField(line, f.layout, record, f.note);
    return exact(line);
}

QString payerLine(const Record& payer) { return payerLine(payer.bytes().constData()); }

} // namespace ListLines
