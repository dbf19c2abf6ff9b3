#pragma once

#include "checks/CheckDialog.h"

#include <memory>

namespace Ui {
class Carta;
}

class TfrmCarta : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);
    ~TfrmCarta() override;

private:
    void setUp() override;
    std::unique_ptr<Ui::Carta> m_ui;
};
