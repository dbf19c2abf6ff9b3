// The report engine read back from its output: PDF files checked with poppler, the print path
// through the print dialog, the preview window, and a real print where a CUPS PDF queue exists.

#include "PdfReadBack.h"
#include "ReadOnly.h"
#include "TestSupport.h"
#include "windows/Prompts.h"
#include "windows/ListPrint.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"
#include "windows/ReportOutput.h"

#include <QDirIterator>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Report;
using PdfReadBack::Document;
using PdfReadBack::Word;

namespace {

// A text object at a place; what differs from the defaults is changed afterwards with `with`.
constexpr TextDef text(const char* name, double left, double top, double width, double height, double size,
                       const char* content = nullptr)
{
    return {.name = name, .left = left, .top = top, .width = width, .height = height, .size = size, .text = content};
}

template <class Change> constexpr TextDef with(TextDef def, Change change)
{
    change(def);
    return def;
}

// Verdana lines drawn as written: no wrapping, no expressions; rotated or not.
constexpr TextDef verdanaLine(TextDef def, int rotation = 0)
{
    def.font = "Verdana";
    def.rotation = rotation;
    def.wordWrap = def.expressions = false;
    return def;
}

// A sheet without bands: A4 portrait, 10 mm margins, objects at absolute places.
constexpr TextDef sheetTexts[] = {
    text("txtSinistra", 20, 30, 60, 8, 12, "SINISTRA"),
    with(text("txtDestra", 20, 45, 60, 8, 12, "DESTRA"), [](TextDef& t) { t.align = HAlign::Right; }),
    with(text("txtCentro", 20, 60, 60, 8, 12, "CENTRO"), [](TextDef& t) { t.align = HAlign::Centre; }),
    with(text("txtBasso", 90, 30, 60, 20, 12, "BASSO"), [](TextDef& t) { t.valign = VAlign::Bottom; }),
    verdanaLine(text("txtRuotato", 160, 100, 6, 40, 9, "RUOTATO"), 90),
    with(text("txtTagliato", 20, 80, 30, 6, 10, "VISIBILE NASCOSTOLUNGHISSIMO OLTRE"),
         [](TextDef& t) { t.wordWrap = false; }),
    text("txtACapo", 20, 100, 40, 9, 10, "UNO DUE TRE QUATTRO CINQUE SEI SETTE OTTO NOVE DIECI UNDICI DODICI TREDICI"),
    text("txtRighe", 90, 100, 60, 20, 10, "PRIMA\nSECONDA"),
    text("txtData", 20, 130, 150, 6, 10, "Data [DATE] ora [TIME]"),
    with(text("txtLetterale", 20, 140, 150, 6, 10, "Letterale [DATE]"), [](TextDef& t) { t.expressions = false; }),
    with(text("txtFondo", 20, 160, 80, 10, 10, "FONDO"),
         [](TextDef& t) {
             t.colour = rgb(0xFFFFFF);
             t.fill = rgb(0x008080);
             t.align = HAlign::Centre;
             t.valign = VAlign::Centre;
         }),
};
constexpr PictureDef sheetPictures[] = {
    {.name = "imgLogo",
     .left = 150,
     .top = 3,
     .width = 17,
     .height = 13,
     .image = TASSELLA_FIXTURES "/reports/picture.png"},
};
constexpr LineDef sheetLines[] = {
    {.name = "linSepara", .left = 20, .top = 180, .width = 120},
};
constexpr TemplateDef sheetTemplate{
    .name = "Prova foglio",
    .page = {.width = 210, .height = 297, .paperCode = paperA4, .left = 10, .right = 10, .top = 10, .bottom = 10},
    .texts = sheetTexts,
    .pictures = sheetPictures,
    .lines = sheetLines,
    .pdfTitle = "Titolo di prova",
    .pdfSubject = "Soggetto di prova",
};

// The list print is the program's own: title, a body that grows with its lines, a footer; A4 landscape.
const TemplateDef& listTemplate = ListPrint::listTemplate();

// A custom sheet like the slip's: 203 x 327 mm, no margins, rotated boxes.
constexpr TextDef slipTexts[] = {
    with(verdanaLine(text("txtCodFisc_C_16", 146, 7.8, 5, 4, 9, "X"), 90),
         [](TextDef& t) { t.align = HAlign::Centre; }),
    with(verdanaLine(text("txtCapRes_C_01", 178, 24.8, 5, 4, 9, "X"), 90),
         [](TextDef& t) { t.align = HAlign::Centre; }),
    verdanaLine(text("txtEsecutore_A1", 145, 250, 5, 71, 7, "ESECUTORE"), 90),
};
constexpr TemplateDef slipTemplate{
    .name = "Tassella",
    .page = {.width = 203, .height = 327, .paperCode = paperCustom},
    .texts = slipTexts,
    .previewButtons = PreviewPrint | PreviewZoom | PreviewFullScreen | PreviewClose,
};

// One object that condenses a line too wide for it, and its twin that clips; an A4 sheet without margins.
constexpr TextDef condenseTexts[] = {
    with(verdanaLine(text("txtStretto", 20, 40, 100, 6, 10)), [](TextDef& t) { t.condense = true; }),
    verdanaLine(text("txtNormale", 20, 60, 100, 6, 10)),
};
constexpr TemplateDef condenseTemplate{.name = "Stretto", .page = {}, .texts = condenseTexts};

constexpr TemplateDef closeOnlyTemplate{
    .name = "Solo chiudi",
    .page = {},
    .texts = sheetTexts,
    .previewButtons = PreviewClose,
};

constexpr double tolerance = 0.3; // mm

QString bodyLine(int n)
{
    return QStringLiteral("RIGA%1 ROSSI MARIO").arg(n, 3, 10, QLatin1Char('0'));
}

// Fills the list body as the list windows do: one line per item.
void fillList(Template& report, int count)
{
    QStringList lines;
    for (int n = 1; n <= count; ++n)
        lines << bodyLine(n);
    ListPrint::fill(report, QStringLiteral("Riepilogo"), lines);
}

Word only(const Document& document, const QString& text)
{
    const QList<Word> found = document.find(text);
    return found.size() == 1 ? found.front() : Word{-1, {}, {}};
}

bool near(double actual, double expected)
{
    return qAbs(actual - expected) <= tolerance;
}

bool similar(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) < 16 && qAbs(a.green() - b.green()) < 16 && qAbs(a.blue() - b.blue()) < 16;
}

