#include "batch/Emissione.h"

#include "ui_Emissione.h"

#include "batch/BatchPrint.h"
#include "batch/PayerChoiceModel.h"
#include "checks/Calendario.h"
#include "checks/TariffCodes.h"
#include "data/CodePage.h"
#include "data/Formats.h"
#include "data/OpenURL.h"
#include "data/Platform.h"
#include "data/RecordEditor.h"
#include "payers/PayerRecord.h"
#include "printing/PrintMargins.h"
#include "printing/SlipPreview.h"
#include "printing/SlipTemplate.h"
#include "reports/ReportLayout.h"
#include "windows/ReportOutput.h"
#include "slips/AmountInWords.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"

#include <QDir>
#include <QPrinter>

namespace {

const Behaviour::Field kFields[] = {
    {"txtCercaEsecutore", Behaviour::None, 0, "txtCercaCategoria"},
    {"txtCercaCategoria", Behaviour::None, 0, "txtCercaComune"},
    {"txtCercaComune", Behaviour::None, 0, "btnElenca"},
    {"txtAnno", Behaviour::Digits, 4, "txtAnnoTariffa"},
    {"txtAnnoTariffa", Behaviour::Digits, 2, "txtCodTariffa", {.exit = Behaviour::Exit::TwoDigits}},
    {"txtImporto",
     Behaviour::Digits,
     8,
     "txtCents",
     {.mirror = "txtImpLettere", .mirrorText = &AmountInWords::spellDigits}},
    {"txtCents", Behaviour::Digits, 2, "txtDataScade", {.exit = Behaviour::Exit::Cents, .mirror = "txtCentLettere"}},
    {"txtImpLettere", Behaviour::None, 0, nullptr},
    {"txtCentLettere", Behaviour::None, 0, nullptr},
    {"txtDataScade", Behaviour::None, 10, nullptr, {.key = Behaviour::Key::Dialog, .tag = "calendario"}},
    {"txtCausale", Behaviour::None, 250, "txtNote"},
    {"txtNote", Behaviour::None, 250, "chkRilascio"},
};

constexpr Behaviour::Hint kHints[] = {
    {"btnElenca", "Elenca gli Esecutori scelti."},
    {"btnTutti", "Seleziona tutti gli Esecutori in elenco."},
    {"btnNessuno", "Toglie la selezione a tutti gli Esecutori in elenco."},
    {"btnAnteprima", "Mostra i bollettini degli Esecutori selezionati come verranno stampati, uno per pagina."},
    {"btnSalva", "Inserisce in archivio un bollettino per ogni Esecutore selezionato."},
    {"btnStampa", "Stampa in una sola volta i bollettini salvati."},
    {"btnPdf", "Salva i bollettini salvati in un unico file PDF."},
    {"btnChiudi", "Chiude questa finestra."},
};

// Names a screen reader says where the caption beside a control does not say enough.
const std::pair<const char*, const char*> kNames[] = {
    {"lstEsecutori", "Esecutori: spuntare quelli a cui emettere il bollettino"},
    {"txtCents", "Centesimi"},
    {"txtImpLettere", "Importo in lettere"},
    {"txtCentLettere", "Centesimi in lettere"},
    {"txtDataScade", "Data scadenza: premere un tasto per il calendario"},
    {"cboTariffaScelta", "Codice tariffa degli Esecutori da elencare"},
    {"txtCodTariffa", "Codice tariffa dei bollettini"},
    {"txtAnno", "Anno solare dell'archivio"},
    {"txtAnnoTariffa", "Anno della tariffa, due cifre"},
};

enum ChoiceItem { kAll, kTariff, kRecontact, kSearch };

} // namespace

