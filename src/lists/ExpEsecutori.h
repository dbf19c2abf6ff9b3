#pragma once

#include "lists/ExportDialog.h"

#include <memory>

namespace Ui {
class ExpEsecutori;
}

// The payer export: the payer archive, previewed in a grid and written to "Esecutori.xls".
class TfrmExpEsecutori : public ExportDialog {
    Q_OBJECT
public:
    explicit TfrmExpEsecutori(QWidget* parent = nullptr);
    ~TfrmExpEsecutori() override;

protected:
    QString archivePath() const override;

private:
    void setUp() override;
    std::unique_ptr<Ui::ExpEsecutori> m_ui;
};
