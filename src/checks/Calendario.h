#pragma once
// The date picker: a month calendar that starts on today's date and hands the chosen date, as
// "dd/mm/yyyy", to the window its caller tag names. Only the slip editor's due date ("datascade")
// asks for one.

#include "windows/Windows.h"

#include <memory>

class QCalendarWidget;

namespace Ui {
class Calendario;
}

class TfrmCalendario : public Dialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* parent = nullptr);
    ~TfrmCalendario() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    QCalendarWidget* calendar();
    void importDate();

    std::unique_ptr<Ui::Calendario> m_ui;
    QCalendarWidget* m_calendar = nullptr;
};
