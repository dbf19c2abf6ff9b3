#include "checks/CodFisc.h"

#include "ui_CodFisc.h"

#include "checks/TaxCode.h"
#include "checks/CheckWindow.h"
#include "windows/FieldBehaviour.h"

namespace {
// Letters become capitals and blanks at either end vanish as the code is typed.
const Behaviour::Field kFields[] = {
    {"txtCodFisc", Behaviour::TrimUpper, 16, "btnControlla"},
};
} // namespace

TfrmCodFisc::TfrmCodFisc(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::CodFisc>())
{
    m_ui->setupUi(this);
    finishForm();
    Behaviour::install(this, kFields);
    connect(m_ui->btnControlla, &QPushButton::clicked, this, &TfrmCodFisc::check);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

TfrmCodFisc::~TfrmCodFisc() = default;

void TfrmCodFisc::showEvent(QShowEvent* event)
{
    if (!m_dressed) {
        m_dressed = true;
        CheckWindow::dress(this, m_ui->imgIcona, "codfisc");
    }
    Dialog::showEvent(event);
    m_ui->txtCodFisc->setFocus(Qt::OtherFocusReason);
}

void TfrmCodFisc::check()
{
    CheckWindow::conclude(this, m_ui->txtCodFisc, TaxCode::check(m_ui->txtCodFisc->text()));
}
