#include "printing/StampaBol.h"

#include "windows/Prompts.h"
#include "printing/PrintMargins.h"
#include "printing/SlipFill.h"
#include "printing/SlipPreview.h"
#include "printing/SlipTemplate.h"
#include "windows/ReportOutput.h"

#include "ui_StampaBol.h"

#include <QVariant>
#include <utility>

TfrmStampaBol::TfrmStampaBol(QWidget* parent)
    : Dialog(parent)
    , m_ui(std::make_unique<Ui::StampaBol>())
{
    setUpWhenNeeded();
}

Report::Template& TfrmStampaBol::report()
{
    if (!m_repBollettino)
        m_repBollettino = std::make_unique<Report::Template>(SlipTemplate::def());
    return *m_repBollettino;
}

void TfrmStampaBol::setUp()
{
    m_ui->setupUi(this);
    finishForm();

    connect(m_ui->btnTopMinus, &QPushButton::clicked, this, [this] { step(m_ui->txtTop, -1); });
    connect(m_ui->btnTopPlus, &QPushButton::clicked, this, [this] { step(m_ui->txtTop, +1); });
    connect(m_ui->btnLeftMinus, &QPushButton::clicked, this, [this] { step(m_ui->txtLeft, -1); });
    connect(m_ui->btnLeftPlus, &QPushButton::clicked, this, [this] { step(m_ui->txtLeft, +1); });
    connect(m_ui->btnApplicaTop, &QPushButton::clicked, this, [this] { apply(m_ui->txtTop, PrintMargins::topKey); });
    connect(m_ui->btnApplicaLeft, &QPushButton::clicked, this, [this] { apply(m_ui->txtLeft, PrintMargins::leftKey); });
    connect(m_ui->btnAnnulla, &QPushButton::clicked, this, &QDialog::close);
    connect(m_ui->btnStampa, &QPushButton::clicked, this, &TfrmStampaBol::print);
    connect(m_ui->btnAnteprima, &QPushButton::clicked, this, &TfrmStampaBol::preview);

    // The steps read as bare signs: screen readers say what they change.
    const std::pair<QWidget*, const char*> names[] = {
        {m_ui->btnTopMinus, "Margine superiore meno 1 mm"},
        {m_ui->btnTopPlus, "Margine superiore più 1 mm"},
        {m_ui->btnApplicaTop, "Applica il margine superiore"},
        {m_ui->btnLeftMinus, "Margine sinistro meno 1 mm"},
        {m_ui->btnLeftPlus, "Margine sinistro più 1 mm"},
        {m_ui->btnApplicaLeft, "Applica il margine sinistro"},
        {m_ui->txtTop, "Margine superiore in mm"},
        {m_ui->txtLeft, "Margine sinistro in mm"},
    };
    for (const auto& [control, name] : names)
        control->setAccessibleName(QString::fromUtf8(name));
    // The window opens on "Stampa", so that Enter prints rather than moving a margin.
    m_ui->btnStampa->setFocus(Qt::OtherFocusReason);
}

TfrmStampaBol::~TfrmStampaBol() = default;

void TfrmStampaBol::showEvent(QShowEvent* event)
{
    // Each opening reads the margins last applied.
    if (!m_marginsRead) {
        m_marginsRead = true;
        m_ui->txtTop->setText(PrintMargins::read(PrintMargins::topKey));
        m_ui->txtLeft->setText(PrintMargins::read(PrintMargins::leftKey));
    }
    Dialog::showEvent(event);
}

std::optional<int> TfrmStampaBol::margin(QLineEdit* field)
{
    if (const std::optional<int> value = PrintMargins::wholeNumber(field->text()))
        return value;
    const QString which = field == m_ui->txtTop ? QStringLiteral("superiore") : QStringLiteral("sinistro");
    MessageBox::warning(this,
                        QStringLiteral("Attenzione: il margine %1 \"%2\" non è un numero intero di millimetri.\n"
                                       "Correggere il valore nel file delle impostazioni %3.")
                            .arg(which, field->text(), PrintMargins::fileName));
    return std::nullopt;
}

void TfrmStampaBol::step(QLineEdit* field, int by)
{
    if (!margin(field))
        return;
    if (const std::optional<QString> next = PrintMargins::stepped(field->text(), by))
        field->setText(*next);
}

void TfrmStampaBol::apply(QLineEdit* field, const QString& key)
{
    if (PrintMargins::write(key, field->text()))
        return;
    MessageBox::error(this,
                      QStringLiteral("Attenzione: impossibile salvare il margine nel file delle impostazioni "
                                     "%1.\nVerificare che la cartella del programma non sia protetta da "
                                     "scrittura.")
                          .arg(PrintMargins::fileName));
}

bool TfrmStampaBol::prepareSlip()
{
    const std::optional<int> top = margin(m_ui->txtTop);
    if (!top)
        return false;
    const std::optional<int> left = margin(m_ui->txtLeft);
    if (!left)
        return false;

    Report::Page& page = report().page();
    page.setOrientation(Report::Orientation::Portrait);
    // Every object sits relative to the margins: these shift the whole print on the sheet.
    page.topMargin = *top;
    page.leftMargin = *left;

    const QHash<QString, QString> texts = SlipFill::texts(m_source ? m_source->shownSlip() : SlipFill::SlipValues());
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
        if (Report::TextObject* object = report().text(it.key()))
            object->setText(it.value());
    report().prepare();
    return true;
}

void TfrmStampaBol::print()
{
    if (!prepareSlip())
        return;
    printed(Report::print(report(), this));
}

void TfrmStampaBol::printed(Report::PrintResult result)
{
    if (result == Report::PrintResult::Failed)
        MessageBox::error(this,
                          QStringLiteral("Attenzione: non è stato possibile stampare il bollettino.\n"
                                         "Verificare la stampante e riprovare."));
    // The window closes after every print attempt, from here or from the preview.
    close();
}

void TfrmStampaBol::preview()
{
    if (!prepareSlip())
        return;
    auto* window = new SlipPreview(report(), this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    connect(window, &Report::PreviewWindow::printed, this, [this, window](Report::PrintResult result) {
        window->close();
        printed(result);
    });
    window->show();
}
