#include "printing/SlipPreview.h"

#include "printing/SlipForm.h"

#include <QLabel>
#include <QPrintPreviewWidget>
#include <QVBoxLayout>

SlipPreview::SlipPreview(Report::Template& report, QWidget* owner)
    : Report::PreviewWindow(report, owner, [](QPainter& painter) { SlipForm::paint(painter); })
{
    setWindowTitle(QStringLiteral(" Anteprima bollettino postale"));
    auto* note = new QLabel(QStringLiteral("Il bollettino come verrà stampato con i margini indicati. "
                                           "Il disegno chiaro delle caselle non viene stampato."),
                            this);
    note->setObjectName(QStringLiteral("lblAnteprima"));
    note->setWordWrap(true);
    if (auto* column = qobject_cast<QVBoxLayout*>(layout()))
        column->insertWidget(0, note);
    // The whole sheet at once: the alignment is judged on the whole form.
    view()->fitInView();
}
