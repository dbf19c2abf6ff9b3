#include "checks/Voci_Tariffa.h"

#include "ui_Voci_Tariffa.h"

TfrmVoci_Tariffa::TfrmVoci_Tariffa(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Voci_Tariffa>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmVoci_Tariffa::~TfrmVoci_Tariffa() = default;
