#include "reports/ReportLayout.h"

#include "data/Formats.h"
#include "data/Platform.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace Report {

namespace {

// Text is measured and drawn in hundredths of a point, so that font sizes stay whole numbers
// of pixels while the drawing is independent of the device's resolution.
constexpr double dotsPerMm = 7200.0 / 25.4;
constexpr double eps = 1e-6;
constexpr double unbounded = std::numeric_limits<double>::infinity();

// Condensing a line that does not fit: narrower letters down to this stretch, then smaller
// letters down to this size, which stays legible on paper.
constexpr int minStretch = 70;
constexpr double minCondensedSize = 4.0;

QFont makeFont(const QString& family, double size, bool bold, int stretch = 100)
{
    QFont font(family);
    font.setPixelSize(std::max(1, int(size * 100.0 + 0.5)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: "ff" and "fi" stay two letters each, so that a PDF's text is found and copied
    // as written ("tariffa", "ufficio"). Latin text needs no other shaping.
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (stretch != 100)
        font.setStretch(stretch);
    return font;
}

// A row of text laid out on one line, for measuring it and the place of each character.
struct MeasuredRow {
    QTextLayout layout;
    QTextLine line;

    MeasuredRow(const QString& row, const QFont& font)
        : layout(row, font)
    {
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        line = layout.createLine();
        line.setNumColumns(int(row.size()));
        layout.endLayout();
    }
    double width() const { return line.naturalTextWidth() / dotsPerMm; }
};

// The stretch and size that fit a row into `along` mm: the object's own when it fits, else the
// widest stretch down to minStretch, then the largest size down to minCondensedSize (which may
// still be too wide: what lies beyond the edge is then clipped as usual).
std::pair<int, double> condensedFit(const TextObject& object, const QString& row, double along, double width)
{
    if (width <= along + eps)
        return {100, object.size};
    const auto fits = [&](int stretch, double size) {
        return MeasuredRow(row, makeFont(object.font, size, object.bold, stretch)).width() <= along + eps;
    };
    // Letters do not narrow exactly in proportion (a condensed face may be chosen), so start from
    // the proportional guess and step down.
    for (int stretch = std::clamp(int(100.0 * along / width), minStretch, 99); stretch >= minStretch; --stretch)
        if (fits(stretch, object.size))
            return {stretch, object.size};
    const double narrow = MeasuredRow(row, makeFont(object.font, object.size, object.bold, minStretch)).width();
    double size = std::floor(object.size * along / narrow * 10.0) / 10.0;
    for (size = std::clamp(size, minCondensedSize, object.size); size > minCondensedSize + eps; size -= 0.1)
        if (fits(minStretch, size))
            return {minStretch, size};
    return {minStretch, minCondensedSize};
}

QStringList wrapLine(const QString& line, const QFont& font, double widthMm)
{
    QTextLayout layout(line, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(widthMm * dotsPerMm);
        pieces << line.mid(row.textStart(), row.textLength());
    }
    layout.endLayout();
    // The blanks where a line was broken do not count for alignment.
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        while (!pieces[i].isEmpty() && pieces[i].back().isSpace())
            pieces[i].chop(1);
    }
    return pieces.isEmpty() ? QStringList{line} : pieces;
}

QStringList resolvedLines(const TextObject& object)
{
    if (!object.expressions)
        return object.lines;
    const QDateTime now = Clock::now();
    const QString date = Formats::dateToText(now.date());
    const QString time = Formats::timeToText(now.time());
    QStringList lines = object.lines;
    for (QString& line : lines) {
        line.replace(QLatin1String("[DATE]"), date);
        line.replace(QLatin1String("[TIME]"), time);
    }
    return lines;
}

struct Layout {
    const Template& report;
    const Page& page;
    std::map<const TextObject*, std::vector<LaidLine>> laid;
    std::vector<PreparedPage> pages;

    explicit Layout(const Template& r)
        : report(r)
        , page(r.page())
    {
        for (const TextObject* text : report.texts())
            laid[text] = layoutText(*text, resolvedLines(*text));
    }

    bool onPage(const Box& box) const { return box.band.isEmpty() || !report.band(box.band); }

    PlacedText placed(const TextObject& text, const QRectF& box) const
    {
        PlacedText piece;
        piece.box = box;
        piece.clip = box;
        piece.font = text.font;
        piece.size = text.size;
        piece.bold = text.bold;
        piece.colour = text.colour;
        piece.fill = text.fill;
        piece.rotation = text.rotation;
        piece.lines = laid.at(&text);
        return piece;
    }

    // Objects without a band: on the first page, at their place inside the margins.
    void placePageObjects(PreparedPage& out) const
    {
        const QPointF origin(page.leftMargin, page.topMargin);
        for (const PictureObject* picture : report.pictures())
            if (onPage(*picture))
                out.pieces.emplace_back(PlacedPicture{
                    QRectF(origin + QPointF(picture->left, picture->top), QSizeF(picture->width, picture->height)),
                    picture->picture});
        for (const LineObject* line : report.lines())
            if (onPage(*line)) {
                const QPointF start = origin + QPointF(line->left, line->top);
                out.pieces.emplace_back(PlacedRule{QLineF(start, start + QPointF(line->width, 0))});
            }
        for (const TextObject* text : report.texts())
            if (onPage(*text))
                out.pieces.emplace_back(
                    placed(*text, QRectF(origin + QPointF(text->left, text->top), QSizeF(text->width, text->height))));
    }

    template <class T> std::vector<const T*> inBand(const std::vector<T*>& all, const Band& band) const
    {
        std::vector<const T*> found;
        for (const T* object : all)
            if (object->band == band.name)
                found.push_back(object);
        return found;
    }

    static bool splittable(const TextObject& text) { return text.rotation == 0; }

    // The lowest place at or above limit where the band may be cut without cutting through a
    // line of text, a picture, a rule or a rotated text; start when there is none.
    double breakPoint(const Band& band, double start, double limit) const
    {
        double cut = limit;
        bool moved = true;
        const auto avoid = [&](double top, double bottom) {
            if (top > start + eps && top < cut - eps && bottom > cut + eps) {
                cut = top;
                moved = true;
            }
        };
        while (moved) {
            moved = false;
            for (const TextObject* text : inBand(report.texts(), band)) {
                if (!splittable(*text)) {
                    avoid(text->top, text->top + text->height);
                    continue;
                }
                for (const LaidLine& line : laid.at(text))
                    avoid(text->top + line.top, text->top + line.top + line.height);
            }
            for (const PictureObject* picture : inBand(report.pictures(), band))
                avoid(picture->top, picture->top + picture->height);
        }
        return cut;
    }

    // Puts the part [start, end) of a band on the current page with its top at pageTop.
    void placeSlice(const Band& band, double start, double end, double pageTop)
    {
        PreparedPage& out = pages.back();
        const double dx = page.leftMargin;
        const double dy = pageTop - start;
        const auto holds = [&](double y) { return y >= start - eps && y < end - eps; };

        for (const PictureObject* picture : inBand(report.pictures(), band))
            if (holds(picture->top))
                out.pieces.emplace_back(PlacedPicture{
                    QRectF(picture->left + dx, picture->top + dy, picture->width, picture->height), picture->picture});
        for (const LineObject* line : inBand(report.lines(), band))
            if (holds(line->top)) {
                const QPointF from(line->left + dx, line->top + dy);
                out.pieces.emplace_back(PlacedRule{QLineF(from, from + QPointF(line->width, 0))});
            }
        for (const TextObject* text : inBand(report.texts(), band)) {
            const QRectF box(text->left + dx, text->top + dy, text->width, text->height);
            if (!splittable(*text)) {
                if (holds(text->top))
                    out.pieces.emplace_back(placed(*text, box));
                continue;
            }
            if (text->top >= end - eps || text->top + text->height <= start + eps)
                continue;
            PlacedText piece = placed(*text, box);
            piece.lines.clear();
            for (const LaidLine& line : laid.at(text))
                if (holds(text->top + line.top))
                    piece.lines.push_back(line);
            const double clipTop = std::max(box.top(), pageTop);
            const double clipBottom = std::isinf(end) ? box.bottom() : std::min(box.bottom(), end + dy);
            piece.clip = QRectF(box.left(), clipTop, box.width(), std::max(0.0, clipBottom - clipTop));
            out.pieces.emplace_back(std::move(piece));
        }
    }

    void placeBands()
    {
        std::vector<const Band*> order;
        for (BandKind kind : {BandKind::ReportTitle, BandKind::MasterData, BandKind::Footer})
            for (const Band* band : report.bands())
                if (band->kind == kind)
                    order.push_back(band);

        const double contentTop = page.topMargin;
        const double contentBottom = page.height - page.bottomMargin;
        double y = contentTop;
        const auto newPage = [&] {
            pages.emplace_back();
            y = contentTop;
        };

        for (const Band* band : order) {
            if (band->kind != BandKind::MasterData) {
                if (band->height > contentBottom - y + eps && y > contentTop + eps)
                    newPage();
                placeSlice(*band, 0, unbounded, y);
                y += band->height;
                continue;
            }
            double start = 0;
            for (;;) {
                const double room = contentBottom - y;
                if (band->height - start <= room + eps) {
                    placeSlice(*band, start, unbounded, y);
                    y += band->height - start;
                    break;
                }
                if (room <= eps) {
                    if (y > contentTop + eps) {
                        newPage();
                        continue;
                    }
                    // A page with no room at all between its margins: the rest goes on it as it is.
                    placeSlice(*band, start, unbounded, y);
                    y += band->height - start;
                    break;
                }
                double cut = breakPoint(*band, start, start + room);
                if (cut <= start + eps) {
                    if (y > contentTop + eps) {
                        newPage();
                        continue;
                    }
                    cut = start + room; // not even a fresh page holds the next piece whole
                }
                placeSlice(*band, start, cut, y);
                newPage();
                start = cut;
            }
        }
    }
};

} // namespace

std::vector<LaidLine> layoutText(const TextObject& object, const QStringList& lines)
{
    const QFont font = makeFont(object.font, object.size, object.bold);
    const QFontMetricsF metrics(font);
    const bool rotated = object.rotation == 90;
    const double along = rotated ? object.height : object.width;
    const double across = rotated ? object.width : object.height;
    const double lineHeight = metrics.lineSpacing() / dotsPerMm;
    const double ascent = metrics.ascent() / dotsPerMm;

    QStringList rows;
    for (const QString& line : lines)
        rows << (object.wordWrap && !line.isEmpty() ? wrapLine(line, font, along) : QStringList{line});

    const double block = rows.size() * lineHeight;
    double first = 0;
    if (block <= across + eps) {
        if (object.valign == VAlign::Centre)
            first = (across - block) / 2;
        else if (object.valign == VAlign::Bottom)
            first = across - block;
    }

    std::vector<LaidLine> laid;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const double top = first + double(i) * lineHeight;
        if (i > 0 && top + lineHeight > across + 1e-3)
            break;
        const QString& row = rows[i];
        if (row.isEmpty())
            continue;
        auto measured = std::make_unique<MeasuredRow>(row, font);
        double width = measured->width();
        int stretch = 100;
        double size = object.size;
        double baseline = top + ascent;
        if (object.condense && width > along + eps) {
            std::tie(stretch, size) = condensedFit(object, row, along, width);
            const QFont narrow = makeFont(object.font, size, object.bold, stretch);
            measured = std::make_unique<MeasuredRow>(row, narrow);
            width = measured->width();
            // A smaller line stays centred where the full-size line would stand.
            const QFontMetricsF small(narrow);
            baseline = top + (lineHeight - small.lineSpacing() / dotsPerMm) / 2 + small.ascent() / dotsPerMm;
        }
        const auto at = [&](int position) { return measured->line.cursorToX(position) / dotsPerMm; };

        double x = 0;
        if (object.align == HAlign::Centre)
            x = (along - width) / 2;
        else if (object.align == HAlign::Right)
            x = along - width;

        // Characters wholly beyond an edge are left out; one cut by an edge is clipped when drawn.
        const int count = int(row.size());
        int begin = 0;
        while (begin < count && x + at(begin + 1) <= eps)
            ++begin;
        int end = count;
        while (end > begin && x + at(end - 1) >= along - eps)
            --end;
        if (begin >= end)
            continue;
        laid.push_back({row.mid(begin, end - begin), x + at(begin), top, baseline, lineHeight, size, stretch});
    }
    return laid;
}

