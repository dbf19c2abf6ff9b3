#include "app/Splash.h"

#include "ui_Splash.h"

TfrmSplash::TfrmSplash(QWidget* parent)
    : Dialog(parent, Placement::CentreOwner)
    , m_ui(std::make_unique<Ui::Splash>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmSplash::~TfrmSplash() = default;
