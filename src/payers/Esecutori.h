#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Esecutori;
}

class TfrmEsecutori : public Workspace {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);
    ~TfrmEsecutori() override;

private:
    std::unique_ptr<Ui::Esecutori> m_ui;
};
