#include "lists/ExpEsecutori.h"

#include "ui_ExpEsecutori.h"

#include "help/HelpPages.h"
#include "payers/PayerRecord.h"

TfrmExpEsecutori::TfrmExpEsecutori(QWidget* parent)
    : ExportDialog(parent, Exports::payers())
    , m_ui(std::make_unique<Ui::ExpEsecutori>())
{
    setUpWhenNeeded();
}

void TfrmExpEsecutori::setUp()
{
    m_ui->setupUi(this);
    setUpForm(HelpPages::payerExportTitle(), HelpPages::payerExportBody());
}

TfrmExpEsecutori::~TfrmExpEsecutori() = default;

QString TfrmExpEsecutori::archivePath() const
{
    return PayerRecord::archivePath();
}
