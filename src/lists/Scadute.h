#pragma once
// The unpaid slips whose due date has come, of the year open in the slip editor; a double click
// loads one back into it.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Scadute;
}
class ListPanel;
class QLabel;

class TfrmScadute : public Dialog {
    Q_OBJECT
public:
    explicit TfrmScadute(QWidget* parent = nullptr);
    ~TfrmScadute() override;

    // The slip editor whose year is listed and which takes the chosen slip.
    void setTarget(SlipTarget* target) { m_target = target; }
    SlipTarget* target() const { return m_target; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    std::unique_ptr<Ui::Scadute> m_ui;
    ListPanel* m_list;
    SlipTarget* m_target = nullptr;
    QLabel* m_unreadable;
    bool m_filled = false;
};
