#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class Password;
}

class TfrmPassword : public Workspace {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);
    ~TfrmPassword() override;

private:
    std::unique_ptr<Ui::Password> m_ui;
};
