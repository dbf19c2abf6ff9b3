#include "lists/Scadute.h"

#include "ui_Scadute.h"

TfrmScadute::TfrmScadute(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Scadute>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmScadute::~TfrmScadute() = default;
