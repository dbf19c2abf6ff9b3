#include "lists/TrovaBollettini.h"

#include "lists/ListTakeOver.h"
#include "slips/SlipYear.h"

#include "ui_TrovaBollettini.h"

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

const SearchWindow::Kind kSlips = {
    kCriteria,
    "Riepilogo versamenti",
    [](const SearchWindow& window, const QList<RecordScan::Criterion>& criteria) {
        const SlipTarget* editor = static_cast<const TfrmTrovaBollettini&>(window).target();
        return ListArchive::searchSlips(editor ? editor->slipYear()->path() : QString(), criteria);
    },
    [](SearchWindow& window, const QString& line) {
        ListTakeOver::slip(&window, line, static_cast<TfrmTrovaBollettini&>(window).target());
    },
};

} // namespace

TfrmTrovaBollettini::TfrmTrovaBollettini(QWidget* parent)
    : SearchWindow(parent, kSlips)
    , m_ui(std::make_unique<Ui::TrovaBollettini>())
{
    setUpWhenNeeded();
}

void TfrmTrovaBollettini::setUp()
{
    m_ui->setupUi(this);
    build(m_ui->panAvvio, m_ui->panContainer);
}

TfrmTrovaBollettini::~TfrmTrovaBollettini() = default;
