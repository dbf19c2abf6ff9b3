#include "app/Info.h"

#include "ui_Info.h"

TfrmInfo::TfrmInfo(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::Info>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmInfo::~TfrmInfo() = default;
