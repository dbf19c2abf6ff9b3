#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Splash;
}

class TfrmSplash : public Dialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);
    ~TfrmSplash() override;

private:
    void setUp() override;
    void openSite();

    std::unique_ptr<Ui::Splash> m_ui;
};
