#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class CambiaPassword;
}

class TfrmCambiaPassword : public Workspace {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);
    ~TfrmCambiaPassword() override;

private:
    std::unique_ptr<Ui::CambiaPassword> m_ui;
};
