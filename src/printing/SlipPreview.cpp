#include "printing/SlipPreview.h"

#include "printing/SlipForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

// The sheet scaled to the widget, keeping its proportions.
class SlipPreviewPage : public QWidget {
public:
    explicit SlipPreviewPage(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("panPagina"));
        setMinimumSize(203, 327);
    }
    void setPrepared(const Report::PreparedReport& prepared)
    {
        m_prepared = prepared;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (m_prepared.pageCount() == 0)
            return;
        const double scale = std::min(width() / SlipTemplate::def().page.width,
                                      height() / SlipTemplate::def().page.height);
        const double dpr = devicePixelRatioF();
        QImage sheet = SlipPreview::renderSheet(m_prepared, scale * dpr, true);
        sheet.setDevicePixelRatio(dpr);
        const QSizeF size = sheet.deviceIndependentSize();
        painter.drawImage(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), sheet);
    }

private:
    Report::PreparedReport m_prepared;
};

SlipPreview::SlipPreview(QWidget* owner)
    : Dialog(owner, Placement::CentreOwner)
    , m_page(new SlipPreviewPage(this))
{
    setWindowTitle(QStringLiteral(" Anteprima bollettino postale"));
    auto* note = new QLabel(QStringLiteral("Il bollettino come verrà stampato con i margini indicati. "
                                           "Il disegno chiaro delle caselle non viene stampato."),
                            this);
    note->setObjectName(QStringLiteral("lblAnteprima"));
    note->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_page, 1);
    layout->addLayout(buttons);

    // As large as the screen allows, the sheet's proportions kept.
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const int height = screen ? std::max(500, screen->availableGeometry().height() - 80) : 800;
    resize(int(height * SlipTemplate::def().page.width / SlipTemplate::def().page.height) + 40, height);
    finishForm();
}

void SlipPreview::setPrepared(const Report::PreparedReport& prepared) { m_page->setPrepared(prepared); }

QImage SlipPreview::renderSheet(const Report::PreparedReport& prepared, double pixelsPerMm, bool withForm)
{
    const auto& page = SlipTemplate::def().page;
    QImage sheet(QSize(qRound(page.width * pixelsPerMm), qRound(page.height * pixelsPerMm)), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    // The report draws in millimetres by the device's resolution: give the image the one asked for.
    sheet.setDotsPerMeterX(qRound(pixelsPerMm * 1000));
    sheet.setDotsPerMeterY(qRound(pixelsPerMm * 1000));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (withForm) {
        painter.save();
        painter.scale(pixelsPerMm, pixelsPerMm);
        SlipForm::paint(painter);
        painter.restore();
    }
    if (prepared.pageCount() > 0)
        prepared.paint(painter, 0);
    return sheet;
}
