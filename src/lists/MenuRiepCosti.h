#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class MenuRiepCosti;
}

class TfrmMenuRiepCosti : public Workspace {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);
    ~TfrmMenuRiepCosti() override;

private:
    std::unique_ptr<Ui::MenuRiepCosti> m_ui;
};
