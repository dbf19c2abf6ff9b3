#pragma once
// The payers of a batch as a list with a check box per payer: ticked at first unless the payer
// has a problem (BatchIssue::Payer::problem), which the line shows beside it.

#include "batch/BatchIssue.h"

#include <QAbstractListModel>
#include <vector>

class PayerChoiceModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setPayers(std::vector<BatchIssue::Payer> payers);
    const BatchIssue::Payer& payer(int row) const { return m_payers[size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setAllChecked(bool checked);
    int checkedCount() const { return m_checked; }
    // The ticked payers, in list order.
    std::vector<const BatchIssue::Payer*> chosen() const;

    // The list line: name 23, "  C.F. " tax code 16, "  " town and province, and the problem.
    static QString line(const BatchIssue::Payer& payer);

signals:
    void checkedCountChanged(int count);

private:
    std::vector<BatchIssue::Payer> m_payers;
    std::vector<bool> m_ticks;
    int m_checked = 0;
};
