#pragma once
// The preview of an import: one line per row of the file, with a check box (import it or not), the
// line number, the verdict (new, already in the registry, failed checks, cut values) and, for each
// field a column feeds, what the field will hold. A cut value has a warm background and says what
// the file held in its tooltip; a changed one says it too.

#include "payers/PayerImport.h"

#include <QAbstractTableModel>
#include <QCache>
#include <vector>

class PayerImportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Tick, Line, Status, FirstField };

    using QAbstractTableModel::QAbstractTableModel;

    // The rows and the fields shown (PayerTyping::fields() indexes); each row ticked as at first.
    void setRows(PayerImport::Preview preview, std::vector<int> fields, bool update);
    // Payers already in the registry: ticked for an update, unticked to skip them.
    void setUpdate(bool update);
    void toggle(int row);

    // Row r as it will be stored; the reference holds until the next call.
    const PayerImport::Row& row(int r) const;
    const PayerImport::Preview& preview() const { return m_preview; }
    bool ticked(int r) const { return m_ticks[size_t(r)]; }
    int tickedCount() const;
    int duplicateCount() const;
    // The ticked rows: the new payers, and those whose registry records are updated.
    std::vector<int> toAdd() const;
    std::vector<int> toUpdate() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void ticksChanged();

private:
    PayerImport::Preview m_preview;
    std::vector<bool> m_ticks;
    std::vector<int> m_fields;
    mutable QCache<int, PayerImport::Row> m_shown{300};
};
