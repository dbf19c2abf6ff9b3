#include "checks/Voci_Tariffa.h"

#include "data/CodePage.h"
#include "lists/ListPanel.h"

#include "ui_Voci_Tariffa.h"

#include <QLineEdit>
#include <QShowEvent>

namespace {

const char* const kEntries[] = {
    "1417  -  PORTO PISTOLE, RIVOLTELLE O PISTOLE AUTOMATICHE, ARMI LUNGHE DA FUOCO E BASTONE ANIMATO",
    "1518  -  PORTO DI FUCILE ANCHE PER USO DI CACCIA",
    "2914  -  ESERCIZIO DI CASE DA GIOCO",
    "3511  -  ATTIVITA' RELATIVE A METALLI PREZIOSI",
    "4613  -  LICENZA PER PESCA PROFESSIONALE MARITTIMA",
    "7019  -  ISCRIZIONE MEDIATORI DI COMMERCIO, INDUSTRIA, ARTIGIANATO, AGRICOLTURA",
    "7111  -  ISCRIZIONE ALL'ALBO COSTRUTTORI, ELENCHI IMPRESE DI GESTIONE SERVIZI IN APPALTO ALL'AMMINISTRAZIONE "
    "FERROVIARIA E RACCOLTA RIFIUTI URBANI",
    "7212  -  ISCRIZIONI ELENCHI SPEDIZIONIERI",
    "7223  -  ISCRIZIONE, REISCRIZIONE E CONFERMA ALBO ESPORTATORI ORTOFRUTTICOLI",
    "7313  -  ISCRIZIONE ALBO AGENTI DI ASSICURAZIONE",
    "7324  -  ISCRIZIONE ALBO MEDIATORI DI ASSICURAZIONE",
    "7414  -  ISCRIZIONE RUOLO DEI PERITI ASSICURATIVI",
    "7515  -  ISCRIZIONE REGISTRO CONCESSIONARI SERVIZIO RISCOSSIONE TRIBUTO",
    "7526  -  ISCRIZIONE ALBO DEI COLLETTORI",
    "7616  -  LIBRETTO DI ISCRIZIONE ALLE RADIODIFFUSIONI PER DETENZIONE APPARECCHI PER LA RICEZIONE DI "
    "RADIOAUDIZIONI O DIFFUSIONI TELEVISIVE",
    "7717  -  DIFFUSIONI TELEVISIVE E RADIOFONICHE VIA ETERE IN AMBITO LOCALE",
    "7728  -  DIFFUSIONI TELEVISIVE E RADIOFONICHE VIA ETERE IN AMBITO NAZIONALE",
    "7739  -  DIFFUSIONI TELEVISIVE VIA CAVO",
    "7818  -  TRASMISSIONE PROGRAMMI TELEVISIVI",
    "7919  -  RIPETITORI PER PROGRAMMI TELEVISIVI",
    "8011  -  APPARECCHIATURE TERMINALI PER SERVIZIO RADIOMOBILE PUBBLICO TERRESTRE DI COMUNICAZIONE",
    "8213  -  ISCRIZIONE GIORNALI E PERIODICI NEL REGISTRO DELLA CANCELLERIA DEL TRIBUNALE",
    "8617  -  AUTORIZZAZIONI, CONCESSIONI, LICENZE, ISCRIZIONI NON CONSIDERATE NEI CODICI TARIFFA PRECEDENTI, PER "
    "L'ESERCIZIO DI ATTIVITA' INDUSTRIALI O COMMERCIALI E DI PROFESSIONI, ARTI E MESTIERI",
};

} // namespace

TfrmVoci_Tariffa::TfrmVoci_Tariffa(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Voci_Tariffa>())
{
    m_ui->setupUi(this);
    ListPanel::Setup setup;
    setup.rigo01 =
        QStringLiteral("Immettere una o pi\u00f9 parole consecutive presenti nella voce di tariffa in elenco "
                       "da cercare e premere il pulsante Trova.");
    setup.printTitle = QStringLiteral("TASSE SULLE CONCESSIONI GOVERNATIVE - Elenco dei codici delle voci di tariffa");
    setup.listFont = false; // plain items in the list's own style
    m_list = new ListPanel(m_ui->panContainer, setup);
    connect(m_list, &ListPanel::chosen, this, &TfrmVoci_Tariffa::choose);
    ListPanel::applyLook(this);
    finishForm();
}

TfrmVoci_Tariffa::~TfrmVoci_Tariffa() = default;

QStringList TfrmVoci_Tariffa::entries()
{
    QStringList list;
    for (const char* entry : kEntries)
        list << QString::fromLatin1(entry);
    return list;
}

void TfrmVoci_Tariffa::showEvent(QShowEvent* event)
{
    Dialog::showEvent(event);
    if (m_filled || event->spontaneous())
        return;
    m_filled = true;
    m_list->reset();
    m_list->setLines(entries()); // in table order: this list is not sorted
    m_list->findField()->setFocus(Qt::OtherFocusReason);
}

void TfrmVoci_Tariffa::choose(const QString& entry)
{
    const QString tag = CodePage::trimmed(callerTag());
    if (!entry.isEmpty() && (tag == QLatin1String("bollettino") || tag == QLatin1String("esecutori"))) {
        if (QWidget* window = Windows::forTag(tag))
            ListTakeOver::setControlText(window, QStringLiteral("txtCodTariffa"), entry.left(4));
    }
    close();
}
