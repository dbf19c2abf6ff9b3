#include "editors/Esecutori.h"

#include "ui_Esecutori.h"

#include "help/Guida.h"
#include "help/HelpPages.h"
#include "checks/CheckDialog.h"
#include "checks/Voci_Tariffa.h"
#include "data/CodePage.h"
#include "data/Platform.h"
#include "lists/ExpEsecutori.h"
#include "lists/Ricontatta.h"
#include "lists/TrovaEsecutori.h"
#include "payers/AllegaCartella.h"
#include "editors/InfoSheetCommands.h"
#include "data/OpenURL.h"
#include "payers/PayerArchive.h"
#include "payers/PayerEditor.h"
#include "payers/PayerRecord.h"
#include "payers/PayerTyping.h"
#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"
#include "windows/RecordForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QPlainTextEdit>
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

// The fields in Enter order, with the typing rules and length limits the spreadsheet import shares.
std::vector<Field> fieldTable()
{
    std::vector<Field> table;
    for (const PayerTyping::Field& field : PayerTyping::fields())
        table.push_back({field.control, field.rules, PayerTyping::limit(field), field.next, {.exit = field.exit}});
    return table;
}

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

} // namespace

TfrmEsecutori::TfrmEsecutori(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Esecutori>())
    , m_file(QSharedPointer<PayerFile>::create())
    , m_changes(this, m_fields, PayerArchive::blank(), [this] { save(); })
{
    setUpWhenNeeded();
}

void TfrmEsecutori::setUp()
{
    initPayerResources();
    m_ui->setupUi(panel());
    bindFields();
    finishForm();
    setWindowTitle(kCaption);
    RecordForm::showPosition(m_ui->lblPosizione, *m_file);

    for (QComboBox* province : {m_ui->txtProvNasc, m_ui->txtProvRes}) {
        province->setInsertPolicy(QComboBox::NoInsert);
        province->addItems(PayerEditor::provinces());
        province->setCurrentIndex(-1);
    }
    Behaviour::install(this, fieldTable());
    // The status bar is background too: the mouse over it reaches the panel behind it.
    m_ui->panInfo->setAttribute(Qt::WA_TransparentForMouseEvents);
    std::vector<RecordForm::Command> commands(kPanel.begin(), kPanel.end());
    commands.insert(commands.end(), std::begin(kFieldCommands), std::end(kFieldCommands));
    RecordForm::installCommands(this, commands, "txtNote", "panInfo", kOtherHints,
                                {"panContainer",  "panAnagrafica",   "panRecapiti",      "panFiscale",
                                 "panDocumento",  "panQuestioni",    "panImgAnagrafica", "panImgRecapiti",
                                 "panImgFiscale", "panImgDocumento", "panImgQuestioni",  "imgAnagrafica",
                                 "imgRecapiti",   "imgFiscale",      "imgDocumento",     "imgQuestioni",
                                 "panComandi",    "panNavigazione",  "lblScheda",        "lblPosizione"});

    connect(m_ui->cmdNuovo, &QToolButton::clicked, this, [this] {
        if (m_changes.mayLeave())
            newPayer();
    });
    connect(m_ui->cmdSalva, &QToolButton::clicked, this, &TfrmEsecutori::save);
    connect(m_ui->cmdElimina, &QToolButton::clicked, this, &TfrmEsecutori::clearForOverwrite);
    RecordForm::setUpNavigation(this, [this](RecordEditor::Move move) { navigate(move); });
    connect(m_ui->cmdTrova, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmTrovaEsecutori>(this, [this](TfrmTrovaEsecutori* search) { search->setTarget(this); });
    });
    connect(m_ui->cmdRicontatta, &QToolButton::clicked, this, [this] {
        Windows::openDialog<TfrmRicontatta>(this, [this](TfrmRicontatta* list) { list->setTarget(this); });
    });
    connect(m_ui->cmdEsporta, &QToolButton::clicked, this, [this] { Windows::openDialog<TfrmExpEsecutori>(this); });
    connect(m_ui->cmdFile, &QToolButton::clicked, this, &TfrmEsecutori::openAttachments);
    connect(m_ui->impCodTariffa, &ClickLabel::clicked, this, [this] {
        Windows::openDialog<TfrmVoci_Tariffa>(this, [this](TfrmVoci_Tariffa* list) { list->setTarget(this); });
    });
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

    const auto picture = [](QLabel* label, const QString& path, QSize size) { Artwork::showIcon(label, path, size); };
    const auto own = [](const char* name) { return QStringLiteral(":/payers/icons/%1.svg").arg(QLatin1String(name)); };
    picture(m_ui->imgAnagrafica, own("persona"), {48, 48});
    picture(m_ui->imgRecapiti, own("telefono"), {48, 48});
    picture(m_ui->imgFiscale, own("fiscale"), {48, 48});
    picture(m_ui->imgDocumento, own("documento"), {48, 48});
    picture(m_ui->imgQuestioni, own("questioni"), {48, 48});
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
    m_attached = {};
}

