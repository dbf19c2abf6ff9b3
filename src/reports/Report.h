#pragma once
// Tassella's report engine: a template is fixed data; the program fills some of its texts,
// changes a few heights, positions, the orientation and the first page's top and left margins,
// prepares it into pages and prints, previews or exports them to PDF.
//
// How to declare a template
// -------------------------
// A template is a `TemplateDef` built from constexpr tables, in millimetres and points, with
// C++20 designated initialisers (fields in the order the structs below declare them; anything
// left out takes the default written beside it):
//
//     constexpr Report::BandDef listBands[] = {
//         {.name = "ReportTitle", .kind = Report::BandKind::ReportTitle, .top = 5, .height = 8, .width = 277},
//         ...
//     };
//     constexpr Report::TextDef listTexts[] = {
//         {.name = "txtTitolo", .band = "ReportTitle", .left = 2, .top = 1, .width = 273, .height = 5,
//          .font = "Verdana", .size = 9, .bold = true, .colour = Report::rgb(0xFFFFFF),
//          .fill = Report::rgb(0x708090), .align = Report::HAlign::Centre, .text = "Riepilogo"},
//         ...
//     };
//     constexpr Report::TemplateDef listTemplate{
//         .name = "Elenco",
//         .page = {.width = 297, .height = 210, .paperCode = 9, .orientation = Report::Orientation::Landscape,
//                  .left = 10, .right = 10, .top = 10, .bottom = 10},
//         .bands = listBands, .texts = listTexts};
//
//     Report::Template report(listTemplate);   // a window owns one, as a member
//
// A table may also be produced by a constexpr function from a shorter table (a row of character
// boxes from its list of tops); what matters is that the template is data, not code that builds it.
// Pictures name an SVG or PNG in a Qt resource (":/payers/folder.svg"), added to the area's .qrc.
// An SVG is drawn as shapes, sharp on paper and written into a PDF without an image.
//
// Operations, in the order a command calls them:
//
//     report.text("txtTitolo")->setText(title);               // find by name; "\n" starts a line
//     TextObject* body = report.text("txtRiepilogo");
//     body->clearLines();
//     body->addLine(line);                                     // ... once per line
//     body->setHeightUnits(12.822 * body->lines.size());      // heights in template units
//     report.band("MasterData")->setHeightUnits(body->heightUnits() + 10);
//     report.page().setOrientation(Report::Orientation::Portrait);
//     report.page().topMargin = top;                           // mm, may be negative
//     report.page().leftMargin = left;
//     report.prepare();
//     Report::print(report, this);                             // ReportOutput.h: dialog, printer
//     Report::preview(report, this);                           // ReportOutput.h: modal preview
//     report.pdf().fileName = ProgramFolder::file("Esecutore.pdf");
//     Report::exportPdf(report, &error);                       // false when the file was not written
//
// Layout rules
// - Page: width and height as the paper lies in its orientation (A4 landscape is 297 x 210);
//   setting the other orientation swaps them. Paper code 9 is A4, 256 a custom size.
// - Everything is placed relative to the page's left and top margins, so changing a margin moves
//   the whole content; margins may be negative (the content then starts above or left of the
//   paper's edge and what falls off the paper is lost).
// - Without bands, objects sit at absolute positions on the one page (`band` left empty).
// - With bands, objects give the band they belong to and sit relative to its top-left corner.
//   The bands are stacked from the top margin down in this order: the report title (first page
//   only), the master data (printed once, split across pages at a line boundary when it does not
//   fit), the footer (after the master data, on a new page if it does not fit). A band's own
//   `top` is its place in the designer and is kept only for the record.
// - Drawing order: pictures, then lines, then texts.
// - Text: lines come from the text ("\n" separates lines). Word wrap on breaks lines at the
//   object's width; word wrap off keeps each line whole and drops what lies beyond the edge.
//   Lines that do not fit the height are left out (the first one is always drawn, clipped).
// - Condense on: a line wider than the object is drawn with narrower letters (horizontal scaling,
//   down to 70 %), then, if still too wide, smaller (never below 4 pt) instead of being clipped.
//   The object keeps its place and size, the smaller line stays centred where the full-size line
//   would stand, and a line that fits is drawn exactly as without the flag.
//   Rotation 90 turns the text counter-clockwise: it runs up along the object's height, reading
//   bottom to top, and its first line lies at the object's left edge ("top" alignment).
// - Expressions on: "[DATE]" and "[TIME]" become the clock's date "dd/mm/yyyy" and time
//   "hh:mm:ss" when preparing.
// - Heights, left and top can be read and set in template units (pixels at 96 per inch) as the
//   program's formulas use them: 12.822 units are 3.3925 mm.

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QtGui/qrgb.h>
#include <memory>
#include <span>
#include <vector>

