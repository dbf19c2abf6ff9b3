#include "lists/ListLines.h"

#include "data/CodePage.h"
#include "data/RecordScan.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>

namespace ListLines {

namespace {

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
    // A fixed piece, in Windows-1252.
    void text(const char* text, size_t length)
    {
        std::memcpy(m_out, text, length);
        m_out += length;
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

// One piece of a line: a fixed text (Windows-1252, "\x80" is the euro sign), then a field padded to
// width; with a province, the town and province joined by one blank as one padded piece. Width 0:
// the field whole, which ends the line.
struct Piece {
    const char* text;
    const char* field;
    int width = 0;
    const char* province = nullptr;
};

// clang-format off
constexpr Piece kSlipLine[] = {
    {"Scad. ", "DataScade", 10},
    {"  \x80 ", "Intero", 11},
    {"  ", "Esecutore", 23},
    {" C.F. ", "CodFisc", 16},
    {"  ", "ComuneRes", 20, "ProvRes"},
    {" TAR. ", "CodTariffa", 4},
    {"  ", "Note"},
};

constexpr Piece kPayerLine[] = {
    {"", "Esecutore", 23},
    {"  C.F. ", "CodFisc", 16},
    {"  ", "ComuneRes", 20, "ProvRes"},
    {"  Tel. ", "Recapito", 20},
    {"  TAR. ", "CodTariffa", 4},
    {"  ", "Note"},
};
// clang-format on

// The line of a table of pieces over a layout. The pieces are unrolled at compile time, so that each
// line is written with fixed lengths straight into its place, as hand-written code would.
template <const auto& Pieces> class LineWriter {
public:
    static constexpr size_t kCount = std::size(Pieces);

    explicit LineWriter(const RecordLayout& layout)
        : m_layout(layout)
    {
        for (size_t i = 0; i < kCount; ++i) {
            m_field[i] = RecordScan::field(layout, Pieces[i].field);
            m_province[i] = Pieces[i].province ? RecordScan::field(layout, Pieces[i].province) : -1;
        }
    }

    // The texts and widths: 112 characters on a slip's line, 108 on a payer's.
    static constexpr qsizetype kFixed = [] {
        qsizetype length = 0;
        for (const Piece& p : Pieces)
            length += qsizetype(std::char_traits<char>::length(p.text)) + p.width;
        return length;
    }();

    // The fixed part and the whole fields at their capacity.
    qsizetype maxLength() const
    {
        qsizetype length = kFixed;
        for (size_t i = 0; i < kCount; ++i)
            if (Pieces[i].width == 0)
                length += m_layout.capacity(m_field[i]);
        return length;
    }

    qsizetype length(const char* record) const
    {
        return [&]<size_t... I>(std::index_sequence<I...>)
        {
            return (kFixed + ... + whole<I>(record));
        }
        (std::make_index_sequence<kCount>());
    }

    void write(const char* record, char* line) const
    {
        Writer out(line);
        [&]<size_t... I>(std::index_sequence<I...>)
        {
            (piece<I>(out, record), ...);
        }
        (std::make_index_sequence<kCount>());
    }

private:
    // The length of a field taken whole; 0 for a padded one.
    template <size_t I> int whole(const char* record) const
    {
        if constexpr (Pieces[I].width == 0)
            return bytes(record, I).second;
        else
            return 0;
    }

    std::pair<const unsigned char*, int> bytes(const char* record, size_t i) const
    {
        return RecordScan::fieldBytes(m_layout, record, m_field[i]);
    }

    template <size_t I> void piece(Writer& out, const char* record) const
    {
        constexpr Piece p = Pieces[I];
        out.text(p.text, std::char_traits<char>::length(p.text));
        if constexpr (p.province != nullptr)
            out.place(bytes(record, I), RecordScan::fieldBytes(m_layout, record, m_province[I]), p.width);
        else if constexpr (p.width > 0)
            out.padded(bytes(record, I), p.width);
        else {
            const auto whole = bytes(record, I);
            out.bytes(whole.first, whole.second);
        }
    }

    const RecordLayout& m_layout;
    int m_field[kCount];
    int m_province[kCount];
};

static_assert(LineWriter<kSlipLine>::kFixed == 112 && LineWriter<kPayerLine>::kFixed == 108);

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

namespace {

const LineWriter<kSlipLine>& slipWriter()
{
    static const LineWriter<kSlipLine> writer(SlipRecord::layout());
    return writer;
}

const LineWriter<kPayerLine>& payerWriter()
{
    static const LineWriter<kPayerLine> writer(PayerRecord::layout());
    return writer;
}

} // namespace

QString slipLine(const char* record)
{
    QByteArray line(slipWriter().length(record), Qt::Uninitialized);
    slipWriter().write(record, line.data());
    return CodePage::decode(line);
}

void appendSlipLine(LineList& lines, const char* record)
{
    const auto& writer = slipWriter();
    writer.write(record, lines.appendUninitialized(writer.length(record)));
}

void appendSlipLine(LineList::Part& lines, const char* record)
{
    const auto& writer = slipWriter();
    writer.write(record, lines.appendUninitialized(writer.length(record)));
}

qsizetype slipLineMax()
{
    return slipWriter().maxLength();
}

QString slipLine(const Record& slip)
{
    return slipLine(slip.bytes().constData());
}

QString payerLine(const char* record)
{
    QByteArray line(payerWriter().length(record), Qt::Uninitialized);
    payerWriter().write(record, line.data());
    return CodePage::decode(line);
}

void appendPayerLine(LineList& lines, const char* record)
{
    const auto& writer = payerWriter();
    writer.write(record, lines.appendUninitialized(writer.length(record)));
}

void appendPayerLine(LineList::Part& lines, const char* record)
{
    const auto& writer = payerWriter();
    writer.write(record, lines.appendUninitialized(writer.length(record)));
}

qsizetype payerLineMax()
{
    return payerWriter().maxLength();
}

QString payerLine(const Record& payer)
{
    return payerLine(payer.bytes().constData());
}

} // namespace ListLines
