#include "checks/Calendario.h"

#include "ui_Calendario.h"

#include "app/Formats.h"
#include "app/Platform.h"

#include <QLineEdit>
#include <QTextCharFormat>

TfrmCalendario::TfrmCalendario(QWidget* parent)
    : Dialog(parent, Placement::CentreOwner)
    , m_ui(std::make_unique<Ui::Calendario>())
{
    m_ui->setupUi(this);
    finishForm();
    m_ui->calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_ui->calAppuntamenti->setSelectedDate(Clock::today());
    // The day names in a slightly smaller type, so that all seven fit their narrow columns.
    QTextCharFormat dayNames = m_ui->calAppuntamenti->headerTextFormat();
    dayNames.setFontPointSize(m_ui->calAppuntamenti->font().pointSizeF() * 0.85);
    m_ui->calAppuntamenti->setHeaderTextFormat(dayNames);
    m_ui->calAppuntamenti->setFocus(Qt::OtherFocusReason);
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

void TfrmCalendario::importDate()
{
    // Only the slip editor's due date takes a date; any other caller gets nothing and the
    // picker stays open until "Annulla".
    if (callerTag() != QLatin1String("datascade"))
        return;
    if (QWidget* editor = Windows::forTag(callerTag())) {
        if (auto* dueDate = editor->findChild<QLineEdit*>(QStringLiteral("txtDataScade")))
            dueDate->setText(Formats::dateToText(m_ui->calAppuntamenti->selectedDate()));
    }
    close();
}
