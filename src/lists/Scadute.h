#pragma once
// The unpaid slips whose due date has come, of the year open in the slip editor; a double click
// loads one back into it.

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    std::unique_ptr<Ui::Scadute> m_ui;
    ListPanel* m_list;
    QLabel* m_unreadable;
    bool m_filled = false;
};
