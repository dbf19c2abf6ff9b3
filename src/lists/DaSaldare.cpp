#include "lists/DaSaldare.h"

#include "lists/ListArchive.h"
#include "windows/ListPanel.h"
#include "lists/ListTakeOver.h"
#include "slips/SlipYear.h"

#include "ui_DaSaldare.h"

#include <QLineEdit>
#include <QShowEvent>

TfrmDaSaldare::TfrmDaSaldare(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::DaSaldare>())
{
    setUpWhenNeeded();
}

void TfrmDaSaldare::setUp()
{
    m_ui->setupUi(this);
    m_list = new ListPanel(m_ui->panContainer,
                           {ListPanel::rigo01Schede(), QStringLiteral("Riepilogo bollettini non saldati")});
    connect(m_list, &ListPanel::chosen, this,
            [this](const QString& line) { ListTakeOver::slip(this, line, m_target); });
    ListPanel::applyLook(this);
    finishForm();
}

TfrmDaSaldare::~TfrmDaSaldare() = default;

void TfrmDaSaldare::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    m_list->reset();
    // A failure ends the filling quietly: the lines read so far stay.
    m_list->setLines(ListArchive::unpaidSlips(m_target ? m_target->slipYear()->path() : QString()).lines);
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}
