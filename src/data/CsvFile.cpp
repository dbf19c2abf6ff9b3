#include "data/CsvFile.h"

#include "data/CodePage.h"

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

QChar separatorOf(const QString& text)
{
    int semicolons = 0, commas = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted; // a doubled quote turns twice: no harm
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!quoted && c == QLatin1Char(';'))
            ++semicolons;
        else if (!quoted && c == QLatin1Char(','))
            ++commas;
        else if (!quoted && c == QLatin1Char('\t'))
            ++tabs;
    }
    if (commas > semicolons && commas >= tabs)
        return QLatin1Char(',');
    if (tabs > semicolons && tabs > commas)
        return QLatin1Char('\t');
    return QLatin1Char(';');
}

QList<QStringList> parse(const QString& text, QChar separator)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool lineHasText = false; // anything at all on the current line, separators included
    const qsizetype size = text.size();
    qsizetype i = 0;
    const auto endRecord = [&] {
        if (lineHasText) {
            row.append(cell);
            rows.append(row);
        }
        row.clear();
        cell.clear();
        lineHasText = false;
    };
    while (i < size) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('"') && cell.isEmpty()) {
            // A quoted cell: to the next quote that is not doubled.
            lineHasText = true;
            ++i;
            while (i < size) {
                const QChar q = text.at(i);
                if (q == QLatin1Char('"')) {
                    if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                        cell.append(QLatin1Char('"'));
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (q == QLatin1Char('\r')) {
                    // A line break inside a cell is kept as one LF, whatever ended the line.
                    cell.append(QLatin1Char('\n'));
                    i += (i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
                    continue;
                }
                cell.append(q);
                ++i;
            }
            // Text after the closing quote belongs to the cell, as spreadsheets read it.
            while (i < size && text.at(i) != separator && text.at(i) != QLatin1Char('\n')
                   && text.at(i) != QLatin1Char('\r')) {
                cell.append(text.at(i));
                ++i;
            }
            continue;
        }
        if (c == separator) {
            lineHasText = true;
            row.append(cell);
            cell.clear();
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            endRecord();
            i += (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
            continue;
        }
        lineHasText = true;
        cell.append(c);
        ++i;
    }
    endRecord();
    return rows;
}

Table read(const QByteArray& bytes)
{
    const Text text = decode(bytes);
    Table table;
    table.encoding = text.encoding;
    table.separator = separatorOf(text.text);
    table.rows = parse(text.text, table.separator);
    return table;
}

} // namespace CsvFile
