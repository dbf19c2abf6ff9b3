#include "app/CambiaPassword.h"

#include "windows/Artwork.h"
#include "data/CodePage.h"
#include "windows/FieldBehaviour.h"
#include "app/Password.h"
#include "data/PasswordFile.h"
#include "windows/Prompts.h"
#include "ui_CambiaPassword.h"

namespace {
const Behaviour::Field kFields[] = {
    {"txtPasswordOld", Behaviour::Highlight, PasswordFile::maxLength, "txtPasswordNew"},
    {"txtPasswordNew", Behaviour::Highlight, PasswordFile::maxLength, "txtConferma"},
    {"txtConferma", Behaviour::Highlight, PasswordFile::maxLength, "txtPasswordOld"},
};

const QString kChangeFailure = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : Workspace(Role::Fixed, parent)
    , m_ui(std::make_unique<Ui::CambiaPassword>())
{
    m_ui->setupUi(panel());
    finishForm();
    Artwork::show(m_ui->imgLucchetto, QStringLiteral("lucchetto"));
    Behaviour::install(this, kFields);

    for (QLineEdit* field : {m_ui->txtPasswordOld, m_ui->txtPasswordNew, m_ui->txtConferma})
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::change);
    connect(m_ui->cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    updateOk();
}

TfrmCambiaPassword::~TfrmCambiaPassword() = default;

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    Workspace::showEvent(event);
    m_ui->txtPasswordOld->clear();
    m_ui->txtPasswordNew->clear();
    m_ui->txtConferma->clear();
    m_ui->txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::leave()
{
    Windows::get<TfrmPassword>()->showEmptied(this);
}

void TfrmCambiaPassword::updateOk()
{
    const bool filled = !CodePage::trimmed(m_ui->txtPasswordOld->text()).isEmpty()
        && !CodePage::trimmed(m_ui->txtPasswordNew->text()).isEmpty()
        && !CodePage::trimmed(m_ui->txtConferma->text()).isEmpty();
    m_ui->cmdOK->setEnabled(filled);
}

void TfrmCambiaPassword::change()
{
    const QString path = ProgramFolder::file(PasswordFile::fileName);
    const std::optional<QString> stored = PasswordFile::read(path);
    if (!stored) {
        MessageBox::plain(this, kChangeFailure);
        return;
    }
    if (PasswordFile::normalise(m_ui->txtPasswordOld->text()) != *stored) {
        MessageBox::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        m_ui->txtPasswordOld->clear();
        m_ui->txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }

    const QString newPassword = CodePage::trimmed(m_ui->txtPasswordNew->text());
    QString message;
    if (newPassword != CodePage::trimmed(m_ui->txtConferma->text()))
        message = QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                 "E' necessario reinserire entrambi i valori.");
    else if (!PasswordFile::storable(newPassword))
        // The file keeps one byte per character: such a password could never be typed back.
        message = QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono essere "
                                 "memorizzati. Utilizzare soltanto lettere, cifre e simboli presenti sulla "
                                 "tastiera italiana ed inserire di nuovo entrambi i valori.");
    if (!message.isEmpty()) {
        MessageBox::plain(this, message);
        m_ui->txtPasswordNew->clear();
        m_ui->txtConferma->clear();
        m_ui->txtPasswordNew->setFocus(Qt::OtherFocusReason);
        return;
    }

    if (!PasswordFile::write(path, newPassword)) {
        MessageBox::plain(this, kChangeFailure);
        return;
    }
    MessageBox::plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}
