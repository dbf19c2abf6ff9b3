#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class ExpEsecutori;
}

class TfrmExpEsecutori : public Dialog {
    Q_OBJECT
public:
    explicit TfrmExpEsecutori(QWidget* parent = nullptr);
    ~TfrmExpEsecutori() override;

private:
    std::unique_ptr<Ui::ExpEsecutori> m_ui;
};
