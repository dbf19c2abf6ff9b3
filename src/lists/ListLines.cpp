#include "lists/ListLines.h"

#include "data/CodePage.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <algorithm>
#include <cstring>

namespace ListLines {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined bytes stand for themselves.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

inline QChar decodeByte(unsigned char b)
{
    return QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
}

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

// Writes a line straight into its final place, in the archives' bytes.
class Writer {
public:
    explicit Writer(char* out)
        : m_out(out)
    {}
    void bytes(const unsigned char* text, int length)
    {
        std::memcpy(m_out, text, size_t(length));
        m_out += length;
    }
    void blanks(int count)
    {
        std::memset(m_out, ' ', size_t(count));
        m_out += count;
    }
    // A fixed piece, in Windows-1252 ("\x80" is the euro sign).
    template <size_t N> void text(const char (&literal)[N])
    {
        std::memcpy(m_out, literal, N - 1);
        m_out += N - 1;
    }
    // A field's padded piece.
    void padded(const std::pair<const unsigned char*, int>& field, int width)
    {
        const int shown = std::min(field.second, width);
        bytes(field.first, shown);
        blanks(width - shown);
    }
    // Town and province joined by one blank, trimmed, as one padded piece.
    void place(const std::pair<const unsigned char*, int>& town, const std::pair<const unsigned char*, int>& province,
               int width)
    {
        unsigned char joined[64];
        int length = 0;
        for (int i = 0; i < town.second && length < 63; ++i)
            joined[length++] = town.first[i];
        if (length > 0 && province.second > 0)
            joined[length++] = ' ';
        for (int i = 0; i < province.second && length < 64; ++i)
            joined[length++] = province.first[i];
        padded({joined, length}, width);
    }

private:
    char* m_out;
};

// The fixed parts: 6+10+4+11+2+23+6+16+2+20+6+4+2 and 23+7+16+2+20+7+20+7+4+2 characters.
constexpr int kSlipFixed = 112;
constexpr int kPayerFixed = 108;

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
    const auto [text, length] = trimmedBytes(layout, record, index);
    QString value(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        value[i] = decodeByte(text[i]);
    return value;
}

std::pair<const unsigned char*, int> fieldBytes(const RecordLayout& layout, const char* record, int index)
{
    return trimmedBytes(layout, record, index);
}

bool fieldIs(const RecordLayout& layout, const char* record, int index, std::string_view bytes)
{
    const auto [text, length] = trimmedBytes(layout, record, index);
    return size_t(length) == bytes.size()
        && std::equal(bytes.begin(), bytes.end(), text, [](char a, unsigned char b) { return (unsigned char)a == b; });
}

namespace {

qsizetype slipLineLength(const char* record)
{
    static const SlipFields f;
    return kSlipFixed + trimmedBytes(f.layout, record, f.note).second;
}

void writeSlipLine(const char* record, char* line)
{
    static const SlipFields f;
    const auto& l = f.layout;
    Writer out(line);
    out.text("Scad. ");
    out.padded(trimmedBytes(l, record, f.dataScade), 10);
    out.text("  \x80 ");
    out.padded(trimmedBytes(l, record, f.intero), 11);
    out.text("  ");
    out.padded(trimmedBytes(l, record, f.esecutore), 23);
    out.text(" C.F. ");
    out.padded(trimmedBytes(l, record, f.codFisc), 16);
    out.text("  ");
    out.place(trimmedBytes(l, record, f.comuneRes), trimmedBytes(l, record, f.provRes), 20);
    out.text(" TAR. ");
    out.padded(trimmedBytes(l, record, f.codTariffa), 4);
    out.text("  ");
    const auto note = trimmedBytes(l, record, f.note);
    out.bytes(note.first, note.second);
}

qsizetype payerLineLength(const char* record)
{
    static const PayerFields f;
    return kPayerFixed + trimmedBytes(f.layout, record, f.note).second;
}

void writePayerLine(const char* record, char* line)
{
    static const PayerFields f;
    const auto& l = f.layout;
    Writer out(line);
    out.padded(trimmedBytes(l, record, f.esecutore), 23);
    out.text("  C.F. ");
    out.padded(trimmedBytes(l, record, f.codFisc), 16);
    out.text("  ");
    out.place(trimmedBytes(l, record, f.comuneRes), trimmedBytes(l, record, f.provRes), 20);
    out.text("  Tel. ");
    out.padded(trimmedBytes(l, record, f.recapito), 20);
    out.text("  TAR. ");
    out.padded(trimmedBytes(l, record, f.codTariffa), 4);
    out.text("  ");
    const auto note = trimmedBytes(l, record, f.note);
    out.bytes(note.first, note.second);
}

} // namespace

QString slipLine(const char* record)
{
    QByteArray line(slipLineLength(record), Qt::Uninitialized);
    writeSlipLine(record, line.data());
    return CodePage::decode(line);
}

void appendSlipLine(LineList& lines, const char* record)
{
    writeSlipLine(record, lines.appendUninitialized(slipLineLength(record)));
}

QString slipLine(const Record& slip)
{
    return slipLine(slip.bytes().constData());
}

QString payerLine(const char* record)
{
    QByteArray line(payerLineLength(record), Qt::Uninitialized);
    writePayerLine(record, line.data());
    return CodePage::decode(line);
}

void appendPayerLine(LineList& lines, const char* record)
{
    writePayerLine(record, lines.appendUninitialized(payerLineLength(record)));
}

QString payerLine(const Record& payer)
{
    return payerLine(payer.bytes().constData());
}

} // namespace ListLines
