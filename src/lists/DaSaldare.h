#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class DaSaldare;
}

class TfrmDaSaldare : public Dialog {
    Q_OBJECT
public:
    explicit TfrmDaSaldare(QWidget* parent = nullptr);
    ~TfrmDaSaldare() override;

private:
    std::unique_ptr<Ui::DaSaldare> m_ui;
};
