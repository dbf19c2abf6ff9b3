#pragma once
// Putting a prepared report on paper or on screen: the print dialog and the preview window.

#include "reports/Report.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QPainter;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace Report {

enum class PrintResult { Printed, Cancelled, Failed };

// Shows the print dialog (default printer, one copy) and prints the prepared pages; a cancelled
// dialog prints nothing. Prepares first when the template has never been prepared.
PrintResult print(Template& report, QWidget* parent);

// Prints the prepared pages on a printer whose dialog has been answered: the pages of the range
// chosen there (all when none), on the template's sheet. Printed when the pages went out,
// Cancelled when the range holds none of them, Failed when the printer could not print.
PrintResult printPrepared(QPrinter& printer, Template& report);

// Shows the prepared pages in the modal preview window; returns when it is closed.
void preview(Template& report, QWidget* parent);

// A drawing shown under every page in the preview only, never printed nor exported (the boxes of
// a pre-printed form, to check the alignment). The painter works in millimetres from the paper's
// top-left corner.
using Underlay = std::function<void(QPainter&)>;

// The preview window: the pages, and the buttons the template's preview options name. Its print
// button prints the prepared pages through the print dialog, as print() does, and the window
// stays open; the owner learns the outcome from printed().
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(Template& report, QWidget* parent, Underlay underlay = {});
    ~PreviewWindow() override;

    QPrintPreviewWidget* view() const { return m_view; }

    // One page drawn as the window shows it (with the underlay) or as it prints (without), on
    // white paper at pixelsPerMm.
    QImage pageImage(int index, double pixelsPerMm, bool withUnderlay = true) const;

signals:
    void printed(Report::PrintResult result);

private:
    void drawPage(QPainter& painter, int index, bool withUnderlay) const;
    void toggleFullScreen();

    Template& m_report;
    Underlay m_underlay;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QPushButton* m_fullScreen = nullptr;
};

} // namespace Report
