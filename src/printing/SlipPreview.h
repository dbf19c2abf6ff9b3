#pragma once
// The slip's preview: the page exactly as the print run puts it on paper, margins included,
// over a light drawing of the form's boxes and sections, so that the alignment can be checked
// before a form is spent. It is the report engine's preview window, with its print and zoom
// buttons; the drawing of the form exists only here and the printer never receives it.

#include "windows/ReportOutput.h"

class SlipPreview : public Report::PreviewWindow {
    Q_OBJECT
public:
    // The slip's template, prepared with the slip and the margins.
    SlipPreview(Report::Template& report, QWidget* owner);
};
