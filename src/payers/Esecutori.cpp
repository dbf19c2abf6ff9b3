#include "payers/Esecutori.h"

#include "ui_Esecutori.h"

TfrmEsecutori::TfrmEsecutori(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Esecutori>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmEsecutori::~TfrmEsecutori() = default;
