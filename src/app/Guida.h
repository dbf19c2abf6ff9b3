#pragma once

#include "app/Windows.h"

#include <memory>

namespace Ui {
class Guida;
}

class TfrmGuida : public Dialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    ~TfrmGuida() override;

    // Shows one help page: the title in lblTitolo, the paragraphs in txtGuida.
    void setPage(const QString& title, const QString& body);

private:
    std::unique_ptr<Ui::Guida> m_ui;
};
