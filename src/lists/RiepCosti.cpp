#include "lists/RiepCosti.h"

#include "ui_RiepCosti.h"

TfrmRiepCosti::TfrmRiepCosti(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::RiepCosti>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmRiepCosti::~TfrmRiepCosti() = default;