class QPainter;
class QSvgRenderer;

namespace Report {

enum class HAlign { Left, Centre, Right };
enum class VAlign { Top, Centre, Bottom };
enum class Orientation { Portrait, Landscape };
enum class BandKind { ReportTitle, MasterData, Footer };

// Buttons of the preview window.
enum PreviewButton : unsigned {
    PreviewPrint = 1,
    PreviewZoom = 2,
    PreviewFullScreen = 4,
    PreviewClose = 8,
    PreviewAll = PreviewPrint | PreviewZoom | PreviewFullScreen | PreviewClose,
};

constexpr int paperA4 = 9;
constexpr int paperCustom = 256;

// Template units are pixels at 96 per inch.
constexpr double unitsPerMm = 96.0 / 25.4;
constexpr double unitsToMm(double units)
{
    return units / unitsPerMm;
}
constexpr double mmToUnits(double mm)
{
    return mm * unitsPerMm;
}

// An opaque colour from 0xRRGGBB; `noFill` is the transparent "no colour".
constexpr QRgb rgb(unsigned rrggbb)
{
    return 0xFF000000u | rrggbb;
}
constexpr QRgb noFill = 0;
constexpr QRgb black = rgb(0x000000);

// ---- Declarations (all lengths in millimetres, font sizes in points) ----

struct PageDef {
    const char* name = "Page1";
    double width = 210;
    double height = 297;
    int paperCode = paperA4;
    Orientation orientation = Orientation::Portrait;
    double left = 0, right = 0, top = 0, bottom = 0; // margins
};

struct BandDef {
    const char* name;
    BandKind kind;
    double top = 0;
    double height = 0;
    double width = 0;
};

struct TextDef {
    const char* name;
    const char* band = ""; // empty: placed on the page
    double left = 0, top = 0, width = 0, height = 0;
    const char* font = "Arial";
    double size = 10;
    bool bold = false;
    QRgb colour = black;
    QRgb fill = noFill;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    int rotation = 0; // 0 or 90 (counter-clockwise)
    bool wordWrap = true;
    bool expressions = true;
    bool condense = false;      // a line wider than the object is condensed to fit instead of clipped
    const char* text = nullptr; // UTF-8, lines separated by "\n"; null: no lines
};

struct PictureDef {
    const char* name;
    const char* band = "";
    double left = 0, top = 0, width = 0, height = 0;
    const char* image = ""; // SVG or PNG: a resource path (":/...") or a file path
};

struct LineDef {
    const char* name;
    const char* band = "";
    double left = 0, top = 0, width = 0;
};

struct TemplateDef {
    const char* name;
    PageDef page;
    std::span<const BandDef> bands = {};
    std::span<const TextDef> texts = {};
    std::span<const PictureDef> pictures = {};
    std::span<const LineDef> lines = {};
    unsigned previewButtons = PreviewAll;
    double previewZoom = 1.0; // 1.0 is 100 %
    const char* pdfTitle = "";
    const char* pdfSubject = "";
};

// ---- The live template ----

struct Item {
    explicit Item(QString itemName)
        : name(std::move(itemName))
    {}
    virtual ~Item() = default;
    QString name;
};

// Something with a position and size: text, picture, line and band.
struct Box : Item {
    using Item::Item;
    double left = 0, top = 0, width = 0, height = 0; // mm
    QString band;                                    // the band holding it; empty: the page

