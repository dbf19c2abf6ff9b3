#pragma once
// The date picker: a month calendar that starts on today's date and hands the chosen date to the
// window that opened it (the slip editor's and the batch window's due dates).

#include "windows/Targets.h"
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

    // Where "Importa" hands the date; without one the picker hands nothing and stays open.
    void setTarget(DateTarget* target) { m_target = target; }
    DateTarget* target() const { return m_target; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    QCalendarWidget* calendar();
    void importDate();

    std::unique_ptr<Ui::Calendario> m_ui;
    QCalendarWidget* m_calendar = nullptr;
    DateTarget* m_target = nullptr;
};
