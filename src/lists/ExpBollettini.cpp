#include "lists/ExpBollettini.h"

#include "ui_ExpBollettini.h"

#include "app/HelpPages.h"
#include "slips/Bollettino.h"

#include <QLabel>

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
    const QWidget* editor = Windows::get<TfrmBollettino>();
    const auto* file = editor ? editor->findChild<QLabel*>(QStringLiteral("lblFile")) : nullptr;
    return file ? file->text() : QString();
}
