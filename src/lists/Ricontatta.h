#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Ricontatta;
}

class TfrmRicontatta : public Dialog {
    Q_OBJECT
public:
    explicit TfrmRicontatta(QWidget* parent = nullptr);
    ~TfrmRicontatta() override;

private:
    std::unique_ptr<Ui::Ricontatta> m_ui;
};
