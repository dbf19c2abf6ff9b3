#pragma once
// Reads a PDF back with poppler, as an independent check of what the program printed:
// the page size and every word with its box, in millimetres from the sheet's top-left corner.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QSizeF>
#include <QString>
#include <QXmlStreamReader>

namespace PdfText {

constexpr double mmPerPoint = 25.4 / 72.0;

struct Word {
    QString text;
    QRectF box; // mm
};

struct Document {
    bool ok = false;
    QSizeF pageSize; // mm, first page
    int pages = 0;
    QList<Word> words; // first page
    QString text;      // every word, blank-separated

    QList<Word> wordsInside(const QRectF& area) const
    {
        QList<Word> found;
        for (const Word& word : words)
            if (area.contains(word.box.center()))
                found.append(word);
        return found;
    }
    int count(const QString& wordText) const
    {
        int n = 0;
        for (const Word& word : words)
            n += word.text == wordText;
        return n;
    }
};

inline Document read(const QString& pdfPath)
{
    Document doc;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox-layout"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return doc;
    QXmlStreamReader xml(process.readAllStandardOutput());
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++doc.pages;
            if (doc.pages == 1)
                doc.pageSize = QSizeF(xml.attributes().value(QLatin1String("width")).toDouble() * mmPerPoint,
                                      xml.attributes().value(QLatin1String("height")).toDouble() * mmPerPoint);
        } else if (xml.name() == QLatin1String("word") && doc.pages == 1) {
            const auto a = xml.attributes();
            const double x0 = a.value(QLatin1String("xMin")).toDouble() * mmPerPoint;
            const double y0 = a.value(QLatin1String("yMin")).toDouble() * mmPerPoint;
            const double x1 = a.value(QLatin1String("xMax")).toDouble() * mmPerPoint;
            const double y1 = a.value(QLatin1String("yMax")).toDouble() * mmPerPoint;
            const QString text = xml.readElementText();
            doc.words.append({text, QRectF(QPointF(x0, y0), QPointF(x1, y1))});
            texts.append(text);
        }
    }
    doc.text = texts.join(QLatin1Char(' '));
    doc.ok = !xml.hasError() && doc.pages > 0;
    return doc;
}

// The page size pdfinfo reports, in millimetres.
inline QSizeF pageSize(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdfPath});
    if (!process.waitForFinished(60000))
        return {};
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(out);
    if (!match.hasMatch())
        return {};
    return QSizeF(match.captured(1).toDouble() * mmPerPoint, match.captured(2).toDouble() * mmPerPoint);
}

} // namespace PdfText
