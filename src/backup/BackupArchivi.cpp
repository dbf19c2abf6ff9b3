#include "backup/BackupArchivi.h"

#include "backup/Backup.h"
#include "data/Platform.h"
#include "windows/Prompts.h"

#include "ui_BackupArchivi.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
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
    m_ui->txtCartella->setAccessibleDescription(
        QStringLiteral("Scrivere il percorso della cartella o sceglierla con il pulsante Sfoglia."));
    m_ui->lblCartella->setBuddy(m_ui->txtCartella);
    // A folder typed in is remembered as one chosen with Sfoglia.
    connect(m_ui->txtCartella, &QLineEdit::editingFinished, this, [this] { rememberTyped(); });
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

bool TfrmBackupArchivi::rememberTyped()
{
    const QString typed = QDir::fromNativeSeparators(m_ui->txtCartella->text().trimmed());
    if (typed.isEmpty() || QDir::cleanPath(typed) == QDir::cleanPath(Backup::folder()))
        return true;
    if (!QDir(typed).exists()) {
        MessageBox::warning(this,
                            QStringLiteral("Attenzione: la cartella indicata non esiste.\n\r\n\r%1")
                                .arg(QDir::toNativeSeparators(typed)));
        m_ui->txtCartella->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!Backup::setFolder(typed))
        MessageBox::warning(this,
                            QStringLiteral("Attenzione: non \u00e8 stato possibile memorizzare la cartella dei "
                                           "backup nel file delle impostazioni."));
    return true;
}

void TfrmBackupArchivi::runBackup()
{
    if (m_ui->txtCartella->text().trimmed().isEmpty() && !chooseFolder())
        return;
    if (!rememberTyped())
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
