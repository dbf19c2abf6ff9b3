#pragma once
// The slip's preview: the page exactly as the print run puts it on paper, margins included,
// over a light drawing of the form's boxes and sections, so that the alignment can be checked
// before a form is spent. The drawing exists only here; the printer never receives it.

#include "app/Windows.h"
#include "reports/ReportLayout.h"

#include <QImage>

class SlipPreviewPage;

class SlipPreview : public Dialog {
    Q_OBJECT
public:
    explicit SlipPreview(QWidget* owner = nullptr);

    void setPrepared(const Report::PreparedReport& prepared);

    // The sheet at pixelsPerMm: white paper, the form's drawing when asked, then the slip's data.
    static QImage renderSheet(const Report::PreparedReport& prepared, double pixelsPerMm, bool withForm);

private:
    SlipPreviewPage* m_page;
};
