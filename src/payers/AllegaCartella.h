#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class AllegaCartella;
}

class TfrmAllegaCartella : public Dialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
    ~TfrmAllegaCartella() override;

private:
    std::unique_ptr<Ui::AllegaCartella> m_ui;
};
