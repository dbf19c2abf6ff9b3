#include "reports/Report.h"

#include "data/SafeWrite.h"

#include "data/Maker.h"
#include "reports/ReportLayout.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

namespace Report {

namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// The XMP packet, for readers that prefer it to the document information; it replaces Qt's own
// packet whole.
QByteArray xmpMetadata(const PdfSettings& pdf, const QString& author, const QString& creator)
{
    const QString xmp =
        QStringLiteral(
            "<?xpacket begin=\"\uFEFF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
            " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
            "  <rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"\n"
            "    xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\">\n"
            "   <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
            "   <dc:description><rdf:Alt><rdf:li xml:lang=\"x-default\">%2</rdf:li></rdf:Alt></dc:description>\n"
            "   <dc:creator><rdf:Seq><rdf:li>%3</rdf:li></rdf:Seq></dc:creator>\n"
            "   <xmp:CreatorTool>%4</xmp:CreatorTool>\n"
            "   <pdf:Producer>%4</pdf:Producer>\n"
            "  </rdf:Description>\n"
            " </rdf:RDF>\n"
            "</x:xmpmeta>\n"
            "<?xpacket end=\"w\"?>")
            .arg(escaped(pdf.title), escaped(pdf.subject), escaped(author), escaped(creator));
    return xmp.toUtf8();
}

// A PDF text string: UTF-16BE with its byte-order mark, in hexadecimal, so any letter survives.
QByteArray pdfText(const QString& text)
{
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + '>';
}

// Qt's writer puts only the title, the creator and the producer into the document information
// dictionary, the one that pdfinfo and file managers read. An incremental update appended to the
// file replaces that dictionary with a complete one: a new object, a cross-reference section for
// it, and a trailer that points to it and back to the original section.
bool appendDocumentInfo(QByteArray& bytes, const PdfSettings& pdf, const QString& author, const QString& creator)
{
    const qsizetype trailerAt = bytes.lastIndexOf("trailer");
    const qsizetype startxrefAt = bytes.lastIndexOf("startxref");
    if (trailerAt < 0 || startxrefAt < trailerAt)
        return false;
    const QByteArray trailer = bytes.mid(trailerAt, startxrefAt - trailerAt);
    const QByteArray previous = bytes.mid(startxrefAt + 9).trimmed().split('\n').value(0).trimmed();
    const auto value = [&trailer](const char* pattern) {
        const QRegularExpressionMatch match =
            QRegularExpression(QString::fromLatin1(pattern)).match(QString::fromLatin1(trailer));
        return match.hasMatch() ? match.captured(1).toLatin1() : QByteArray();
    };
    const QByteArray size = value(R"(/Size\s+(\d+))");
    const QByteArray root = value(R"(/Root\s+(\d+\s+\d+\s+R))");
    const QByteArray id = value(R"((/ID\s*\[[^\]]*\]))");
    bool numbers = false;
    const int object = size.toInt(&numbers);
    if (!numbers || root.isEmpty() || previous.toLongLong() <= 0)
        return false;
    // The creation date of Qt's own dictionary stays; a fresh one when none is found.
    const QByteArray original = bytes.left(trailerAt);
    const QRegularExpressionMatch created = QRegularExpression(QStringLiteral(R"(/CreationDate\s*\((D:[0-9Z+'-]+)\))"))
                                                .match(QString::fromLatin1(original));
    const QByteArray creationDate = created.hasMatch()
        ? created.captured(1).toLatin1()
        : QDateTime::currentDateTimeUtc().toString(QStringLiteral("'D:'yyyyMMddhhmmss'Z'")).toLatin1();

    if (!bytes.endsWith('\n'))
        bytes += '\n';
    const qsizetype objectAt = bytes.size();
    bytes += QByteArray::number(object) + " 0 obj\n<<\n/Title " + pdfText(pdf.title) + "\n/Subject "
        + pdfText(pdf.subject) + "\n/Author " + pdfText(author) + "\n/Creator " + pdfText(creator) + "\n/Producer "
        + pdfText(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())) + "\n/CreationDate (" + creationDate
        + ")\n>>\nendobj\n";
    const qsizetype xrefAt = bytes.size();
    bytes += "xref\n0 1\n0000000000 65535 f \n" + QByteArray::number(object) + " 1\n"
        + QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    bytes += "trailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " + root + "\n/Info "
        + QByteArray::number(object) + " 0 R\n/Prev " + previous + '\n';
    if (!id.isEmpty())
        bytes += id + '\n';
    bytes += ">>\nstartxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    return true;
}

} // namespace

bool exportPdf(Template& report, QString* error)
{
    const PdfSettings& pdf = report.pdf();
    const QString author = pdf.author.isEmpty() ? Maker::name : pdf.author;
    const QString creator = pdf.creator.isEmpty() ? Maker::name + QStringLiteral(" - Tassella") : pdf.creator;
    const PreparedReport& prepared = report.prepared();
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (pdf.fileName.isEmpty())
        return fail(QStringLiteral("nessun nome di file"));

    // Drawn in memory first (one page weighs little), then written whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(pdf.title);
        writer.setCreator(creator);
        writer.setDocumentXmpMetadata(xmpMetadata(pdf, author, creator));
        writer.setPageLayout(prepared.pageLayout());
        drawn = prepared.render(writer);
    }
    buffer.close();
    if (!drawn)
        return fail(QStringLiteral("PDF non disegnato"));
    QByteArray bytes = buffer.data();
    if (!appendDocumentInfo(bytes, pdf, author, creator))
        return fail(QStringLiteral("PDF senza trailer"));

    // Written aside and put in place at the end: a failed export leaves an earlier file whole.
    // The flush is checked before the commit, which would otherwise put a short file in place.
    // QSaveFile writes the file a link points to: a link in the file's place is taken away instead.
    if (SafeWrite::isLink(pdf.fileName) && !QFile::remove(pdf.fileName))
        return fail(QStringLiteral("collegamento non rimovibile"));
    QSaveFile file(pdf.fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace Report
