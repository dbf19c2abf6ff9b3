#include "lists/Scadute.h"

#include "data/Platform.h"
#include "lists/ListArchive.h"
#include "windows/ListPanel.h"
#include "lists/ListTakeOver.h"
#include "slips/SlipYear.h"

#include "ui_Scadute.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

// Said under the list when unpaid slips were left out because their due date cannot be read.
QString unreadableText(int count)
{
    if (count == 1)
        return QStringLiteral("Attenzione: 1 bollettino non saldato ha una data di scadenza non leggibile e non è "
                              "in elenco.");
    return QStringLiteral("Attenzione: %1 bollettini non saldati hanno una data di scadenza non leggibile e non sono "
                          "in elenco.")
        .arg(count);
}

} // namespace

TfrmScadute::TfrmScadute(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Scadute>())
{
    setUpWhenNeeded();
}

void TfrmScadute::setUp()
{
    m_ui->setupUi(this);
    m_list = new ListPanel(m_ui->panContainer,
                           {ListPanel::rigo01Schede(), QStringLiteral("Riepilogo bollettini scaduti e non saldati")});
    m_unreadable = m_list->addNote("lblNonLette", QString());
    m_unreadable->setGeometry(20, 474, 540, 44);
    m_unreadable->setWordWrap(true);
    m_unreadable->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
    m_unreadable->hide();
    connect(m_list, &ListPanel::chosen, this,
            [this](const QString& line) { ListTakeOver::slip(this, line, m_target); });
    ListPanel::applyLook(this);
    finishForm();
}

TfrmScadute::~TfrmScadute() = default;

void TfrmScadute::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    m_list->reset();
    // A slip whose due date cannot be read is passed over and counted, not the end of the list.
    ListArchive::Lines got =
        ListArchive::expiredSlips(m_target ? m_target->slipYear()->path() : QString(), Clock::today());
    m_list->setLines(std::move(got.lines));
    m_unreadable->setText(got.unreadable > 0 ? unreadableText(got.unreadable) : QString());
    m_unreadable->setVisible(got.unreadable > 0);
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}
