#include "app/Guida.h"

#include "ui_Guida.h"

TfrmGuida::TfrmGuida(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::Guida>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmGuida::~TfrmGuida() = default;
