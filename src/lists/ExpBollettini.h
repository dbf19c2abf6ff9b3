#pragma once

#include "lists/ExportDialog.h"
#include "slips/SlipYear.h"

#include <QSharedPointer>
#include <memory>

namespace Ui {
class ExpBollettini;
}

// The yearly slip export: the archive open in the slip editor, previewed in a grid and written to
// "Riepilogo_Annuale_Versamenti.xls".
class TfrmExpBollettini : public ExportDialog {
    Q_OBJECT
public:
    explicit TfrmExpBollettini(QWidget* parent = nullptr);
    ~TfrmExpBollettini() override;

    // The year exported: the one open in the slip editor.
    void setYear(QSharedPointer<const SlipYear> year) { m_year = std::move(year); }
    QSharedPointer<const SlipYear> year() const { return m_year; }

protected:
    QString archivePath() const override;

private:
    void setUp() override;
    std::unique_ptr<Ui::ExpBollettini> m_ui;
    QSharedPointer<const SlipYear> m_year;
};
