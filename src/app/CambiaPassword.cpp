#include "app/CambiaPassword.h"

#include "ui_CambiaPassword.h"

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : Workspace(Role::Fixed, parent)
    , m_ui(std::make_unique<Ui::CambiaPassword>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmCambiaPassword::~TfrmCambiaPassword() = default;
