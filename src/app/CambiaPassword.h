#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class CambiaPassword;
}

// Replaces the password after checking the old one; closing it returns to the login window.
class TfrmCambiaPassword : public Workspace {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);
    ~TfrmCambiaPassword() override;

protected:
    void showEvent(QShowEvent* event) override;
    void leave() override;

private:
    void setUp() override;
    void updateOk();
    void change();

    std::unique_ptr<Ui::CambiaPassword> m_ui;
};
