#pragma once
// The payment summary result: the slips of the chosen period and payer, their total, and the
// printed summary, for the period, filters and archive the selection window hands it.

#include "lists/Summary.h"
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

    // The choice as the selection checked it (the two dates and the archive) and the payer
    // filters; read when the window is first shown.
    void setSelection(const Summary::Checked& checked, const Summary::Filters& filters);

signals:
    // The window is closing: the selection takes its notice away.
    void closing();

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
    Summary::Checked m_checked;
    Summary::Filters m_filters;
    QString m_note; // what the summary leaves out, said under the total and on paper
    bool m_filled = false;
};
