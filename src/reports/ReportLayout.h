#pragma once
// A prepared report: the template laid out into pages of positioned pieces, and the one drawing
// routine that puts those pages on a printer, into the preview and into a PDF file.

#include "reports/Report.h"

#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <variant>

class QPainter;
class QPagedPaintDevice;

namespace Report {

// One line of text inside a text object, in the object's text coordinates (millimetres; x runs
// along the text, y across the lines; for rotated text these axes are turned with the text).
struct LaidLine {
    QString text;
    double x = 0;        // where the first character starts
    double top = 0;      // top of the line
    double baseline = 0; // baseline
    double height = 0;   // line spacing
    double size = 0;     // font size in points; below the object's size when the line was condensed
    int stretch = 100;   // horizontal scaling in percent; below 100 when the line was condensed
};

// A text object placed on a page: `box` is the whole object (its text coordinates start at the
// box's corner), `clip` the part of it on this page.
struct PlacedText {
    QRectF box;
    QRectF clip;
    QString font;
    double size = 10;
    bool bold = false;
    QRgb colour = black;
    QRgb fill = noFill;
    int rotation = 0;
    std::vector<LaidLine> lines;
};

struct PlacedPicture {
    QRectF box;
    Picture picture;
};

struct PlacedRule {
    QLineF line;
};

using Piece = std::variant<PlacedPicture, PlacedRule, PlacedText>;

struct PreparedPage {
    std::vector<Piece> pieces; // in drawing order; positions in mm from the paper's top-left corner
};

class PreparedReport {
public:
    PreparedReport() = default;
    PreparedReport(QPageLayout layout, std::vector<PreparedPage> pages)
        : m_layout(std::move(layout))
        , m_pages(std::move(pages))
    {}

    // Paper size and orientation, with no margins: the drawing itself is placed on the paper.
    const QPageLayout& pageLayout() const { return m_layout; }
    int pageCount() const { return int(m_pages.size()); }
    const PreparedPage& page(int index) const { return m_pages.at(size_t(index)); }

    // Draws one page; the painter's origin must be the paper's top-left corner (full-page
    // printing, no page margins). Works on any device: printer, preview, PDF writer, image.
    void paint(QPainter& painter, int index) const;
    // Draws every page on a device whose page layout is already set; false when the device
    // cannot be painted on (a printer that fails to start, a file that cannot be written).
    bool render(QPagedPaintDevice& device) const { return render(device, 0, pageCount() - 1); }
    // The same for the pages first to last (0-based, both included).
    bool render(QPagedPaintDevice& device, int first, int last) const;

private:
    QPageLayout m_layout;
    std::vector<PreparedPage> m_pages;
};

// Lays out the lines of a text object: wrapping, alignment, clipping at the edges. Exposed for
// the layout of bands and for tests.
std::vector<LaidLine> layoutText(const TextObject& object, const QStringList& lines);

// The template laid out with the current texts and the clock's date and time.
PreparedReport prepareReport(const Template& report);

} // namespace Report
