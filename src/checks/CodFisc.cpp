#include "checks/CodFisc.h"

#include "ui_CodFisc.h"

#include "checks/TaxCode.h"

namespace {
// Letters become capitals and blanks at either end vanish as the code is typed.
const CheckDialog::Config kConfig = {
    {"txtCodFisc", Behaviour::TrimUpper, 16, "btnControlla"}, "codfisc", &TaxCode::check};
} // namespace

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : CheckDialog(parent, kConfig)
    , m_ui(std::make_unique<Ui::CodFisc>())
{
    setUpWhenNeeded();
}

void TfrmCodFisc::setUp()
{
    m_ui->setupUi(this);
    finishCheckForm();
}

TfrmCodFisc::~TfrmCodFisc() = default;
