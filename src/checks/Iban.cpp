#include "checks/Iban.h"

#include "ui_Iban.h"

#include "checks/IbanCheck.h"

namespace {
// Letters become capitals and blanks at either end vanish as the IBAN is typed.
const CheckDialog::Config kConfig = {{"txtIban", Behaviour::TrimUpper, 27, "btnControlla"}, "iban", &IbanCheck::check};
} // namespace

TfrmIban::TfrmIban(QWidget* parent)
    : CheckDialog(parent, kConfig)
    , m_ui(std::make_unique<Ui::Iban>())
{
    setUpWhenNeeded();
}

void TfrmIban::setUp()
{
    m_ui->setupUi(this);
    finishCheckForm();
}

TfrmIban::~TfrmIban() = default;
