#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class Bollettino;
}

class TfrmBollettino : public Workspace {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);
    ~TfrmBollettino() override;

private:
    std::unique_ptr<Ui::Bollettino> m_ui;
};
