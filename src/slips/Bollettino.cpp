#include "slips/Bollettino.h"

#include "ui_Bollettino.h"

TfrmBollettino::TfrmBollettino(QWidget* parent)
    : Workspace(Role::Work, parent)
    , m_ui(std::make_unique<Ui::Bollettino>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmBollettino::~TfrmBollettino() = default;
