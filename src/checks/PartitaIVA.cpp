#include "checks/PartitaIVA.h"

#include "ui_PartitaIVA.h"

#include "checks/VatNumber.h"

namespace {
// Only digits can be typed; the text is otherwise left as it is.
const CheckDialog::Config kConfig = {
    {"txtPartitaIva", Behaviour::Digits, 11, "btnControlla"}, "iva", &VatNumber::check};
} // namespace

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : CheckDialog(parent, kConfig)
    , m_ui(std::make_unique<Ui::PartitaIVA>())
{
    setUpWhenNeeded();
}

void TfrmPartitaIva::setUp()
{
    m_ui->setupUi(this);
    finishCheckForm();
}

TfrmPartitaIva::~TfrmPartitaIva() = default;
