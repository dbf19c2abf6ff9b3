#pragma once
// Reads a PDF back with poppler's command-line tools, independently of Qt: the words with their
// boxes in millimetres (pdftotext -bbox-layout), the document information (pdfinfo) and a page
// rendered to an image (pdftoppm).

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace PdfReadBack {

constexpr double mmPerPoint = 25.4 / 72.0;

struct Word {
    int page = 0; // from 0
    QString text;
    QRectF box; // mm from the page's top-left corner
};

struct Document {
    QList<QSizeF> pages; // mm
    QList<Word> words;

    QList<Word> find(const QString& text) const
    {
        QList<Word> found;
        for (const Word& word : words)
            if (word.text == text)
                found << word;
        return found;
    }
    bool contains(const QString& text) const { return !find(text).isEmpty(); }
    int count(const QString& text) const { return static_cast<int>(find(text).size()); }
    // pdftotext read the file and found at least one page.
    bool ok() const { return !pages.isEmpty(); }
    // The words of a page whose centre lies in area (mm).
    QList<Word> wordsInside(const QRectF& area, int page = 0) const
    {
        QList<Word> found;
        for (const Word& word : words)
            if (word.page == page && area.contains(word.box.center()))
                found << word;
        return found;
    }
    QString pageText(int page) const
    {
        QStringList texts;
        for (const Word& word : words)
            if (word.page == page)
                texts << word.text;
        return texts.join(QLatin1Char(' '));
    }
};

inline bool toolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

inline QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

inline Document words(const QString& pdf)
{
    Document document;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdf, QStringLiteral("-")}));
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attribute = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble() * mmPerPoint;
        };
        if (xml.name() == QLatin1String("page")) {
            ++page;
            document.pages << QSizeF(attribute("width"), attribute("height"));
        } else if (xml.name() == QLatin1String("word")) {
            Word word;
            word.page = page;
            word.box =
                QRectF(QPointF(attribute("xMin"), attribute("yMin")), QPointF(attribute("xMax"), attribute("yMax")));
            word.text = xml.readElementText();
            document.words << word;
        }
    }
    return document;
}

// pdfinfo's "Key: value" lines; with meta the XMP packet follows as text.
inline QString info(const QString& pdf, bool meta = false)
{
    QStringList arguments;
    if (meta)
        arguments << QStringLiteral("-meta");
    arguments << pdf;
    return QString::fromUtf8(run(QStringLiteral("pdfinfo"), arguments));
}

inline QString infoValue(const QString& pdf, const QString& key)
{
    for (const QString& line : info(pdf).split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(':')))
            return line.mid(key.size() + 1).trimmed();
    return {};
}

// The page size pdfinfo reports, in millimetres; invalid while the file is unreadable or incomplete.
inline QSizeF pageSize(const QString& pdf)
{
    const QStringList parts = infoValue(pdf, QStringLiteral("Page size")).split(QLatin1Char(' '));
    if (parts.size() < 3)
        return {};
    return QSizeF(parts[0].toDouble() * mmPerPoint, parts[2].toDouble() * mmPerPoint);
}

// The page rendered at the given resolution.
inline QImage render(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
         QString::number(page + 1), QStringLiteral("-l"), QString::number(page + 1), QStringLiteral("-singlefile"), pdf,
         stem});
    return QImage(stem + QStringLiteral(".png"));
}

} // namespace PdfReadBack
