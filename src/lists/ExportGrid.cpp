#include "lists/ExportGrid.h"

#include "data/RecordEditor.h"

#include "data/CodePage.h"
#include "data/Platform.h"
#include "data/RecordFile.h"
#include "lists/ListArchive.h"
#include "payers/PayerRecord.h"
#include "slips/SlipRecord.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

using Spreadsheet::Align;
constexpr Align L = Align::Left;
constexpr Align R = Align::Right;

// Heading, grid width, editable, fields and their joiner, heading and width in the file, alignment
// in the file. The first column, the record's number, is the grid's only.
// clang-format off
constexpr ExportColumn kSlipColumns[] = {
    {"N.", 60, false, {}, nullptr, nullptr, 0, L},
    {"Importo versato", 160, false, {"Intero"}, nullptr, "Importo versato", 250, R, Spreadsheet::Content::Amount},
    {"Codice tariffa", 120, false, {"CodTariffa"}, nullptr, "Codice tariffa", 200, L},
    {"Anno", 100, false, {"AnnoTariffa"}, nullptr, "Anno", 100, L},
    {"Codice fiscale", 150, false, {"CodFisc"}, nullptr, "Codice fiscale", 250, L},
    {"Cognome e nome Esecutore", 250, false, {"Esecutore"}, nullptr, "Cognome e nome Esecutore", 250, L},
    {"Sesso", 60, false, {"Sesso"}, nullptr, "Sesso", 100, L},
    {"Data di nascita", 120, false, {"GG", "MM", "AA"}, "/", "Data di nascita", 150, L},
    {"Comune / Stato estero di nascita", 250, false, {"ComuneNasc", "ProvNasc"}, " ",
     "Comune / Stato estero di nascita", 250, L},
    {"Indirizzo di residenza", 250, false, {"IndirizzoRes"}, nullptr, "Indirizzo di residenza", 250, L},
    {"Comune di residenza", 250, true, {"ComuneRes", "ProvRes"}, " ", "Comune di residenza", 250, L},
    {"CAP", 100, false, {"CapRes"}, nullptr, "CAP", 100, L},
    {"Data scadenza", 120, false, {"DataScade"}, nullptr, "Data scadenza", 150, L},
    {"Data versamento", 120, false, {"DataPaga"}, nullptr, "Data versamento", 150, L},
    {"Causale", 300, false, {"Causale"}, nullptr, "Causale", 300, L},
    {"Note", 350, true, {"Note"}, nullptr, "Note", 350, L},
    {"Rilascio", 100, false, {"Rilascio"}, nullptr, "Rilascio", 100, L},
    {"Annuale", 100, false, {"Annuale"}, nullptr, "Annuale", 100, L},
    {"Integrazione", 100, false, {"Integrazione"}, nullptr, "Integrazione", 100, L},
    {"Saldato", 100, true, {"Saldato"}, nullptr, "Saldato", 100, L},
};

constexpr ExportColumn kPayerColumns[] = {
    {"N.", 60, false, {}, nullptr, nullptr, 0, L},
    {"Cognome e nome Esecutore", 250, false, {"Esecutore"}, nullptr, "Cognome e nome Esecutore", 250, L},
    {"Data di nascita", 120, false, {"GG", "MM", "AA"}, "/", "Data di nascita", 200, L},
    {"Comune / Stato estero di nascita", 250, false, {"ComuneNasc", "ProvNasc"}, " ", "Comune di nascita", 250, L},
    {"Sesso", 60, false, {"Sesso"}, nullptr, "Sesso", 100, L},
    {"Recapito tel. preferenziale", 200, false, {"Recapito"}, nullptr, "Recapito tel. preferenziale", 250, L},
    {"Indirizzo di residenza", 250, false, {"IndirizzoRes"}, nullptr, "Indirizzo di residenza", 300, L},
    {"Comune di residenza", 250, true, {"ComuneRes", "ProvRes"}, " ", "Comune di residenza", 250, L},
    {"CAP", 100, false, {"CapRes"}, nullptr, "CAP", 150, L},
    {"Categoria di appartenenza", 250, false, {"Categoria"}, nullptr, "Categoria di appartenenza", 250, L},
    {"Tel. casa", 200, false, {"TelCasa"}, nullptr, "Tel. casa", 250, L},
    {"Tel. ufficio", 200, false, {"TelUff"}, nullptr, "Tel. ufficio", 250, L},
    {"Tel. cellulare", 200, false, {"TelCel"}, nullptr, "Tel. cellulare", 250, L},
    {"Fax", 200, false, {"Fax"}, nullptr, "Fax", 250, L},
    {"E-mail", 250, false, {"Email"}, nullptr, "E-mail", 250, L},
    {"Codice fiscale", 150, false, {"CodFisc"}, nullptr, "Codice fiscale", 250, L},
    {"Partita IVA", 150, true, {"PartitaIva"}, nullptr, "Partita IVA", 250, L},
    {"Carta di credito n.", 250, false, {"Carta"}, nullptr, "Carta di credito n.", 300, L},
    {"Scadenza", 160, true, {"ScadeCarta"}, nullptr, "Scadenza", 150, L},
    {"IBAN", 250, true, {"Iban"}, nullptr, "IBAN", 300, L},
    {"Numero documento", 250, true, {"NumDoc"}, nullptr, "Numero documento", 250, L},
    {"Ente di rilascio", 250, true, {"EnteRil"}, nullptr, "Ente di rilascio", 250, L},
    {"Data di rilascio", 150, true, {"DataRil"}, nullptr, "Data di rilascio", 250, L},
    {"Codice tariffa", 120, false, {"CodTariffa"}, nullptr, "Codice tariffa", 200, L},
    {"Questioni in sospeso", 300, true, {"Questioni"}, nullptr, "Questioni in sospeso", 300, L},
    {"Note", 350, true, {"Note"}, nullptr, "Note", 300, L},
};
// clang-format on

