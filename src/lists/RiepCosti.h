#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class RiepCosti;
}

class TfrmRiepCosti : public Dialog {
    Q_OBJECT
public:
    explicit TfrmRiepCosti(QWidget* parent = nullptr);
    ~TfrmRiepCosti() override;

private:
    std::unique_ptr<Ui::RiepCosti> m_ui;
};
