#pragma once
// The payers flagged to be recontacted; a double click loads one into the payer editor.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Ricontatta;
}
class ListPanel;

class TfrmRicontatta : public Dialog {
    Q_OBJECT
public:
    explicit TfrmRicontatta(QWidget* parent = nullptr);
    ~TfrmRicontatta() override;

    // The payer editor, which takes the chosen payer.
    void setTarget(PayerTarget* target) { m_target = target; }
    PayerTarget* target() const { return m_target; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    std::unique_ptr<Ui::Ricontatta> m_ui;
    ListPanel* m_list;
    PayerTarget* m_target = nullptr;
    bool m_filled = false;
};
