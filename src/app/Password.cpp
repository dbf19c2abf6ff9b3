#include "app/Password.h"

#include "windows/Artwork.h"
#include "app/Avvio.h"
#include "lists/Promemoria.h"
#include "editors/Bollettino.h"
#include "app/CambiaPassword.h"
#include "data/CodePage.h"
#include "windows/FieldBehaviour.h"
#include "data/PasswordFile.h"
#include "windows/Prompts.h"
#include "ui_Password.h"

#include <QKeyEvent>

namespace {
const Behaviour::Field kFields[] = {
    {"txtPassword", Behaviour::Highlight, PasswordFile::maxLength, nullptr},
};

const QString kReadFailure =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della password. "
                   "Si consiglia di reinstallare il software.");
} // namespace

TfrmPassword::TfrmPassword(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Password>())
{
    setUpWhenNeeded();
}

void TfrmPassword::setUp()
{
    m_ui->setupUi(panel());
    finishForm();
    Artwork::show(m_ui->imgLucchetto, QStringLiteral("lucchetto"));

    Behaviour::install(this, kFields);
    // Installed after the shared behaviour, so this filter sees Enter first.
    m_ui->txtPassword->installEventFilter(this);

    const QString initial = QStringLiteral("Al primo accesso, password iniziale: ") + PasswordFile::initial;
    m_ui->lblPasswordIniziale->setText(initial);
    m_ui->lblPasswordIniziale->setAccessibleName(initial);

    connect(m_ui->txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &TfrmPassword::login);
    connect(m_ui->cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(m_ui->btnCambiaPassword, &QPushButton::clicked, this,
            [this] { Windows::get<TfrmCambiaPassword>()->showFrom(this); });
    updateOk();
}

TfrmPassword::~TfrmPassword() = default;

void TfrmPassword::showEmptied(QWidget* from)
{
    m_ui->txtPassword->clear();
    showFrom(from);
    m_ui->txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    Workspace::showEvent(event);
    // The first password is told while the file still holds it (a new install, a fresh data
    // folder); once changed, it would be wrong and is no longer shown.
    m_ui->lblPasswordIniziale->setVisible(PasswordFile::holdsInitial(ProgramFolder::file(PasswordFile::fileName)));
    m_ui->txtPassword->setFocus(Qt::OtherFocusReason);
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->txtPassword && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!CodePage::trimmed(m_ui->txtPassword->text()).isEmpty())
                login();
            return true;
        }
    }
    return Workspace::eventFilter(watched, event);
}

void TfrmPassword::updateOk()
{
    m_ui->cmdOK->setEnabled(!CodePage::trimmed(m_ui->txtPassword->text()).isEmpty());
}

void TfrmPassword::login()
{
    // The file is read anew at every attempt.
    const std::optional<QString> stored = PasswordFile::read(ProgramFolder::file(PasswordFile::fileName));
    if (!stored) {
        MessageBox::plain(this, kReadFailure);
        return;
    }
    if (PasswordFile::normalise(m_ui->txtPassword->text()) != *stored) {
        MessageBox::plain(this, QStringLiteral("Attenzione: password errata."));
        m_ui->txtPassword->clear();
        m_ui->txtPassword->setFocus(Qt::OtherFocusReason);
        return;
    }
    auto* menu = Windows::get<TfrmAvvio>();
    menu->showFrom(this);
    TfrmPromemoria::offerNotice(menu, Windows::get<TfrmBollettino>());
}
