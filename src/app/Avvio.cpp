#include "app/Avvio.h"
#include "batch/Emissione.h"

#include "windows/Artwork.h"
#include "help/Guida.h"
#include "help/HelpPages.h"
#include "app/Info.h"
#include "data/Maker.h"
#include "data/OpenURL.h"
#include "app/Splash.h"
#include "backup/StartMenuLinks.h"
#include "windows/FieldBehaviour.h"
#include "ui_Avvio.h"

#include "data/InterfaceSize.h"
#include "windows/Prompts.h"
#include "windows/Scaling.h"

#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <algorithm>

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

const Behaviour::Command kCommands[] = {
    {"imgInfo", "Informazioni su Tassella"},   {"imgGuida", "Guida"},
    {"btnAnagrafica", "Anagrafica Esecutori"}, {"btnBollettino", "Stampa bollettini"},
    {"btnRiepilogo", "Riepilogo versamenti"},  {"imgSito", nullptr}, // its own text: the maker and the web address
    {"imgCopyright", "Riconoscimenti"},        {"btnEmissione", "Emissione bollettini per più Esecutori"},
    {"imgEsci", "Esci dal programma"},
};

// The keyboard's stops, in reading order: the top row (the corner images and the interface size),
// one per work area (its caption strip), the maker's strip, then the foot from left to right with
// the exit last. The picture and the description of an area run the same command as its strip and
// are left to the mouse.
const char* const kTabOrder[] = {"imgInfo",       "cboDimensione", "imgGuida",     "btnAnagrafica", "btnBollettino",
                                 "btnRiepilogo",  "imgSito",       "imgCopyright", "btnEmissione",  "lnkBackup",
                                 "lnkRipristina", "lnkVerifica",   "lnkImporta",   "imgEsci"};

// F1 opens the guide, as it does in the work windows.
const Behaviour::Shortcut kKeys[] = {{"imgGuida", Qt::Key_F1}};

} // namespace

TfrmAvvio::TfrmAvvio(QWidget* parent)
    : Workspace(parent)
    , m_ui(std::make_unique<Ui::Avvio>())
{
    setUpWhenNeeded();
}

void TfrmAvvio::setUp()
{
    m_ui->setupUi(panel());
    finishForm();
    // Dates as dd/mm/yyyy and "," as the decimal separator for the whole program.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

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
        const char* workspace = area.workspace;
        for (ClickLabel* image : {picture, strip, description})
            connect(image, &ClickLabel::clicked, this,
                    [this, workspace] { qobject_cast<Workspace*>(Windows::byClass(workspace))->showFrom(this); });
    }

    m_ui->imgSito->setText(QStringLiteral("%1  ·  %2").arg(Maker::name, Maker::webAddress));

    connect(m_ui->imgInfo, &ClickLabel::clicked, this, [this] { Windows::openDialog<TfrmInfo>(this); });
    // The captions beside the corner images read as theirs, so they run the same commands.
    for (ClickLabel* credits : {m_ui->imgCopyright, m_ui->lblCopyright})
        connect(credits, &ClickLabel::clicked, this, [this] { Windows::openDialog<TfrmSplash>(this); });
    connect(m_ui->imgGuida, &ClickLabel::clicked, this,
            [this] { TfrmGuida::showPage(this, HelpPages::startMenuTitle(), HelpPages::startMenuBody()); });
    connect(m_ui->imgSito, &ClickLabel::clicked, this,
            [] { TMisc::Open(QLatin1Char('"') + Maker::webUrl + QLatin1Char('"')); });
    for (ClickLabel* exit : {m_ui->imgEsci, m_ui->lblEsci})
        connect(exit, &ClickLabel::clicked, this, &QWidget::close);

    // Issuing the year's slips for many payers at once, at the foot of the sheet.
    auto* batch = new ClickLabel(panel());
    batch->setObjectName(QStringLiteral("btnEmissione"));
    batch->setProperty("class", QStringLiteral("strip"));
    batch->setText(QStringLiteral("EMISSIONE PER PIÙ ESECUTORI"));
    batch->setAlignment(Qt::AlignCenter);
    batch->setFont(QFont(QStringLiteral("Arial"), 11, QFont::Bold));
    batch->setGeometry(195, 628, 260, 40);
    connect(batch, &ClickLabel::clicked, this, [this] { TfrmEmissione::open(this); });
    Behaviour::installCommands(this, kCommands);
    Behaviour::installShortcuts(this, kKeys);
    // The care of the data (backup, restore, archive check, payer import): a row of links at the foot.
    StartMenuLinks::install(this, panel());
    addSizeChoice();
    QWidget* previous = nullptr;
    for (const char* name : kTabOrder) {
        auto* stop = panel()->findChild<QWidget*>(QString::fromLatin1(name));
        if (previous && stop)
            QWidget::setTabOrder(previous, stop);
        previous = stop;
    }
    // The first work area waits for Enter when the menu first appears.
    m_ui->btnAnagrafica->setFocus(Qt::OtherFocusReason);
}

// The size of the forms, at the top beside the guide: applied to the start menu at once, and to
// every other window as it next appears.
void TfrmAvvio::addSizeChoice()
{
    auto* caption = new QLabel(QStringLiteral("Dimensione interfaccia"), panel());
    caption->setObjectName(QStringLiteral("lblDimensione"));
    caption->setProperty("class", QStringLiteral("cornerCaption"));
    caption->setGeometry(752, 18, 150, 18);
    auto* sizes = new QComboBox(panel());
    sizes->setObjectName(QStringLiteral("cboDimensione"));
    sizes->setGeometry(752, 38, 150, 28);
    caption->setBuddy(sizes);
    for (int choice : InterfaceSize::choices())
        sizes->addItem(InterfaceSize::caption(choice), choice);
    sizes->setCurrentIndex(std::max(0, sizes->findData(InterfaceSize::read())));
    connect(sizes, &QComboBox::activated, this, [this, sizes] {
        if (!InterfaceSize::write(sizes->currentData().toInt())) {
            MessageBox::error(this,
                              QStringLiteral("Attenzione: impossibile salvare la dimensione dell'interfaccia nel "
                                             "file delle impostazioni Tassella.ini.\nVerificare che la cartella "
                                             "del programma non sia protetta da scrittura."));
            return;
        }
        Scaling::fitToScreen(this, panel());
    });
}

TfrmAvvio::~TfrmAvvio() = default;
