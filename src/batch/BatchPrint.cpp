#include "batch/BatchPrint.h"

#include "printing/SlipTemplate.h"
#include "reports/Report.h"
#include "reports/ReportLayout.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace BatchPrint {

SlipFill::SlipValues values(const Record& slip)
{
    SlipFill::SlipValues out;
    for (const QString& control : SlipFill::sourceFields())
        out.texts.insert(control, slip.text(control.mid(3).toLatin1().constData()));
    for (const QString& control : SlipFill::sourceChecks())
        if (slip.flag(control.mid(3).toLatin1().constData()) == Record::Flag::Yes)
            out.checked.insert(control);
    return out;
}

void prepare(Report::Template& report, const Record& slip, int top, int left)
{
    Report::Page& page = report.page();
    page.setOrientation(Report::Orientation::Portrait);
    page.topMargin = top;
    page.leftMargin = left;
    const QHash<QString, QString> texts = SlipFill::texts(values(slip));
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
        if (Report::TextObject* object = report.text(it.key()))
            object->setText(it.value());
    report.prepare();
}

Run render(QPagedPaintDevice& device, const BatchIssue::Slips& slips, int top, int left,
           const std::function<void(int)>& progress)
{
    Run run;
    if (slips.count == 0) {
        run.ok = true;
        return run;
    }
    Report::Template report(SlipTemplate::def());
    prepare(report, slips.at(0), top, left);
    device.setPageLayout(report.prepared().pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return run;
    for (qint64 i = 0; i < slips.count; ++i) {
        if (i > 0) {
            prepare(report, slips.at(i), top, left);
            if (!device.newPage())
                return run;
        }
        report.prepared().paint(painter, 0);
        ++run.printed;
        if (progress)
            progress(run.printed);
    }
    run.ok = painter.end();
    if (!run.ok)
        run.printed = 0; // the job did not go out
    return run;
}

bool writePdf(const QString& path, const BatchIssue::Slips& slips, int top, int left, QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Written aside and put in place at the end: a failed export leaves an earlier file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    Run run;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(QStringLiteral("Bollettini postali"));
        writer.setCreator(QStringLiteral("Tassella"));
        run = render(writer, slips, top, left);
    }
    // QPdfWriter writes through the device without telling of a failed write: check the device.
    if (!run.ok || file.error() != QFileDevice::NoError || !file.flush()) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("PDF");
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

Message failedMessage(const Run& run, int total, qint64 first)
{
    if (run.printed == 0)
        return {MessageKind::Error,
                QStringLiteral("Attenzione: non \u00e8 stato possibile stampare i bollettini.\n"
                               "Verificare la stampante e riprovare.")};
    return {MessageKind::Error,
            QStringLiteral("Attenzione: la stampa si \u00e8 interrotta. Sono stati stampati %1 bollettini su %2, "
                           "dalla scheda numero %3 alla numero %4.\nVerificare la stampante e ristampare i "
                           "bollettini successivi.")
                .arg(run.printed)
                .arg(total)
                .arg(first)
                .arg(first + run.printed - 1)};
}

} // namespace BatchPrint