TfrmEmissione::TfrmEmissione(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Emissione>())
    , m_model(new PayerChoiceModel(this))
{
    m_ui->setupUi(this);
    finishForm();

    m_ui->cboScelta->addItems({QStringLiteral("Tutti gli Esecutori"), QStringLiteral("Con il codice tariffa indicato"),
                               QStringLiteral("Da ricontattare"), QStringLiteral("Trovati con la ricerca")});
    m_ui->txtCodTariffa->addItem(QStringLiteral("Quello di ciascun Esecutore"));
    for (const char* entry : TariffCodes::entries()) {
        m_ui->cboTariffaScelta->addItem(QString::fromLatin1(entry));
        m_ui->txtCodTariffa->addItem(QString::fromLatin1(entry));
    }
    m_ui->lstEsecutori->setModel(m_model);
    m_ui->txtAnno->setText(QString::number(Clock::today().year()));
    m_ui->txtAnnoTariffa->setText(QString::number(Clock::today().year() % 100).rightJustified(2, QLatin1Char('0')));

    // The due date's only dialog is the date picker.
    Behaviour::install(this, kFields, [this](const char*) {
        Windows::openDialog<TfrmCalendario>(this, [this](TfrmCalendario* picker) { picker->setTarget(this); });
    });
    Behaviour::installHints(this, "panInfo", kHints, {"panContainer"});
    for (const auto& [name, text] : kNames)
        if (auto* control = findChild<QWidget*>(QString::fromLatin1(name)))
            control->setAccessibleName(QString::fromUtf8(text));

    connect(m_ui->cboScelta, &QComboBox::currentIndexChanged, this, &TfrmEmissione::choiceChanged);
    // The first entry gives each slip its payer's own tariff code.
    connect(m_ui->txtCodTariffa, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_model->setOwnTariff(index <= 0); });
    connect(m_ui->btnElenca, &QPushButton::clicked, this, &TfrmEmissione::listPayers);
    connect(m_ui->btnTutti, &QPushButton::clicked, this, [this] { m_model->setAllChecked(true); });
    connect(m_ui->btnNessuno, &QPushButton::clicked, this, [this] { m_model->setAllChecked(false); });
    connect(m_model, &PayerChoiceModel::checkedCountChanged, this, &TfrmEmissione::showCount);
    connect(m_ui->btnAnteprima, &QPushButton::clicked, this, &TfrmEmissione::preview);
    connect(m_ui->btnSalva, &QPushButton::clicked, this, &TfrmEmissione::save);
    connect(m_ui->btnStampa, &QPushButton::clicked, this, &TfrmEmissione::print);
    connect(m_ui->btnPdf, &QPushButton::clicked, this, &TfrmEmissione::savePdf);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    choiceChanged();
    m_ui->btnStampa->setEnabled(false);
    m_ui->btnPdf->setEnabled(false);
    m_ui->cboScelta->setFocus(Qt::OtherFocusReason);
}

TfrmEmissione::~TfrmEmissione() = default;

void TfrmEmissione::takeDate(const QDate& date)
{
    m_ui->txtDataScade->setText(Formats::dateToText(date));
}

TfrmEmissione* TfrmEmissione::open(QWidget* owner, const QString& year)
{
    return Windows::openDialog<TfrmEmissione>(owner, [&year](TfrmEmissione* window) {
        const QString y = CodePage::trimmed(year);
        if (y.size() == 4) {
            window->m_ui->txtAnno->setText(y);
            window->m_ui->txtAnnoTariffa->setText(y.right(2));
        }
        window->listPayers();
    });
}

void TfrmEmissione::choiceChanged()
{
    const int choice = m_ui->cboScelta->currentIndex();
    m_ui->cboTariffaScelta->setEnabled(choice == kTariff);
    for (QLineEdit* edit : {m_ui->txtCercaEsecutore, m_ui->txtCercaCategoria, m_ui->txtCercaComune})
        edit->setEnabled(choice == kSearch);
}

