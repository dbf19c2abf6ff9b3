#include "checks/PartitaIVA.h"

#include "ui_PartitaIVA.h"

#include "checks/VatNumber.h"
#include "checks/CheckWindow.h"
#include "windows/FieldBehaviour.h"

namespace {
// Only digits can be typed; the text is otherwise left as it is.
const Behaviour::Field kFields[] = {
    {"txtPartitaIva", Behaviour::Digits, 11, "btnControlla"},
};
} // namespace

TfrmPartitaIva::TfrmPartitaIva(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::PartitaIVA>())
{
    m_ui->setupUi(this);
    finishForm();
    Behaviour::install(this, kFields);
    connect(m_ui->btnControlla, &QPushButton::clicked, this, &TfrmPartitaIva::check);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
}

TfrmPartitaIva::~TfrmPartitaIva() = default;

void TfrmPartitaIva::showEvent(QShowEvent* event)
{
    if (!m_dressed) {
        m_dressed = true;
        CheckWindow::dress(this, m_ui->imgIcona, "iva");
    }
    Dialog::showEvent(event);
    m_ui->txtPartitaIva->setFocus(Qt::OtherFocusReason);
}

void TfrmPartitaIva::check()
{
    CheckWindow::conclude(this, m_ui->txtPartitaIva, VatNumber::check(m_ui->txtPartitaIva->text()));
}
