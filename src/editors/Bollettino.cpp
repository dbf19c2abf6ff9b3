#include "editors/Bollettino.h"

#include "ui_Bollettino.h"

#include "batch/Emissione.h"

#include "data/CodePage.h"
#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "data/Formats.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "data/RecordEditor.h"
#include "windows/Prompts.h"
#include "windows/RecordForm.h"
#include "checks/Calendario.h"
#include "checks/CheckDialog.h"
#include "checks/Voci_Tariffa.h"
#include "lists/DaSaldare.h"
#include "lists/DueDates.h"
#include "lists/ExpBollettini.h"
#include "lists/Scadute.h"
#include "lists/TrovaBollettini.h"
#include "lists/TrovaEsecutori.h"
#include "slips/SlipFromPayer.h"
#include "payers/AllegaCartella.h"
#include "printing/SlipFill.h"
#include "printing/StampaBol.h"
#include "slips/AmountInWords.h"
#include "slips/SlipArchive.h"
#include "slips/SlipEditor.h"
#include "slips/SlipRecord.h"

#include <QCloseEvent>
#include <algorithm>
#include <QIcon>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <iterator>
#include <vector>

static void initSlipResources()
{
    Q_INIT_RESOURCE(slips);
}

namespace {

const QString kCaption = QStringLiteral(" Tassella - Compilazione e stampa bollettini postali");

const Behaviour::Field kFields[] = {
    {"txtAnno", Behaviour::Digits, 4, "btnApri"},
    {"txtImporto",
     Behaviour::Highlight | Behaviour::Digits,
     8,
     "txtCents",
     {.mirror = "txtImpLettere", .mirrorText = &AmountInWords::spellDigits}},
    {"txtCents",
     Behaviour::Highlight | Behaviour::Digits,
     2,
     "txtImpLettere",
     {.exit = Behaviour::Exit::Cents, .mirror = "txtCentLettere"}},
    {"txtImpLettere", Behaviour::None, 0, nullptr},
    {"txtCentLettere", Behaviour::None, 0, nullptr},
    {"txtCodTariffa", Behaviour::Highlight | Behaviour::TrimUpper, 4, "txtAnnoTariffa"},
    {"txtAnnoTariffa", Behaviour::Highlight | Behaviour::Digits, 2, "txtCodFisc", {.exit = Behaviour::Exit::TwoDigits}},
    {"txtCodFisc", Behaviour::Highlight | Behaviour::TrimUpper, 16, "txtEsecutore"},
    {"txtEsecutore", Behaviour::Highlight | Behaviour::Upper, 23, "txtSesso"},
    {"txtSesso", Behaviour::Highlight | Behaviour::TrimUpper, 1, "txtGG"},
    {"txtGG", Behaviour::Highlight | Behaviour::Digits, 2, "txtMM", {.exit = Behaviour::Exit::TwoDigits}},
    {"txtMM", Behaviour::Highlight | Behaviour::Digits, 2, "txtAA", {.exit = Behaviour::Exit::TwoDigits}},
    {"txtAA", Behaviour::Highlight | Behaviour::Digits, 2, "txtComuneNasc", {.exit = Behaviour::Exit::TwoDigits}},
    {"txtComuneNasc", Behaviour::Highlight | Behaviour::Upper, 11, "txtProvNasc"},
    {"txtProvNasc", Behaviour::Highlight | Behaviour::TrimUpper, 2, "txtIndirizzoRes"},
    {"txtIndirizzoRes", Behaviour::Highlight | Behaviour::Upper, 20, "txtProvRes"},
    {"txtProvRes", Behaviour::Highlight | Behaviour::TrimUpper, 2, "txtComuneRes"},
    {"txtComuneRes", Behaviour::Highlight | Behaviour::Upper, 17, "txtCapRes"},
    {"txtCapRes", Behaviour::Highlight | Behaviour::TrimUpper, 5, "txtDataScade"},
    // The due date cannot be typed into: any key but Tab asks for the date picker.
    {"txtDataScade", Behaviour::Highlight, 10, nullptr, {.key = Behaviour::Key::Dialog, .tag = "calendario"}},
    {"txtDataPaga", Behaviour::Highlight, 10, "txtCausale"},
    {"txtCausale", Behaviour::Highlight, 250, "txtNote"},
    {"txtNote", Behaviour::Highlight, 250, "txtImporto"},
};

// The commands in the order Tab reaches them after the fields: the command column top to bottom,
// then the navigation row; the images beside a field run on F4 in that field.
constexpr RecordForm::Command kOwnCommands[] = {
    {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda.", Qt::CTRL | Qt::Key_N},
    {"cmdDuplica", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.",
     Qt::CTRL | Qt::Key_D},
    {"cmdAllega", "Allega file alla scheda corrente.", Qt::CTRL | Qt::Key_L},
    {"cmdImporta", "Importa i dati dall'archivio anagrafico degli Esecutori.", Qt::CTRL | Qt::Key_I},
    {"cmdSalva", "Salva la scheda corrente in archivio.", Qt::CTRL | Qt::Key_S},
    {"cmdStampa", "Stampa il bollettino postale corrente.", Qt::CTRL | Qt::Key_P},
    {"cmdTrova", "Trova una scheda in archivio.", Qt::CTRL | Qt::Key_F},
    {"cmdDaSaldare", "Visualizza l'elenco dei bollettini non saldati.", Qt::CTRL | Qt::Key_R},
    {"cmdMargini", "Visualizza l'elenco dei bollettini scaduti e non ancora saldati.", Qt::CTRL | Qt::Key_T},
    {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel.", Qt::CTRL | Qt::Key_E},
};
constexpr RecordForm::Command kOtherCommands[] = {
    {"impCodTariffa", "Importa i dati dall'elenco dei codici delle voci di tariffa.", Qt::Key_F4, "txtCodTariffa",
     "Elenco dei codici tariffa"},
    {"btnCodFisc", "Controlla il codice fiscale.", Qt::Key_F4, "txtCodFisc", "Controlla il codice fiscale"},
    // The year panel's pictures, with the keys of the slip panel's Guida and Esci.
    {"imgGuida", nullptr, Qt::Key_F1, nullptr, "Guida"},
    {"imgEsci", nullptr, Qt::CTRL | Qt::Key_W, nullptr, "Esci"},
};
constexpr auto kPanel = RecordForm::commands(kOwnCommands, RecordForm::kGuidaEsci, RecordForm::kArrows);
// The reminder letter of the shown slip's payer, in the column under "Scaduti".
constexpr RecordForm::Command kReminder{
    "cmdPromemoria", "Prepara il promemoria di scadenza per l'Esecutore della scheda corrente.", Qt::CTRL | Qt::Key_M};
constexpr Behaviour::Hint kOtherHints[] = {
    {"chkSaldato", "Annota che il bollettino \u00e8 stato saldato."},
};

QString trimmedText(const QLineEdit* edit)
{
    return CodePage::trimmed(edit->text());
}

} // namespace

TfrmBollettino::TfrmBollettino(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Bollettino>())
    , m_year(QSharedPointer<SlipYear>::create())
    , m_changes(this, m_fields, SlipArchive::blank(), [this] { save(); })
{
    setUpWhenNeeded();
}

void TfrmBollettino::setUp()
{
    initSlipResources();
    m_ui->setupUi(panel());
    bindFields();
    finishForm();
    setWindowTitle(kCaption);
    RecordForm::showPosition(m_ui->lblPosizione, *m_year);
    connect(m_year.data(), &SlipYear::pathChanged, m_ui->lblFile, &QLabel::setText);

    m_ui->panContainer->hide();
    // The due date's only dialog is the date picker.
    Behaviour::install(this, kFields, [this](const char*) {
        Windows::openDialog<TfrmCalendario>(this, [this](TfrmCalendario* picker) { picker->setTarget(this); });
    });
    addReminderCommand();
    std::vector<RecordForm::Command> commands(kPanel.begin(), kPanel.end());
    commands.insert(std::find_if(commands.begin(), commands.end(),
                                 [](const RecordForm::Command& c) { return qstrcmp(c.name, "cmdEsporta") == 0; }),
                    kReminder);
    commands.insert(commands.end(), std::begin(kOtherCommands), std::end(kOtherCommands));
    RecordForm::installCommands(this, commands, "chkSaldato", "panInfo", kOtherHints,
                                {"panSfondo", "panAvvio", "panContainer", "panModulo", "panTipo", "panInferiore",
                                 "panSaldato", "panComandi", "panNavigazione", "lblPosizione", "imgSaldato"});

    connect(m_ui->btnApri, &QPushButton::clicked, this, &TfrmBollettino::openYear);
    // Beside "Apri": the same year's slips for many payers at once.
    auto* batch = new QPushButton(QStringLiteral("Emissione per più Esecutori..."), m_ui->panAnno);
    batch->setObjectName(QStringLiteral("btnEmissione"));
    batch->setGeometry(125, 322, 280, 36);
    connect(batch, &QPushButton::clicked, this, [this] { TfrmEmissione::open(this, m_ui->txtAnno->text()); });
    connect(m_ui->imgGuida, &ClickLabel::clicked, this, &TfrmBollettino::showHelp);
    connect(m_ui->imgEsci, &ClickLabel::clicked, this, &QWidget::close);
    connect(m_ui->cmdNuovo, &QToolButton::clicked, this, &TfrmBollettino::newSlip);
    connect(m_ui->cmdSalva, &QToolButton::clicked, this, &TfrmBollettino::save);
    connect(m_ui->cmdDuplica, &QToolButton::clicked, this, &TfrmBollettino::duplicate);
    RecordForm::setUpNavigation(this, [this](RecordEditor::Move move) { navigate(move); });
    connect(m_ui->cmdImporta, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmTrovaEsecutori>(this, [this](TfrmTrovaEsecutori* search) { search->setTarget(this); });
    });
    connect(m_ui->impCodTariffa, &ClickLabel::clicked, this, [this] {
        Windows::openDialog<TfrmVoci_Tariffa>(this, [this](TfrmVoci_Tariffa* list) { list->setTarget(this); });
    });
    connect(m_ui->btnCodFisc, &ClickLabel::clicked, this, &TfrmBollettino::checkTaxCode);
    connect(m_ui->cmdAllega, &QToolButton::clicked, this, &TfrmBollettino::openAttachments);
    connect(m_ui->cmdTrova, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmTrovaBollettini>(this,
                                                 [this](TfrmTrovaBollettini* search) { search->setTarget(this); });
    });
    connect(m_ui->cmdDaSaldare, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmDaSaldare>(this, [this](TfrmDaSaldare* list) { list->setTarget(this); });
    });
    connect(m_ui->cmdMargini, &QToolButton::clicked, this,
            [this] { Windows::openDialog<TfrmScadute>(this, [this](TfrmScadute* list) { list->setTarget(this); }); });
    connect(m_ui->cmdEsporta, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmExpBollettini>(this, [this](TfrmExpBollettini* exp) { exp->setYear(m_year); });
    });
    connect(m_ui->cmdStampa, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmStampaBol>(this, [this](TfrmStampaBol* print) { print->setSource(this); });
    });
    connect(m_ui->cmdGuida, &QToolButton::clicked, this, &TfrmBollettino::showHelp);
    connect(m_ui->cmdEsci, &QToolButton::clicked, this, &QWidget::close);
    // Until it is first shown (and cleared) the form holds nothing of the user's.
    m_changes.keepCleared();
}

