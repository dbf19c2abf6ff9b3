#include "windows/ReportOutput.h"

#include "windows/Prompts.h"
#include "reports/ReportLayout.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QGraphicsView>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

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
    return printPrepared(printer, report);
}

PrintResult printPrepared(QPrinter& printer, Template& report)
{
    const PreparedReport& prepared = report.prepared();
    // The dialog may have chosen another printer or a file: the sheet stays the template's.
    printer.setFullPage(true);
    printer.setPageLayout(prepared.pageLayout());
    int first = 0;
    int last = prepared.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage() - 1);
        last = std::min(last, std::max(printer.fromPage(), printer.toPage()) - 1);
    }
    if (first > last)
        return PrintResult::Cancelled;
    return prepared.render(printer, first, last) ? PrintResult::Printed : PrintResult::Failed;
}

void preview(Template& report, QWidget* parent)
{
    PreviewWindow window(report, parent);
    window.exec();
}

PreviewWindow::PreviewWindow(Template& report, QWidget* parent, Underlay underlay)
    : QDialog(parent)
    , m_report(report)
    , m_underlay(std::move(underlay))
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa - ") + report.name());
    setModal(true);

    const PreparedReport& prepared = m_report.prepared();
    preparePrinter(*m_printer, m_report, prepared);

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    m_view->setObjectName(QStringLiteral("preview"));
    m_view->setAccessibleName(QStringLiteral("Anteprima della pagina"));
    if (auto* area = m_view->findChild<QGraphicsView*>()) {
        area->setAccessibleName(QStringLiteral("Anteprima della pagina"));
        area->setFocusPolicy(Qt::StrongFocus); // its frame shows the focus (tassella.qss)
    }
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter;
        if (!painter.begin(printer))
            return;
        if (m_source.load) {
            m_source.load(m_current);
            drawPage(painter, 0, true);
            return;
        }
        for (int i = 0; i < m_report.prepared().pageCount(); ++i) {
            if (i > 0)
                printer->newPage();
            drawPage(painter, i, true);
        }
    });

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    const unsigned offered = report.previewButtons();
    if (offered & PreviewPrint) {
        QPushButton* print = addButton("btnStampa", QStringLiteral("Stampa"));
        // The window's main command, in the navy of every window's main command.
        print->setProperty("class", QStringLiteral("command"));
        connect(print, &QPushButton::clicked, this, [this] { emit printed(Report::print(m_report, this)); });
    }
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

void PreviewWindow::setPageSource(PageSource source)
{
    m_source = std::move(source);
    m_current = 0;
    if (auto* print = findChild<QPushButton*>(QStringLiteral("btnStampa")))
        print->hide();

    auto* row = new QHBoxLayout;
    const auto addButton = [&](const char* name, const QString& caption, const QKeySequence& key,
                               std::function<int()> target) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        button->setShortcut(key);
        button->setToolTip(caption + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        connect(button, &QPushButton::clicked, this, [this, target] { showPage(target()); });
        row->addWidget(button);
        m_pageButtons.push_back(button);
    };
    addButton("btnPrima", QStringLiteral("Prima"), QKeySequence(Qt::CTRL | Qt::Key_Home), [] { return 0; });
    addButton("btnPrecedente", QStringLiteral("Precedente"), QKeySequence(Qt::Key_PageUp),
              [this] { return m_current - 1; });
    addButton("btnSuccessiva", QStringLiteral("Successiva"), QKeySequence(Qt::Key_PageDown),
              [this] { return m_current + 1; });
    addButton("btnUltima", QStringLiteral("Ultima"), QKeySequence(Qt::CTRL | Qt::Key_End),
              [this] { return pageCount() - 1; });
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPagina"));
    row->addWidget(m_pageLabel, 1);
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("lblAvviso"));
    m_warning->setWordWrap(true);
    m_warning->setAccessibleName(QStringLiteral("Avviso"));
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) {
        const int at = column->indexOf(m_view);
        column->insertLayout(at, row);
        column->insertWidget(at + 1, m_warning);
    }
    showPage(0);
}

int PreviewWindow::pageCount() const
{
    return m_source.load ? m_source.count : m_report.prepared().pageCount();
}

void PreviewWindow::showPage(int index)
{
    if (!m_source.load) {
        m_view->setCurrentPage(index + 1);
        return;
    }
    m_current = std::clamp(index, 0, std::max(0, m_source.count - 1));
    QString text = QStringLiteral("Pagina %1 di %2").arg(m_current + 1).arg(m_source.count);
    const QString caption = m_source.caption ? m_source.caption(m_current) : QString();
    if (!caption.isEmpty())
        text += QStringLiteral(": ") + caption;
    m_pageLabel->setText(text);
    const QString warning = m_source.warning ? m_source.warning(m_current) : QString();
    m_warning->setText(warning);
    m_warning->setVisible(!warning.isEmpty());
    m_pageButtons[0]->setEnabled(m_current > 0);
    m_pageButtons[1]->setEnabled(m_current > 0);
    m_pageButtons[2]->setEnabled(m_current + 1 < m_source.count);
    m_pageButtons[3]->setEnabled(m_current + 1 < m_source.count);
    m_view->updatePreview();
}

void PreviewWindow::drawPage(QPainter& painter, int index, bool withUnderlay) const
{
    if (withUnderlay && m_underlay) {
        painter.save();
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.scale(painter.device()->logicalDpiX() / 25.4, painter.device()->logicalDpiY() / 25.4);
        m_underlay(painter);
        painter.restore();
    }
    m_report.prepared().paint(painter, index);
}

QImage PreviewWindow::pageImage(int index, double pixelsPerMm, bool withUnderlay) const
{
    if (m_source.load)
        m_source.load(index);
    const QSizeF paper = m_report.prepared().pageLayout().fullRect(QPageLayout::Millimeter).size();
    QImage image((paper * pixelsPerMm).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The drawing scales millimetres by the device's resolution: give the image the one asked for.
    image.setDotsPerMeterX(qRound(pixelsPerMm * 1000));
    image.setDotsPerMeterY(qRound(pixelsPerMm * 1000));
    QPainter painter(&image);
    drawPage(painter, m_source.load ? 0 : index, withUnderlay);
    painter.end();
    if (m_source.load && index != m_current)
        m_source.load(m_current); // the page shown stays loaded
    return image;
}

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
