#include "checks/PartitaIVA.h"

#include "ui_PartitaIVA.h"

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::PartitaIVA>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmPartitaIva::~TfrmPartitaIva() = default;
