#pragma once
// The lines of a list window as a model: texts only, every row the same size, so a list of
// 100 000 lines costs about one byte per character shown (LineList).

#include "windows/LineList.h"

#include <QAbstractListModel>
#include <QFont>
#include <QSize>

class LineModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit LineModel(QObject* parent = nullptr);

    void setLines(LineList lines);
    void clear() { setLines({}); }
    const LineList& lines() const { return m_lines; }
    QString line(int row) const { return row >= 0 && row < m_lines.size() ? m_lines.at(row) : QString(); }

    // The size every row reports (the list's item width and the font's line height).
    void setItemSize(QSize size) { m_itemSize = size; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    LineList m_lines;
    QSize m_itemSize;
};
