#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Carta;
}

class TfrmCarta : public Dialog {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);
    ~TfrmCarta() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void check();

    std::unique_ptr<Ui::Carta> m_ui;
    bool m_dressed = false;
};
