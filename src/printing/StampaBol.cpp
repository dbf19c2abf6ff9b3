#include "printing/StampaBol.h"

#include "ui_StampaBol.h"

TfrmStampaBol::TfrmStampaBol(QWidget* parent)
    : Dialog(parent, Placement::CentreOwner)
    , m_ui(std::make_unique<Ui::StampaBol>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmStampaBol::~TfrmStampaBol() = default;
