#include "reports/Report.h"

#include "data/Maker.h"
#include "reports/ReportLayout.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace Report {

namespace {

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

// Qt's PDF writer records only the title and the creator in the document information; the
// author and the subject go into the XMP metadata, which replaces Qt's own packet whole.
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

} // namespace

bool exportPdf(Template& report, QString* error)
{
    const PdfSettings& pdf = report.pdf();
    const QString author = pdf.author.isEmpty() ? Maker::name : pdf.author;
    const QString creator = pdf.creator.isEmpty() ? Maker::name + QStringLiteral(" - Tassella") : pdf.creator;
    const PreparedReport& prepared = report.prepared();

    // Written aside and put in place at the end: a failed export leaves an earlier file whole.
    QSaveFile file(pdf.fileName);
    if (pdf.fileName.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(pdf.title);
        writer.setCreator(creator);
        writer.setDocumentXmpMetadata(xmpMetadata(pdf, author, creator));
        writer.setPageLayout(prepared.pageLayout());
        drawn = prepared.render(writer);
    }
    if (!drawn) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("PDF non scritto");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace Report
