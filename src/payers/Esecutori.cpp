#include "payers/Esecutori.h"

#include "ui_Esecutori.h"

#include "app/Guida.h"
#include "app/HelpPages.h"
#include "checks/CheckWindow.h"
#include "checks/Voci_Tariffa.h"
#include "data/CodePage.h"
#include "data/Platform.h"
#include "lists/ExpEsecutori.h"
#include "lists/Ricontatta.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "payers/InfoSheetCommands.h"
#include "data/OpenURL.h"
#include "payers/PayerArchive.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"
#include "windows/RecordForm.h"

#include <QCloseEvent>
#include <QIcon>
#include <QRegularExpression>
#include <QShowEvent>
#include <iterator>
#include <vector>

static void initPayerResources()
{
    Q_INIT_RESOURCE(payers);
    Q_INIT_RESOURCE(slips); // the command pictures shared with the slip editor
}

namespace {

using namespace Behaviour;

const QString kCaption = QStringLiteral(" Tassella - Anagrafica Esecutori");

constexpr unsigned kProvince = Highlight | TrimUpper | ClearSelection;

// The fields in Enter order: U upper-case, TU trim and upper-case, D digits, T trim on leaving.
const Field kFields[] = {
    {"txtEsecutore", Highlight | Upper, 23, "txtGG"},
    {"txtGG", Highlight | Upper, 2, "txtMM"},
    {"txtMM", Highlight | Upper, 2, "txtAA"},
    {"txtAA", Highlight | Upper, 2, "txtComuneNasc"},
    {"txtComuneNasc", Highlight | Upper, 11, "txtProvNasc"},
    {"txtProvNasc", kProvince, 2, "txtSesso", {.exit = Exit::TrimUpper}},
    {"txtSesso", Highlight | Upper, 1, "txtRecapito"},
    {"txtRecapito", Highlight, 50, "txtIndirizzoRes"},
    {"txtIndirizzoRes", Highlight | Upper, 20, "txtProvRes"},
    {"txtProvRes", kProvince, 2, "txtComuneRes", {.exit = Exit::TrimUpper}},
    {"txtComuneRes", Highlight | Upper, 17, "txtCapRes"},
    {"txtCapRes", Highlight | Upper, 5, "txtCategoria"},
    {"txtCategoria", Highlight, 50, "txtTelCasa"},
    {"txtTelCasa", Highlight, 30, "txtTelUff"},
    {"txtTelUff", Highlight, 30, "txtTelCel"},
    {"txtTelCel", Highlight, 30, "txtFax"},
    {"txtFax", Highlight, 30, "txtEmail"},
    {"txtEmail", Highlight, 50, "txtCodFisc", {.exit = Exit::Trim}},
    {"txtCodFisc", Highlight | TrimUpper, 16, "txtCarta", {.exit = Exit::TrimUpper}},
    {"txtCarta", Highlight | Digits, 30, "txtScadeCarta"},
    {"txtScadeCarta", Highlight, 30, "txtPartitaIva"},
    {"txtPartitaIva", Highlight | Digits, 11, "txtIban"},
    {"txtIban", Highlight | TrimUpper, 27, "txtTipoDoc", {.exit = Exit::TrimUpper}},
    {"txtTipoDoc", Highlight, 50, "txtNumDoc"},
    {"txtNumDoc", Highlight, 50, "txtEnteRil"},
    {"txtEnteRil", Highlight, 50, "txtDataRil"},
    {"txtDataRil", Highlight, 10, "txtDataSca"},
    {"txtDataSca", Highlight, 10, "txtCodTariffa"},
    {"txtCodTariffa", Highlight | Upper, 4, "txtQuestioni"},
    // Enter passes over the recontact box; Tab stops on it.
    {"txtQuestioni", Highlight, 250, "txtNote"},
    {"txtNote", Highlight, 250, "txtEsecutore"},
};

// The commands in the order Tab reaches them after the fields: the command column top to bottom,
// then the navigation bar; the images beside a field run on F4 in that field.
constexpr RecordForm::Command kOwnCommands[] = {
    {"cmdNuovo", "Prepara la schermata per la registrazione di una nuova scheda.", Qt::CTRL | Qt::Key_N},
    {"cmdFile", "Allega file alla scheda corrente.", Qt::CTRL | Qt::Key_L},
    {"cmdSalva", "Salva la scheda corrente in archivio.", Qt::CTRL | Qt::Key_S},
    {"cmdTrova", "Trova una scheda in archivio.", Qt::CTRL | Qt::Key_F},
    {"cmdAnteprima", "Visualizza l'anteprima di stampa.", Qt::CTRL | Qt::SHIFT | Qt::Key_P},
    {"cmdStampa", "Stampa la scheda corrente.", Qt::CTRL | Qt::Key_P},
    {"cmdPDF", "Esporta la scheda in formato PDF.", Qt::CTRL | Qt::SHIFT | Qt::Key_E},
    {"cmdRicontatta", "Visualizza l'elenco degli Esecutori da ricontattare.", Qt::CTRL | Qt::Key_R},
    {"cmdEsporta", "Esporta le schede in archivio in un file di Microsoft Excel.", Qt::CTRL | Qt::Key_E},
    {"cmdElimina", "Cancella la scheda corrente e sovrascrivila con nuovi dati.",
     Qt::CTRL | Qt::SHIFT | Qt::Key_Delete},
};
constexpr RecordForm::Command kFieldCommands[] = {
    {"btnEmail", "Invia una e-mail all'indirizzo indicato.", Qt::Key_F4, "txtEmail", "Invia una e-mail"},
    {"btnCodFisc", "Controlla il codice fiscale.", Qt::Key_F4, "txtCodFisc", "Controlla il codice fiscale"},
    {"btnCarta", "Controlla il numero di carta di credito.", Qt::Key_F4, "txtCarta", "Controlla la carta di credito"},
    {"btnPartitaIva", "Controlla il numero di partita IVA.", Qt::Key_F4, "txtPartitaIva", "Controlla la partita IVA"},
    {"btnIban", "Controlla l'IBAN.", Qt::Key_F4, "txtIban", "Controlla l'IBAN"},
    {"impCodTariffa", "Importa i dati dall'elenco dei codici delle voci di tariffa.", Qt::Key_F4, "txtCodTariffa",
     "Elenco dei codici tariffa"},
};
constexpr auto kPanel = RecordForm::commands(kOwnCommands, RecordForm::kGuidaEsci, RecordForm::kArrows);
constexpr Hint kOtherHints[] = {
    {"chkRicontatta", "Annota che l'Esecutore \u00e8 da ricontattare per questioni in sospeso."},
};

// The look follows the slip editor: grey section panels on the soft blue desk, each with its
// picture on white at the left, the command column and navigation bar at the right.
const char* const kStyle = R"(
QWidget#panContainer { background: #dfe7f1; }
QFrame#panAnagrafica, QFrame#panRecapiti, QFrame#panFiscale, QFrame#panDocumento, QFrame#panQuestioni {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f6f9, stop:1 #e6eaf0);
    border: 1px solid #8ea6c0; border-radius: 6px; }
QFrame#panImgAnagrafica, QFrame#panImgRecapiti, QFrame#panImgFiscale, QFrame#panImgDocumento, QFrame#panImgQuestioni {
    background: #ffffff; border: 1px solid #b8c6d6; border-radius: 5px; }
QFrame#panImgAnagrafica QLabel, QFrame#panImgRecapiti QLabel, QFrame#panImgFiscale QLabel,
QFrame#panImgDocumento QLabel, QFrame#panImgQuestioni QLabel { border: none; background: transparent; }
QLabel[class="caption"] { color: #14306b; font-family: Tahoma; font-size: 8pt; font-weight: bold; background: transparent; }
QLineEdit { background: #ffffff; border: 1px solid #7f97b2; color: #111111; padding: 0 3px; }
QComboBox { background: #ffffff; border: 1px solid #7f97b2; color: #111111; padding: 0 0 0 3px; }
QComboBox::drop-down { width: 18px; border-left: 1px solid #b8c6d6; background: #eef3f9; }
QComboBox::down-arrow { image: url(:/payers/icons/giu.svg); width: 11px; height: 11px; }
QComboBox QAbstractItemView { font-family: Verdana; font-size: 10pt; selection-background-color: #1f4e8c; }
QCheckBox { color: #14306b; background: transparent; spacing: 8px; }
QCheckBox::indicator { width: 18px; height: 18px; border: 1px solid #7f97b2; background: #ffffff; border-radius: 2px; }
QCheckBox::indicator:checked { image: url(:/slips/icons/spunta.svg); }
QCheckBox::indicator:focus { border: 2px solid #e0a100; }
QFrame#panComandi QToolButton:focus, QFrame#panNavigazione QToolButton:focus { border: 2px solid #e0a100; }
QLabel#panInfo { background: #1f4e8c; color: #ffffff; padding-left: 12px; border: 1px solid #163a69; border-radius: 4px; }
QFrame#panComandi, QFrame#panNavigazione { background: #f7f9fc; border: 1px solid #8ea6c0; border-radius: 4px; }
QFrame#panComandi QToolButton { background: #ffffff; color: #1f3b5c; border: 1px solid #b8c6d6; border-radius: 4px;
    text-align: left; padding-left: 6px; font-weight: bold; }
QFrame#panComandi QToolButton:hover, QFrame#panNavigazione QToolButton:hover { background: #e3eefb; border-color: #1f4e8c; }
QFrame#panComandi QToolButton:pressed, QFrame#panNavigazione QToolButton:pressed { background: #c9dcf3; }
QFrame#panNavigazione QToolButton { background: #ffffff; border: 1px solid #b8c6d6; border-radius: 4px; }
QFrame#panNavigazione QLabel { background: transparent; border: none; color: #30475e; }
QFrame#panNavigazione QLabel#lblPosizione { background: #ffffff; border: 1px solid #7f97b2; color: #1f4e8c; }
)";

} // namespace

TfrmEsecutori::TfrmEsecutori(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Esecutori>())
    , m_changes(this, PayerArchive::blank(), [this] { save(); })
{
    setUpWhenNeeded();
}

void TfrmEsecutori::setUp()
{
    initPayerResources();
    m_ui->setupUi(panel());
    finishForm();
    setWindowTitle(kCaption);

    for (QComboBox* province : {m_ui->txtProvNasc, m_ui->txtProvRes}) {
        province->setInsertPolicy(QComboBox::NoInsert);
        province->addItems(PayerEditor::provinces());
        province->setCurrentIndex(-1);
    }
    Behaviour::install(this, kFields);
    // The status bar is background too: the mouse over it reaches the panel behind it.
    m_ui->panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);
    std::vector<RecordForm::Command> commands(kPanel.begin(), kPanel.end());
    commands.insert(commands.end(), std::begin(kFieldCommands), std::end(kFieldCommands));
    RecordForm::installCommands(
        this, commands, "txtNote", "panInfo", kOtherHints,
        {"panContainer",     "panAnagrafica",  "panRecapiti",   "panFiscale",      "panDocumento",    "panQuestioni",
         "panImgAnagrafica", "panImgRecapiti", "panImgFiscale", "panImgDocumento", "panImgQuestioni", "imgAnagrafica",
         "imgRecapiti",      "imgFiscale",     "imgDocumento",  "imgQuestioni",    "panComandi",      "panNavigazione",
         "lblScheda",        "lblPosizione",   "imgDecoro"});

    connect(m_ui->cmdNuovo, &QToolButton::clicked, this, [this] {
        if (m_changes.mayLeave())
            newPayer();
    });
    connect(m_ui->cmdSalva, &QToolButton::clicked, this, &TfrmEsecutori::save);
    connect(m_ui->cmdElimina, &QToolButton::clicked, this, &TfrmEsecutori::clearForOverwrite);
    RecordForm::connectArrows(this, [this](RecordEditor::Move move) { navigate(move); });
    connect(m_ui->cmdTrova, &QToolButton::clicked, this,
            [this] { Windows::openDialog<TfrmTrovaEsecutori>(this, QStringLiteral("esecutori")); });
    connect(m_ui->cmdRicontatta, &QToolButton::clicked, this, [this] { Windows::openDialog<TfrmRicontatta>(this); });
    connect(m_ui->cmdEsporta, &QToolButton::clicked, this, [this] { Windows::openDialog<TfrmExpEsecutori>(this); });
    connect(m_ui->cmdFile, &QToolButton::clicked, this, &TfrmEsecutori::openAttachments);
    connect(m_ui->impCodTariffa, &ClickLabel::clicked, this,
            [this] { Windows::openDialog<TfrmVoci_Tariffa>(this, QStringLiteral("esecutori")); });
    connect(m_ui->btnEmail, &ClickLabel::clicked, this, &TfrmEsecutori::writeEmail);
    connect(m_ui->btnCodFisc, &ClickLabel::clicked, this, &TfrmEsecutori::checkTaxCode);
    connect(m_ui->btnPartitaIva, &ClickLabel::clicked, this,
            [this] { CheckWindow::openVatNumber(this, CodePage::trimmed(m_ui->txtPartitaIva->text())); });
    connect(m_ui->btnIban, &ClickLabel::clicked, this,
            [this] { CheckWindow::openIban(this, CodePage::trimmed(m_ui->txtIban->text())); });
    connect(m_ui->btnCarta, &ClickLabel::clicked, this,
            [this] { CheckWindow::openCard(this, CodePage::trimmed(m_ui->txtCarta->text())); });
    connect(m_ui->cmdAnteprima, &QToolButton::clicked, this, [this] { InfoSheetCommands::preview(this); });
    connect(m_ui->cmdStampa, &QToolButton::clicked, this, [this] { InfoSheetCommands::print(this); });
    connect(m_ui->cmdPDF, &QToolButton::clicked, this, [this] { InfoSheetCommands::createPdf(this); });
    connect(m_ui->cmdGuida, &QToolButton::clicked, this, &TfrmEsecutori::showHelp);
    connect(m_ui->cmdEsci, &QToolButton::clicked, this, &QWidget::close);
    // Until it is first shown (and cleared) the form holds nothing of the user's.
    m_changes.keepCleared();
}

TfrmEsecutori::~TfrmEsecutori() = default;

// The look (style sheet and pictures) is applied when the window first appears, so that creating
// the 25 windows at start-up stays quick.
void TfrmEsecutori::applyLook()
{
    if (m_styled)
        return;
    m_styled = true;
    panel()->setStyleSheet(QString::fromLatin1(kStyle));
    setStyleSheet(QStringLiteral("TfrmEsecutori { background: #dfe7f1; }"));

    const auto picture = [](QLabel* label, const QString& path, QSize size) {
        label->setPixmap(QIcon(path).pixmap(size));
    };
    const auto own = [](const char* name) { return QStringLiteral(":/payers/icons/%1.svg").arg(QLatin1String(name)); };
    picture(m_ui->imgAnagrafica, own("persona"), {48, 48});
    picture(m_ui->imgRecapiti, own("telefono"), {48, 48});
    picture(m_ui->imgFiscale, own("fiscale"), {48, 48});
    picture(m_ui->imgDocumento, own("documento"), {48, 48});
    picture(m_ui->imgQuestioni, own("questioni"), {48, 48});
    picture(m_ui->imgDecoro, own("rubrica"), {195, 42});
    picture(m_ui->btnEmail, own("email"), {26, 26});
    for (QLabel* check : {m_ui->btnCodFisc, m_ui->btnCarta, m_ui->btnPartitaIva, m_ui->btnIban})
        picture(check, QStringLiteral(":/slips/icons/controlla.svg"), {26, 26});
    picture(m_ui->impCodTariffa, QStringLiteral(":/slips/icons/tariffa.svg"), {26, 26});
}

void TfrmEsecutori::showEvent(QShowEvent* event)
{
    applyLook();
    Workspace::showEvent(event);
    if (event->spontaneous())
        return; // only restored from the task bar: nothing changes
    // The editor always opens on a new, empty payer.
    newPayer();
}

void TfrmEsecutori::closeEvent(QCloseEvent* event)
{
    if (!m_changes.mayLeave()) {
        event->ignore();
        return;
    }
    Workspace::closeEvent(event);
}

void TfrmEsecutori::clearPayer()
{
    for (QLineEdit* edit : panel()->findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txt"))))
        edit->clear();
    for (QComboBox* province : {m_ui->txtProvNasc, m_ui->txtProvRes}) {
        province->setCurrentIndex(-1);
        province->setEditText(QString());
    }
    m_ui->chkRicontatta->setChecked(false);
    for (QLabel* label :
         {m_ui->lblFile01, m_ui->lblFile02, m_ui->lblFile03, m_ui->lblDesc01, m_ui->lblDesc02, m_ui->lblDesc03})
        label->clear();
}

void TfrmEsecutori::newPayer()
{
    clearPayer();
    m_ui->lblPosizione->clear();
    m_changes.keepCleared();
    m_ui->txtEsecutore->setFocus(Qt::OtherFocusReason);
}

void TfrmEsecutori::save()
{
    const PayerEditor::Decision named = PayerEditor::checkName(m_ui->txtEsecutore->text());
    if (!named.message.isEmpty()) {
        MessageBox::show(this, named.message);
        m_ui->txtEsecutore->setFocus(Qt::OtherFocusReason);
        return;
    }
    PayerArchive archive(PayerRecord::archivePath());
    const std::optional<qint64> count = archive.count();
    if (!count) {
        MessageBox::show(this, PayerEditor::accessError());
        return;
    }
    const PayerEditor::Decision decision = PayerEditor::save(m_ui->lblPosizione->text(), *count);
    if (decision.action == PayerEditor::Action::None) {
        MessageBox::show(this, decision.message);
        return;
    }
    Record record = PayerArchive::blank();
    RecordForm::store(this, record);
    std::optional<qint64> written;
    if (decision.action == PayerEditor::Action::Append)
        written = archive.append(record);
    else if (archive.overwrite(decision.record, record))
        written = decision.record;
    // Another PC holds the archive, or saved this record after it was loaded here: the user chooses.
    if (!written && archive.busy()) {
        if (MessageBox::choose(this, archive.busyQuestion()) == RecordArchive::Retry)
            save();
        return;
    }
    if (!written && archive.changedElsewhere()) {
        const int choice = MessageBox::choose(this, archive.changedQuestion());
        if (choice == RecordArchive::Reload) {
            RecordForm::load(this, archive.stored());
            m_changes.keep(); // what is shown is the stored record again
        }
        if (choice != RecordArchive::Overwrite)
            return;
        if (archive.overwrite(decision.record, record, PayerArchive::Check::None))
            written = decision.record;
    }
    if (!written) {
        MessageBox::show(this, PayerEditor::accessError());
        return;
    }
    const PayerEditor::Decision done = PayerEditor::saved(decision, *written);
    m_ui->lblPosizione->setText(*done.position);
    m_changes.keep();
    MessageBox::show(this, done.message);
    if (!archive.notice().isEmpty())
        MessageBox::show(this, archive.notice()); // an incomplete end was moved aside first
}

void TfrmEsecutori::clearForOverwrite()
{
    const QString position = m_ui->lblPosizione->text();
    const Message request = PayerEditor::clearRequest(position);
    if (request.kind != MessageKind::Confirmation) {
        MessageBox::show(this, request);
        return;
    }
    if (MessageBox::show(this, request) != MessageBox::Button::Yes)
        return;
    clearPayer();
    const PayerEditor::Decision done = PayerEditor::cleared(position);
    m_ui->txtEsecutore->setFocus(Qt::OtherFocusReason);
    MessageBox::show(this, done.message);
}

void TfrmEsecutori::navigate(RecordEditor::Move move, bool asked)
{
    PayerArchive archive(PayerRecord::archivePath());
    const std::optional<qint64> count = archive.count();
    if (!count) {
        MessageBox::show(this, PayerEditor::accessError());
        return;
    }
    if (!archive.notice().isEmpty())
        MessageBox::show(this, archive.notice()); // an interrupted save was undone first
    const PayerEditor::Decision decision = PayerEditor::move(move, m_ui->lblPosizione->text(), *count);
    if (decision.action == PayerEditor::Action::Load) {
        if (!asked && m_changes.changed()) {
            // A save first may number the payer shown and grow the archive: the move is decided again.
            if (m_changes.mayLeave())
                navigate(move, true);
            return;
        }
        const std::optional<Record> record = archive.read(decision.record);
        if (!record) {
            MessageBox::show(this, PayerEditor::accessError());
            return;
        }
        showPayer(*record, decision.record);
    } else if (decision.position) {
        m_ui->lblPosizione->setText(*decision.position);
    }
    if (!decision.message.isEmpty())
        MessageBox::show(this, decision.message);
}

bool TfrmEsecutori::takeRecord(const Record& record, qint64 position)
{
    if (!m_changes.mayLeave())
        return false;
    showPayer(record, position);
    return true;
}

void TfrmEsecutori::showPayer(const Record& record, qint64 position)
{
    RecordForm::load(this, record);
    m_ui->lblPosizione->setText(QString::number(position));
    m_changes.keep();
}

void TfrmEsecutori::writeEmail()
{
    Shell::open(QLatin1Char('"') + TMisc::MailLink(CodePage::trimmed(m_ui->txtEmail->text())) + QLatin1Char('"'));
}

void TfrmEsecutori::checkTaxCode()
{
    CheckWindow::openTaxCode(this, CodePage::trimmed(m_ui->txtCodFisc->text()));
}

void TfrmEsecutori::openAttachments()
{
    TfrmAllegaCartella::openFor(this, QStringLiteral("esecutori"));
}

void TfrmEsecutori::showHelp()
{
    Windows::openDialog<TfrmGuida>(this, {}, [](TfrmGuida* guide) {
        guide->setPage(HelpPages::payerEditorTitle(), HelpPages::payerEditorBody());
    });
}
