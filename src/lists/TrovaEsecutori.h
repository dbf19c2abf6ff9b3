#pragma once
// The payer search: up to ten criteria over the payer archive, the hits as a list, and a double
// click that copies the chosen payer into the window named by the caller tag.

#include "lists/SearchWindow.h"

#include <memory>

namespace Ui {
class TrovaEsecutori;
}

class TfrmTrovaEsecutori : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaEsecutori(QWidget* parent = nullptr);
    ~TfrmTrovaEsecutori() override;

private:
    void setUp() override;
    std::unique_ptr<Ui::TrovaEsecutori> m_ui;
};
