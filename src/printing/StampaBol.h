#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class StampaBol;
}

class TfrmStampaBol : public Dialog {
    Q_OBJECT
public:
    explicit TfrmStampaBol(QWidget* parent = nullptr);
    ~TfrmStampaBol() override;

private:
    std::unique_ptr<Ui::StampaBol> m_ui;
};
