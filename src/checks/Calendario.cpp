#include "checks/Calendario.h"

#include "ui_Calendario.h"

TfrmCalendario::TfrmCalendario(QWidget* parent)
    : Dialog(parent, Placement::CentreOwner)
    , m_ui(std::make_unique<Ui::Calendario>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmCalendario::~TfrmCalendario() = default;
