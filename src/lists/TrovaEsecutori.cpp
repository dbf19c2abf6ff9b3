#include "lists/TrovaEsecutori.h"

#include "ui_TrovaEsecutori.h"

TfrmTrovaEsecutori::TfrmTrovaEsecutori(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::TrovaEsecutori>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmTrovaEsecutori::~TfrmTrovaEsecutori() = default;
