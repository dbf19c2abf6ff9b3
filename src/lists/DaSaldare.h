#pragma once
// The unpaid slips of the year open in the slip editor; a double click loads one back into it.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class DaSaldare;
}
class ListPanel;

class TfrmDaSaldare : public Dialog {
    Q_OBJECT
public:
    explicit TfrmDaSaldare(QWidget* parent = nullptr);
    ~TfrmDaSaldare() override;

    // The slip editor whose year is listed and which takes the chosen slip.
    void setTarget(SlipTarget* target) { m_target = target; }
    SlipTarget* target() const { return m_target; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    std::unique_ptr<Ui::DaSaldare> m_ui;
    ListPanel* m_list;
    SlipTarget* m_target = nullptr;
    bool m_filled = false;
};
