#include "checks/Calendario.h"

#include "ui_Calendario.h"

#include "data/Formats.h"
#include "windows/Prompts.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

TfrmCalendario::TfrmCalendario(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Calendario>())
{
    setUpWhenNeeded();
}

void TfrmCalendario::setUp()
{
    m_ui->setupUi(this);
    finishForm();
    connect(m_ui->btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::importDate);
    connect(m_ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
}

TfrmCalendario::~TfrmCalendario() = default;

// The month calendar calAppuntamenti is made when the picker first appears: the instance created at
// start-up never does, and the calendar is the costliest control of all the windows to create.
QCalendarWidget* TfrmCalendario::calendar()
{
    if (m_calendar)
        return m_calendar;
    m_calendar = new QCalendarWidget(m_ui->panMese);
    m_calendar->setObjectName(QStringLiteral("calAppuntamenti"));
    m_calendar->setGeometry(m_ui->panMese->rect());
    m_calendar->setGridVisible(true);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setSelectedDate(Clock::today());
    // The day names in a slightly smaller type, so that all seven fit their narrow columns.
    QTextCharFormat dayNames = m_calendar->headerTextFormat();
    dayNames.setFontPointSize(m_calendar->font().pointSizeF() * 0.85);
    m_calendar->setHeaderTextFormat(dayNames);
    // Enter or a double click on a day takes that day, as "Importa" does.
    connect(m_calendar, &QCalendarWidget::activated, this, &TfrmCalendario::importDate);
    QWidget::setTabOrder(m_calendar, m_ui->btnImportaData);
    QWidget::setTabOrder(m_ui->btnImportaData, m_ui->btnAnnulla);
    m_calendar->show();
    m_calendar->setFocus(Qt::OtherFocusReason);
    return m_calendar;
}

void TfrmCalendario::showEvent(QShowEvent* event)
{
    calendar();
    Dialog::showEvent(event);
}

void TfrmCalendario::importDate()
{
    if (!m_target)
        return; // nobody to take the date: the picker stays open until "Annulla"
    m_target->takeDate(calendar()->selectedDate());
    close();
}
