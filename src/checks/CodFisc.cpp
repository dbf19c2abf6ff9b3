#include "checks/CodFisc.h"

#include "ui_CodFisc.h"

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::CodFisc>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmCodFisc::~TfrmCodFisc() = default;
