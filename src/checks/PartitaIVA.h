#pragma once

#include "checks/CheckDialog.h"

#include <memory>

namespace Ui {
class PartitaIVA;
}

class TfrmPartitaIva : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
    ~TfrmPartitaIva() override;

private:
    void setUp() override;
    std::unique_ptr<Ui::PartitaIVA> m_ui;
};
