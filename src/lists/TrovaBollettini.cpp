#include "lists/TrovaBollettini.h"

#include "data/CodePage.h"

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
    [](const QList<ListArchive::Criterion>& criteria) {
        return ListArchive::searchSlips(ListTakeOver::slipArchive(), criteria);
    },
    [](Dialog* window, const QString& line) {
        ListTakeOver::slip(window, line, CodePage::trimmed(window->callerTag()) == QLatin1String("bollettino"));
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
