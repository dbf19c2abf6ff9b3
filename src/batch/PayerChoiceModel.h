#pragma once
// The payers of a batch as a list with a check box per payer: ticked at first unless the payer
// has a warning (BatchIssue::warning), which the line shows beside it.

#include "batch/BatchIssue.h"

#include <QAbstractListModel>
#include <vector>

class PayerChoiceModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // The payer's warning (BatchIssue::warning), empty when it has none.
    static constexpr int WarningRole = Qt::UserRole + 1;

    void setPayers(std::vector<BatchIssue::Payer> payers);
    const BatchIssue::Payer& payer(int row) const { return m_payers[size_t(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Whether each slip takes its payer's own tariff code (the default) or one code for all: a
    // payer whose own code is missing or unknown is warned of only in the first case. The payers
    // whose warning comes or goes with the change get the tick their new warning calls for.
    void setOwnTariff(bool own);
    bool ownTariff() const { return m_ownTariff; }
    QString warning(int row) const { return BatchIssue::warning(payer(row), m_ownTariff); }

    void setAllChecked(bool checked);
    int checkedCount() const { return m_checked; }
    // The ticked payers, in list order.
    std::vector<const BatchIssue::Payer*> chosen() const;

    // The payer's line: name 23, "  C.F. " tax code 16, "  " town and province. The list shows the
    // warning on a second line under it.
    static QString line(const BatchIssue::Payer& payer);

signals:
    void checkedCountChanged(int count);

private:
    std::vector<BatchIssue::Payer> m_payers;
    std::vector<bool> m_ticks;
    int m_checked = 0;
    bool m_ownTariff = true;
};
