#pragma once
// The payment summary selection: a year, a period inside it and optional payer filters.
// "Visualizza riepilogo" checks them, leaves the two dates and the archive in hidden labels and
// opens the result, which reads them from here.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class MenuRiepCosti;
}

class TfrmMenuRiepCosti : public Workspace {
    Q_OBJECT
public:
    explicit TfrmMenuRiepCosti(QWidget* parent = nullptr);
    ~TfrmMenuRiepCosti() override;

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
