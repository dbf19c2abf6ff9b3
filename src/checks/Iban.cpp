#include "checks/Iban.h"

#include "ui_Iban.h"

#include "checks/IbanCheck.h"
#include "checks/CheckWindow.h"
#include "windows/FieldBehaviour.h"

namespace {
// Letters become capitals and blanks at either end vanish as the IBAN is typed.
const Behaviour::Field kFields[] = {
    {"txtIban", Behaviour::TrimUpper, 27, "btnControlla"},
};
} // namespace

TfrmIban::TfrmIban(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Iban>())
{
    m_ui->setupUi(this);
    finishForm();
    Behaviour::install(this, kFields);
    connect(m_ui->btnControlla, &QPushButton::clicked, this, &TfrmIban::check);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

TfrmIban::~TfrmIban() = default;

void TfrmIban::showEvent(QShowEvent* event)
{
    if (!m_dressed) {
        m_dressed = true;
        CheckWindow::dress(this, m_ui->imgIcona, "iban");
    }
    Dialog::showEvent(event);
    m_ui->txtIban->setFocus(Qt::OtherFocusReason);
}

void TfrmIban::check()
{
    CheckWindow::conclude(this, m_ui->txtIban, IbanCheck::check(m_ui->txtIban->text()));
}
