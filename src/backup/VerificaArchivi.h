#pragma once
// The archive check's window: what the check found, one finding a line, printable. It reads the
// archives when it appears and changes nothing.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class VerificaArchivi;
}
class ListPanel;

class TfrmVerificaArchivi : public Dialog {
    Q_OBJECT
public:
    explicit TfrmVerificaArchivi(QWidget* parent = nullptr);
    ~TfrmVerificaArchivi() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::VerificaArchivi> m_ui;
    ListPanel* m_list;
    bool m_filled = false;
};
