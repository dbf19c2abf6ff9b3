#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class ExpBollettini;
}

class TfrmExpBollettini : public Dialog {
    Q_OBJECT
public:
    explicit TfrmExpBollettini(QWidget* parent = nullptr);
    ~TfrmExpBollettini() override;

private:
    std::unique_ptr<Ui::ExpBollettini> m_ui;
};
