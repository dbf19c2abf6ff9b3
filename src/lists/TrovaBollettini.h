#pragma once
// The slip search: up to ten criteria over the year open in the slip editor, the hits as a list,
// and a double click that loads the chosen slip into the slip editor.

#include "lists/SearchWindow.h"

#include <memory>

namespace Ui {
class TrovaBollettini;
}

class TfrmTrovaBollettini : public SearchWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaBollettini(QWidget* parent = nullptr);
    ~TfrmTrovaBollettini() override;

    // The slip editor whose year is searched and which takes the chosen slip; without one there is
    // nothing to search.
    void setTarget(SlipTarget* target) { m_target = target; }
    SlipTarget* target() const { return m_target; }

private:
    void setUp() override;
    std::unique_ptr<Ui::TrovaBollettini> m_ui;
    SlipTarget* m_target = nullptr;
};
