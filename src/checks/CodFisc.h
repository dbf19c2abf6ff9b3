#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class CodFisc;
}

class TfrmCodFisc : public Dialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
    ~TfrmCodFisc() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void check();

    std::unique_ptr<Ui::CodFisc> m_ui;
    bool m_dressed = false;
};
