#include "lists/TrovaEsecutori.h"

#include "lists/ListTakeOver.h"
#include "payers/PayerRecord.h"

#include "ui_TrovaEsecutori.h"

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

const SearchWindow::Kind kPayers = {
    kCriteria,
    "Riepilogo Esecutori",
    [](const SearchWindow&, const QList<RecordScan::Criterion>& criteria) {
        return ListArchive::searchPayers(PayerRecord::archivePath(), criteria);
    },
    [](SearchWindow& window, const QString& line) {
        ListTakeOver::payer(&window, line, static_cast<TfrmTrovaEsecutori&>(window).target());
    },
};

} // namespace

TfrmTrovaEsecutori::TfrmTrovaEsecutori(QWidget* parent)
    : SearchWindow(parent, kPayers)
    , m_ui(std::make_unique<Ui::TrovaEsecutori>())
{
    setUpWhenNeeded();
}

void TfrmTrovaEsecutori::setUp()
{
    m_ui->setupUi(this);
    build(m_ui->panAvvio, m_ui->panContainer);
}

TfrmTrovaEsecutori::~TfrmTrovaEsecutori() = default;
