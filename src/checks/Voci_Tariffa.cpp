#include "checks/Voci_Tariffa.h"

#include "checks/TariffCodes.h"
#include "data/CodePage.h"
#include "windows/ListPanel.h"

#include "ui_Voci_Tariffa.h"

#include <QLineEdit>
#include <QShowEvent>

TfrmVoci_Tariffa::TfrmVoci_Tariffa(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Voci_Tariffa>())
{
    setUpWhenNeeded();
}

void TfrmVoci_Tariffa::setUp()
{
    m_ui->setupUi(this);
    ListPanel::Setup setup;
    setup.rigo01 = QStringLiteral("Immettere una o più parole consecutive presenti nella voce di tariffa in elenco "
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
    for (const char* entry : TariffCodes::entries())
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
    if (!entry.isEmpty() && m_target)
        m_target->takeTariffCode(entry.left(4));
    close();
}