TfrmBollettino::~TfrmBollettino() = default;

void TfrmBollettino::addReminderCommand()
{
    // One more command in the column: its commands close up a little to make room under "Scaduti".
    auto* reminder = new QToolButton(m_ui->panComandi);
    reminder->setObjectName(QString::fromLatin1(kReminder.name));
    reminder->setText(QStringLiteral("Promemoria"));
    reminder->setIcon(QIcon(QStringLiteral(":/slips/icons/promemoria.svg")));
    reminder->setIconSize(QSize(22, 22));
    reminder->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    reminder->setFocusPolicy(Qt::NoFocus);
    reminder->setCursor(Qt::PointingHandCursor);
    int top = 12;
    for (QToolButton* command :
         {m_ui->cmdNuovo, m_ui->cmdDuplica, m_ui->cmdAllega, m_ui->cmdImporta, m_ui->cmdSalva, m_ui->cmdStampa,
          m_ui->cmdTrova, m_ui->cmdDaSaldare, m_ui->cmdMargini, reminder, m_ui->cmdEsporta}) {
        command->setGeometry(18, top, 148, 32);
        top += 38;
    }
    m_ui->cmdGuida->setGeometry(18, top + 12, 148, 32);
    m_ui->cmdEsci->setGeometry(18, top + 50, 148, 32);
    connect(reminder, &QToolButton::clicked, this, [this] {
        const QString name = trimmedText(m_ui->txtEsecutore);
        const QString code = trimmedText(m_ui->txtCodFisc);
        if (name.isEmpty() && code.isEmpty()) {
            MessageBox::warning(this, QStringLiteral("Attenzione: la scheda corrente non riporta l'Esecutore."));
            return;
        }
        TfrmPromemoria::open(this, this, DueDates::payerKey(code, name));
    });
}

