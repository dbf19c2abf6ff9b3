#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class TrovaBollettini;
}

class TfrmTrovaBollettini : public Dialog {
    Q_OBJECT
public:
    explicit TfrmTrovaBollettini(QWidget* parent = nullptr);
    ~TfrmTrovaBollettini() override;

private:
    std::unique_ptr<Ui::TrovaBollettini> m_ui;
};
