#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Info;
}

class TfrmInfo : public Dialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);
    ~TfrmInfo() override;

private:
    void setUp() override;
    void writeToMaker();

    std::unique_ptr<Ui::Info> m_ui;
};
