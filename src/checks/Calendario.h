#pragma once

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
    std::unique_ptr<Ui::Calendario> m_ui;
};
