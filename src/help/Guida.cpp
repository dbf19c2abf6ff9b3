#include "help/Guida.h"

#include "windows/Artwork.h"
#include "windows/FieldBehaviour.h"
#include "windows/LinkLook.h"
#include "data/OpenURL.h"
#include "windows/Prompts.h"
#include "help/HelpPages.h"
#include "ui_Guida.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QRegularExpression>

TfrmGuida::TfrmGuida(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::Guida>())
{
    setUpWhenNeeded();
}

void TfrmGuida::setUp()
{
    m_ui->setupUi(this);
    finishForm();
    Artwork::show(m_ui->imgIcona, QStringLiteral("guida"));
    Artwork::show(m_ui->imgPDF, QStringLiteral("pdf"));
    // Read-only text: it takes the focus and scrolls with the keys, but shows no caret to type at.
    m_ui->txtGuida->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LinkLook::install(m_ui->lnkWeb, {m_ui->lnkWeb, m_ui->imgPDF});
    connect(m_ui->lnkWeb, &ClickLabel::clicked, this, &TfrmGuida::openGuide);
    connect(m_ui->imgPDF, &ClickLabel::clicked, this, &TfrmGuida::openGuide);
    connect(m_ui->btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    // The link is the keyboard's stop; the picture beside it runs the same command.
    static const Behaviour::Command kCommands[] = {{"lnkWeb"}};
    Behaviour::installCommands(this, kCommands);
}

TfrmGuida::~TfrmGuida() = default;

void TfrmGuida::setPage(const QString& title, const QString& body)
{
    m_ui->lblTitolo->setText(title);
    // Each line break, CR LF as the pages write it or LF CR as some messages do, is one break.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n\r|\r|\n"));
    QString text = body;
    text.replace(lineBreak, QStringLiteral("\n"));
    m_ui->txtGuida->setPlainText(text);
}

TfrmGuida* TfrmGuida::showPage(QWidget* owner, const QString& title, const QString& body)
{
    return Windows::openDialog<TfrmGuida>(owner, [&](TfrmGuida* guide) { guide->setPage(title, body); });
}

namespace {

// F1 on its way to a window of the program that no key of the window took.
class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || key->isAutoRepeat())
            return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (qobject_cast<TfrmGuida*>(window))
            return false; // the help is already there
        for (QWidget* owner = window; owner; owner = owner->parentWidget() ? owner->parentWidget()->window() : nullptr)
            if (const HelpPages::Page* page = HelpPages::pageOfWindow(owner->metaObject()->className())) {
                TfrmGuida::showPage(window, page->title(), page->body());
                return true;
            }
        return false;
    }
};

} // namespace

void TfrmGuida::installHelpKey()
{
    static QPointer<HelpKey> installed;
    if (installed || !qApp)
        return;
    installed = new HelpKey(qApp);
    qApp->installEventFilter(installed);
}

void TfrmGuida::openGuide()
{
    LinkLook::setColour(m_ui->lnkWeb, false);
    // Between double quotes, so that a program folder with blanks in its path still opens.
    TMisc::Open(QLatin1Char('"') + ProgramFolder::programFile(QStringLiteral("Guida.pdf")) + QLatin1Char('"'));
}
