// Build tool: turns the user guide's Markdown source into "Guida.pdf" for the program folder.
//   tassella_makeguide [--program-version <x.y>] <Guida.md> <Guida.pdf> [<pictures folder>]
// Every first-level heading starts a new page; pages are A4 and numbered at the foot. A contents
// page ("Indice") comes before the first numbered chapter, each of its lines a link to its page,
// and the PDF has a bookmark for every chapter with its sections under it. "{{VERSIONE}}" in the
// source becomes the program's version, which the build gives. A heading never stands alone at the foot of a page, and
// a picture never leaves its caption: either goes to the next page with what follows it. A line of its own
// "![caption](shots/login.png)" puts a picture there, centred, with its caption below; the path is relative to the
// pictures folder. A missing picture stops the build.

#include <algorithm>
#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMap>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextStream>
#include <QTextTable>

namespace {

// Marks on the blocks the tool makes, kept in the block format.
constexpr int kPictureMark = QTextFormat::UserProperty + 1;

struct Heading {
    int level;
    QString title;
    QTextBlock block;
    int page = 0;   // 1-based
    double top = 0; // from the top of its page, in the layout's units
};

// Where the first line of a block stands, in the layout's units from the top of the document.
// A line of the contents page: where it stands on its page, in PDF points from the page's foot,
// and the heading it leads to.
struct Link {
    int page = 0; // 1-based
    QRectF box;
    int heading = 0;
};

double lineTop(const QTextDocument& document, const QTextBlock& block)
{
    const QRectF box = document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return box.top();
    return box.top() + layout->lineAt(0).y(); // the box starts at the block's place, its lines below
}

double lineBottom(const QTextDocument& document, const QTextBlock& block)
{
    const QRectF box = document.documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return box.bottom();
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    return box.top() + last.y() + last.height();
}

int pageOf(const QTextDocument& document, double y)
{
    return int(y / document.pageSize().height());
}

void relayout(QTextDocument& document)
{
    document.markContentsDirty(0, document.characterCount());
    document.documentLayout()->documentSize(); // laid out whole now
}

bool keepsWithNext(const QTextBlock& block)
{
    return block.blockFormat().headingLevel() > 0 || block.blockFormat().hasProperty(kPictureMark);
}

// Moves blocks to the next page until no heading ends a page without its text and no picture is
// parted from its caption. A block that has to move takes the headings just before it along.
void keepTogether(QTextDocument& document)
{
    for (int round = 0; round < 50; ++round) {
        bool moved = false;
        for (QTextBlock block = document.begin(); block.isValid() && !moved; block = block.next()) {
            const QTextBlock next = block.next();
            if (!keepsWithNext(block) || !next.isValid())
                continue;
            if (pageOf(document, lineBottom(document, block) - 1) >= pageOf(document, lineTop(document, next)))
                continue;
            QTextBlock first = block;
            while (first.previous().isValid() && first.previous().blockFormat().headingLevel() > 0
                   && first.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_AlwaysBefore)
                first = first.previous();
            if (first.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore)
                continue; // already at the top of a page: it cannot move further
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
            // Laid out again from the start: after a change in the middle the layout may keep
            // places that no longer hold.
            relayout(document);
            moved = true;
        }
        if (!moved)
            return;
    }
}

// A PDF text string for any title: UTF-16BE with its byte order mark, in hex.
QByteArray pdfText(const QString& text)
{
    QByteArray bytes = "<FEFF";
    for (const QChar c : text)
        bytes += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return bytes + '>';
}

// Adds the bookmarks and the contents page's links to the PDF that Qt wrote, as an incremental
// update at its end: outline items for the chapters (their sections under them) pointing at their
// page and height, a new version of the catalog that names them and opens the viewer with them
// shown, a link annotation per contents line with the same destination as its bookmark, and a new
// version of the list of annotations of each contents page. Qt writes no link to a place in the same
// document, and the file is our own, so its few objects are known.
bool addNavigation(const QString& path, const QList<Heading>& headings, const QList<Link>& links,
                   double pageHeightPoints, double pointsPerUnit, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray pdf = file.readAll();
    const auto fail = [error](const char* why) {
        *error = QString::fromLatin1(why);
        return false;
    };
    static const QRegularExpression startxref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    static const QRegularExpression trailerSize(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression trailerRoot(QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R"));
    static const QRegularExpression trailerInfo(QStringLiteral("/Info\\s+(\\d+)\\s+0\\s+R"));
    const QString text = QString::fromLatin1(pdf);
    const qsizetype trailerAt = text.lastIndexOf(QLatin1String("trailer"));
    const QRegularExpressionMatch xref = startxref.match(text);
    if (trailerAt < 0 || !xref.hasMatch())
        return fail("no trailer in the PDF");
    const QString trailer = text.mid(trailerAt);
    const QRegularExpressionMatch size = trailerSize.match(trailer);
    const QRegularExpressionMatch root = trailerRoot.match(trailer);
    const QRegularExpressionMatch info = trailerInfo.match(trailer);
    if (!size.hasMatch() || !root.hasMatch())
        return fail("no size or root in the PDF's trailer");
    const auto object = [&text](const QString& number) {
        const QRegularExpression start(QStringLiteral("(^|\\s)") + number + QStringLiteral(" 0 obj"));
        const QRegularExpressionMatch found = start.match(text);
        if (!found.hasMatch())
            return QString();
        const qsizetype end = text.indexOf(QLatin1String("endobj"), found.capturedEnd());
        return end < 0 ? QString() : text.mid(found.capturedEnd(), end - found.capturedEnd());
    };
    const QString catalog = object(root.captured(1));
    static const QRegularExpression pagesRef(QStringLiteral("/Pages\\s+(\\d+)\\s+0\\s+R"));
    const QRegularExpressionMatch pages = pagesRef.match(catalog);
    if (!pages.hasMatch())
        return fail("no page tree in the PDF's catalog");
    const QString tree = object(pages.captured(1));
    static const QRegularExpression kidsList(QStringLiteral("/Kids\\s*\\[([^\\]]*)\\]"));
    const QRegularExpressionMatch kids = kidsList.match(tree);
    if (!kids.hasMatch())
        return fail("no pages in the PDF's page tree");
    QStringList pageObjects;
    static const QRegularExpression reference(QStringLiteral("(\\d+)\\s+0\\s+R"));
    for (auto it = reference.globalMatch(kids.captured(1)); it.hasNext();)
        pageObjects << it.next().captured(1);

    // A heading's place: its page, at the height of its line.
    const auto destination = [&pageObjects, pageHeightPoints, pointsPerUnit](const Heading& heading) -> QByteArray {
        const double top = pageHeightPoints - heading.top * pointsPerUnit;
        return "[" + pageObjects[heading.page - 1].toLatin1() + " 0 R /XYZ 0 "
            + QByteArray::number(std::clamp(top, 0.0, pageHeightPoints), 'f', 1) + " null]";
    };

    // The outline: the root, then one item per heading in order.
    const int first = size.captured(1).toInt();
    const int outlineRoot = first;
    QList<int> parent(headings.size(), outlineRoot);
    QList<QList<int>> children(headings.size() + 1); // by heading index; the last one is the root's
    int chapter = -1;
    for (int i = 0; i < headings.size(); ++i) {
        if (headings[i].level == 1) {
            chapter = i;
            children.last() << i;
        } else if (chapter >= 0) {
            parent[i] = first + 1 + chapter;
            children[chapter] << i;
        } else {
            children.last() << i;
        }
    }
    const auto number = [first](int heading) { return first + 1 + heading; };
    QList<QByteArray> objects;
    {
        const QList<int>& top = children.last();
        objects << "<<\n/Type /Outlines\n/First " + QByteArray::number(number(top.first())) + " 0 R\n/Last "
                + QByteArray::number(number(top.last())) + " 0 R\n/Count " + QByteArray::number(top.size()) + "\n>>";
    }
    for (int i = 0; i < headings.size(); ++i) {
        const Heading& heading = headings[i];
        if (heading.page < 1 || heading.page > pageObjects.size())
            return fail("a heading beyond the last page");
        const QList<int>& siblings = parent[i] == outlineRoot ? children.last() : children[parent[i] - first - 1];
        const qsizetype at = siblings.indexOf(i);
        QByteArray item =
            "<<\n/Title " + pdfText(heading.title) + "\n/Parent " + QByteArray::number(parent[i]) + " 0 R\n";
        if (at > 0)
            item += "/Prev " + QByteArray::number(number(siblings[at - 1])) + " 0 R\n";
        if (at + 1 < siblings.size())
            item += "/Next " + QByteArray::number(number(siblings[at + 1])) + " 0 R\n";
        if (!children[i].isEmpty())
            item += "/First " + QByteArray::number(number(children[i].first())) + " 0 R\n/Last "
                + QByteArray::number(number(children[i].last())) + " 0 R\n/Count -"
                + QByteArray::number(children[i].size()) + "\n"; // sections folded until opened
        item += "/Dest " + destination(heading) + "\n>>";
        objects << item;
    }

    // The links, and the contents pages once more with them.
    const int firstLink = first + int(objects.size());
    QMap<int, QByteArrayList> pageLinks; // by page, 1-based
    for (int i = 0; i < links.size(); ++i) {
        const Link& link = links[i];
        if (link.page < 1 || link.page > pageObjects.size() || link.heading < 0 || link.heading >= headings.size())
            return fail("a contents line beyond the last page");
        const QRectF& box = link.box;
        objects << "<<\n/Type /Annot\n/Subtype /Link\n/Rect [" + QByteArray::number(box.left(), 'f', 1) + ' '
                + QByteArray::number(box.top(), 'f', 1) + ' ' + QByteArray::number(box.right(), 'f', 1) + ' '
                + QByteArray::number(box.bottom(), 'f', 1) + "]\n/Border [0 0 0]\n/P "
                + pageObjects[link.page - 1].toLatin1() + " 0 R\n/Dest " + destination(headings[link.heading]) + "\n>>";
        pageLinks[link.page] << QByteArray::number(firstLink + i) + " 0 R";
    }
    // Qt gives each page a list of annotations of its own, as an object apart or in the page; the
    // links join it.
    QList<std::pair<int, QByteArray>> pageUpdates; // object number, new body
    for (auto it = pageLinks.cbegin(); it != pageLinks.cend(); ++it) {
        const QString& pageObject = pageObjects[it.key() - 1];
        QString page = object(pageObject).trimmed();
        static const QRegularExpression listApart(QStringLiteral("/Annots\\s+(\\d+)\\s+0\\s+R"));
        static const QRegularExpression listInPage(QStringLiteral("/Annots\\s*\\["));
        const QString added = QString::fromLatin1(it.value().join(' '));
        if (const QRegularExpressionMatch apart = listApart.match(page); apart.hasMatch()) {
            QString list = object(apart.captured(1)).trimmed();
            if (!list.startsWith(QLatin1Char('[')) || !list.endsWith(QLatin1Char(']')))
                return fail("a page's annotations are not a list");
            list.insert(list.size() - 1, QLatin1Char(' ') + added + QLatin1Char(' '));
            pageUpdates.append({apart.captured(1).toInt(), list.toLatin1()});
            continue;
        }
        if (const QRegularExpressionMatch inPage = listInPage.match(page); inPage.hasMatch()) {
            page.insert(inPage.capturedEnd(), added + QLatin1Char(' '));
        } else {
            const qsizetype end = page.lastIndexOf(QLatin1String(">>"));
            if (page.contains(QLatin1String("/Annots")) || !page.startsWith(QLatin1String("<<")) || end < 0)
                return fail("a page's annotations cannot be read");
            page.insert(end, QStringLiteral("/Annots [") + added + QStringLiteral("]\n"));
        }
        pageUpdates.append({pageObject.toInt(), page.toLatin1()});
    }

    // The catalog once more, with the outline.
    QString newCatalog = catalog.trimmed();
    const qsizetype end = newCatalog.lastIndexOf(QLatin1String(">>"));
    if (end < 0)
        return fail("the PDF's catalog is not a dictionary");
    newCatalog.insert(end, QStringLiteral("/Outlines %1 0 R\n/PageMode /UseOutlines\n").arg(outlineRoot));

    QByteArray update = "\n";
    QList<qint64> offsets;
    const qint64 base = pdf.size();
    const auto put = [&](int objectNumber, const QByteArray& body) {
        offsets << base + update.size();
        update += QByteArray::number(objectNumber) + " 0 obj\n" + body + "\nendobj\n";
    };
    put(root.captured(1).toInt(), newCatalog.toLatin1());
    for (int i = 0; i < objects.size(); ++i)
        put(first + i, objects[i]);
    for (const auto& [number, body] : pageUpdates)
        put(number, body);
    const qint64 xrefAt = base + update.size();
    const auto entry = [](qint64 offset) -> QByteArray {
        return QByteArray::number(offset).rightJustified(10, '0') + " 00000 n\r\n";
    };
    update += "xref\n0 1\n0000000000 65535 f\r\n" + root.captured(1).toLatin1() + " 1\n" + entry(offsets[0]);
    update += QByteArray::number(first) + ' ' + QByteArray::number(objects.size()) + '\n';
    for (int i = 1; i <= objects.size(); ++i)
        update += entry(offsets[i]);
    for (int i = 0; i < pageUpdates.size(); ++i)
        update += QByteArray::number(pageUpdates[i].first) + " 1\n" + entry(offsets[1 + objects.size() + i]);
    update += "trailer\n<<\n/Size " + QByteArray::number(first + objects.size()) + "\n/Root "
        + root.captured(1).toLatin1() + " 0 R\n";
    if (info.hasMatch())
        update += "/Info " + info.captured(1).toLatin1() + " 0 R\n";
    update += "/Prev " + xref.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    if (!file.seek(base) || file.write(update) != update.size() || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QStringList args = QGuiApplication::arguments();
    QString version;
    if (args.size() > 2 && args.at(1) == QLatin1String("--program-version")) {
        version = args.at(2);
        args.remove(1, 2);
    }
    if (args.size() != 3 && args.size() != 4) {
        QTextStream(stderr)
            << "usage: tassella_makeguide [--program-version <x.y>] <Guida.md> <Guida.pdf> [<pictures folder>]\n";
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "cannot read " << args.at(1) << "\n";
        return 1;
    }

    QTextDocument document;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    // Picture lines become placeholders that the document's own Markdown reader leaves alone; each is
    // then replaced by the picture and its caption. The contents go before the first numbered chapter.
    struct Picture {
        QString caption;
        QString path;
    };
    QList<Picture> pictures;
    QString markdown = QString::fromUtf8(source.readAll());
    const QString versionMark = QStringLiteral("{{VERSIONE}}");
    if (markdown.contains(versionMark)) {
        if (version.isEmpty()) {
            QTextStream(stderr) << "the guide names the program's version: give it with --program-version\n";
            return 2;
        }
        markdown.replace(versionMark, version);
    }
    static const QRegularExpression pictureLine(QStringLiteral("^!\\[([^\\]]*)\\]\\(([^)\\s]+)\\)[ \\t]*$"),
                                                QRegularExpression::MultilineOption);
    for (QRegularExpressionMatch match = pictureLine.match(markdown); match.hasMatch();
         match = pictureLine.match(markdown, match.capturedStart())) {
        pictures.append({match.captured(1), match.captured(2)});
        markdown.replace(match.capturedStart(), match.capturedLength(),
                         QStringLiteral("TASSELLAPICTURE%1").arg(pictures.size() - 1));
    }
    static const QRegularExpression firstChapter(QStringLiteral("^# 1\\. "), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch chapterOne = firstChapter.match(markdown);
    if (!chapterOne.hasMatch()) {
        QTextStream(stderr) << "the guide has no chapter \"# 1. ...\"\n";
        return 1;
    }
    markdown.insert(chapterOne.capturedStart(), QStringLiteral("# Indice\n\nTASSELLACONTENTS\n\n"));
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    if (!pictures.isEmpty() && args.size() != 4) {
        QTextStream(stderr) << "the guide has pictures: give the pictures folder\n";
        return 2;
    }

    // No ligatures: "fi" stays two letters, so the PDF's text can be searched and copied as typed.
    {
        QTextCursor all(&document);
        all.select(QTextCursor::Document);
        QTextCharFormat plain;
        plain.setFontStyleStrategy(QFont::PreferNoShaping);
        all.mergeCharFormat(plain);
    }

    // Headings in the program's colours; each chapter on a new page.
    bool first = true;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        QTextCursor cursor(block);
        QTextBlockFormat format = block.blockFormat();
        format.setTopMargin(level == 1 ? 0 : 14);
        format.setBottomMargin(level == 1 ? 14 : 6);
        if (level == 1 && !first)
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        if (level == 1)
            first = false;
        cursor.setBlockFormat(format);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat chars;
        chars.setForeground(level == 1 ? QColor(0x1d, 0x3f, 0x72) : QColor(0xb0, 0x12, 0x2b));
        cursor.mergeCharFormat(chars);
    }

    // Tables with room around the text and light rules.
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setCellPadding(5);
            format.setCellSpacing(0);
            format.setBorder(0.5);
            format.setBorderBrush(QColor(0x9f, 0xb4, 0xd3));
            format.setBorderCollapse(true);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            table->setFormat(format);
        }
    }

    // The pictures, at 72 screen pixels to the inch as the desktop shows them (the document's
    // unit is 1/96 inch), never wider than the text nor taller than most of a page.
    static const QRegularExpression placeholder(QStringLiteral("^TASSELLAPICTURE(\\d+)$"));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QRegularExpressionMatch match = placeholder.match(block.text().trimmed());
        if (!match.hasMatch())
            continue;
        const Picture& picture = pictures.at(match.captured(1).toInt());
        QImage image(args.at(3) + QLatin1Char('/') + picture.path);
        if (image.isNull()) {
            QTextStream(stderr) << "missing picture " << args.at(3) << "/" << picture.path << "\n";
            return 1;
        }
        document.addResource(QTextDocument::ImageResource, QUrl(picture.path), image);
        const QSizeF shown = QSizeF(image.size()) / image.devicePixelRatio() * 0.75;
        const double scale = std::min({1.0, 620.0 / shown.width(), 760.0 / shown.height()});
        QTextImageFormat format;
        format.setName(picture.path);
        format.setWidth(shown.width() * scale);
        format.setHeight(shown.height() * scale);

        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::StartOfBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QTextBlockFormat centred = block.blockFormat();
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(8);
        centred.setBottomMargin(2);
        centred.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
        if (!picture.caption.isEmpty())
            centred.setProperty(kPictureMark, true);
        cursor.setBlockFormat(centred);
        cursor.insertImage(format);
        if (!picture.caption.isEmpty()) {
            QTextBlockFormat captionBlock = centred;
            captionBlock.clearProperty(kPictureMark);
            captionBlock.setTopMargin(0);
            captionBlock.setBottomMargin(10);
            QTextCharFormat captionChars;
            captionChars.setFontItalic(true);
            captionChars.setFontPointSize(9);
            captionChars.setForeground(QColor(0x1d, 0x3f, 0x72));
            captionChars.setFontStyleStrategy(QFont::PreferNoShaping);
            cursor.insertBlock(captionBlock, captionChars);
            cursor.insertText(picture.caption, captionChars);
        }
        block = cursor.block();
    }

    // The headings after the contents: the chapters and their sections, for the contents page and
    // the bookmarks.
    QList<Heading> headings;
    QTextBlock contentsBlock;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().trimmed() == QLatin1String("TASSELLACONTENTS"))
            contentsBlock = block;
        const int level = block.blockFormat().headingLevel();
        if (contentsBlock.isValid() && (level == 1 || level == 2))
            headings.append({level, block.text().trimmed(), block});
    }

    // The contents: a line per chapter and per section, its page number at the right.
    QTextTable* contents = nullptr;
    {
        QTextCursor cursor(contentsBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QTextTableFormat format;
        format.setBorder(0);
        format.setCellPadding(1);
        format.setCellSpacing(0);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::PercentageLength, 90), QTextLength(QTextLength::PercentageLength, 10)});
        contents = cursor.insertTable(int(headings.size()), 2, format);
        for (int row = 0; row < headings.size(); ++row) {
            const Heading& heading = headings[row];
            QTextCharFormat chars;
            chars.setFontWeight(heading.level == 1 ? QFont::Bold : QFont::Normal);
            chars.setFontStyleStrategy(QFont::PreferNoShaping);
            if (heading.level == 1)
                chars.setForeground(QColor(0x1d, 0x3f, 0x72));
            QTextCursor title = contents->cellAt(row, 0).firstCursorPosition();
            QTextBlockFormat indent;
            indent.setLeftMargin(heading.level == 1 ? 0 : 18);
            indent.setTopMargin(heading.level == 1 && row > 0 ? 6 : 0);
            title.setBlockFormat(indent);
            title.insertText(heading.title, chars);
            QTextCursor page = contents->cellAt(row, 1).firstCursorPosition();
            QTextBlockFormat right;
            right.setAlignment(Qt::AlignRight);
            right.setTopMargin(indent.topMargin());
            page.setBlockFormat(right);
            page.insertText(QStringLiteral("000"), chars); // the number once the pages are known
        }
    }

    // Laid out in pages of A4 in the document's own unit (1/96 inch) with margins of 2 cm, and drawn
    // scaled onto the writer's pages: what is measured here is what the PDF shows.
    const QString target = args.at(2);
    const QString temporary = target + QStringLiteral(".part");
    QFile::remove(temporary);
    auto pdf = std::make_unique<QPdfWriter>(temporary);
    QPdfWriter& writer = *pdf;
    writer.setTitle(QStringLiteral("Tassella - Guida all'utilizzo del software"));
    writer.setCreator(QStringLiteral("Tassella"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    constexpr double unitsPerInch = 96;
    const double margin = 2 / 2.54 * unitsPerInch;
    const QSizeF page = QPageSize(QPageSize::A4).size(QPageSize::Inch) * unitsPerInch;
    QTextFrameFormat root = document.rootFrame()->frameFormat();
    root.setMargin(margin);
    document.rootFrame()->setFrameFormat(root);
    document.setPageSize(page);

    relayout(document);
    keepTogether(document);
    for (Heading& heading : headings) {
        const double top = lineTop(document, heading.block);
        heading.page = pageOf(document, top) + 1;
        heading.top = top - (heading.page - 1) * page.height() - margin / 2;
    }
    // The numbers take the place of "000" in the contents; its lines do not change in height.
    for (int row = 0; row < headings.size(); ++row) {
        QTextCursor cell = contents->cellAt(row, 1).firstCursorPosition();
        cell.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cell.insertText(QString::number(headings[row].page));
    }
    relayout(document);
    for (const Heading& heading : headings)
        if (pageOf(document, lineTop(document, heading.block)) + 1 != heading.page) {
            QTextStream(stderr) << "the contents moved the chapters\n";
            return 1;
        }

    // Each contents line, the title and its page number, is a link to its heading.
    const double pointsPerUnit = 72.0 / unitsPerInch;
    const double pageHeightPoints = writer.pageLayout().fullRect(QPageLayout::Point).height();
    QList<Link> links;
    for (int row = 0; row < headings.size(); ++row) {
        const QTextBlock title = contents->cellAt(row, 0).firstCursorPosition().block();
        const QTextBlock number = contents->cellAt(row, 1).firstCursorPosition().block();
        const double top = std::min(lineTop(document, title), lineTop(document, number));
        const double bottom = std::max(lineBottom(document, title), lineBottom(document, number));
        const int index = pageOf(document, top);
        const double pageTop = index * page.height();
        links.append({index + 1,
                      QRectF(QPointF(margin * pointsPerUnit, pageHeightPoints - (bottom - pageTop) * pointsPerUnit),
                             QPointF((page.width() - margin) * pointsPerUnit,
                                     pageHeightPoints - (top - pageTop) * pointsPerUnit)),
                      row});
    }

    {
        QPainter painter(&writer);
        const double scale = writer.logicalDpiY() / unitsPerInch;
        const int pageCount = document.pageCount();
        for (int index = 0; index < pageCount; ++index) {
            if (index > 0)
                writer.newPage();
            const QRectF view(0, index * page.height(), page.width(), page.height());
            painter.save();
            painter.scale(scale, scale);
            painter.translate(0, -view.top());
            painter.setClipRect(view);
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            context.palette.setColor(QPalette::Text, Qt::black);
            document.documentLayout()->draw(&painter, context);
            // The page number at the foot, right.
            painter.translate(0, view.top());
            QFont font = document.defaultFont();
            font.setPixelSize(qRound(font.pointSizeF() * unitsPerInch / 72));
            painter.setFont(font);
            painter.setPen(Qt::black);
            const QString number = QString::number(index + 1);
            const QFontMetricsF metrics(font);
            painter.drawText(QPointF(page.width() - margin - metrics.horizontalAdvance(number),
                                     page.height() - margin + metrics.ascent() + 5 * unitsPerInch / 72),
                             number);
            painter.restore();
        }
    }

    // The file is complete once the writer is gone.
    pdf.reset();
    QString error;
    if (!addNavigation(temporary, headings, links, pageHeightPoints, pointsPerUnit, &error)) {
        QTextStream(stderr) << "cannot add the bookmarks and links: " << error << "\n";
        return 1;
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QTextStream(stderr) << "cannot write " << target << "\n";
        return 1;
    }
    return 0;
}
