#include "app/Avvio.h"

#include "ui_Avvio.h"

TfrmAvvio::TfrmAvvio(QWidget* parent)
    : Workspace(Role::StartMenu, parent)
    , m_ui(std::make_unique<Ui::Avvio>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmAvvio::~TfrmAvvio() = default;
