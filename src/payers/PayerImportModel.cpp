#include "payers/PayerImportModel.h"

#include "payers/PayerTyping.h"

#include <QBrush>
#include <QColor>

void PayerImportModel::setRows(PayerImport::Preview preview, std::vector<int> fields, bool update)
{
    beginResetModel();
    m_preview = std::move(preview);
    m_fields = std::move(fields);
    m_shown.clear();
    m_ticks.assign(size_t(m_preview.size()), false);
    for (qsizetype r = 0; r < m_preview.size(); ++r)
        m_ticks[size_t(r)] = PayerImport::tickedAtFirst(m_preview.brief(r), update);
    endResetModel();
    emit ticksChanged();
}

const PayerImport::Row& PayerImportModel::row(int r) const
{
    if (PayerImport::Row* shown = m_shown.object(r))
        return *shown;
    auto* prepared = new PayerImport::Row(m_preview.row(r));
    m_shown.insert(r, prepared);
    return *prepared;
}

void PayerImportModel::setUpdate(bool update)
{
    for (qsizetype r = 0; r < m_preview.size(); ++r) {
        const PayerImport::Brief& brief = m_preview.brief(r);
        if (!brief.existing.isEmpty() && brief.importable)
            m_ticks[size_t(r)] = update && PayerImport::tickedAtFirst(brief, true);
    }
    if (m_preview.size() > 0)
        emit dataChanged(index(0, Tick), index(rowCount() - 1, Tick), {Qt::CheckStateRole});
    emit ticksChanged();
}

void PayerImportModel::toggle(int r)
{
    if (r < 0 || r >= rowCount() || !m_preview.brief(r).importable)
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
    int count = 0;
    for (qsizetype r = 0; r < m_preview.size(); ++r)
        count += m_preview.brief(r).existing.isEmpty() ? 0 : 1;
    return count;
}

std::vector<int> PayerImportModel::toAdd() const
{
    std::vector<int> rows;
    for (qsizetype r = 0; r < m_preview.size(); ++r)
        if (m_ticks[size_t(r)] && m_preview.brief(r).existing.isEmpty())
            rows.push_back(int(r));
    return rows;
}

std::vector<int> PayerImportModel::toUpdate() const
{
    std::vector<int> rows;
    for (qsizetype r = 0; r < m_preview.size(); ++r)
        if (m_ticks[size_t(r)] && !m_preview.brief(r).existing.isEmpty())
            rows.push_back(int(r));
    return rows;
}

int PayerImportModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_preview.size());
}

int PayerImportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : FirstField + int(m_fields.size());
}

QVariant PayerImportModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    switch (index.column()) {
    case Tick:
        if (role == Qt::CheckStateRole)
            return m_ticks[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole)
            return m_ticks[size_t(index.row())] ? QStringLiteral("Da importare") : QStringLiteral("Da non importare");
        return {};
    case Line:
        if (role == Qt::DisplayRole)
            return int(m_preview.brief(index.row()).record + 1);
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Status:
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return row(index.row()).status();
        if (role == Qt::ForegroundRole
            && (!m_preview.brief(index.row()).importable || !m_preview.brief(index.row()).clean))
            return QBrush(QColor(0xb0, 0x12, 0x2b));
        return {};
    default: break;
    }
    if (role != Qt::DisplayRole && role != Qt::BackgroundRole && role != Qt::ToolTipRole
        && role != Qt::AccessibleDescriptionRole)
        return {};
    const size_t field = size_t(m_fields[size_t(index.column() - FirstField)]);
    const PayerImport::Value& value = row(index.row()).values[field];
    switch (role) {
    case Qt::DisplayRole: return value.text;
    case Qt::BackgroundRole:
        if (value.cut)
            return QBrush(QColor(0xff, 0xd8, 0xa8));
        if (value.completed)
            return QBrush(QColor(0xff, 0xf3, 0xa0));
        if (value.derived)
            return QBrush(QColor(0xd6, 0xe8, 0xff));
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        if (value.cut)
            return QStringLiteral("Tagliato. Nel file: %1").arg(value.original);
        if (value.completed)
            return QStringLiteral("Completato con gli zeri persi dal foglio di calcolo. Nel file: %1")
                .arg(value.original);
        if (value.derived)
            return QStringLiteral("Ricavato dal codice fiscale: il file non lo indica");
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
    if (index.column() == Tick && m_preview.brief(index.row()).importable)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}
