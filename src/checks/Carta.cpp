#include "checks/Carta.h"

#include "ui_Carta.h"

#include "checks/CardCheck.h"

namespace {
// Only digits can be typed; a number placed by the payer editor may hold blanks or hyphens.
const CheckDialog::Config kConfig = {
    {"txtNumero", Behaviour::Digits | Behaviour::TrimUpper, 30, "btnControlla"}, "carta", &CardCheck::check};
} // namespace

TfrmCarta::TfrmCarta(QWidget* parent)
    : CheckDialog(parent, kConfig)
    , m_ui(std::make_unique<Ui::Carta>())
{
    setUpWhenNeeded();
}

void TfrmCarta::setUp()
{
    m_ui->setupUi(this);
    finishCheckForm();
}

TfrmCarta::~TfrmCarta() = default;
