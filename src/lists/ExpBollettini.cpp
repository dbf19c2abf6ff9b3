#include "lists/ExpBollettini.h"

#include "ui_ExpBollettini.h"

TfrmExpBollettini::TfrmExpBollettini(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::ExpBollettini>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmExpBollettini::~TfrmExpBollettini() = default;
