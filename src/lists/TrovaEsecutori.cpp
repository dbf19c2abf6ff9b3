#include "lists/TrovaEsecutori.h"

#include "lists/ListArchive.h"
#include "lists/ListPanel.h"
#include "payers/PayerRecord.h"
#include "windows/Prompts.h"

#include "ui_TrovaEsecutori.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

constexpr CriterionField kCriteria[] = {
    {"txtEsecutore", "Cognome e nome Esecutore:", "txtCategoria"},
    {"txtCategoria", "Categoria di appartenenza:", "txtPartitaIva"},
    {"txtPartitaIva", "Partita IVA:", "txtCodFisc"},
    {"txtCodFisc", "Codice fiscale:", "txtComuneNasc"},
    {"txtComuneNasc", "Comune / Stato estero di nascita", "txtComuneRes"},
    {"txtComuneRes", "Comune di residenza:", "txtNumDoc"},
    {"txtNumDoc", "Numero documento:", "txtCodTariffa"},
    {"txtCodTariffa", "Codice tariffa:", "txtQuestioni"},
    {"txtQuestioni", "Questioni in sospeso:", "txtNote"},
    {"txtNote", "Note:", "txtEsecutore"},
};

} // namespace

TfrmTrovaEsecutori::TfrmTrovaEsecutori(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::TrovaEsecutori>())
{
    m_ui->setupUi(this);
    m_criteria = new CriteriaPanel(m_ui->panAvvio, kCriteria);
    m_list = new ListPanel(m_ui->panContainer, {ListPanel::rigo01Schede(), QStringLiteral("Riepilogo Esecutori")});
    m_found = m_list->addNote("lblTrovate", QStringLiteral("Il presente elenco contiene 0 schede."));
    connect(m_criteria, &CriteriaPanel::searchRequested, this, &TfrmTrovaEsecutori::search);
    connect(m_list, &ListPanel::chosen, this, &TfrmTrovaEsecutori::takeOver);
    ListPanel::applyLook(this);
    finishForm();
}

TfrmTrovaEsecutori::~TfrmTrovaEsecutori() = default;

void TfrmTrovaEsecutori::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    m_list->reset();
    m_criteria->first()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaEsecutori::closeEvent(QCloseEvent* event)
{
    m_criteria->waiting()->hide();
    Dialog::closeEvent(event);
}

void TfrmTrovaEsecutori::search()
{
    const QList<ListArchive::Criterion> criteria = m_criteria->criteria();
    m_criteria->count()->setText(QString::number(ListArchive::countCriteria(criteria)));
    m_list->model()->clear();
    ListArchive::Lines got = ListArchive::searchPayers(PayerRecord::archivePath(), criteria);
    if (!got.ok) {
        m_criteria->waiting()->hide();
        MessageBox::plain(this, ListArchive::accessText());
        return;
    }
    m_list->setLines(std::move(got.lines));
    m_found->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(m_list->lines().size()));
    m_ui->panContainer->show();
    m_ui->panAvvio->hide();
    m_list->findField()->clear();
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaEsecutori::takeOver(const QString& line)
{
    ListTakeOver::payer(this, line, callerTag());
}
