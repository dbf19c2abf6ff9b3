#pragma once
// The settings of the due-date reminders, from the start menu: the notice at start-up on or off,
// the period in days, and the office's heading that the letters print.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class ImpostaPromemoria;
}

class TfrmImpostaPromemoria : public Dialog {
    Q_OBJECT
public:
    explicit TfrmImpostaPromemoria(QWidget* parent = nullptr);
    ~TfrmImpostaPromemoria() override;

private:
    void setUp() override;
    void save();

    std::unique_ptr<Ui::ImpostaPromemoria> m_ui;
};