    double heightUnits() const { return mmToUnits(height); }
    void setHeightUnits(double units) { height = unitsToMm(units); }
    double leftUnits() const { return mmToUnits(left); }
    void setLeftUnits(double units) { left = unitsToMm(units); }
    double topUnits() const { return mmToUnits(top); }
    void setTopUnits(double units) { top = unitsToMm(units); }
};

struct TextObject : Box {
    using Box::Box;
    QString font;
    double size = 10;
    bool bold = false;
    QRgb colour = black;
    QRgb fill = noFill;
    HAlign align = HAlign::Left;
    VAlign valign = VAlign::Top;
    int rotation = 0;
    bool wordWrap = true;
    bool expressions = true;
    bool condense = false;
    QStringList lines;

    // Replaces every line; line breaks ("\r\n", "\n" or "\r") start new lines.
    void setText(const QString& text);
    QString text() const { return lines.join(QLatin1Char('\n')); }
    void clearLines() { lines.clear(); }
    void addLine(const QString& line) { lines.append(line); }
};

// A picture drawn into a box: an SVG as shapes, anything else as an image. Copies share one
// loaded picture.
class Picture {
public:
    Picture() = default;
    explicit Picture(const QString& path);
    bool isNull() const;
    void draw(QPainter& painter, const QRectF& box) const;

private:
    std::shared_ptr<const QImage> m_image;
    std::shared_ptr<QSvgRenderer> m_shapes;
};

struct PictureObject : Box {
    using Box::Box;
    Picture picture;
};

struct LineObject : Box {
    using Box::Box;
};

struct Band : Box {
    using Box::Box;
    BandKind kind = BandKind::MasterData;
};

struct Page : Item {
    using Item::Item;
    double width = 210, height = 297;
    int paperCode = paperA4;
    Orientation orientation = Orientation::Portrait;
    double leftMargin = 0, rightMargin = 0, topMargin = 0, bottomMargin = 0;

    // Turning the page swaps its width and height.
    void setOrientation(Orientation value);
    QPageLayout pageLayout() const;
};

struct PdfSettings {
    QString fileName;
    QString title;
    QString subject;
    QString author;
    QString creator;
};

class PreparedReport;

class Template {
public:
    explicit Template(const TemplateDef& def);
    ~Template();
    Template(const Template&) = delete;
    Template& operator=(const Template&) = delete;

    QString name() const { return m_name; }

    // The text object, picture, line, band or page with that name, or nullptr.
    Item* find(const QString& name) const;
    template <class T> T* find(const QString& name) const { return dynamic_cast<T*>(find(name)); }
    TextObject* text(const QString& name) const { return find<TextObject>(name); }
    Band* band(const QString& name) const { return find<Band>(name); }

    Page& page() { return *m_page; }
    const Page& page() const { return *m_page; }
    const std::vector<Band*>& bands() const { return m_bands; }
    const std::vector<TextObject*>& texts() const { return m_texts; }
    const std::vector<PictureObject*>& pictures() const { return m_pictures; }
    const std::vector<LineObject*>& lines() const { return m_lines; }

    unsigned previewButtons() const { return m_previewButtons; }
    double previewZoom() const { return m_previewZoom; }
    PdfSettings& pdf() { return m_pdf; }
    const PdfSettings& pdf() const { return m_pdf; }

    // Lays the template out into pages with the current texts, replacing any earlier result.
    void prepare();
    // The last prepared result; prepares first when nothing has been prepared yet.
    const PreparedReport& prepared();

private:
    QString m_name;
    std::vector<std::unique_ptr<Item>> m_items;
    Page* m_page = nullptr;
    std::vector<Band*> m_bands;
    std::vector<TextObject*> m_texts;
    std::vector<PictureObject*> m_pictures;
    std::vector<LineObject*> m_lines;
    unsigned m_previewButtons = PreviewAll;
    double m_previewZoom = 1.0;
    PdfSettings m_pdf;
    std::unique_ptr<PreparedReport> m_prepared;
};

// Writes the prepared pages to the PDF file named in the template's PDF settings, replacing any
// file of that name; no dialog. On failure returns false and, when asked, a reason.
bool exportPdf(Template& report, QString* error = nullptr);

} // namespace Report
