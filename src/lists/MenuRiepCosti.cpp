#include "lists/MenuRiepCosti.h"

#include "data/CodePage.h"
#include "data/Platform.h"
#include "data/RecordLayout.h"
#include "lists/RiepCosti.h"
#include "lists/Summary.h"
#include "lists/TrovaEsecutori.h"
#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "windows/Prompts.h"

#include "ui_MenuRiepCosti.h"

#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QShowEvent>

namespace {

const Behaviour::Field kFields[] = {
    // The year shows beside both dates; the end date's copy follows in eventFilter.
    {"txtAnno",
     Behaviour::Highlight | Behaviour::Digits,
     4,
     "txtEsecutore",
     {.mirror = "lblAnnoInizio", .mirrorText = &CodePage::trimmed}},
    {"txtEsecutore", Behaviour::Highlight | Behaviour::Upper, 23, "txtCodFisc"},
    {"txtCodFisc", Behaviour::Highlight | Behaviour::TrimUpper, 16, "txtGiornoInizio"},
    {"txtGiornoInizio",
     Behaviour::Highlight | Behaviour::ClearSelection,
     2,
     "txtMeseInizio",
     {.exit = Behaviour::Exit::InList, .key = Behaviour::Key::ListOnly}},
    {"txtMeseInizio",
     Behaviour::Highlight | Behaviour::ClearSelection,
     9,
     "txtGiornoFine",
     {.exit = Behaviour::Exit::InList, .key = Behaviour::Key::ListOnly}},
    {"txtGiornoFine",
     Behaviour::Highlight | Behaviour::ClearSelection,
     2,
     "txtMeseFine",
     {.exit = Behaviour::Exit::InList, .key = Behaviour::Key::ListOnly}},
    {"txtMeseFine",
     Behaviour::Highlight | Behaviour::ClearSelection,
     9,
     "btnVisualizza",
     {.exit = Behaviour::Exit::InList, .key = Behaviour::Key::ListOnly}},
};

// The image beside the tax code takes a payer from the archive; its caption reads "dall'anagrafica".
const Behaviour::Command kCommands[] = {{"impCodTariffa", "Importa dall'anagrafica"}};
// Ctrl+W leaves as Esci does, as in the other work windows (Escape too: the registry names Esci).
const Behaviour::Shortcut kKeys[] = {{"btnEsci", Qt::CTRL | Qt::Key_W}};

} // namespace

TfrmMenuRiepCosti::TfrmMenuRiepCosti(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::MenuRiepCosti>())
{
    setUpWhenNeeded();
}

void TfrmMenuRiepCosti::setUp()
{
    m_ui->setupUi(panel());
    finishForm();

    Behaviour::install(this, kFields);
    Behaviour::installCommands(this, kCommands);
    Behaviour::installShortcuts(this, kKeys);
    // Tab reaches the image between the tax code and the period, where it stands.
    QWidget::setTabOrder(m_ui->txtCodFisc, m_ui->impCodTariffa);
    QWidget::setTabOrder(m_ui->impCodTariffa, m_ui->txtGiornoInizio);
    m_ui->txtAnno->installEventFilter(this);
    m_ui->btnVisualizza->installEventFilter(this);
    connect(m_ui->btnVisualizza, &QPushButton::clicked, this, &TfrmMenuRiepCosti::showSummary);
    connect(m_ui->btnEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->impCodTariffa, &ClickLabel::clicked, this, [this] {
        Windows::openDialog<TfrmTrovaEsecutori>(this, [this](TfrmTrovaEsecutori* search) { search->setTarget(this); });
    });
}

TfrmMenuRiepCosti::~TfrmMenuRiepCosti() = default;

// Styled when first shown: creating the window at start-up stays cheap.
void TfrmMenuRiepCosti::applyLook()
{
    if (m_styled)
        return;
    m_styled = true;
    Artwork::show(m_ui->imgRiepilogo, QStringLiteral("riepilogo"));
    Artwork::showIcon(m_ui->impCodTariffa, QStringLiteral(":/slips/icons/importa.svg"), QSize(28, 28));
}

void TfrmMenuRiepCosti::showEvent(QShowEvent* event)
{
    applyLook();
    Workspace::showEvent(event);
    if (!event->spontaneous())
        reset();
}

// Every visit starts from the current year, no filter and no period.
void TfrmMenuRiepCosti::reset()
{
    m_ui->txtEsecutore->clear();
    m_ui->txtCodFisc->clear();
    for (QComboBox* field : {m_ui->txtGiornoInizio, m_ui->txtMeseInizio, m_ui->txtGiornoFine, m_ui->txtMeseFine}) {
        field->setCurrentIndex(-1);
        field->clearEditText();
    }
    m_ui->txtAnno->setText(QString::number(Clock::today().year()).rightJustified(4, QLatin1Char('0')));
    m_ui->lblAnnoInizio->setText(CodePage::trimmed(m_ui->txtAnno->text()));
    m_ui->lblAnnoFine->setText(CodePage::trimmed(m_ui->txtAnno->text()));
    m_ui->txtEsecutore->setFocus(Qt::OtherFocusReason);
}

bool TfrmMenuRiepCosti::eventFilter(QObject* watched, QEvent* event)
{
    // The second copy of the year, at the moments the table's mirror makes the first.
    if (watched == m_ui->txtAnno && (event->type() == QEvent::KeyRelease || event->type() == QEvent::FocusOut))
        m_ui->lblAnnoFine->setText(CodePage::trimmed(m_ui->txtAnno->text()));
    // The notice appears as soon as the button is pressed, before the summary is read.
    if (watched == m_ui->btnVisualizza && event->type() == QEvent::MouseButtonPress)
        m_ui->lblAttendere->show();
    return Workspace::eventFilter(watched, event);
}

void TfrmMenuRiepCosti::showSummary()
{
    m_ui->lblDataInizio->clear();
    m_ui->lblDataFine->clear();
    const Summary::Checked checked =
        Summary::check({m_ui->txtAnno->text(), m_ui->txtGiornoInizio->currentText(), m_ui->txtMeseInizio->currentText(),
                        m_ui->txtGiornoFine->currentText(), m_ui->txtMeseFine->currentText(),
                        m_ui->lblAnnoInizio->text(), m_ui->lblAnnoFine->text()});
    m_ui->lblDataInizio->setText(checked.start);
    m_ui->lblDataFine->setText(checked.end);
    if (!checked.ok()) {
        m_ui->lblAttendere->hide();
        MessageBox::show(this, checked.message);
        if (QWidget* field = findChild<QWidget*>(checked.focus); field && !checked.focus.isEmpty())
            field->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_ui->lblFile->setText(checked.archive);
    m_ui->lblAttendere->show();
    m_ui->lblAttendere->repaint();
    // The result hides the notice when it closes.
    const Summary::Filters filters{m_ui->txtEsecutore->text(), m_ui->txtCodFisc->text()};
    Windows::openDialog<TfrmRiepCosti>(this, [this, &checked, &filters](TfrmRiepCosti* result) {
        result->setSelection(checked, filters);
        connect(result, &TfrmRiepCosti::closing, m_ui->lblAttendere, &QWidget::hide);
    });
}

bool TfrmMenuRiepCosti::takePayer(const Record& payer, qint64)
{
    m_ui->txtEsecutore->setText(payer.text("Esecutore"));
    m_ui->txtCodFisc->setText(payer.text("CodFisc"));
    return true;
}