const ExportDef kSlips{kSlipColumns, &SlipRecord::layout, "Riepilogo_Annuale_Versamenti.xls",
                       "Riepilogo annuale versamenti"};
const ExportDef kPayers{kPayerColumns, &PayerRecord::layout, "Esecutori.xls", "Riepilogo Esecutori"};

bool isNumber(const ExportColumn& column)
{
    return column.fields[0] == nullptr;
}

} // namespace

namespace Exports {

const ExportDef& slips()
{
    return kSlips;
}
const ExportDef& payers()
{
    return kPayers;
}

Message askExport()
{
    return {MessageKind::Confirmation,
            QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero "
                           "di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?")};
}

Message askOpen()
{
    return {MessageKind::Confirmation,
            QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                           "Si vuole aprire il file di Excel?")};
}

Message cannotExport()
{
    return {MessageKind::Plain,
            QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                           "Accertarsi che il file di Excel non sia già aperto.")};
}

Message noAccess()
{
    return {MessageKind::Error, RecordEditor::accessText()};
}

} // namespace Exports

// The grid's exported columns, in file order, as rows for the spreadsheet writer.
class ExportGrid::FileRows : public Spreadsheet::Rows {
public:
    explicit FileRows(const ExportGrid& grid)
        : m_grid(grid)
    {
        for (int c = 0; c < static_cast<int>(grid.m_def.columns.size()); ++c)
            if (grid.m_def.columns[c].fileHeading) {
                m_gridColumns.push_back(c);
                m_columns.push_back({grid.m_def.columns[c].fileHeading, grid.m_def.columns[c].fileWidth,
                                     grid.m_def.columns[c].align, grid.m_def.columns[c].content});
            }
    }

    const std::vector<Spreadsheet::Column>& columns() const { return m_columns; }
    qsizetype rowCount() const override { return m_grid.m_rows; }
    Spreadsheet::Cell cell(qsizetype row, int column) const override
    {
        const int gridColumn = m_gridColumns[column];
        if (!m_grid.m_edited.isEmpty()) {
            const auto edited = m_grid.m_edited.constFind(key(int(row), gridColumn));
            if (edited != m_grid.m_edited.cend())
                return {{}, &edited.value()};
        }
        return {m_grid.stored(row, gridColumn), nullptr};
    }

private:
    const ExportGrid& m_grid;
    std::vector<int> m_gridColumns;
    std::vector<Spreadsheet::Column> m_columns;
};

ExportGrid::ExportGrid(const ExportDef& def, QObject* parent)
    : QAbstractTableModel(parent)
    , m_def(def)
{
    const RecordLayout& layout = def.layout();
    for (const ExportColumn& column : def.columns) {
        if (isNumber(column))
            continue;
        Plan plan;
        plan.joiner = column.joiner ? column.joiner[0] : '\0';
        for (const char* name : column.fields) {
            if (!name)
                break;
            const int index = layout.indexOf(name);
            Q_ASSERT_X(index >= 0, "ExportGrid", name);
            plan.parts.push_back({layout.offset(index), layout.capacity(index)});
        }
        m_rowCapacity += plan.parts.size() - 1;
        for (const Part& part : plan.parts)
            m_rowCapacity += part.capacity;
        m_plans.push_back(std::move(plan));
    }
    m_stored = static_cast<int>(m_plans.size());
}

QString ExportGrid::exportPath() const
{
    return ProgramFolder::file(QString::fromUtf8(m_def.fileName));
}

