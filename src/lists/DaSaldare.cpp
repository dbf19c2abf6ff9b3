#include "lists/DaSaldare.h"

#include "ui_DaSaldare.h"

TfrmDaSaldare::TfrmDaSaldare(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::DaSaldare>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmDaSaldare::~TfrmDaSaldare() = default;
