#pragma once
// The date picker: a month calendar that starts on today's date and hands the chosen date, as
// "dd/mm/yyyy", to the window its caller tag names. Only the slip editor's due date ("datascade")
// asks for one.

#include "app/Windows.h"

#include <memory>

namespace Ui {
class Calendario;
}

class TfrmCalendario : public Dialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
    ~TfrmCalendario() override;

private:
    void importDate();

    std::unique_ptr<Ui::Calendario> m_ui;
};
