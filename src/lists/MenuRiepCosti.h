#pragma once
// The payment summary selection: a year, a period inside it and optional payer filters.
// "Visualizza riepilogo" checks them, shows the two dates and the archive in hidden labels and
// opens the result with them. The payer search hands it a payer's name and tax code as filters.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class MenuRiepCosti;
}

class TfrmMenuRiepCosti : public Workspace, public PayerTarget {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);
    ~TfrmMenuRiepCosti() override;

    // A payer chosen in the payer search: its name and tax code become the filters.
    bool takePayer(const Record& payer, qint64 position) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setUp() override;
    void applyLook();
    void reset();
    void showSummary();

    std::unique_ptr<Ui::MenuRiepCosti> m_ui;
    bool m_styled = false;
};