// The extent, in mm, of the area of one colour around probe (mm) on a page rendered at dpi.
QRectF filledArea(const QImage& page, QPointF probe, int dpi)
{
    const double pixelsPerMm = dpi / 25.4;
    const QPoint start((probe * pixelsPerMm).toPoint());
    const QColor colour = page.pixelColor(start);
    const auto walk = [&](int dx, int dy) {
        QPoint at = start;
        while (page.valid(at + QPoint(dx, dy)) && similar(page.pixelColor(at + QPoint(dx, dy)), colour))
            at += QPoint(dx, dy);
        return at;
    };
    return QRectF(QPointF(walk(-1, 0).x(), walk(0, -1).y()) / pixelsPerMm,
                  QPointF(walk(1, 0).x() + 1, walk(0, 1).y() + 1) / pixelsPerMm);
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    Document exported(Template& report, const QString& name)
    {
        report.pdf().fileName = path(name);
        report.prepare();
        QString error;
        if (!exportPdf(report, &error)) {
            qWarning() << "export failed:" << error;
            return {};
        }
        return PdfReadBack::words(path(name));
    }

private slots:
    void initTestCase()
    {
        if (!PdfReadBack::toolsPresent())
            QSKIP(
                "poppler-utils (pdftotext, pdfinfo, pdftoppm) is not installed: the test command (scripts/test.sh) installs it");
        QVERIFY(m_dir.isValid());
    }

    void cleanup()
    {
        Clock::setFixed({});
        MessageBox::setTestMode(false);
    }

    void findsObjectsByName()
    {
        Template report(listTemplate);
        QVERIFY(report.text(QStringLiteral("txtTitolo")));
        QVERIFY(report.band(QStringLiteral("MasterData")));
        QCOMPARE(report.find<Page>(QStringLiteral("Page1")), &report.page());
        QVERIFY(!report.find(QStringLiteral("txtNessuno")));
        QVERIFY(!report.text(QStringLiteral("MasterData"))); // a band is not a text

        TextObject* title = report.text(QStringLiteral("txtTitolo"));
        title->setText(QStringLiteral("UNO\r\nDUE\nTRE"));
        QCOMPARE(title->lines, QStringList({"UNO", "DUE", "TRE"}));
        title->clearLines();
        title->addLine(QStringLiteral("SOLA"));
        QCOMPARE(title->lines, QStringList({"SOLA"}));

        // The list windows' formula: 12.822 units a line are 3.3925 mm.
        TextObject* body = report.text(QStringLiteral("txtRiepilogo"));
        body->setHeightUnits(12.822 * 100);
        QVERIFY(qAbs(body->height - 339.25) < 0.005);
        QVERIFY(qAbs(body->heightUnits() - 1282.2) < 1e-9);
        body->setTopUnits(body->topUnits() + 96);
        QVERIFY(qAbs(body->top - 25.4) < 1e-9);
    }

    void pageSizes_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("turn");
        QTest::addColumn<QSizeF>("size");
        QTest::newRow("A4 portrait") << 0 << false << QSizeF(210, 297);
        QTest::newRow("A4 landscape") << 1 << false << QSizeF(297, 210);
        QTest::newRow("A4 landscape turned to portrait") << 1 << true << QSizeF(210, 297);
        QTest::newRow("custom 203 x 327") << 2 << false << QSizeF(203, 327);
        QTest::newRow("custom turned to landscape") << 2 << true << QSizeF(327, 203);
    }
    void pageSizes()
    {
        QFETCH(int, which);
        QFETCH(bool, turn);
        QFETCH(QSizeF, size);
        const TemplateDef* defs[] = {&sheetTemplate, &listTemplate, &slipTemplate};
        Template report(*defs[which]);
        if (turn)
            report.page().setOrientation(report.page().orientation == Orientation::Portrait ? Orientation::Landscape
                                                                                            : Orientation::Portrait);
        exported(report, QStringLiteral("size.pdf"));
        const QString pageSize = PdfReadBack::infoValue(path(QStringLiteral("size.pdf")), QStringLiteral("Page size"));
        const QStringList parts = pageSize.split(QLatin1Char(' '));
        QVERIFY2(parts.size() >= 3, qPrintable(pageSize));
        QVERIFY2(near(parts[0].toDouble() * PdfReadBack::mmPerPoint, size.width()), qPrintable(pageSize));
        QVERIFY2(near(parts[2].toDouble() * PdfReadBack::mmPerPoint, size.height()), qPrintable(pageSize));
        QCOMPARE(PdfReadBack::infoValue(path(QStringLiteral("size.pdf")), QStringLiteral("Pages")),
                 QStringLiteral("1"));
    }

    // Texts land where the template puts them, inside the margins, as each alignment says.
    void textPositions()
    {
        Template report(sheetTemplate);
        const Document pdf = exported(report, QStringLiteral("sheet.pdf"));
        QCOMPARE(pdf.pages.size(), 1);

        const Word left = only(pdf, QStringLiteral("SINISTRA"));
        QVERIFY2(near(left.box.left(), 30), qPrintable(QString::number(left.box.left())));
        QVERIFY2(near(left.box.top(), 40), qPrintable(QString::number(left.box.top())));

        const Word right = only(pdf, QStringLiteral("DESTRA"));
        QVERIFY2(near(right.box.right(), 90), qPrintable(QString::number(right.box.right())));
        QVERIFY(near(right.box.top(), 55));

        const Word centre = only(pdf, QStringLiteral("CENTRO"));
        QVERIFY2(near(centre.box.center().x(), 60), qPrintable(QString::number(centre.box.center().x())));

        const Word bottom = only(pdf, QStringLiteral("BASSO"));
        QVERIFY2(bottom.box.bottom() <= 60 + tolerance && bottom.box.bottom() > 55,
                 qPrintable(QString::number(bottom.box.bottom())));

        // Two lines of one object, one under the other.
        const Word first = only(pdf, QStringLiteral("PRIMA"));
        const Word second = only(pdf, QStringLiteral("SECONDA"));
        QVERIFY(near(first.box.top(), 110));
        QVERIFY(near(second.box.left(), 100));
        QVERIFY(second.box.top() >= first.box.bottom() - tolerance);

        // Centred vertically on a filled strip, white on teal.
        const Word filled = only(pdf, QStringLiteral("FONDO"));
        QVERIFY(near(filled.box.center().y(), 175));
        const QImage page = PdfReadBack::render(path(QStringLiteral("sheet.pdf")), 0, 300);
        QVERIFY(!page.isNull());
        QVERIFY(similar(page.pixelColor((QPointF(32, 172) * 300 / 25.4).toPoint()), QColor(0x00, 0x80, 0x80)));
        const QRectF strip = filledArea(page, QPointF(32, 172), 300);
        QVERIFY(near(strip.left(), 30) && near(strip.top(), 170) && near(strip.right(), 110)
                && near(strip.bottom(), 180));
    }

    // Letters that a font may join into one glyph ("ff", "fi", "ffl") stay letters of their own, so
    // the PDF's text is searched and copied as written, in every font and way the templates print.
    void lettersAreNeverJoined_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("condense");
        QTest::newRow("Verdana") << "Verdana" << false << 0 << false;
        QTest::newRow("Verdana bold") << "Verdana" << true << 0 << false;
        QTest::newRow("Arial") << "Arial" << false << 0 << false;
        QTest::newRow("Tahoma rotated") << "Tahoma" << false << 90 << false;
        QTest::newRow("Courier New") << "Courier New" << false << 0 << false;
        QTest::newRow("Times New Roman bold") << "Times New Roman" << true << 0 << false;
        QTest::newRow("Verdana condensed") << "Verdana" << false << 0 << true;
    }
    void lettersAreNeverJoined()
    {
        QFETCH(QString, font);
        QFETCH(bool, bold);
        QFETCH(int, rotation);
        QFETCH(bool, condense);
        const QStringList words = {"tariffa", "ufficio", "affluenza", "fiore", "flusso", "Tariffa"};
        Template report(sheetTemplate);
        TextObject* object = report.text(QStringLiteral("txtACapo"));
        object->font = font;
        object->bold = bold;
        object->rotation = rotation;
        object->condense = condense;
        object->wordWrap = false;
        object->width = rotation ? 8 : 180;
        object->height = rotation ? 150 : 8;
        object->setText(words.join(QLatin1Char(' '))
                        + (condense ? QStringLiteral(" tariffa ufficio tariffa") : QString()));
        const Document pdf = exported(report, QStringLiteral("ligatures.pdf"));
        QVERIFY(pdf.ok());
        for (const QString& word : words)
            QVERIFY2(pdf.contains(word), qPrintable(pdf.pageText(0)));
    }

    void rotatedText()
    {
        Template report(sheetTemplate);
        const Document pdf = exported(report, QStringLiteral("rotated.pdf"));
        const Word word = only(pdf, QStringLiteral("RUOTATO"));
        QVERIFY2(!word.text.isEmpty(), qPrintable(pdf.pageText(0)));
        QVERIFY2(word.box.height() > 2 * word.box.width(), "a rotated word stands upright");
        // It starts at the bottom of its object and reads upwards; its top at the object's left.
        const QRectF object(170, 110, 6, 40);
        QVERIFY2(near(word.box.bottom(), object.bottom()), qPrintable(QString::number(word.box.bottom())));
        QVERIFY2(near(word.box.left(), object.left()), qPrintable(QString::number(word.box.left())));
        QVERIFY(word.box.top() > object.top());
    }

    void clippingAndWrapping()
    {
        Template report(sheetTemplate);
        const Document pdf = exported(report, QStringLiteral("clip.pdf"));
        // Word wrap off: what starts beyond the right edge is not drawn at all.
        QVERIFY(pdf.contains(QStringLiteral("VISIBILE")));
        QVERIFY(!pdf.contains(QStringLiteral("OLTRE")));
        QVERIFY(!pdf.contains(QStringLiteral("NASCOSTOLUNGHISSIMO")));
        for (const Word& word : pdf.words)
            if (near(word.box.top(), 90))
                QVERIFY2(word.box.left() < 60, qPrintable(word.text));

        // Word wrap on: lines break inside the width; lines below the height are left out.
        const Word one = only(pdf, QStringLiteral("UNO"));
        QVERIFY(near(one.box.top(), 110));
        const Word two = only(pdf, QStringLiteral("DUE"));
        QVERIFY(near(two.box.top(), 110));
        int lines = 0;
        QList<double> tops;
        for (const Word& word : pdf.words) {
            if (word.box.left() < 29.7 || word.box.right() > 70.3 || word.box.top() < 109.7 || word.box.top() > 125)
                continue;
            if (!tops.contains(word.box.top()))
                tops << word.box.top(), ++lines;
            QVERIFY2(word.box.bottom() <= 119 + tolerance, qPrintable(word.text));
        }
        QCOMPARE(lines, 2);
        QVERIFY(!pdf.contains(QStringLiteral("TREDICI")));
    }

    // A line too wide for a condensing object: narrower letters first, then smaller ones down to
    // 4 pt, never clipped while 4 pt suffice; a line that fits is drawn exactly as without the flag.
    void condensedLines_data()
    {
        QTest::addColumn<double>("room"); // the object's width against the line's natural width
        QTest::addColumn<bool>("narrower");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("whole");
        QTest::newRow("fits: as without condensing") << 1.2 << false << false << true;
        QTest::newRow("slightly wide: narrower letters") << 0.85 << true << false << true;
        QTest::newRow("far too wide: narrower and smaller") << 0.45 << true << true << true;
        QTest::newRow("beyond 4 pt: clipped at 4 pt") << 0.12 << true << true << false;
    }
    void condensedLines()
    {
        QFETCH(double, room);
        QFETCH(bool, narrower);
        QFETCH(bool, smaller);
        QFETCH(bool, whole);
        const QString line = QStringLiteral("SETTANTASETTEMILIONISETTECENTOSETTANTASETTEMILA/77");
        Template report(condenseTemplate);
        TextObject* condensed = report.text(QStringLiteral("txtStretto"));
        TextObject* plain = report.text(QStringLiteral("txtNormale"));
        // The line's natural width, read from where a right-aligned copy of it starts.
        TextObject probe(*plain);
        probe.width = 1000;
        probe.align = HAlign::Right;
        const double natural = 1000 - layoutText(probe, {line}).at(0).x;
        QVERIFY(natural > 50);
        condensed->width = plain->width = natural * room;
        condensed->setText(line);
        plain->setText(line);

        const std::vector<LaidLine> laid = layoutText(*condensed, condensed->lines);
        const std::vector<LaidLine> clipped = layoutText(*plain, plain->lines);
        QCOMPARE(laid.size(), size_t(1));
        QCOMPARE(laid[0].stretch < 100, narrower);
        QCOMPARE(laid[0].size < condensed->size, smaller);
        QVERIFY(laid[0].size >= 4.0);
        QVERIFY(laid[0].stretch >= 70);
        QCOMPARE(laid[0].text == line, whole);
        if (!narrower) {
            // Fitting: the very same line as an object without the flag draws.
            QCOMPARE(laid[0].text, clipped[0].text);
            QCOMPARE(laid[0].x, clipped[0].x);
            QCOMPARE(laid[0].baseline, clipped[0].baseline);
            QCOMPARE(laid[0].size, clipped[0].size);
        }

        // Read back: the condensed line is whole and inside its object; the plain twin is cut.
        const Document pdf = exported(report, QStringLiteral("condensed.pdf"));
        const QRectF box(20, 40, condensed->width, condensed->height);
        const QList<Word> words = pdf.wordsInside(box);
        QCOMPARE(words.size(), 1);
        QCOMPARE(words[0].text == line, whole);
        // A clipped line keeps its last glyph in the text layer, cut where it is drawn.
        const double slack = whole ? tolerance : 4 * 25.4 / 72;
        QVERIFY2(words[0].box.right() <= box.right() + slack, qPrintable(QString::number(words[0].box.right())));
        QVERIFY(words[0].box.left() >= box.left() - tolerance);
        QCOMPARE(pdf.count(line), whole ? (room < 1 ? 1 : 2) : 0);
    }

    void expressions()
    {
        Clock::setFixed(QDateTime(QDate(2014, 12, 1), QTime(9, 5, 7)));
        Template report(sheetTemplate);
        const Document pdf = exported(report, QStringLiteral("date.pdf"));
        QVERIFY2(pdf.pageText(0).contains(QStringLiteral("Data 01/12/2014 ora 09:05:07")), qPrintable(pdf.pageText(0)));
        QVERIFY(pdf.pageText(0).contains(QStringLiteral("Letterale [DATE]")));
        // The template keeps its bracketed text: the next preparation takes the clock again.
        Clock::setFixed(QDateTime(QDate(2015, 1, 2), QTime(23, 59, 58)));
        const Document again = exported(report, QStringLiteral("date2.pdf"));
        QVERIFY(again.pageText(0).contains(QStringLiteral("Data 02/01/2015 ora 23:59:58")));
    }

    // An SVG is drawn as shapes, a PNG as an image: both land in the same box.
    void pictureAndRule_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("imageInPdf");
        QTest::newRow("png") << QByteArray(TASSELLA_FIXTURES "/reports/picture.png") << true;
        QTest::newRow("svg") << QByteArray(TASSELLA_FIXTURES "/reports/picture.svg") << false;
    }

    void pictureAndRule()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, imageInPdf);
        PictureDef picture = sheetPictures[0];
        picture.image = file.constData();
        TemplateDef def = sheetTemplate;
        def.pictures = std::span<const PictureDef>(&picture, 1);
        Template report(def);
        exported(report, QStringLiteral("picture.pdf"));
        QFile written(path(QStringLiteral("picture.pdf")));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll().contains("/Subtype /Image"), imageInPdf);
        const QImage page = PdfReadBack::render(path(QStringLiteral("picture.pdf")), 0, 150);
        QVERIFY(!page.isNull());
        const auto pixel = [&](double xMm, double yMm) {
            return page.pixelColor(int(xMm / 25.4 * 150), int(yMm / 25.4 * 150));
        };
        // The picture (yellow inside a white border) fills 160..177 x 13..26 mm.
        const QColor yellow(0xF2, 0xC0, 0x2E);
        const auto close = similar;
        QVERIFY(close(pixel(168.5, 19.5), yellow));
        QVERIFY(close(pixel(158, 19.5), Qt::white));
        QVERIFY(close(pixel(168.5, 11), Qt::white));
        // The rule at 190 mm from the top, from 30 to 150 mm.
        QVERIFY(pixel(90, 190).lightness() < 160);
        QVERIFY(close(pixel(90, 191.5), Qt::white));
        QVERIFY(close(pixel(155, 190), Qt::white));
    }

    // A body taller than the page goes on over the next page; title first page only, footer after
    // the last line.
    void splitBody()
    {
        Clock::setFixed(QDateTime(QDate(2014, 12, 1), QTime(9, 5, 7)));
        Template report(listTemplate);
        fillList(report, 100);
        QVERIFY(qAbs(report.text(QStringLiteral("txtRiepilogo"))->height - 339.25) < 0.005);
        const Document pdf = exported(report, QStringLiteral("list.pdf"));
        QCOMPARE(PdfReadBack::infoValue(path(QStringLiteral("list.pdf")), QStringLiteral("Pages")),
                 QStringLiteral("2"));
        QCOMPARE(pdf.pages.size(), 2);

        const QList<Word> titles = pdf.find(QStringLiteral("Riepilogo"));
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.front().page, 0);
        QVERIFY(near(titles.front().box.center().x(), 10 + 2 + 273.0 / 2));

        // Every line exactly once, in order, pages filled from the top.
        int previousPage = 0;
        double previousTop = 0;
        for (int n = 1; n <= 100; ++n) {
            const Word word = only(pdf, bodyLine(n).left(7));
            QVERIFY2(word.page >= 0, qPrintable(bodyLine(n)));
            QVERIFY(near(word.box.left(), 13));
            if (word.page == previousPage)
                QVERIFY2(word.box.top() > previousTop, qPrintable(bodyLine(n)));
            else
                QVERIFY2(near(word.box.top(), 10), qPrintable(bodyLine(n))); // next page: at its top margin
            QVERIFY2(word.box.bottom() <= 200 + tolerance, qPrintable(bodyLine(n)));
            previousPage = word.page;
            previousTop = word.box.top();
        }
        QVERIFY(near(only(pdf, QStringLiteral("RIGA001")).box.top(), 18)); // under the 8 mm title band
        QCOMPARE(only(pdf, QStringLiteral("RIGA100")).page, 1);

        const QString footer = QStringLiteral("Stampa eseguita in data 01/12/2014 alle ore 09:05:07");
        QVERIFY(!pdf.pageText(0).contains(QStringLiteral("Stampa eseguita")));
        QVERIFY(pdf.pageText(1).contains(footer));
        const Word stampa = only(pdf, QStringLiteral("Stampa"));
        QVERIFY(stampa.box.top() > only(pdf, QStringLiteral("RIGA100")).box.bottom());
    }

    void emptyBody()
    {
        Template report(listTemplate);
        fillList(report, 0);
        const Document pdf = exported(report, QStringLiteral("empty.pdf"));
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(pdf.contains(QStringLiteral("Riepilogo")));
        // The footer follows the title and the body's 10 units.
        const Word stampa = only(pdf, QStringLiteral("Stampa"));
        QVERIFY2(near(stampa.box.top(), 10 + 8 + 2.6458 + 2), qPrintable(QString::number(stampa.box.top())));
    }

    // A band that does not fit in what is left of a page starts the next one.
    void bandsMoveToNextPage_data()
    {
        QTest::addColumn<double>("titleHeight");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("bodyPage");   // page of the first body line
        QTest::addColumn<double>("bodyTop"); // its top in mm
        QTest::addColumn<int>("footerPage");
        QTest::addColumn<double>("footerTop");
        QTest::newRow("title fills the first page") << 190.0 << 3 << 1 << 10.0 << 1 << 10 + 3 * 3.3925 + 2.6458 + 2;
        QTest::newRow("footer after a full body") << 8.0 << 52 << 0 << 18.0 << 1 << 12.0;
        QTest::newRow("all on one page") << 8.0 << 50 << 0 << 18.0 << 0 << 18 + 50 * 3.3925 + 2.6458 + 2;
    }
    void bandsMoveToNextPage()
    {
        QFETCH(double, titleHeight);
        QFETCH(int, lines);
        QFETCH(int, bodyPage);
        QFETCH(double, bodyTop);
        QFETCH(int, footerPage);
        QFETCH(double, footerTop);
        Template report(listTemplate);
        report.band(QStringLiteral("ReportTitle"))->height = titleHeight;
        fillList(report, lines);
        const Document pdf = exported(report, QStringLiteral("bands.pdf"));
        const Word first = only(pdf, QStringLiteral("RIGA001"));
        QCOMPARE(first.page, bodyPage);
        QVERIFY2(near(first.box.top(), bodyTop), qPrintable(QString::number(first.box.top())));
        const Word footer = only(pdf, QStringLiteral("Stampa"));
        QCOMPARE(footer.page, footerPage);
        QVERIFY2(near(footer.box.top(), footerTop), qPrintable(QString::number(footer.box.top())));
        QCOMPARE(pdf.pages.size(), footerPage + 1);
    }

    // Margins shift the whole content, also below zero.
    void marginsShiftContent_data()
    {
        QTest::addColumn<double>("top");
        QTest::addColumn<double>("left");
        QTest::newRow("zero") << 0.0 << 0.0;
        QTest::newRow("down and right") << 5.0 << 3.0;
        QTest::newRow("up and left") << -5.0 << -3.0;
        QTest::newRow("up only") << -2.0 << 0.0;
    }
    void marginsShiftContent()
    {
        QFETCH(double, top);
        QFETCH(double, left);
        Template report(slipTemplate);
        report.page().setOrientation(Orientation::Portrait);
        report.page().topMargin = top;
        report.page().leftMargin = left;
        report.text(QStringLiteral("txtCodFisc_C_16"))->setText(QStringLiteral("K"));
        report.text(QStringLiteral("txtCapRes_C_01"))->setText(QStringLiteral("Q"));
        const Document pdf = exported(report, QStringLiteral("margins.pdf"));
        QCOMPARE(pdf.pages.size(), 1);
        QVERIFY(near(pdf.pages.front().width(), 203));

        // Rotated single characters centred in their 5 x 4 boxes.
        const Word k = only(pdf, QStringLiteral("K"));
        QVERIFY2(near(k.box.center().y(), 7.8 + 2 + top), qPrintable(QString::number(k.box.center().y())));
        QVERIFY2(k.box.left() >= 146 + left - tolerance && k.box.right() <= 151 + left + tolerance,
                 qPrintable(QString::number(k.box.left())));
        const Word q = only(pdf, QStringLiteral("Q"));
        QVERIFY2(near(q.box.left(), 178 + left), qPrintable(QString::number(q.box.left())));
        const Word name = only(pdf, QStringLiteral("ESECUTORE"));
        QVERIFY(near(name.box.bottom(), 321 + top));
        QVERIFY(near(name.box.left(), 145 + left));
    }

    void pdfMetadataAndOverwrite()
    {
        const QString file = path(QStringLiteral("Esecutore.pdf"));
        QVERIFY(TestSupport::writeAll(file, QByteArray(100000, 'x')));
        Template report(sheetTemplate);
        report.pdf().fileName = file;
        QVERIFY(exportPdf(report));
        QVERIFY(TestSupport::readAll(file).startsWith("%PDF"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Title")), QStringLiteral("Titolo di prova"));
        QVERIFY(PdfReadBack::infoValue(file, QStringLiteral("Creator")).contains(QStringLiteral("Officina Tessera")));
        // The document information holds the subject and the author too, not the XMP packet alone.
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Subject")), QStringLiteral("Soggetto di prova"));
        QCOMPARE(PdfReadBack::infoValue(file, QStringLiteral("Author")), QStringLiteral("Officina Tessera"));
        const QString meta = PdfReadBack::info(file, true);
        QVERIFY2(meta.contains(QStringLiteral("<dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">Soggetto di "
                                              "prova</rdf:li>")),
                 qPrintable(meta));
        QVERIFY(meta.contains(QStringLiteral("<dc:creator><rdf:Seq><rdf:li>Officina Tessera</rdf:li>")));
    }

    void pdfExportFailure()
    {
        Template report(sheetTemplate);
        report.pdf().fileName = path(QStringLiteral("no-such-folder/out.pdf"));
        QString error;
        QVERIFY(!exportPdf(report, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!QFile::exists(report.pdf().fileName));

        // A folder that refuses the new file: the earlier file stays as it was.
        QVERIFY(QDir().mkpath(path(QStringLiteral("locked"))));
        const QString earlier = path(QStringLiteral("locked/kept.pdf"));
        QVERIFY(TestSupport::writeAll(earlier, "earlier"));
        {
            ReadOnly guard(path(QStringLiteral("locked")));
            REQUIRE_READ_ONLY(guard);
            report.pdf().fileName = earlier;
            error.clear();
            QVERIFY(!exportPdf(report, &error));
            QVERIFY(!error.isEmpty());
        }
        QCOMPARE(TestSupport::readAll(earlier), QByteArray("earlier"));
    }

    // The printer path draws the same pages as the PDF export.
    void printThroughDialog()
    {
        Clock::setFixed(QDateTime(QDate(2014, 12, 1), QTime(9, 5, 7)));
        Template report(listTemplate);
        fillList(report, 100);
        report.prepare();
        const QString file = path(QStringLiteral("printed.pdf"));
        PrintDialog::setNextAccept(file);
        QCOMPARE(print(report, nullptr), PrintResult::Printed);
        const Document pdf = PdfReadBack::words(file);
        QCOMPARE(pdf.pages.size(), 2);
        QVERIFY(near(pdf.pages.front().width(), 297));
        QVERIFY(near(pdf.pages.front().height(), 210));
        QVERIFY(near(only(pdf, QStringLiteral("RIGA001")).box.top(), 18));
        QVERIFY(near(only(pdf, QStringLiteral("RIGA001")).box.left(), 13));
        QVERIFY(pdf.pageText(1).contains(QStringLiteral("Stampa eseguita in data 01/12/2014 alle ore 09:05:07")));

        Template slip(slipTemplate);
        slip.page().topMargin = -5;
        slip.text(QStringLiteral("txtCapRes_C_01"))->setText(QStringLiteral("Q"));
        slip.prepare();
        const QString slipFile = path(QStringLiteral("slip.pdf"));
        PrintDialog::setNextAccept(slipFile);
        QCOMPARE(print(slip, nullptr), PrintResult::Printed);
        const Document slipPdf = PdfReadBack::words(slipFile);
        QVERIFY(near(slipPdf.pages.front().width(), 203));
        QVERIFY(near(slipPdf.pages.front().height(), 327));
        QVERIFY(near(only(slipPdf, QStringLiteral("Q")).box.left(), 178));
        QVERIFY(near(only(slipPdf, QStringLiteral("Q")).box.center().y(), 24.8 + 2 - 5));
    }

    // The page range chosen in the print dialog: only those pages go to the printer.
    void printsTheChosenPageRange_data()
    {
        QTest::addColumn<int>("from"); // 0: all pages
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("pages"); // -1: nothing printed
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("absent");
        QTest::newRow("all") << 0 << 0 << 2 << "RIGA100"
                             << "";
        QTest::newRow("first only") << 1 << 1 << 1 << "RIGA001"
                                    << "RIGA100";
        QTest::newRow("second only") << 2 << 2 << 1 << "RIGA100"
                                     << "RIGA001";
        QTest::newRow("beyond the last") << 2 << 9 << 1 << "RIGA100"
                                         << "RIGA001";
        QTest::newRow("no such pages") << 3 << 5 << -1 << ""
                                       << "";
    }
    void printsTheChosenPageRange()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, pages);
        QFETCH(QString, present);
        QFETCH(QString, absent);
        Template report(listTemplate);
        fillList(report, 100);
        report.prepare();
        const QString file = path(QStringLiteral("range-%1-%2.pdf").arg(from).arg(to));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        if (from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(from, to);
        }
        const PrintResult result = printPrepared(printer, report);
        if (pages < 0) {
            QCOMPARE(result, PrintResult::Cancelled);
            QVERIFY(!QFile::exists(file));
            return;
        }
        QCOMPARE(result, PrintResult::Printed);
        const Document pdf = PdfReadBack::words(file);
        QCOMPARE(int(pdf.pages.size()), pages);
        QVERIFY(near(pdf.pages.front().width(), 297));
        QVERIFY(!pdf.find(present).isEmpty());
        if (!absent.isEmpty())
            QVERIFY(pdf.find(absent).isEmpty());
    }

    void cancelledPrintPrintsNothing()
    {
        MessageBox::setTestMode(true);
        Template report(sheetTemplate);
        report.prepare();
        PrintDialog::setNextCancel();
        QCOMPARE(print(report, nullptr), PrintResult::Cancelled);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void previewWindow()
    {
        Template report(listTemplate);
        fillList(report, 100);
        report.prepare();
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* window = TestSupport::openDialog<PreviewWindow>();
            QVERIFY(window);
            QVERIFY(window->isModal());
            for (const char* name : {"btnStampa", "btnZoomPiu", "btnZoomMeno", "btnSchermoIntero", "btnChiudi"})
                QVERIFY2(TestSupport::child<QPushButton>(window, name), name);
            QTRY_COMPARE(window->view()->pageCount(), 2);
            QCOMPARE(window->view()->zoomFactor(), 1.0);
            QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnZoomPiu"), Qt::LeftButton);
            QVERIFY(window->view()->zoomFactor() > 1.0);
            QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnSchermoIntero"), Qt::LeftButton);
            QVERIFY(window->isFullScreen());
            // Print from the preview goes through the print dialog too.
            PrintDialog::setNextAccept(path(QStringLiteral("from-preview.pdf")));
            QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnStampa"), Qt::LeftButton);
            QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnChiudi"), Qt::LeftButton);
            checked = true;
        });
        preview(report, nullptr);
        QVERIFY(checked);
        QVERIFY(!TestSupport::openDialog<PreviewWindow>());
        QCOMPARE(PdfReadBack::words(path(QStringLiteral("from-preview.pdf"))).pages.size(), 2);
    }

    void previewOffersOnlyNamedButtons()
    {
        Template report(closeOnlyTemplate);
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* window = TestSupport::openDialog<PreviewWindow>();
            QVERIFY(window);
            QVERIFY(!TestSupport::child<QPushButton>(window, "btnStampa"));
            QVERIFY(!TestSupport::child<QPushButton>(window, "btnZoomPiu"));
            QVERIFY(!TestSupport::child<QPushButton>(window, "btnSchermoIntero"));
            QTest::mouseClick(TestSupport::child<QPushButton>(window, "btnChiudi"), Qt::LeftButton);
            checked = true;
        });
        preview(report, nullptr);
        QVERIFY(checked);
    }

    // A real print on the default printer, where that is a CUPS PDF queue (cups-pdf) named PDF.
    void printOnCupsPdfQueue_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QRectF>("filled"); // a filled object, in mm from the paper's corner
        QTest::newRow("A4 sheet") << 0 << QSizeF(210, 297) << QRectF(30, 170, 80, 10);
        QTest::newRow("slip 203 x 327") << 2 << QSizeF(203, 327) << QRectF(146, 7.8, 5, 4);
    }
    void printOnCupsPdfQueue()
    {
        QFETCH(int, which);
        QFETCH(QSizeF, size);
        QFETCH(QRectF, filled);
        if (QPrinterInfo::defaultPrinterName() != QLatin1String("PDF"))
            QSKIP("No default CUPS printer named PDF (cups-pdf): scripts/cups-pdf-queue.sh prepares one");
        const QDateTime started = QDateTime::currentDateTime().addSecs(-2);
        const QString job = QStringLiteral("TassellaProva%1").arg(QDateTime::currentMSecsSinceEpoch());

        // The job title is the template's name: a unique one finds the file the queue writes.
        const QByteArray name = job.toUtf8();
        TemplateDef def = which == 0 ? sheetTemplate : slipTemplate;
        def.name = name.constData();
        Template report(def);
        if (which == 2) {
            TextObject* box = report.text(QStringLiteral("txtCodFisc_C_16"));
            box->fill = rgb(0x008080);
            box->clearLines();
        }
        report.prepare();
        PrintDialog::setNextAccept(QString()); // the default printer, as the dialog offers it
        QCOMPARE(print(report, nullptr), PrintResult::Printed);

        const QStringList folders{QDir::homePath() + QStringLiteral("/PDF"), QStringLiteral("/var/spool/cups-pdf")};
        QString found;
        const auto look = [&] {
            for (const QString& folder : folders) {
                QDirIterator it(folder, {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QFileInfo info(it.next());
                    // The file counts once the queue has finished writing it: pdfinfo reads its page size.
                    if (info.fileName().contains(job) && info.lastModified() >= started
                        && PdfReadBack::pageSize(info.filePath()).isValid())
                        found = info.filePath();
                }
            }
            return !found.isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(look(), 60000);
        const QString pageSize = PdfReadBack::infoValue(found, QStringLiteral("Page size"));
        const QStringList parts = pageSize.split(QLatin1Char(' '));
        QVERIFY2(parts.size() >= 3, qPrintable(pageSize));
        // The queue's converter writes the page size in whole points.
        const double pointMm = PdfReadBack::mmPerPoint;
        QVERIFY2(qAbs(parts[0].toDouble() * pointMm - size.width()) <= pointMm, qPrintable(pageSize));
        QVERIFY2(qAbs(parts[2].toDouble() * pointMm - size.height()) <= pointMm, qPrintable(pageSize));
        // The queue's converter turns text into shapes: the place is checked on a filled object.
        const QImage page = PdfReadBack::render(found, 0, 300);
        const QPointF probe = filled.topLeft() + QPointF(0.5, 0.5); // clear of the text
        QVERIFY(similar(page.pixelColor((probe * 300 / 25.4).toPoint()), QColor(0x00, 0x80, 0x80)));
        const QRectF area = filledArea(page, probe, 300);
        QVERIFY2(
            near(area.left(), filled.left()) && near(area.top(), filled.top()) && near(area.right(), filled.right())
                && near(area.bottom(), filled.bottom()),
            qPrintable(
                QStringLiteral("%1 %2 %3 %4").arg(area.left()).arg(area.top()).arg(area.right()).arg(area.bottom())));
        QFile::remove(found);
    }
};

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
