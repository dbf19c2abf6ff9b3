#pragma once
// The payer search: up to ten criteria over the payer archive, the hits as a list, and a double
// click that hands the chosen payer to the window that opened the search.

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

    // Where a chosen payer goes; without one a choice only closes the search.
    void setTarget(PayerTarget* target) { m_target = target; }
    PayerTarget* target() const { return m_target; }

private:
    void setUp() override;
    std::unique_ptr<Ui::TrovaEsecutori> m_ui;
    PayerTarget* m_target = nullptr;
};
