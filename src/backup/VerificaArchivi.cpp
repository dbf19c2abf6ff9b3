#include "backup/VerificaArchivi.h"

#include "backup/ArchiveCheck.h"
#include "data/Platform.h"
#include "windows/ListPanel.h"

#include <QLabel>

#include "ui_VerificaArchivi.h"

#include <QApplication>
#include <QLineEdit>
#include <QShowEvent>

TfrmVerificaArchivi::TfrmVerificaArchivi(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::VerificaArchivi>())
{
    m_ui->setupUi(this);
    m_list = new ListPanel(m_ui->panContainer,
                           {QStringLiteral("Verifica degli archivi: schede, code incomplete, schede illeggibili e file "
                                           "rimasti. La verifica non modifica nessun file."),
                            QStringLiteral("Verifica archivi")});
    ListPanel::applyLook(this);
    // Its lines are reports, not records: there is nothing to call up with a double click.
    if (auto* hint = findChild<QLabel*>(QStringLiteral("lblRigo03")))
        hint->hide();
    finishForm();
}

TfrmVerificaArchivi::~TfrmVerificaArchivi() = default;

void TfrmVerificaArchivi::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    m_list->reset();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_list->setLines(ArchiveCheck::lines(ArchiveCheck::run(ProgramFolder::path())));
    QApplication::restoreOverrideCursor();
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}
