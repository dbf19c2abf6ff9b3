#pragma once

#include "checks/CheckDialog.h"

#include <memory>

namespace Ui {
class CodFisc;
}

class TfrmCodFisc : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
    ~TfrmCodFisc() override;

private:
    void setUp() override;
    std::unique_ptr<Ui::CodFisc> m_ui;
};
