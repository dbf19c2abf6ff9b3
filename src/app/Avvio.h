#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class Avvio;
}

class TfrmAvvio : public Workspace {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);
    ~TfrmAvvio() override;

private:
    std::unique_ptr<Ui::Avvio> m_ui;
};
