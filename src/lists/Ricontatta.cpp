#include "lists/Ricontatta.h"

#include "lists/ListArchive.h"
#include "windows/ListPanel.h"
#include "lists/ListTakeOver.h"
#include "payers/PayerRecord.h"

#include "ui_Ricontatta.h"

#include <QLineEdit>
#include <QShowEvent>

TfrmRicontatta::TfrmRicontatta(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Ricontatta>())
{
    setUpWhenNeeded();
}

void TfrmRicontatta::setUp()
{
    m_ui->setupUi(this);
    m_list = new ListPanel(m_ui->panContainer,
                           {ListPanel::rigo01Schede(), QStringLiteral("Riepilogo Esecutori da ricontattare")});
    // Into the payer editor, whatever the flag of the record found.
    connect(m_list, &ListPanel::chosen, this,
            [this](const QString& line) { ListTakeOver::payer(this, line, m_target); });
    ListPanel::applyLook(this);
    finishForm();
}

TfrmRicontatta::~TfrmRicontatta() = default;

void TfrmRicontatta::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    m_list->reset();
    // A failure is ignored: the lines read so far stay.
    m_list->setLines(ListArchive::recontactPayers(PayerRecord::archivePath()).lines);
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}
