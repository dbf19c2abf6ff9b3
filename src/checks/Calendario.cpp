#include "checks/Calendario.h"

#include "ui_Calendario.h"

#include "data/Formats.h"
#include "windows/Prompts.h"

#include <QCalendarWidget>
#include <QLineEdit>
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
    setStyleSheet(QStringLiteral("TfrmCalendario { background: #dfe7f1; }"
                                 "QLabel#lblCampo001 { color: #1f4e8c; }"
                                 "QPushButton { background: #ffffff; border: 1px solid #8ea6c0; border-radius: 4px;"
                                 " font-weight: bold; color: #1f3b5c; }"
                                 "QPushButton:hover { background: #e3eefb; border-color: #1f4e8c; }"
                                 "QPushButton:focus { border: 2px solid #1f4e8c; }"));
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
    // The batch window, a dialog of its own, takes the date into its due date field.
    if (callerTag() == QLatin1String("lotto")) {
        if (auto* dueDate =
                parentWidget() ? parentWidget()->findChild<QLineEdit*>(QStringLiteral("txtDataScade")) : nullptr)
            dueDate->setText(Formats::dateToText(calendar()->selectedDate()));
        close();
        return;
    }
    // Only the slip editor's due date takes a date; any other caller gets nothing and the
    // picker stays open until "Annulla".
    if (callerTag() != QLatin1String("datascade"))
        return;
    if (QWidget* editor = Windows::forTag(callerTag())) {
        if (auto* dueDate = editor->findChild<QLineEdit*>(QStringLiteral("txtDataScade")))
            dueDate->setText(Formats::dateToText(calendar()->selectedDate()));
    }
    close();
}
