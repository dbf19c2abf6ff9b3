#include "payers/PayerImportModel.h"

#include "payers/PayerTyping.h"

#include <QBrush>
#include <QColor>

void PayerImportModel::setRows(std::vector<PayerImport::Row> rows, std::vector<int> fields, bool update)
{
    beginResetModel();
    m_rows = std::move(rows);
    m_fields = std::move(fields);
    m_ticks.assign(m_rows.size(), false);
    for (size_t r = 0; r < m_rows.size(); ++r)
        m_ticks[r] = PayerImport::tickedAtFirst(m_rows[r], update);
    endResetModel();
    emit ticksChanged();
}

void PayerImportModel::setUpdate(bool update)
{
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (!m_rows[r].existing.isEmpty() && m_rows[r].error.isEmpty())
            m_ticks[r] = update && PayerImport::tickedAtFirst(m_rows[r], true);
    if (!m_rows.empty())
        emit dataChanged(index(0, Tick), index(rowCount() - 1, Tick), {Qt::CheckStateRole});
    emit ticksChanged();
}

void PayerImportModel::toggle(int r)
{
    if (r < 0 || r >= rowCount() || !m_rows[size_t(r)].error.isEmpty())
        return;
    m_ticks[size_t(r)] = !m_ticks[size_t(r)];
    emit dataChanged(index(r, Tick), index(r, Tick), {Qt::CheckStateRole});
    emit ticksChanged();
}

int PayerImportModel::tickedCount() const
{
    return int(std::count(m_ticks.begin(), m_ticks.end(), true));
}

int PayerImportModel::duplicateCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return !row.existing.isEmpty(); }));
}

std::vector<const PayerImport::Row*> PayerImportModel::toAdd() const
{
    std::vector<const PayerImport::Row*> rows;
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_ticks[r] && m_rows[r].existing.isEmpty())
            rows.push_back(&m_rows[r]);
    return rows;
}

std::vector<const PayerImport::Row*> PayerImportModel::toUpdate() const
{
    std::vector<const PayerImport::Row*> rows;
    for (size_t r = 0; r < m_rows.size(); ++r)
        if (m_ticks[r] && !m_rows[r].existing.isEmpty())
            rows.push_back(&m_rows[r]);
    return rows;
}

int PayerImportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PayerImportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstField + int(m_fields.size());
}

QVariant PayerImportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const PayerImport::Row& row = m_rows[size_t(index.row())];
    switch (index.column()) {
    case Tick:
        if (role == Qt::CheckStateRole)
            return m_ticks[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole)
            return m_ticks[size_t(index.row())] ? QStringLiteral("Da importare") : QStringLiteral("Da non importare");
        return {};
    case Line:
        if (role == Qt::DisplayRole)
            return row.line;
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Status:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return row.status();
        if (role == Qt::ForegroundRole && (!row.error.isEmpty() || !row.problems.isEmpty()))
            return QBrush(QColor(0xb0, 0x12, 0x2b));
        return {};
    default: break;
    }
    const size_t field = size_t(m_fields[size_t(index.column() - FirstField)]);
    const PayerImport::Value& value = row.values[field];
    switch (role) {
    case Qt::DisplayRole: return value.text;
    case Qt::BackgroundRole:
        if (value.cut)
            return QBrush(QColor(0xff, 0xd8, 0xa8));
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (value.cut)
            return QStringLiteral("Tagliato. Nel file: %1").arg(value.original);
        if (value.changed)
            return QStringLiteral("Nel file: %1").arg(value.original);
        return {};
    default: return {};
    }
}

QVariant PayerImportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case Tick: return QStringLiteral("Importa");
    case Line: return QStringLiteral("Riga");
    case Status: return QStringLiteral("Esito");
    default: break;
    }
    if (section - FirstField >= int(m_fields.size()))
        return {};
    return QString::fromUtf8(PayerTyping::fields()[size_t(m_fields[size_t(section - FirstField)])].caption);
}

bool PayerImportModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Tick || role != Qt::CheckStateRole)
        return false;
    const bool tick = value.toInt() == Qt::Checked;
    if (tick != m_ticks[size_t(index.row())])
        toggle(index.row());
    return true;
}

Qt::ItemFlags PayerImportModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Tick && m_rows[size_t(index.row())].error.isEmpty())
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}
