#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Iban;
}

class TfrmIban : public Dialog {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);
    ~TfrmIban() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void check();

    std::unique_ptr<Ui::Iban> m_ui;
    bool m_dressed = false;
};
