#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Avvio;
}

// The start menu: the three work areas, the help page, the about and credits windows, the maker's
// web site and the exit. Closing it in any way ends the program.
class TfrmAvvio : public Workspace {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);
    ~TfrmAvvio() override;

private:
    void setUp() override;
    void addSizeChoice();
    std::unique_ptr<Ui::Avvio> m_ui;
};
