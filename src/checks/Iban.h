#pragma once

#include "checks/CheckDialog.h"

#include <memory>

namespace Ui {
class Iban;
}

class TfrmIban : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);
    ~TfrmIban() override;

private:
    void setUp() override;
    std::unique_ptr<Ui::Iban> m_ui;
};
