#include "backup/Ripristina.h"

#include "backup/Backup.h"
#include "backup/Restore.h"
#include "data/Platform.h"
#include "windows/Prompts.h"

#include "ui_Ripristina.h"

#include <QApplication>
#include <QDir>
#include <QShowEvent>

TfrmRipristina::TfrmRipristina(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Ripristina>())
{
    m_ui->setupUi(this);
    finishForm();
    m_ui->txtFile->setAccessibleName(m_ui->lblFile->text());
    m_ui->txtContenuto->setAccessibleName(m_ui->lblContenuto->text());
    connect(m_ui->btnSfoglia, &QPushButton::clicked, this, &TfrmRipristina::chooseBackup);
    connect(m_ui->btnRipristina, &QPushButton::clicked, this, &TfrmRipristina::restore);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QWidget::close);
}

TfrmRipristina::~TfrmRipristina() = default;

void TfrmRipristina::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (!event->spontaneous())
        m_ui->btnSfoglia->setFocus(Qt::OtherFocusReason);
}

void TfrmRipristina::chooseBackup()
{
    const QString path =
        FileDialog::getOpenFileName(this, QStringLiteral("Selezionare il backup da ripristinare:"), Backup::folder(),
                                    QStringLiteral("Backup di Tassella (Tassella-backup-*.zip);;Tutti i file (*)"));
    if (path.isEmpty())
        return;
    m_path.clear();
    m_ui->txtFile->setText(QDir::toNativeSeparators(path));
    m_ui->txtContenuto->clear();
    m_ui->btnRipristina->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Message refusal;
    const std::optional<Restore::Contents> contents = Restore::inspect(path, &refusal);
    QApplication::restoreOverrideCursor();
    if (!contents) {
        MessageBox::show(this, refusal);
        return;
    }
    m_path = path;
    m_moment = contents->moment.toString(QStringLiteral("dd/MM/yyyy 'ore' hh:mm"));
    m_ui->txtContenuto->setPlainText(Restore::describe(*contents));
    m_ui->btnRipristina->setEnabled(true);
    m_ui->btnRipristina->setFocus(Qt::OtherFocusReason);
}

void TfrmRipristina::restore()
{
    if (m_path.isEmpty())
        return;
    const QDateTime now = Clock::now();
    const QString question =
        QStringLiteral(
            "Attenzione: i dati attuali del programma saranno sostituiti con quelli del backup del %1.\r\n\r\n"
            "I file attuali saranno prima spostati nella cartella \"%2\" della cartella del programma.\r\n\r\n"
            "Procedere con il ripristino?")
            .arg(m_moment, Restore::asideFolderName(now));
    if (!MessageBox::confirm(this, question))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Restore::Result result = Restore::apply(m_path, ProgramFolder::path(), now);
    QApplication::restoreOverrideCursor();
    MessageBox::show(this, result.message);
    if (result.ok)
        close();
}
