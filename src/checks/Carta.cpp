#include "checks/Carta.h"

#include "ui_Carta.h"

#include "checks/CardCheck.h"
#include "checks/CheckWindow.h"
#include "windows/FieldBehaviour.h"

namespace {
// Only digits can be typed; a number placed by the payer editor may hold blanks or hyphens.
const Behaviour::Field kFields[] = {
    {"txtNumero", Behaviour::Digits | Behaviour::TrimUpper, 30, "btnControlla"},
};
} // namespace

TfrmCarta::TfrmCarta(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Carta>())
{
    m_ui->setupUi(this);
    finishForm();
    Behaviour::install(this, kFields);
    connect(m_ui->btnControlla, &QPushButton::clicked, this, &TfrmCarta::check);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

TfrmCarta::~TfrmCarta() = default;

void TfrmCarta::showEvent(QShowEvent* event)
{
    if (!m_dressed) {
        m_dressed = true;
        CheckWindow::dress(this, m_ui->imgIcona, "carta");
    }
    Dialog::showEvent(event);
    m_ui->txtNumero->setFocus(Qt::OtherFocusReason);
}

void TfrmCarta::check()
{
    CheckWindow::conclude(this, m_ui->txtNumero, CardCheck::check(m_ui->txtNumero->text()));
}
