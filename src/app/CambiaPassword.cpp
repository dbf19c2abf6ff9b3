#include "app/CambiaPassword.h"

#include "windows/Artwork.h"
#include "data/CodePage.h"
#include "windows/FieldBehaviour.h"
#include "app/Password.h"
#include "app/PasswordChange.h"
#include "data/PasswordFile.h"
#include "windows/Prompts.h"
#include "ui_CambiaPassword.h"

namespace {
const Behaviour::Field kFields[] = {
    {"txtPasswordOld", Behaviour::Highlight, PasswordFile::maxLength, "txtPasswordNew"},
    {"txtPasswordNew", Behaviour::Highlight, PasswordFile::maxLength, "txtConferma"},
    {"txtConferma", Behaviour::Highlight, PasswordFile::maxLength, "txtPasswordOld"},
};

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::CambiaPassword>())
{
    setUpWhenNeeded();
}

void TfrmCambiaPassword::setUp()
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
    const PasswordChange::Decision decision =
        PasswordChange::decide(PasswordFile::read(path), m_ui->txtPasswordOld->text(), m_ui->txtPasswordNew->text(),
                               m_ui->txtConferma->text());
    if (!decision.write) {
        MessageBox::show(this, decision.message);
        for (const QString& name : decision.clear)
            findChild<QLineEdit*>(name)->clear();
        if (!decision.focus.isEmpty())
            findChild<QLineEdit*>(decision.focus)->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!PasswordFile::write(path, decision.newPassword)) {
        MessageBox::show(this, PasswordChange::writeFailed());
        return;
    }
    MessageBox::show(this, PasswordChange::done());
    close();
}
