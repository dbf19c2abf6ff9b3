#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Password;
}

// The login window, the application's main window: the start menu opens only after the right
// password, and closing this window ends the program.
class TfrmPassword : public Workspace {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);
    ~TfrmPassword() override;

    // Shows the login again with its field emptied (the change-password window returns here).
    void showEmptied(QWidget* from);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUp() override;
    void updateOk();
    void login();

    std::unique_ptr<Ui::Password> m_ui;
};
