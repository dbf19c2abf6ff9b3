#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class TrovaEsecutori;
}

class TfrmTrovaEsecutori : public Dialog {
    Q_OBJECT
public:
    explicit TfrmTrovaEsecutori(QWidget* parent = nullptr);
    ~TfrmTrovaEsecutori() override;

private:
    std::unique_ptr<Ui::TrovaEsecutori> m_ui;
};
