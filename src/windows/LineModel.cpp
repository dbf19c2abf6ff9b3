#include "windows/LineModel.h"

LineModel::LineModel(QObject* parent)
    : QAbstractListModel(parent)
{}

void LineModel::setLines(LineList lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int LineModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LineModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_lines.at(index.row());
    if (role == Qt::SizeHintRole && m_itemSize.isValid())
        return m_itemSize;
    return {};
}
