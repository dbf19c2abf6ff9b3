#include "lists/RiepCosti.h"

#include "app/Guida.h"
#include "app/HelpPages.h"
#include "data/CodePage.h"
#include "data/Formats.h"
#include "lists/ListPanel.h"
#include "windows/FieldBehaviour.h"
#include "lists/ListPrint.h"
#include "lists/Summary.h"
#include "reports/ReportOutput.h"
#include "windows/Artwork.h"
#include "windows/Prompts.h"

#include "ui_RiepCosti.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>

TfrmRiepCosti::TfrmRiepCosti(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::RiepCosti>())
{
    setUpWhenNeeded();
}

void TfrmRiepCosti::setUp()
{
    m_ui->setupUi(this);
    // The fixed-size panel stays centred in the maximised window.
    m_ui->panSfondo->setFixedSize(m_ui->panSfondo->size());
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_ui->panSfondo, 1, 1);
    layout->setRowStretch(0, 1);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    m_list = new ListPanel(m_ui->panContainer, {ListPanel::rigo01Schede(), QString()});
    fitListPanel();
    connect(m_ui->imgGuida, &ClickLabel::clicked, this, &TfrmRiepCosti::showHelp);
    static const Behaviour::Command kCommands[] = {{"imgGuida", "Guida"}};
    Behaviour::installCommands(this, kCommands);
    static const Behaviour::Shortcut kKeys[] = {{"imgGuida", Qt::Key_F1}}; // as in the other windows
    Behaviour::installShortcuts(this, kKeys);
    ListPanel::applyLook(this);
    Artwork::show(m_ui->imgGuida, QStringLiteral("guida"));
    // The window fills its maximised background once, in the desk colour: the list panel in the
    // same colour is left unpainted over it (tassella.qss), and the window is made maximised from
    // the start, so it is laid out and drawn at its final size only.
    finishForm();
    setWindowState(windowState() | Qt::WindowMaximized);
}

TfrmRiepCosti::~TfrmRiepCosti() = default;

void TfrmRiepCosti::setSelection(const Summary::Checked& checked, const Summary::Filters& filters)
{
    m_checked = checked;
    m_filters = filters;
}

// The summary uses the shared list panel with its own ends: no double click, "Stampa riepilogo"
// with the period and the total, "Esci" beside it under the list, and Enter in the find field
// does nothing.
void TfrmRiepCosti::fitListPanel()
{
    QWidget* list = m_ui->panContainer;
    delete list->findChild<QLabel*>(QStringLiteral("lblRigo03"));
    for (const char* name : {"lblRigo01", "lblRigo02"}) {
        auto* label = list->findChild<QLabel*>(QLatin1String(name));
        label->resize(915, label->height());
    }
    m_list->findField()->setGeometry(20, 64, 770, 32);
    list->findChild<QPushButton*>(QStringLiteral("btnTrova"))->setGeometry(800, 64, 135, 32);
    m_list->view()->setGeometry(20, 108, 915, 352);
    m_list->findField()->installEventFilter(this);

    auto* print = list->findChild<QPushButton*>(QStringLiteral("btnStampa"));
    disconnect(print, nullptr, m_list, nullptr);
    print->setParent(m_ui->panTotali);
    print->setText(QStringLiteral("Stampa riepilogo"));
    print->setGeometry(735, 12, 200, 38);
    print->show();
    connect(print, &QPushButton::clicked, this, &TfrmRiepCosti::print);

    auto* exit = list->findChild<QPushButton*>(QStringLiteral("btnChiudi"));
    exit->setObjectName(QStringLiteral("btnEsci"));
    exit->setText(QStringLiteral("Esci"));
    exit->setParent(m_ui->panTotali);
    exit->setGeometry(735, 58, 200, 38);
    exit->show();
}

bool TfrmRiepCosti::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list->findField() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return Dialog::eventFilter(watched, event);
}

void TfrmRiepCosti::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    fill();
}

void TfrmRiepCosti::fill()
{
    m_list->reset();
    const Summary::Filters& filters = m_filters;
    m_ui->lblConta->setText(QString::number(Summary::filterCount(filters)));
    m_ui->titTipologia->setText(Summary::payerTitle(filters));

    const QString start = m_checked.start;
    const QString end = m_checked.end;
    const std::optional<QDate> first = Formats::textToDate(start);
    const std::optional<QDate> last = Formats::textToDate(end);
    if (!first || !last)
        return; // the selection checks both dates before opening this window
    // An archive that cannot be read to its end still gives the slips read before the failure and
    // their total; the note under the total counts what was left out, so the sum is never taken
    // for the whole one.
    Summary::Result result = Summary::compute(CodePage::trimmed(m_checked.archive), filters, *first, *last);
    m_note = Summary::noteText(result);
    m_list->setLines(std::move(result.lines));
    m_ui->lblIntervallo->setText(Summary::periodText(start, end));
    m_ui->lblTotCosti->setText(Summary::totalText(result.total));
    m_ui->lblNonLette->setText(m_note);
    m_ui->lblNonLette->setVisible(!m_note.isEmpty());
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepCosti::print()
{
    if (m_list->lines().isEmpty()) {
        MessageBox::warning(this, Summary::emptyPrintText());
        return;
    }
    if (!MessageBox::confirm(this, Summary::confirmPrintText()))
        return;
    Report::Template& report = m_list->report();
    ListPrint::fill(
        report, Summary::printTitle(m_ui->titTipologia->text()),
        Summary::printBody(m_list->lines(), m_ui->lblIntervallo->text(), m_ui->lblTotCosti->text(), m_note));
    report.prepare();
    Report::print(report, this);
}

void TfrmRiepCosti::showHelp()
{
    TfrmGuida::showPage(this, HelpPages::summaryTitle(), HelpPages::summaryBody());
}

void TfrmRiepCosti::closeEvent(QCloseEvent* event)
{
    emit closing();
    Dialog::closeEvent(event);
}