void TfrmEmissione::listPayers()
{
    BatchIssue::Selection selection;
    switch (m_ui->cboScelta->currentIndex()) {
    case kTariff:
        selection.choice = BatchIssue::Choice::Tariff;
        selection.tariff = m_ui->cboTariffaScelta->currentText().left(4);
        break;
    case kRecontact: selection.choice = BatchIssue::Choice::Recontact; break;
    case kSearch:
        selection.choice = BatchIssue::Choice::Search;
        selection.criteria = {{"Esecutore", m_ui->txtCercaEsecutore->text()},
                              {"Categoria", m_ui->txtCercaCategoria->text()},
                              {"ComuneRes", m_ui->txtCercaComune->text()}};
        break;
    default: break;
    }
    BatchIssue::Payers found = BatchIssue::choose(PayerRecord::archivePath(), selection);
    if (!found.ok)
        MessageBox::plain(this, RecordEditor::accessText());
    m_model->setPayers(std::move(found.payers));
    if (m_model->rowCount() > 0)
        m_ui->lstEsecutori->setCurrentIndex(m_model->index(0));
}

void TfrmEmissione::showCount()
{
    const int all = m_model->rowCount();
    m_ui->lblConta->setText(
        all == 0 ? QStringLiteral("Nessun Esecutore in elenco.")
                 : QStringLiteral("Selezionati %1 Esecutori su %2.").arg(m_model->checkedCount()).arg(all));
}

BatchIssue::SlipData TfrmEmissione::slipData() const
{
    BatchIssue::SlipData data;
    data.amount = m_ui->txtImporto->text();
    data.cents = m_ui->txtCents->text();
    data.tariff = m_ui->txtCodTariffa->currentIndex() > 0 ? m_ui->txtCodTariffa->currentText().left(4) : QString();
    data.tariffYear = m_ui->txtAnnoTariffa->text();
    data.dueDate = m_ui->txtDataScade->text();
    data.reason = m_ui->txtCausale->text();
    data.notes = m_ui->txtNote->text();
    data.issue = m_ui->chkRilascio->isChecked();
    data.yearly = m_ui->chkAnnuale->isChecked();
    data.topUp = m_ui->chkIntegrazione->isChecked();
    return data;
}

QString TfrmEmissione::archivePath() const
{
    return SlipRecord::archivePath(CodePage::trimmed(m_ui->txtAnno->text()));
}

