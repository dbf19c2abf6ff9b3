#include "checks/Iban.h"

#include "ui_Iban.h"

TfrmIban::TfrmIban(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::Iban>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmIban::~TfrmIban() = default;