void ExportGrid::appendRecord(Filling& part, const char* record)
{
    // The block has room for the longest row of every record: plain copies, no checks.
    char* const begin = m_text.get();
    char* out = begin + part.used;
    for (const Plan& plan : m_plans) {
        bool first = true;
        for (const Part& field : plan.parts) {
            if (!first)
                *out++ = plan.joiner;
            first = false;
            const char* value = record + field.offset + 1;
            int end = std::min<int>(static_cast<unsigned char>(record[field.offset]), field.capacity);
            int start = 0;
            while (start < end && static_cast<unsigned char>(value[start]) <= 32)
                ++start;
            while (end > start && static_cast<unsigned char>(value[end - 1]) <= 32)
                --end;
            std::memcpy(out, value + start, end - start);
            out += end - start;
        }
        part.ends.push_back(static_cast<quint32>(out - begin));
    }
    part.used = size_t(out - begin);
    ++part.rows;
}

bool ExportGrid::fill(const QString& path)
{
    beginResetModel();
    m_rows = 0;
    m_text.reset();
    m_textBytes = 0;
    m_ends.clear();
    m_secondRow = -1;
    m_secondStart = 0;
    m_edited.clear();
    m_error.clear();

    const int size = m_def.layout().size();
    const auto finish = [this](const QString& error) {
        m_error = error;
        endResetModel();
        return error.isEmpty();
    };

    // Opened as every archive command opens it: a missing archive is created empty, an existing
    // one is never replaced.
    qint64 count = 0;
    bool incomplete = false;
    {
        RecordFile archive(size);
        if (!archive.open(path))
            return finish(archive.errorString());
        count = archive.count();
        incomplete = archive.hasIncompleteTail();
    }
    // Room for the longest row of every record, taken at once and never cleared: only the pages
    // the rows fill become memory. Cells are placed by 32-bit offsets.
    const double room = double(count) * double(m_rowCapacity);
    if (room >= double(std::numeric_limits<quint32>::max()))
        return finish(QStringLiteral("archive too large"));
    m_text.reset(new char[size_t(room) + 1]);

    // A long archive is read in two parts at once (RecordScan::scanSplit), the second one's rows
    // written past room for the first's.
    std::array<Filling, RecordScan::kMaxParts> parts;
    const int partCount = RecordScan::splitParts(count);
    for (int index = 0; index < partCount; ++index) {
        const qint64 first = count * index / partCount;
        const qint64 records = count * (index + 1) / partCount - first;
        parts[size_t(index)].start = parts[size_t(index)].used = size_t(first) * m_rowCapacity;
        parts[size_t(index)].ends.reserve(size_t(records) * size_t(m_stored));
    }
    const RecordScan::Split read = RecordScan::scanSplit(
        path, size, [&](int index, const char* record) { appendRecord(parts[size_t(index)], record); }, partCount,
        count);

    m_ends = std::move(parts[0].ends);
    for (int index = 0; index < read.keep; ++index) {
        const Filling& part = parts[size_t(index)];
        if (index > 0 && part.rows > 0) {
            m_secondRow = m_rows;
            m_secondStart = quint32(part.start);
            m_ends.insert(m_ends.end(), part.ends.begin(), part.ends.end());
        }
        m_rows += part.rows;
        m_textBytes += qint64(part.used - part.start);
    }
    if (!read.ok)
        return finish(read.error.isEmpty() ? QStringLiteral("archive shorter than expected") : read.error);
    if (incomplete)
        return finish(QStringLiteral("the archive ends with an incomplete record"));
    return finish({});
}

QByteArrayView ExportGrid::stored(qsizetype row, int column) const
{
    const qsizetype cell = row * m_stored + (column - 1);
    quint32 begin = cell == 0 ? 0 : m_ends[cell - 1];
    if (row == m_secondRow && column == 1)
        begin = m_secondStart;
    return QByteArrayView(m_text.get() + begin, m_ends[cell] - begin);
}

QString ExportGrid::text(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= columnCount())
        return {};
    if (isNumber(m_def.columns[column]))
        return QString::number(row + 1);
    const auto edited = m_edited.constFind(key(row, column));
    if (edited != m_edited.cend())
        return edited.value();
    return CodePage::decode(stored(row, column).toByteArray());
}

bool ExportGrid::exportTo(const QString& path, QString* error) const
{
    const FileRows rows(*this);
    return Spreadsheet::write(path, QString::fromUtf8(m_def.sheetName), rows.columns(), rows, error);
}

qint64 ExportGrid::textBytes() const
{
    qint64 characters = m_textBytes;
    for (qsizetype n = 1; n <= m_rows; ++n)
        characters += QString::number(n).size();
    return 2 * characters;
}

int ExportGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows);
}

int ExportGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_def.columns.size());
}

QVariant ExportGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) {
        const ExportColumn& column = m_def.columns[index.column()];
        const bool right = isNumber(column) || column.align == Align::Right;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
}

bool ExportGrid::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const QString typed = value.toString();
    if (typed == text(index.row(), index.column()))
        return true;
    m_edited.insert(key(index.row(), index.column()), typed);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ExportGrid::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_def.columns[index.column()].editable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant ExportGrid::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return {};
    return QString::fromUtf8(m_def.columns[section].heading);
}
