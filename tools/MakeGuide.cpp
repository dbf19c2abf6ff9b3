// Build tool: turns the user guide's Markdown source into "Guida.pdf" for the program folder.
//   tassella_makeguide <Guida.md> <Guida.pdf>
// Every first-level heading starts a new page; pages are A4 and numbered at the foot.

#include <QFile>
#include <QGuiApplication>
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
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: tassella_makeguide <Guida.md> <Guida.pdf>\n";
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
    document.setMarkdown(QString::fromUtf8(source.readAll()), QTextDocument::MarkdownDialectGitHub);

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
