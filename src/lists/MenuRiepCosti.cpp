#include "lists/MenuRiepCosti.h"

#include "ui_MenuRiepCosti.h"

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::MenuRiepCosti>())
{
    m_ui->setupUi(panel());
    finishForm();
}

TfrmMenuRiepCosti::~TfrmMenuRiepCosti() = default;