PreparedReport prepareReport(const Template& report)
{
    Layout layout(report);
    layout.pages.emplace_back();
    layout.placePageObjects(layout.pages.front());
    if (!report.bands().empty())
        layout.placeBands();
    return PreparedReport(report.page().pageLayout(), std::move(layout.pages));
}

void PreparedReport::paint(QPainter& painter, int index) const
{
    const PreparedPage& sheet = page(index);
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(painter.device()->logicalDpiX() / 25.4, painter.device()->logicalDpiY() / 25.4);
    for (const Piece& piece : sheet.pieces) {
        if (const auto* picture = std::get_if<PlacedPicture>(&piece)) {
            picture->picture.draw(painter, picture->box);
        } else if (const auto* rule = std::get_if<PlacedRule>(&piece)) {
            QPen pen(Qt::black, 0.25);
            pen.setCapStyle(Qt::FlatCap);
            painter.setPen(pen);
            painter.drawLine(rule->line);
        } else if (const auto* text = std::get_if<PlacedText>(&piece)) {
            painter.save();
            painter.setClipRect(text->clip);
            if (qAlpha(text->fill) != 0)
                painter.fillRect(text->clip, QColor::fromRgba(text->fill));
            painter.translate(text->box.topLeft());
            if (text->rotation == 90) {
                painter.translate(0, text->box.height());
                painter.rotate(-90);
            }
            painter.scale(1.0 / dotsPerMm, 1.0 / dotsPerMm);
            const QFont font = makeFont(text->font, text->size, text->bold);
            painter.setPen(QColor::fromRgba(text->colour));
            for (const LaidLine& line : text->lines) {
                const bool condensed = line.stretch != 100 || line.size != text->size;
                painter.setFont(condensed ? makeFont(text->font, line.size, text->bold, line.stretch) : font);
                painter.drawText(QPointF(line.x * dotsPerMm, line.baseline * dotsPerMm), line.text);
            }
            painter.restore();
        }
    }
    painter.restore();
}

bool PreparedReport::render(QPagedPaintDevice& device, int first, int last) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int i = first; i <= last; ++i) {
        if (i > first && !device.newPage())
            return false;
        paint(painter, i);
    }
    return painter.end();
}

} // namespace Report
