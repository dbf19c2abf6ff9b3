#include "lists/ExpBollettini.h"

#include "ui_ExpBollettini.h"

#include "help/HelpPages.h"

TfrmExpBollettini::TfrmExpBollettini(QWidget* parent)
    : ExportDialog(parent, Exports::slips())
    , m_ui(std::make_unique<Ui::ExpBollettini>())
{
    setUpWhenNeeded();
}

void TfrmExpBollettini::setUp()
{
    m_ui->setupUi(this);
    setUpForm(HelpPages::slipExportTitle(), HelpPages::slipExportBody());
}

TfrmExpBollettini::~TfrmExpBollettini() = default;

QString TfrmExpBollettini::archivePath() const
{
    return m_year ? m_year->path() : QString();
}
