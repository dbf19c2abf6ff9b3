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

private:
    std::unique_ptr<Ui::CodFisc> m_ui;
};
