#include "checks/CheckDialog.h"

#include "checks/Carta.h"
#include "checks/CodFisc.h"
#include "checks/Iban.h"
#include "checks/PartitaIVA.h"
#include "windows/Prompts.h"

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

static void initCheckResources()
{
    Q_INIT_RESOURCE(checks);
}

CheckDialog::CheckDialog(QWidget* parent, const Config& config)
    : Dialog(parent)
    , m_config(config)
{}

void CheckDialog::finishCheckForm()
{
    // The look of the checks in tassella.qss, named before the window first appears and takes its
    // rules.
    setProperty("look", QStringLiteral("check"));
    finishForm();
    Behaviour::install(this, std::span(&m_config.field, 1));
    m_field = findChild<QLineEdit*>(QString::fromLatin1(m_config.field.name));
    if (auto* check = findChild<QPushButton*>(QStringLiteral("btnControlla")))
        connect(check, &QPushButton::clicked, this, &CheckDialog::check);
    if (auto* close = findChild<QPushButton*>(QStringLiteral("btnChiudi")))
        connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void CheckDialog::showEvent(QShowEvent* event)
{
    if (!m_dressed) {
        m_dressed = true;
        CheckWindow::dress(this, findChild<QLabel*>(QStringLiteral("imgIcona")), m_config.drawing);
    }
    Dialog::showEvent(event);
    if (m_field)
        m_field->setFocus(Qt::OtherFocusReason);
}

void CheckDialog::setValue(const QString& text)
{
    Q_ASSERT(m_field);
    if (m_field)
        m_field->setText(text);
}

void CheckDialog::check()
{
    if (m_field)
        CheckWindow::conclude(this, m_field, m_config.check(m_field->text()));
}

namespace CheckWindow {
namespace {

QIcon drawing(const char* name)
{
    return QIcon(QStringLiteral(":/checks/icons/%1.svg").arg(QLatin1String(name)));
}

bool allDigits(const QString& text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

// Opens check window D over owner with text in its field.
template <class D> void openWith(QWidget* owner, const QString& text)
{
    Windows::openDialog<D>(owner, [&](D* dialog) { dialog->setValue(text); });
}

} // namespace

void dress(QDialog* window, QLabel* picture, const char* name)
{
    initCheckResources();
    if (picture)
        picture->setPixmap(drawing(name).pixmap(picture->size()));
    if (auto* check = window->findChild<QPushButton*>(QStringLiteral("btnControlla"))) {
        check->setIcon(drawing("controlla"));
        check->setIconSize(QSize(18, 18));
    }
    if (auto* close = window->findChild<QPushButton*>(QStringLiteral("btnChiudi"))) {
        close->setIcon(drawing("chiudi"));
        close->setIconSize(QSize(16, 16));
    }
}

void conclude(QDialog* window, QLineEdit* field, const CheckAnswer& answer)
{
    if (!answer.message.isEmpty())
        MessageBox::show(window, answer.message);
    if (answer.refused) {
        field->setFocus(Qt::OtherFocusReason);
        return;
    }
    window->close();
}

void openTaxCode(QWidget* owner, const QString& code)
{
    if (allDigits(code))
        openWith<TfrmPartitaIva>(owner, code);
    else
        openWith<TfrmCodFisc>(owner, code);
}

void openVatNumber(QWidget* owner, const QString& number)
{
    openWith<TfrmPartitaIva>(owner, number);
}

void openIban(QWidget* owner, const QString& iban)
{
    openWith<TfrmIban>(owner, iban);
}

void openCard(QWidget* owner, const QString& number)
{
    openWith<TfrmCarta>(owner, number);
}

} // namespace CheckWindow
