#include "app/Avvio.h"

#include "windows/Artwork.h"
#include "app/Guida.h"
#include "app/HelpPages.h"
#include "app/Info.h"
#include "data/Maker.h"
#include "data/OpenURL.h"
#include "app/Splash.h"
#include "ui_Avvio.h"

#include <QLocale>

namespace {
// Each work area is a picture, a caption strip and a description box that all show its workspace.
struct Area {
    const char* picture;
    const char* strip;
    const char* description;
    const char* art;
    const char* workspace;
};
const Area kAreas[] = {
    {"imgAnagrafica", "btnAnagrafica", "infAnagrafica", "anagrafica", "TfrmEsecutori"},
    {"imgBollettino", "btnBollettino", "infBollettino", "bollettino", "TfrmBollettino"},
    {"imgRiepilogo", "btnRiepilogo", "infRiepilogo", "riepilogo", "TfrmMenuRiepCosti"},
};

const char* const kStripStyle =
    "color: #ffffff; border-radius: 5px;"
    "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a7bd5, stop:1 #1d3f72);";
const char* const kDescriptionStyle =
    "color: #24303c; background: #f3f7fc; border: 1px solid #c8d4e6; border-radius: 5px; padding: 8px 10px;";
const char* const kSiteStyle =
    "color: #ffffff; background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1d3f72, stop:0.5 #2f6db5, "
    "stop:1 #1d3f72);";
} // namespace

TfrmAvvio::TfrmAvvio(QWidget* parent)
    : Workspace(Role::StartMenu, parent)
    , m_ui(std::make_unique<Ui::Avvio>())
{
    m_ui->setupUi(panel());
    finishForm();
    // Dates as dd/mm/yyyy and "," as the decimal separator for the whole program.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    QPalette surround = palette();
    surround.setColor(QPalette::Window, QColor(0xdf, 0xe7, 0xf2));
    setPalette(surround);
    setAutoFillBackground(true);
    setWindowIcon(QIcon(Artwork::pixmap(QStringLiteral("icona"), QSize(64, 64))));

    Artwork::show(m_ui->imgIcona, QStringLiteral("icona"));
    Artwork::show(m_ui->imgTitolo, QStringLiteral("titolo"));
    Artwork::show(m_ui->imgSottotitolo, QStringLiteral("sottotitolo"));
    Artwork::show(m_ui->imgInfo, QStringLiteral("info"));
    Artwork::show(m_ui->imgGuida, QStringLiteral("guida"));
    Artwork::show(m_ui->imgCopyright, QStringLiteral("copyright"));
    Artwork::show(m_ui->imgEsci, QStringLiteral("esci"));

    for (const Area& area : kAreas) {
        auto* picture = panel()->findChild<ClickLabel*>(QString::fromLatin1(area.picture));
        auto* strip = panel()->findChild<ClickLabel*>(QString::fromLatin1(area.strip));
        auto* description = panel()->findChild<ClickLabel*>(QString::fromLatin1(area.description));
        Artwork::show(picture, QString::fromLatin1(area.art));
        strip->setStyleSheet(QString::fromLatin1(kStripStyle));
        description->setStyleSheet(QString::fromLatin1(kDescriptionStyle));
        const char* workspace = area.workspace;
        for (ClickLabel* image : {picture, strip, description})
            connect(image, &ClickLabel::clicked, this, [this, workspace] {
                qobject_cast<Workspace*>(Windows::byClass(workspace))->showFrom(this);
            });
    }

    m_ui->imgSito->setText(QStringLiteral("%1  ·  %2").arg(Maker::name, Maker::webAddress));
    m_ui->imgSito->setStyleSheet(QString::fromLatin1(kSiteStyle));

    connect(m_ui->imgInfo, &ClickLabel::clicked, this, [this] { Windows::openDialog<TfrmInfo>(this); });
    connect(m_ui->imgCopyright, &ClickLabel::clicked, this, [this] { Windows::openDialog<TfrmSplash>(this); });
    connect(m_ui->imgGuida, &ClickLabel::clicked, this,
            [this] { TfrmGuida::showPage(this, HelpPages::startMenuTitle(), HelpPages::startMenuBody()); });
    connect(m_ui->imgSito, &ClickLabel::clicked, this,
            [] { TMisc::Open(QLatin1Char('"') + Maker::webUrl + QLatin1Char('"')); });
    connect(m_ui->imgEsci, &ClickLabel::clicked, this, &QWidget::close);
}

TfrmAvvio::~TfrmAvvio() = default;
