#include "lists/TrovaBollettini.h"

#include "data/CodePage.h"
#include "lists/ListArchive.h"
#include "lists/ListPanel.h"
#include "windows/Prompts.h"

#include "ui_TrovaBollettini.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

constexpr CriterionField kCriteria[] = {
    {"txtIntero", "Importo in cifre:", "txtCodTariffa"},
    {"txtCodTariffa", "Codice tariffa:", "txtEsecutore"},
    {"txtEsecutore", "Cognome e nome Esecutore:", "txtCodFisc"},
    {"txtCodFisc", "Codice fiscale:", "txtComuneNasc"},
    {"txtComuneNasc", "Comune / Stato estero di nascita", "txtComuneRes"},
    {"txtComuneRes", "Comune di residenza:", "txtDataScade"},
    {"txtDataScade", "Data scadenza (gg/mm/aaaa):", "txtDataPaga"},
    {"txtDataPaga", "Data versamento (gg/mm/aaaa):", "txtCausale"},
    {"txtCausale", "Causale:", "txtNote"},
    {"txtNote", "Note:", "txtIntero"},
};

} // namespace

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::TrovaBollettini>())
{
    m_ui->setupUi(this);
    m_criteria = new CriteriaPanel(m_ui->panAvvio, kCriteria);
    m_list = new ListPanel(m_ui->panContainer, {ListPanel::rigo01Schede(), QStringLiteral("Riepilogo versamenti")});
    m_found = m_list->addNote("lblTrovate", QStringLiteral("Il presente elenco contiene 0 schede."));
    connect(m_criteria, &CriteriaPanel::searchRequested, this, &TfrmTrovaBollettini::search);
    connect(m_list, &ListPanel::chosen, this, &TfrmTrovaBollettini::takeOver);
    ListPanel::applyLook(this);
    finishForm();
}

TfrmTrovaBollettini::~TfrmTrovaBollettini() = default;

void TfrmTrovaBollettini::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    m_list->reset();
    m_criteria->first()->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaBollettini::closeEvent(QCloseEvent* event)
{
    m_criteria->waiting()->hide();
    Dialog::closeEvent(event);
}

void TfrmTrovaBollettini::search()
{
    const QList<ListArchive::Criterion> criteria = m_criteria->criteria();
    m_criteria->count()->setText(QString::number(ListArchive::countCriteria(criteria)));
    m_list->model()->clear();
    ListArchive::Lines got = ListArchive::searchSlips(ListTakeOver::slipArchive(), criteria);
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

void TfrmTrovaBollettini::takeOver(const QString& line)
{
    ListTakeOver::slip(this, line, CodePage::trimmed(callerTag()) == QLatin1String("bollettino"));
}
