#pragma once

#include "lists/ExportDialog.h"

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

protected:
    // The slip editor's lblFile.
    QString archivePath() const override;

private:
    void setUp() override;
    std::unique_ptr<Ui::ExpBollettini> m_ui;
};
