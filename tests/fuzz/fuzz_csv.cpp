// Spreadsheet CSV files: any bytes are read without harm, in either code page, and the cells read
// come back the same when written out again with every cell quoted, in any separator.

#include "Fuzz.h"

#include "data/CsvFile.h"

namespace {

QString quoted(const QList<QStringList>& rows, QChar separator)
{
    QString text;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += separator;
            QString cell = row.at(c);
            cell.replace(QLatin1Char('"'), QLatin1String("\"\""));
            text += QLatin1Char('"') + cell + QLatin1Char('"');
        }
        text += QLatin1String("\r\n");
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const CsvFile::Table table = CsvFile::read(bytes);
    const QList<QStringList> rows = table.rows.toLists();
    for (const QStringList& row : rows) {
        FUZZ_CHECK(!row.isEmpty());
        for (const QString& cell : row)
            FUZZ_CHECK(!cell.contains(QLatin1Char('\r')));
    }
    for (const QChar separator : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')})
        FUZZ_CHECK(CsvFile::parse(quoted(rows, separator), separator).toLists() == rows);
    return 0;
}
