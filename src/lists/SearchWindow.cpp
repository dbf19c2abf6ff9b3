#include "lists/SearchWindow.h"

#include "data/RecordEditor.h"
#include "windows/Prompts.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

SearchWindow::SearchWindow(QWidget* parent, const Kind& kind)
    : Dialog(parent)
    , m_kind(kind)
{}

void SearchWindow::build(QWidget* start, QWidget* container)
{
    m_start = start;
    m_container = container;
    m_criteria = new CriteriaPanel(start, m_kind.criteria);
    m_list = new ListPanel(container, {ListPanel::rigo01Schede(), QString::fromUtf8(m_kind.printTitle)});
    m_found = m_list->addNote("lblTrovate", QStringLiteral("Il presente elenco contiene 0 schede."));
    connect(m_criteria, &CriteriaPanel::searchRequested, this, &SearchWindow::search);
    connect(m_list, &ListPanel::chosen, this, [this](const QString& line) { m_kind.takeOver(*this, line); });
    ListPanel::applyLook(this);
    finishForm();
}

void SearchWindow::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    m_list->reset();
    m_criteria->first()->setFocus(Qt::OtherFocusReason);
}

void SearchWindow::closeEvent(QCloseEvent* event)
{
    m_criteria->waiting()->hide();
    Dialog::closeEvent(event);
}

void SearchWindow::search()
{
    const QList<RecordScan::Criterion> criteria = m_criteria->criteria();
    m_criteria->count()->setText(QString::number(RecordScan::countCriteria(criteria)));
    m_list->model()->clear();
    ListArchive::Lines got = m_kind.search(*this, criteria);
    if (!got.ok) {
        m_criteria->waiting()->hide();
        MessageBox::plain(this, RecordEditor::accessText());
        return;
    }
    m_list->setLines(std::move(got.lines));
    m_found->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(m_list->lines().size()));
    m_container->show();
    m_start->hide();
    m_list->findField()->clear();
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}
