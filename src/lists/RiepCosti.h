#pragma once
// The payment summary result: the slips of the chosen period and payer, their total, and the
// printed summary. It reads the period, the filters and the archive from the selection window.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class RiepCosti;
}
class ListPanel;

class TfrmRiepCosti : public Dialog {
    Q_OBJECT
public:
    explicit TfrmRiepCosti(QWidget* parent = nullptr);
    ~TfrmRiepCosti() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUp() override;
    void fitListPanel();
    void fill();
    void print();
    void showHelp();

    std::unique_ptr<Ui::RiepCosti> m_ui;
    ListPanel* m_list;
    QString m_note; // what the summary leaves out, said under the total and on paper
    bool m_filled = false;
};