// The pictures are drawn when the window first appears: it is created at start-up with the
// others, and rendering them is most of what creating it would cost. The colours come from the
// program's style sheet (its form carries look="form"), which styles each control as it is first shown.
void TfrmBollettino::applyLook()
{
    if (m_styled)
        return;
    m_styled = true;

    const auto picture = [](QLabel* label, const char* name, int size) {
        Artwork::showIcon(label, QStringLiteral(":/slips/icons/%1.svg").arg(QLatin1String(name)), QSize(size, size));
    };
    picture(m_ui->impCodTariffa, "tariffa", 26);
    picture(m_ui->btnCodFisc, "controlla", 26);
    picture(m_ui->imgSaldato, "saldato", 60);
    picture(m_ui->imgGuida, "guida", 44);
    picture(m_ui->imgEsci, "esci", 44);
}

void TfrmBollettino::showEvent(QShowEvent* event)
{
    applyLook();
    Workspace::showEvent(event);
    if (event->spontaneous())
        return; // only restored from the task bar: nothing changes
    setWindowTitle(kCaption);
    m_ui->panContainer->hide();
    m_ui->panAvvio->show();
    m_ui->txtAnno->setText(QString::number(Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    clearSlip();
    m_ui->txtAnno->setFocus(Qt::OtherFocusReason);
}

void TfrmBollettino::openSlip(QWidget* from, const QString& year, const Record& slip, qint64 position)
{
    if (!isVisible())
        showFrom(from);
    if (!m_ui->panContainer->isVisible() || m_year->year() != year) {
        m_ui->txtAnno->setText(year);
        openYear();
    }
    takeSlip(slip, position);
}

void TfrmBollettino::openYear()
{
    const QString year = m_ui->txtAnno->text();
    if (const auto refusal = SlipEditor::checkYear(year)) {
        MessageBox::show(this, *refusal);
        m_ui->txtAnno->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_year->open(year);
    setWindowTitle(kCaption + QStringLiteral(" anno ") + CodePage::trimmed(year));
    m_ui->panAvvio->hide();
    m_ui->panContainer->show();
    m_ui->panInfo->setText(SlipEditor::readyText());
    clearSlip();
}

void TfrmBollettino::closeEvent(QCloseEvent* event)
{
    if (!m_changes.mayLeave()) {
        event->ignore();
        return;
    }
    Workspace::closeEvent(event);
}

void TfrmBollettino::newSlip()
{
    if (m_changes.mayLeave())
        clearSlip();
}

void TfrmBollettino::clearSlip()
{
    for (QLineEdit* edit :
         {m_ui->txtImporto,    m_ui->txtImpLettere, m_ui->txtCodTariffa,   m_ui->txtAnnoTariffa, m_ui->txtCodFisc,
          m_ui->txtEsecutore,  m_ui->txtSesso,      m_ui->txtGG,           m_ui->txtMM,          m_ui->txtAA,
          m_ui->txtComuneNasc, m_ui->txtProvNasc,   m_ui->txtIndirizzoRes, m_ui->txtProvRes,     m_ui->txtComuneRes,
          m_ui->txtCapRes,     m_ui->txtDataScade,  m_ui->txtDataPaga,     m_ui->txtCausale,     m_ui->txtNote})
        edit->clear();
    m_ui->txtCents->setText(QStringLiteral("00"));
    m_ui->txtCentLettere->setText(QStringLiteral("00"));
    m_ui->txtIntero->setText(QStringLiteral("0,00"));
    for (QCheckBox* box : {m_ui->chkSaldato, m_ui->chkRilascio, m_ui->chkAnnuale, m_ui->chkIntegrazione})
        box->setChecked(false);
    m_attached = {};
    m_year->setPosition(0);
    m_changes.keepCleared();
    m_ui->txtImporto->setFocus(Qt::OtherFocusReason);
}

void TfrmBollettino::showAccessError()
{
    MessageBox::show(this, MessageKind::Error, RecordEditor::accessText());
}

void TfrmBollettino::save()
{
    // The amount and cents are tidied first; this stays done even when the save stops below.
    const SlipEditor::Amount amount = SlipEditor::tidyAmount(m_ui->txtImporto->text(), m_ui->txtCents->text());
    m_ui->txtImporto->setText(amount.amount);
    m_ui->txtCents->setText(amount.cents);
    m_ui->txtCentLettere->setText(amount.centsInWords);
    m_ui->txtIntero->setText(amount.whole);

    if (const auto refusal = SlipEditor::checkDueDate(m_ui->txtDataScade->text())) {
        MessageBox::show(this, *refusal);
        m_ui->txtDataScade->setFocus(Qt::OtherFocusReason);
        return;
    }

    SlipArchive archive(m_year->path());
    Record record = SlipArchive::blank();
    m_fields.store(record);
    RecordForm::save({.form = this,
                      .fields = m_fields,
                      .place = *m_year,
                      .changes = m_changes,
                      .archive = archive,
                      .record = record,
                      .accessKind = MessageKind::Warning,
                      .insertedText = SlipEditor::insertedText(),
                      .changedText = SlipEditor::changedText()},
                     [this] { save(); });
}

void TfrmBollettino::duplicate()
{
    if (const auto refusal = SlipEditor::checkDuplicate(m_year->positionText())) {
        MessageBox::show(this, *refusal);
        return;
    }
    // A change to the slip shown goes into the copy unless it is saved with the slip first.
    if (!m_changes.mayLeave())
        return;
    // The copy keeps the slip's data but not its attachments or its number.
    m_attached = {};
    m_year->setPosition(0);
    m_changes.becomeNew();
    SlipArchive archive(m_year->path());
    if (!archive.count()) {
        showAccessError();
        return;
    }
    m_ui->txtImporto->setFocus(Qt::OtherFocusReason);
    MessageBox::information(this, SlipEditor::duplicatedText());
}

void TfrmBollettino::navigate(RecordEditor::Move move, bool asked)
{
    SlipArchive archive(m_year->path());
    const std::optional<qint64> count = archive.count();
    if (!count) {
        showAccessError();
        return;
    }
    if (!archive.notice().isEmpty())
        MessageBox::show(this, archive.notice()); // an interrupted save was undone first
    if (*count == 0) {
        MessageBox::information(this, RecordEditor::emptyArchiveText());
        return;
    }
    const RecordEditor::Decision decision = RecordEditor::move(move, m_year->positionText(), *count);
    if (decision.action != RecordEditor::Action::Load)
        return;
    if (!asked && m_changes.changed()) {
        // A save first may number the slip shown and grow the archive: the move is decided again.
        if (m_changes.mayLeave())
            navigate(move, true);
        return;
    }
    const std::optional<Record> record = archive.read(decision.record);
    if (!record) {
        showAccessError();
        return;
    }
    showSlip(*record, decision.record);
}

bool TfrmBollettino::takeSlip(const Record& slip, qint64 position)
{
    if (!m_changes.mayLeave())
        return false;
    showSlip(slip, position);
    return true;
}

void TfrmBollettino::showSlip(const Record& record, qint64 position)
{
    m_fields.load(record);
    m_year->setPosition(position);
    m_changes.keep();
}

SlipFill::SlipValues TfrmBollettino::shownSlip() const
{
    SlipFill::SlipValues slip;
    for (const QString& name : SlipFill::sourceFields())
        if (const QWidget* field = findChild<QWidget*>(name))
            slip.texts.insert(name, field->property("text").toString());
    for (const QString& name : SlipFill::sourceChecks())
        if (const QWidget* box = findChild<QWidget*>(name); box && box->property("checked").toBool())
            slip.checked.insert(name);
    return slip;
}

bool TfrmBollettino::takePayer(const Record& payer, qint64)
{
    for (const char* field : SlipFromPayer::fields())
        if (auto* edit = findChild<QLineEdit*>(QStringLiteral("txt") + QLatin1String(field)))
            edit->setText(payer.text(field));
    return true;
}

void TfrmBollettino::takeTariffCode(const QString& code)
{
    m_ui->txtCodTariffa->setText(code);
}

void TfrmBollettino::takeDate(const QDate& date)
{
    m_ui->txtDataScade->setText(Formats::dateToText(date));
}

AttachmentSlots TfrmBollettino::attachments() const
{
    return m_attached;
}

void TfrmBollettino::setAttachments(const AttachmentSlots& attached)
{
    m_attached = RecordForm::trimmed(attached);
}

void TfrmBollettino::bindFields()
{
    std::vector<RecordForm::Binding> bindings = {
        {"Importo", m_ui->txtImporto},
        {"Cents", m_ui->txtCents},
        {"ImpLettere", m_ui->txtImpLettere},
        {"CentLettere", m_ui->txtCentLettere},
        {"Intero", m_ui->txtIntero},
        {"CodTariffa", m_ui->txtCodTariffa},
        {"AnnoTariffa", m_ui->txtAnnoTariffa},
        {"CodFisc", m_ui->txtCodFisc},
        {"Esecutore", m_ui->txtEsecutore},
        {"Sesso", m_ui->txtSesso},
        {"GG", m_ui->txtGG},
        {"MM", m_ui->txtMM},
        {"AA", m_ui->txtAA},
        {"ComuneNasc", m_ui->txtComuneNasc},
        {"ProvNasc", m_ui->txtProvNasc},
        {"IndirizzoRes", m_ui->txtIndirizzoRes},
        {"ProvRes", m_ui->txtProvRes},
        {"ComuneRes", m_ui->txtComuneRes},
        {"CapRes", m_ui->txtCapRes},
        {"DataScade", m_ui->txtDataScade},
        {"DataPaga", m_ui->txtDataPaga},
        {"Causale", m_ui->txtCausale},
        {"Note", m_ui->txtNote},
        {"Saldato", m_ui->chkSaldato},
        {"Rilascio", m_ui->chkRilascio},
        {"Annuale", m_ui->chkAnnuale},
        {"Integrazione", m_ui->chkIntegrazione},
    };
    for (const RecordForm::Binding& attachment : RecordForm::attachmentBindings(m_attached))
        bindings.push_back(attachment);
    m_fields.bind(std::move(bindings));
}

void TfrmBollettino::checkTaxCode()
{
    CheckWindow::openTaxCode(this, trimmedText(m_ui->txtCodFisc));
}

void TfrmBollettino::openAttachments()
{
    TfrmAllegaCartella::openFor(this, *this);
}

void TfrmBollettino::showHelp()
{
    Windows::openDialog<TfrmGuida>(
        this, [](TfrmGuida* guide) { guide->setPage(HelpPages::slipEditorTitle(), HelpPages::slipEditorBody()); });
}
