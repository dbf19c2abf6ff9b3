#include "reports/ReportOutput.h"

#include "app/Platform.h"
#include "reports/ReportLayout.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace Report {

namespace {

// The drawing is placed on the whole sheet: no printer margins, no offset.
void preparePrinter(QPrinter& printer, const Template& report, const PreparedReport& prepared)
{
    printer.setFullPage(true);
    printer.setPageLayout(prepared.pageLayout());
    printer.setCopyCount(1);
    printer.setDocName(report.name());
}

} // namespace

PrintResult print(Template& report, QWidget* parent)
{
    const PreparedReport& prepared = report.prepared();
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, report, prepared);
    if (!PrintDialog::exec(&printer, parent))
        return PrintResult::Cancelled;
    // The dialog may have chosen another printer or a file: the sheet stays the template's.
    printer.setFullPage(true);
    printer.setPageLayout(prepared.pageLayout());
    return prepared.render(printer) ? PrintResult::Printed : PrintResult::Failed;
}

void preview(Template& report, QWidget* parent)
{
    PreviewWindow window(report, parent);
    window.exec();
}

PreviewWindow::PreviewWindow(Template& report, QWidget* parent)
    : QDialog(parent)
    , m_report(report)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa - ") + report.name());
    setModal(true);

    const PreparedReport& prepared = m_report.prepared();
    preparePrinter(*m_printer, m_report, prepared);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("preview"));
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_report.prepared().render(*printer); });

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    const unsigned offered = report.previewButtons();
    if (offered & PreviewPrint)
        connect(addButton("btnStampa", QStringLiteral("Stampa")), &QPushButton::clicked, this,
                [this] { Report::print(m_report, this); });
    if (offered & PreviewZoom) {
        connect(addButton("btnZoomPiu", QStringLiteral("Zoom +")), &QPushButton::clicked, m_view,
                [this] { m_view->zoomIn(); });
        connect(addButton("btnZoomMeno", QStringLiteral("Zoom -")), &QPushButton::clicked, m_view,
                [this] { m_view->zoomOut(); });
        connect(addButton("btnPaginaIntera", QStringLiteral("Pagina intera")), &QPushButton::clicked, m_view,
                [this] { m_view->fitInView(); });
    }
    if (offered & PreviewFullScreen) {
        m_fullScreen = addButton("btnSchermoIntero", QStringLiteral("Schermo intero"));
        m_fullScreen->setCheckable(true);
        connect(m_fullScreen, &QPushButton::clicked, this, &PreviewWindow::toggleFullScreen);
    }
    buttons->addStretch();
    if (offered & PreviewClose)
        connect(addButton("btnChiudi", QStringLiteral("Chiudi")), &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_view, 1);

    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(report.previewZoom());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 0.8);
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    if (m_fullScreen)
        m_fullScreen->setChecked(isFullScreen());
}

} // namespace Report
