#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class PartitaIVA;
}

class TfrmPartitaIva : public Dialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
    ~TfrmPartitaIva() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void check();

    std::unique_ptr<Ui::PartitaIVA> m_ui;
    bool m_dressed = false;
};
