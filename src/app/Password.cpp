#include "app/Password.h"

#include "ui_Password.h"

TfrmPassword::TfrmPassword(QWidget* parent)
    : Workspace(Role::Login, parent)
    , m_ui(std::make_unique<Ui::Password>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmPassword::~TfrmPassword() = default;
