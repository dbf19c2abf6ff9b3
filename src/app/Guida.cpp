#include "app/Guida.h"

#include "ui_Guida.h"

#include <QLabel>
#include <QPlainTextEdit>

TfrmGuida::TfrmGuida(QWidget* parent)
    : Dialog(parent, Placement::CentreScreen)
    , m_ui(std::make_unique<Ui::Guida>())
{
    m_ui->setupUi(this);
    finishForm();
}

TfrmGuida::~TfrmGuida() = default;

void TfrmGuida::setPage(const QString& title, const QString& body)
{
    // The form may not hold the two controls yet; they are made here when it does not.
    auto* titleLabel = findChild<QLabel*>(QStringLiteral("lblTitolo"));
    if (!titleLabel) {
        titleLabel = new QLabel(this);
        titleLabel->setObjectName(QStringLiteral("lblTitolo"));
        titleLabel->setGeometry(20, 16, width() - 40, 32);
    }
    auto* bodyText = findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"));
    if (!bodyText) {
        bodyText = new QPlainTextEdit(this);
        bodyText->setObjectName(QStringLiteral("txtGuida"));
        bodyText->setReadOnly(true);
        bodyText->setGeometry(20, 56, width() - 40, height() - 76);
    }
    titleLabel->setText(title);
    bodyText->setPlainText(body);
}
