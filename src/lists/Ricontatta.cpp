#include "lists/Ricontatta.h"

#include "ui_Ricontatta.h"

TfrmRicontatta::TfrmRicontatta(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Ricontatta>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmRicontatta::~TfrmRicontatta() = default;
