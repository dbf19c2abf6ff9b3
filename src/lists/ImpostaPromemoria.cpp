#include "lists/ImpostaPromemoria.h"

#include "data/CodePage.h"
#include "lists/DueDates.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"

#include "ui_ImpostaPromemoria.h"

namespace {

// Enter moves down the form, as in the other windows.
const Behaviour::Field kFields[] = {
    {"txtUfficio", Behaviour::Highlight, 60, "txtIndirizzoUfficio"},
    {"txtIndirizzoUfficio", Behaviour::Highlight, 100, "txtTelefonoUfficio"},
    {"txtTelefonoUfficio", Behaviour::Highlight, 30, "txtEmailUfficio"},
    {"txtEmailUfficio", Behaviour::Highlight, 60, "btnSalva"},
};

} // namespace

TfrmImpostaPromemoria::TfrmImpostaPromemoria(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::ImpostaPromemoria>())
{
    setUpWhenNeeded();
}

TfrmImpostaPromemoria::~TfrmImpostaPromemoria() = default;

void TfrmImpostaPromemoria::setUp()
{
    m_ui->setupUi(this);
    Behaviour::install(this, kFields);
    for (int days : DueDates::kPeriods)
        m_ui->cboGiorni->addItem(QStringLiteral("%1 giorni").arg(days), days);
    const QString ini = DueDates::settingsPath();
    const DueDates::Settings settings = DueDates::readSettings(ini);
    m_ui->chkAvviso->setChecked(settings.notice);
    m_ui->cboGiorni->setCurrentIndex(m_ui->cboGiorni->findData(settings.days));
    const DueDates::Office office = DueDates::readOffice(ini);
    m_ui->txtUfficio->setText(office.name);
    m_ui->txtIndirizzoUfficio->setText(office.address);
    m_ui->txtTelefonoUfficio->setText(office.telephone);
    m_ui->txtEmailUfficio->setText(office.email);
    m_ui->cboGiorni->setAccessibleName(m_ui->lblGiorni->text());
    m_ui->txtUfficio->setAccessibleName(m_ui->lblUfficio->text());
    m_ui->txtIndirizzoUfficio->setAccessibleName(m_ui->lblIndirizzoUfficio->text());
    m_ui->txtTelefonoUfficio->setAccessibleName(m_ui->lblTelefonoUfficio->text());
    m_ui->txtEmailUfficio->setAccessibleName(m_ui->lblEmailUfficio->text());
    for (QPushButton* button : {m_ui->btnSalva, m_ui->btnAnnulla}) {
        button->setAutoDefault(false);
        button->setCursor(Qt::PointingHandCursor);
    }
    connect(m_ui->btnSalva, &QPushButton::clicked, this, &TfrmImpostaPromemoria::save);
    connect(m_ui->btnAnnulla, &QPushButton::clicked, this, &QWidget::close);
    finishForm();
    m_ui->chkAvviso->setFocus(Qt::OtherFocusReason);
}

void TfrmImpostaPromemoria::save()
{
    const QString ini = DueDates::settingsPath();
    DueDates::Settings settings = DueDates::readSettings(ini);
    settings.notice = m_ui->chkAvviso->isChecked();
    settings.days = m_ui->cboGiorni->currentData().toInt();
    const DueDates::Office office{
        CodePage::trimmed(m_ui->txtUfficio->text()), CodePage::trimmed(m_ui->txtIndirizzoUfficio->text()),
        CodePage::trimmed(m_ui->txtTelefonoUfficio->text()), CodePage::trimmed(m_ui->txtEmailUfficio->text())};
    if (!DueDates::writeSettings(ini, settings) || !DueDates::writeOffice(ini, office)) {
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non \u00e8 stato possibile salvare le impostazioni nel file "
                                         "Tassella.ini.\n\r\n\rAccertarsi di possedere i privilegi di scrittura "
                                         "nella cartella di installazione del programma."));
        return;
    }
    close();
}
