#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Scadute;
}

class TfrmScadute : public Dialog {
    Q_OBJECT
public:
    explicit TfrmScadute(QWidget* parent = nullptr);
    ~TfrmScadute() override;

private:
    std::unique_ptr<Ui::Scadute> m_ui;
};
