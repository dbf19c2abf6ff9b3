#include "backup/BackupArchivi.h"

#include "backup/Backup.h"
#include "data/Platform.h"
#include "windows/Prompts.h"

#include "ui_BackupArchivi.h"

#include <QApplication>
#include <QDir>
#include <QShowEvent>

TfrmBackupArchivi::TfrmBackupArchivi(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::BackupArchivi>())
{
    m_ui->setupUi(this);
    finishForm();
    m_ui->txtCartella->setText(QDir::toNativeSeparators(Backup::folder()));
    m_ui->txtCartella->setAccessibleName(m_ui->lblCartella->text());
    m_ui->txtCopie->setValue(Backup::keep());
    m_ui->txtCopie->setAccessibleName(m_ui->lblCopie->text());
    m_ui->lblCartella->setBuddy(m_ui->btnSfoglia);
    m_ui->lblCopie->setBuddy(m_ui->txtCopie);
    connect(m_ui->btnSfoglia, &QPushButton::clicked, this, &TfrmBackupArchivi::chooseFolder);
    connect(m_ui->btnBackup, &QPushButton::clicked, this, &TfrmBackupArchivi::runBackup);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QWidget::close);
}

TfrmBackupArchivi::~TfrmBackupArchivi() = default;

void TfrmBackupArchivi::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (!event->spontaneous())
        m_ui->btnBackup->setFocus(Qt::OtherFocusReason);
}

bool TfrmBackupArchivi::chooseFolder()
{
    const QString folder =
        FileDialog::getExistingFolder(this, QStringLiteral("Selezionare la cartella dei backup:"), Backup::folder());
    if (folder.isEmpty())
        return false;
    m_ui->txtCartella->setText(QDir::toNativeSeparators(folder));
    if (!Backup::setFolder(QDir::fromNativeSeparators(folder)))
        MessageBox::warning(this,
                            QStringLiteral("Attenzione: non \u00e8 stato possibile memorizzare la cartella dei "
                                           "backup nel file delle impostazioni."));
    return true;
}

void TfrmBackupArchivi::runBackup()
{
    if (m_ui->txtCartella->text().isEmpty() && !chooseFolder())
        return;
    if (m_ui->txtCopie->value() != Backup::keep())
        Backup::setKeep(m_ui->txtCopie->value());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Backup::Result result =
        Backup::create(ProgramFolder::path(), QDir::fromNativeSeparators(m_ui->txtCartella->text()), Clock::now(),
                       m_ui->txtCopie->value());
    QApplication::restoreOverrideCursor();
    MessageBox::show(this, result.message);
}
