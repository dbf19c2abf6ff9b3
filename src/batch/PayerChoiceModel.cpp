#include "batch/PayerChoiceModel.h"

#include "lists/ListLines.h"

#include <QBrush>
#include <QColor>

void PayerChoiceModel::setPayers(std::vector<BatchIssue::Payer> payers)
{
    beginResetModel();
    m_payers = std::move(payers);
    m_ticks.assign(m_payers.size(), false);
    m_checked = 0;
    for (size_t i = 0; i < m_payers.size(); ++i) {
        m_ticks[i] = m_payers[i].problem.isEmpty();
        m_checked += m_ticks[i] ? 1 : 0;
    }
    endResetModel();
    emit checkedCountChanged(m_checked);
}

int PayerChoiceModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_payers.size());
}

QString PayerChoiceModel::line(const BatchIssue::Payer& payer)
{
    QString text;
    ListLines::appendPadded(text, payer.name(), 23);
    text += QStringLiteral("  C.F. ");
    ListLines::appendPadded(text, payer.taxCode(), 16);
    text += QStringLiteral("  ");
    text += payer.field("ComuneRes") + QLatin1Char(' ') + payer.field("ProvRes");
    if (!payer.problem.isEmpty())
        text += QStringLiteral("  \u26a0 ") + payer.problem;
    return text;
}

QVariant PayerChoiceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const BatchIssue::Payer& p = m_payers[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: return line(p);
    case Qt::CheckStateRole: return m_ticks[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole: return p.problem;
    case Qt::ForegroundRole: return p.problem.isEmpty() ? QVariant() : QBrush(QColor(0xA3, 0x15, 0x15));
    case Qt::AccessibleTextRole: return line(p);
    default: return {};
    }
}

bool PayerChoiceModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.row() >= rowCount())
        return false;
    const bool tick = value.toInt() == Qt::Checked;
    auto cell = m_ticks.begin() + index.row();
    if (*cell == tick)
        return true;
    *cell = tick;
    m_checked += tick ? 1 : -1;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit checkedCountChanged(m_checked);
    return true;
}

Qt::ItemFlags PayerChoiceModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemNeverHasChildren;
}

void PayerChoiceModel::setAllChecked(bool checked)
{
    if (m_payers.empty())
        return;
    m_ticks.assign(m_payers.size(), checked);
    m_checked = checked ? int(m_payers.size()) : 0;
    emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    emit checkedCountChanged(m_checked);
}

std::vector<const BatchIssue::Payer*> PayerChoiceModel::chosen() const
{
    std::vector<const BatchIssue::Payer*> out;
    for (size_t i = 0; i < m_payers.size(); ++i)
        if (m_ticks[i])
            out.push_back(&m_payers[i]);
    return out;
}
