#include "app/Info.h"

#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "windows/LinkLook.h"
#include "data/Maker.h"
#include "data/OpenURL.h"
#include "ui_Info.h"

TfrmInfo::TfrmInfo(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Info>())
{
    setUpWhenNeeded();
}

void TfrmInfo::setUp()
{
    m_ui->setupUi(this);
    finishForm();
    Artwork::show(m_ui->imgLogo, QStringLiteral("icona"));
    Artwork::show(m_ui->imgTitolo, QStringLiteral("titolo"));
    Artwork::show(m_ui->imgEmail, QStringLiteral("email"));
    m_ui->lblProduttore->setText(QStringLiteral("Realizzato da %1").arg(Maker::name));
    m_ui->lnkEmail->setText(Maker::supportMail);
    LinkLook::install(m_ui->lnkEmail, {m_ui->lnkEmail, m_ui->imgEmail});
    connect(m_ui->lnkEmail, &ClickLabel::clicked, this, &TfrmInfo::writeToMaker);
    connect(m_ui->imgEmail, &ClickLabel::clicked, this, &TfrmInfo::writeToMaker);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    // The link is the keyboard's stop; the picture beside it runs the same command.
    static const Behaviour::Command kCommands[] = {{"lnkEmail"}};
    Behaviour::installCommands(this, kCommands);
}

TfrmInfo::~TfrmInfo() = default;

void TfrmInfo::writeToMaker()
{
    LinkLook::setColour(m_ui->lnkEmail, false);
    // Subject and body go in as they stand, blanks included.
    const QString link = QStringLiteral("mailto:") + Maker::supportMail + QStringLiteral("?subject=")
        + QStringLiteral("Software Tassella") + QStringLiteral("&body=")
        + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
    TMisc::Open(QLatin1Char('"') + link + QLatin1Char('"'));
}
