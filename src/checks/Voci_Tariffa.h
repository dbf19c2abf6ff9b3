#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Voci_Tariffa;
}

class TfrmVoci_Tariffa : public Dialog {
    Q_OBJECT
public:
    explicit TfrmVoci_Tariffa(QWidget* parent = nullptr);
    ~TfrmVoci_Tariffa() override;

private:
    std::unique_ptr<Ui::Voci_Tariffa> m_ui;
};
