#include "data/CsvFile.h"

#include "data/CodePage.h"

#include <QHash>
#include <QStringDecoder>

namespace CsvFile {

Text decode(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return {QString::fromUtf8(bytes.constData() + bom.size(), bytes.size() - bom.size()), Encoding::Utf8Bom};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return {text, Encoding::Utf8};
    return {CodePage::decode(bytes), Encoding::Windows1252};
}

// ---- Records ----

qsizetype Records::cellCount(qsizetype row) const
{
    return m_rowEnds[size_t(row)] - rowBegin(row);
}

QStringView Records::cell(qsizetype row, qsizetype column) const
{
    if (row < 0 || row >= size() || column < 0 || column >= cellCount(row))
        return {};
    const qsizetype index = rowBegin(row) + column;
    const qsizetype begin = cellBegin(index);
    return QStringView(m_text).mid(begin, m_cellEnds[size_t(index)] - begin);
}

QStringList Records::row(qsizetype row) const
{
    QStringList cells;
    const qsizetype count = cellCount(row);
    cells.reserve(count);
    for (qsizetype c = 0; c < count; ++c)
        cells.append(cell(row, c).toString());
    return cells;
}

QList<QStringList> Records::toLists() const
{
    QList<QStringList> rows;
    rows.reserve(size());
    for (qsizetype r = 0; r < size(); ++r)
        rows.append(row(r));
    return rows;
}

void Records::addCell(QStringView text)
{
    m_text.append(text);
    endCell();
}

void Records::squeeze()
{
    m_text.squeeze();
    m_cellEnds.shrink_to_fit();
    m_rowEnds.shrink_to_fit();
}

// ---- Separator ----

QChar separatorOf(const QString& text)
{
    constexpr qsizetype kSample = 50;
    // In order of preference on a tie.
    const QChar candidates[] = {QLatin1Char('\t'), QLatin1Char(';'), QLatin1Char(',')};
    QChar best = QLatin1Char(';');
    qsizetype bestScore = 0;
    for (const QChar separator : candidates) {
        const Records sample = parse(text, separator, kSample);
        QHash<qsizetype, qsizetype> rowsPerWidth;
        for (qsizetype r = 0; r < sample.size(); ++r)
            ++rowsPerWidth[sample.cellCount(r)];
        qsizetype score = 0;
        for (auto it = rowsPerWidth.cbegin(); it != rowsPerWidth.cend(); ++it)
            if (it.key() > 1)
                score = std::max(score, it.value());
        if (score > bestScore) {
            best = separator;
            bestScore = score;
        }
    }
    return best;
}

// ---- Parsing ----

Records parse(const QString& text, QChar separator, qsizetype maxRecords)
{
    Records rows;
    if (maxRecords < 0)
        rows.reserve(text.size()); // the cells are never longer than the text
    bool lineHasText = false;      // anything at all on the current line, separators included
    const qsizetype size = text.size();
    qsizetype i = 0;
    const auto endRecord = [&] {
        if (lineHasText) {
            rows.endCell();
            rows.endRow();
        }
        lineHasText = false;
    };
    while (i < size && (maxRecords < 0 || rows.size() < maxRecords)) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') && rows.cellIsEmpty()) {
            // A quoted cell: to the next quote that is not doubled.
            lineHasText = true;
            ++i;
            while (i < size) {
                const QChar q = text.at(i);
                if (q == QLatin1Char('"')) {
                    if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                        rows.append(QLatin1Char('"'));
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (q == QLatin1Char('\r')) {
                    // A line break inside a cell is kept as one LF, whatever ended the line.
                    rows.append(QLatin1Char('\n'));
                    i += (i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
                    continue;
                }
                // The run of ordinary characters up to the next quote or line break, at once.
                qsizetype end = i + 1;
                while (end < size && text.at(end) != QLatin1Char('"') && text.at(end) != QLatin1Char('\r'))
                    ++end;
                rows.append(QStringView(text).mid(i, end - i));
                i = end;
            }
            // Text after the closing quote belongs to the cell, as spreadsheets read it.
            while (i < size && text.at(i) != separator && text.at(i) != QLatin1Char('\n')
                   && text.at(i) != QLatin1Char('\r')) {
                rows.append(text.at(i));
                ++i;
            }
            continue;
        }
        if (c == separator) {
            lineHasText = true;
            rows.endCell();
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            endRecord();
            i += (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
            continue;
        }
        lineHasText = true;
        // The rest of the cell up to its separator or the line's end, at once: a quote inside it is
        // an ordinary character.
        qsizetype end = i + 1;
        while (end < size && text.at(end) != separator && text.at(end) != QLatin1Char('\n')
               && text.at(end) != QLatin1Char('\r'))
            ++end;
        rows.append(QStringView(text).mid(i, end - i));
        i = end;
    }
    if (maxRecords < 0 || rows.size() < maxRecords)
        endRecord();
    rows.squeeze();
    return rows;
}

Table read(const QByteArray& bytes)
{
    Text text = decode(bytes);
    const QChar separator = separatorOf(text.text);
    Table table{parse(text.text, separator), separator, text.encoding};
    return table;
}

Table read(const QByteArray& bytes, QChar separator)
{
    const Text text = decode(bytes);
    return {parse(text.text, separator), separator, text.encoding};
}

} // namespace CsvFile
