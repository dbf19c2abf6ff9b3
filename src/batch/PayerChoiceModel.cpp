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
        m_ticks[i] = warning(int(i)).isEmpty();
        m_checked += m_ticks[i] ? 1 : 0;
    }
    endResetModel();
    emit checkedCountChanged(m_checked);
}

void PayerChoiceModel::setOwnTariff(bool own)
{
    if (own == m_ownTariff)
        return;
    m_ownTariff = own;
    if (m_payers.empty())
        return;
    for (size_t i = 0; i < m_payers.size(); ++i) {
        if (BatchIssue::tariffProblem(m_payers[i]).isEmpty())
            continue;
        const bool tick = warning(int(i)).isEmpty();
        if (m_ticks[i] != tick) {
            m_ticks[i] = tick;
            m_checked += tick ? 1 : -1;
        }
    }
    emit dataChanged(index(0), index(rowCount() - 1));
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
    return text;
}

QVariant PayerChoiceModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const BatchIssue::Payer& p = m_payers[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole: {
        // Every row two lines high, the warning under the payer: a long warning is cut at the
        // list's edge (whole in the tooltip) instead of widening the list past the window.
        const QString text = warning(index.row());
        return QString(line(p) + (text.isEmpty() ? QStringLiteral("\n ") : QStringLiteral("\n\u26a0 ") + text));
    }
    case Qt::CheckStateRole: return m_ticks[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    case Qt::ToolTipRole: return warning(index.row());
    case WarningRole: return warning(index.row());
    case Qt::ForegroundRole: return warning(index.row()).isEmpty() ? QVariant() : QBrush(QColor(0xA3, 0x15, 0x15));
    case Qt::AccessibleTextRole: {
        const QString text = warning(index.row());
        return text.isEmpty() ? line(p) : QString(line(p) + QStringLiteral(": ") + text);
    }
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
