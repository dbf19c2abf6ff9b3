#include "app/Splash.h"

#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "windows/LinkLook.h"
#include "data/Maker.h"
#include "data/OpenURL.h"
#include "ui_Splash.h"

TfrmSplash::TfrmSplash(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Splash>())
{
    setUpWhenNeeded();
}

void TfrmSplash::setUp()
{
    m_ui->setupUi(this);
    finishForm();
    setWindowTitle(QStringLiteral(" Tassella - ") + Maker::name);
    Artwork::show(m_ui->imgCrediti, QStringLiteral("mosaico"));
    Artwork::show(m_ui->imgLogo, QStringLiteral("icona"));
    Artwork::show(m_ui->imgTitolo, QStringLiteral("titolo"));
    Artwork::show(m_ui->imgWeb, QStringLiteral("web"));
    m_ui->lblCrediti->setText(
        QStringLiteral("<p><b>Tassella</b> versione 1.0</p>"
                       "<p>Ideazione, progetto, sviluppo e grafica: <b>%1</b></p>"
                       "<p>Realizzato con il linguaggio C++ e la libreria Qt.<br>"
                       "Caratteri tipografici DejaVu e Liberation.</p>"
                       "<p>Un ringraziamento agli uffici e agli studi che hanno provato il programma "
                       "e suggerito come migliorarlo.</p>")
            .arg(Maker::name.toHtmlEscaped()));
    m_ui->lnkWeb->setText(Maker::webAddress);
    LinkLook::install(m_ui->lnkWeb, {m_ui->lnkWeb, m_ui->imgWeb});
    connect(m_ui->lnkWeb, &ClickLabel::clicked, this, &TfrmSplash::openSite);
    connect(m_ui->imgWeb, &ClickLabel::clicked, this, &TfrmSplash::openSite);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    // The link is the keyboard's stop; the picture beside it runs the same command.
    static const Behaviour::Command kCommands[] = {{"lnkWeb"}};
    Behaviour::installCommands(this, kCommands);
}

TfrmSplash::~TfrmSplash() = default;

void TfrmSplash::openSite()
{
    LinkLook::setColour(m_ui->lnkWeb, false);
    TMisc::Open(QLatin1Char('"') + Maker::webUrl + QLatin1Char('"'));
}
