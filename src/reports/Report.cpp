#include "reports/Report.h"

#include "reports/ReportLayout.h"

#include <QPageSize>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <utility>

namespace Report {

void TextObject::setText(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    lines = text.split(breaks);
}

void Page::setOrientation(Orientation value)
{
    if (value == orientation)
        return;
    orientation = value;
    std::swap(width, height);
}

QPageLayout Page::pageLayout() const
{
    const bool landscape = width > height;
    const QSizeF portrait(std::min(width, height), std::max(width, height));
    const QPageSize size = paperCode == paperA4
        ? QPageSize(QPageSize::A4)
        : QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

Template::Template(const TemplateDef& def)
    : m_name(QString::fromUtf8(def.name))
    , m_previewButtons(def.previewButtons)
    , m_previewZoom(def.previewZoom)
{
    auto page = std::make_unique<Page>(QString::fromUtf8(def.page.name));
    page->width = def.page.width;
    page->height = def.page.height;
    page->paperCode = def.page.paperCode;
    page->orientation = def.page.orientation;
    page->leftMargin = def.page.left;
    page->rightMargin = def.page.right;
    page->topMargin = def.page.top;
    page->bottomMargin = def.page.bottom;
    m_page = page.get();
    m_items.push_back(std::move(page));

    for (const BandDef& b : def.bands) {
        auto band = std::make_unique<Band>(QString::fromUtf8(b.name));
        band->kind = b.kind;
        band->top = b.top;
        band->height = b.height;
        band->width = b.width;
        m_bands.push_back(band.get());
        m_items.push_back(std::move(band));
    }
    for (const TextDef& t : def.texts) {
        auto text = std::make_unique<TextObject>(QString::fromUtf8(t.name));
        text->band = QString::fromUtf8(t.band);
        text->left = t.left;
        text->top = t.top;
        text->width = t.width;
        text->height = t.height;
        text->font = QString::fromUtf8(t.font);
        text->size = t.size;
        text->bold = t.bold;
        text->colour = t.colour;
        text->fill = t.fill;
        text->align = t.align;
        text->valign = t.valign;
        text->rotation = t.rotation;
        text->wordWrap = t.wordWrap;
        text->expressions = t.expressions;
        text->condense = t.condense;
        if (t.text)
            text->setText(QString::fromUtf8(t.text));
        m_texts.push_back(text.get());
        m_items.push_back(std::move(text));
    }
    for (const PictureDef& p : def.pictures) {
        auto picture = std::make_unique<PictureObject>(QString::fromUtf8(p.name));
        picture->band = QString::fromUtf8(p.band);
        picture->left = p.left;
        picture->top = p.top;
        picture->width = p.width;
        picture->height = p.height;
        picture->picture = Picture(QString::fromUtf8(p.image));
        m_pictures.push_back(picture.get());
        m_items.push_back(std::move(picture));
    }
    for (const LineDef& l : def.lines) {
        auto line = std::make_unique<LineObject>(QString::fromUtf8(l.name));
        line->band = QString::fromUtf8(l.band);
        line->left = l.left;
        line->top = l.top;
        line->width = l.width;
        m_lines.push_back(line.get());
        m_items.push_back(std::move(line));
    }
    m_pdf.title = QString::fromUtf8(def.pdfTitle);
    m_pdf.subject = QString::fromUtf8(def.pdfSubject);
}

Template::~Template() = default;

Picture::Picture(const QString& path)
{
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        auto shapes = std::make_shared<QSvgRenderer>(path);
        if (shapes->isValid())
            m_shapes = std::move(shapes);
        return;
    }
    QImage image(path);
    if (!image.isNull())
        m_image = std::make_shared<const QImage>(std::move(image));
}

bool Picture::isNull() const
{
    return !m_shapes && !m_image;
}

void Picture::draw(QPainter& painter, const QRectF& box) const
{
    if (m_shapes)
        m_shapes->render(&painter, box);
    else if (m_image)
        painter.drawImage(box, *m_image);
}

Item* Template::find(const QString& name) const
{
    for (const auto& item : m_items)
        if (item->name == name)
            return item.get();
    return nullptr;
}

void Template::prepare()
{
    m_prepared = std::make_unique<PreparedReport>(prepareReport(*this));
}

const PreparedReport& Template::prepared()
{
    if (!m_prepared)
        prepare();
    return *m_prepared;
}

} // namespace Report
