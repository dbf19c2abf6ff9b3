#include "checks/Carta.h"

#include "ui_Carta.h"

TfrmCarta::TfrmCarta(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::Carta>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmCarta::~TfrmCarta() = default;