void TfrmEmissione::save()
{
    if (const auto refusal = SlipEditor::checkYear(m_ui->txtAnno->text())) {
        MessageBox::show(this, *refusal);
        m_ui->txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    const BatchIssue::SlipData data = slipData();
    if (const auto refusal = BatchIssue::check(data)) {
        MessageBox::show(this, *refusal);
        QWidget* field =
            refusal->text.contains(QLatin1String("importo")) || refusal->text.contains(QLatin1String("centesimi"))
            ? static_cast<QWidget*>(m_ui->txtImporto)
            : m_ui->txtDataScade;
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    std::vector<BatchIssue::Payer> payers = chosenPayers();
    if (payers.empty()) {
        MessageBox::show(this, BatchIssue::nothingChosen());
        m_ui->lstEsecutori->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Each slip is made as the duplicate check, the append and the prints come to it: a batch holds
    // its payers, never its records.
    BatchIssue::Slips slips(data, payers);

    const QString path = archivePath();
    const BatchIssue::Duplicates dup = BatchIssue::duplicates(path, slips);
    if (!dup.ok) {
        MessageBox::warning(this, RecordEditor::accessText());
        return;
    }
    // A window closed under one of the questions saves nothing.
    if (dup.count > 0 && MessageBox::show(this, BatchIssue::duplicateQuestion(dup)) != MessageBox::Button::Yes) {
        if (!isVisible())
            return;
        std::vector<BatchIssue::Payer> kept;
        for (size_t i = 0; i < payers.size(); ++i)
            if (!dup.found[i])
                kept.push_back(std::move(payers[i]));
        if (kept.empty()) {
            MessageBox::show(this, BatchIssue::nothingSaved());
            return;
        }
        slips = BatchIssue::Slips(data, std::move(kept));
    }
    if (MessageBox::show(this, BatchIssue::saveQuestion(slips.count)) != MessageBox::Button::Yes || !isVisible())
        return;
    const BatchIssue::Saved saved = BatchIssue::append(path, slips);
    if (!saved.ok) {
        MessageBox::warning(this, RecordEditor::accessText());
        return;
    }
    m_saved = std::move(slips);
    m_firstSaved = saved.first;
    m_ui->btnStampa->setEnabled(true);
    m_ui->btnPdf->setEnabled(true);
    MessageBox::show(this, BatchIssue::savedMessage(saved));
    if (!saved.notice.isEmpty())
        MessageBox::show(this, saved.notice);
    m_ui->btnStampa->setFocus(Qt::OtherFocusReason);
}

namespace {
int marginOf(const QString& key)
{
    return PrintMargins::wholeNumber(PrintMargins::read(key)).value_or(0);
}
} // namespace

void TfrmEmissione::print()
{
    if (m_saved.count == 0)
        return;
    const int top = marginOf(PrintMargins::topKey);
    const int left = marginOf(PrintMargins::leftKey);
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Tassella"));
    printer.setCopyCount(1);
    {
        Report::Template report(SlipTemplate::def());
        BatchPrint::prepare(report, m_saved.at(0), top, left);
        printer.setPageLayout(report.prepared().pageLayout());
    }
    if (!PrintDialog::exec(&printer, this))
        return;
    printer.setFullPage(true);
    const BatchPrint::Run run = BatchPrint::render(printer, m_saved, top, left);
    if (!run.ok)
        MessageBox::show(this, BatchPrint::failedMessage(run, int(m_saved.count), m_firstSaved));
}

void TfrmEmissione::savePdf()
{
    if (m_saved.count == 0)
        return;
    const QString path = FileDialog::getSaveFileName(
        this, QStringLiteral("Salvare i bollettini nel file PDF:"),
        QStringLiteral("Bollettini_") + CodePage::trimmed(m_ui->txtAnno->text()) + QStringLiteral(".pdf"),
        QStringLiteral("File PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!BatchPrint::writePdf(path, m_saved, marginOf(PrintMargins::topKey), marginOf(PrintMargins::leftKey), &error)) {
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non \u00e8 stato possibile salvare il file PDF.\n\r\n\r%1")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'), this);
}

std::vector<BatchIssue::Payer> TfrmEmissione::chosenPayers() const
{
    std::vector<BatchIssue::Payer> payers;
    for (const BatchIssue::Payer* payer : m_model->chosen())
        payers.push_back(*payer); // the texts are shared, not copied
    return payers;
}

void TfrmEmissione::preview()
{
    std::vector<BatchIssue::Payer> payers = chosenPayers();
    if (payers.empty()) {
        MessageBox::show(this, BatchIssue::nothingChosen());
        m_ui->lstEsecutori->setFocus(Qt::OtherFocusReason);
        return;
    }
    // One page per ticked payer, each filled and drawn only when it is shown.
    auto chosen = std::make_shared<const std::vector<BatchIssue::Payer>>(std::move(payers));
    const BatchIssue::Slips slips(slipData(), *chosen);
    auto report = std::make_shared<Report::Template>(SlipTemplate::def());
    const int top = marginOf(PrintMargins::topKey);
    const int left = marginOf(PrintMargins::leftKey);
    BatchPrint::prepare(*report, slips.at(0), top, left);
    auto* window = new SlipPreview(*report, this);
    window->setWindowTitle(QStringLiteral(" Anteprima bollettini postali"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->setPageSource({
        .count = int(chosen->size()),
        .load = [report, slips, top, left](int i) { BatchPrint::prepare(*report, slips.at(i), top, left); },
        .caption = [chosen](int i) { return (*chosen)[size_t(i)].name(); },
        .warning = [chosen, ownTariff = m_model->ownTariff()](int i) -> QString {
            const QString problem = BatchIssue::warning((*chosen)[size_t(i)], ownTariff);
            if (problem.isEmpty())
                return QString();
            return QStringLiteral("Attenzione: ") + problem.left(1).toLower() + problem.mid(1) + QLatin1Char('.');
        },
    });
    // The template lives as long as the preview that shows it.
    connect(window, &QObject::destroyed, this, [report] {});
    window->show();
}