void TfrmEsecutori::newPayer()
{
    clearPayer();
    m_file->setPosition(0);
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
    PayerArchive archive(m_file->path());
    Record record = PayerArchive::blank();
    m_fields.store(record);
    RecordForm::save({.form = this,
                      .fields = m_fields,
                      .place = *m_file,
                      .changes = m_changes,
                      .archive = archive,
                      .record = record,
                      .accessKind = PayerEditor::accessError().kind,
                      .insertedText = PayerEditor::insertedText(),
                      .changedText = PayerEditor::changedText()},
                     [this] { save(); });
}

void TfrmEsecutori::clearForOverwrite()
{
    const QString position = m_file->positionText();
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
    PayerArchive archive(m_file->path());
    const std::optional<qint64> count = archive.count();
    if (!count) {
        MessageBox::show(this, PayerEditor::accessError());
        return;
    }
    if (!archive.notice().isEmpty())
        MessageBox::show(this, archive.notice()); // an interrupted save was undone first
    const PayerEditor::Decision decision = PayerEditor::move(move, m_file->positionText(), *count);
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
        m_file->setPositionText(*decision.position);
    }
    if (!decision.message.isEmpty())
        MessageBox::show(this, decision.message);
}

bool TfrmEsecutori::takePayer(const Record& payer, qint64 position)
{
    if (!m_changes.mayLeave())
        return false;
    showPayer(payer, position);
    return true;
}

void TfrmEsecutori::showPayer(const Record& record, qint64 position)
{
    m_fields.load(record);
    m_file->setPosition(position);
    m_changes.keep();
}

void TfrmEsecutori::takeTariffCode(const QString& code)
{
    m_ui->txtCodTariffa->setText(code);
}

AttachmentSlots TfrmEsecutori::attachments() const
{
    return m_attached;
}

void TfrmEsecutori::setAttachments(const AttachmentSlots& attached)
{
    m_attached = RecordForm::trimmed(attached);
}

void TfrmEsecutori::bindFields()
{
    std::vector<RecordForm::Binding> bindings = {
        {"Esecutore", m_ui->txtEsecutore},
        {"GG", m_ui->txtGG},
        {"MM", m_ui->txtMM},
        {"AA", m_ui->txtAA},
        {"ComuneNasc", m_ui->txtComuneNasc},
        {"ProvNasc", m_ui->txtProvNasc},
        {"Sesso", m_ui->txtSesso},
        {"Recapito", m_ui->txtRecapito},
        {"IndirizzoRes", m_ui->txtIndirizzoRes},
        {"ProvRes", m_ui->txtProvRes},
        {"ComuneRes", m_ui->txtComuneRes},
        {"CapRes", m_ui->txtCapRes},
        {"Categoria", m_ui->txtCategoria},
        {"TelCasa", m_ui->txtTelCasa},
        {"TelUff", m_ui->txtTelUff},
        {"TelCel", m_ui->txtTelCel},
        {"Fax", m_ui->txtFax},
        {"Email", m_ui->txtEmail},
        {"CodFisc", m_ui->txtCodFisc},
        {"Carta", m_ui->txtCarta},
        {"ScadeCarta", m_ui->txtScadeCarta},
        {"PartitaIva", m_ui->txtPartitaIva},
        {"Iban", m_ui->txtIban},
        {"TipoDoc", m_ui->txtTipoDoc},
        {"NumDoc", m_ui->txtNumDoc},
        {"EnteRil", m_ui->txtEnteRil},
        {"DataRil", m_ui->txtDataRil},
        {"DataSca", m_ui->txtDataSca},
        {"CodTariffa", m_ui->txtCodTariffa},
        {"Questioni", m_ui->txtQuestioni},
        {"Note", m_ui->txtNote},
        {"Ricontatta", m_ui->chkRicontatta},
    };
    for (const RecordForm::Binding& attachment : RecordForm::attachmentBindings(m_attached))
        bindings.push_back(attachment);
    m_fields.bind(std::move(bindings));
}

InfoSheet::Values TfrmEsecutori::sheetValues() const
{
    InfoSheet::Values values;
    for (const InfoSheet::Source& source : InfoSheet::sources()) {
        const QObject* control = findChild<QObject*>(QString::fromLatin1(source.control));
        Q_ASSERT_X(control, "TfrmEsecutori::sheetValues", source.control);
        if (const auto* edit = qobject_cast<const QLineEdit*>(control))
            values.*source.member = edit->text();
        else if (const auto* combo = qobject_cast<const QComboBox*>(control))
            values.*source.member = combo->currentText();
        else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control))
            values.*source.member = memo->toPlainText();
    }
    return values;
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
    TfrmAllegaCartella::openFor(this, *this);
}

void TfrmEsecutori::showHelp()
{
    Windows::openDialog<TfrmGuida>(
        this, [](TfrmGuida* guide) { guide->setPage(HelpPages::payerEditorTitle(), HelpPages::payerEditorBody()); });
}
