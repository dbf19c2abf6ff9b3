// Build tool: turns the user guide's Markdown source into "Guida.pdf" for the program folder.
//   tassella_makeguide <Guida.md> <Guida.pdf> [<pictures folder>]
// Every first-level heading starts a new page; pages are A4 and numbered at the foot.
// A line of its own "![caption](shots/login.png)" puts a picture there, centred, with its caption
// below; the path is relative to the pictures folder. A missing picture stops the build.

#include <algorithm>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QTextTable>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3 && args.size() != 4) {
        QTextStream(stderr) << "usage: tassella_makeguide <Guida.md> <Guida.pdf> [<pictures folder>]\n";
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
    // then replaced by the picture and its caption.
    struct Picture {
        QString caption;
        QString path;
    };
    QList<Picture> pictures;
    QString markdown = QString::fromUtf8(source.readAll());
    static const QRegularExpression pictureLine(QStringLiteral("^!\\[([^\\]]*)\\]\\(([^)\\s]+)\\)[ \\t]*$"),
                                                QRegularExpression::MultilineOption);
    for (QRegularExpressionMatch match = pictureLine.match(markdown); match.hasMatch();
         match = pictureLine.match(markdown, match.capturedStart())) {
        pictures.append({match.captured(1), match.captured(2)});
        markdown.replace(match.capturedStart(), match.capturedLength(),
                         QStringLiteral("TASSELLAPICTURE%1").arg(pictures.size() - 1));
    }
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
        cursor.setBlockFormat(centred);
        cursor.insertImage(format);
        if (!picture.caption.isEmpty()) {
            QTextBlockFormat captionBlock = centred;
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

    const QString target = args.at(2);
    const QString temporary = target + QStringLiteral(".part");
    {
        QPdfWriter writer(temporary);
        writer.setTitle(QStringLiteral("Tassella - Guida all'utilizzo del software"));
        writer.setCreator(QStringLiteral("Tassella"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        document.print(&writer);
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QTextStream(stderr) << "cannot write " << target << "\n";
        return 1;
    }
    return 0;
}
