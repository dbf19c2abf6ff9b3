#pragma once
// Putting a prepared report on paper or on screen: the print dialog and the preview window.

#include "reports/Report.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <vector>

class QLabel;
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

    // Pages too many to lay out at once (a batch of slips): each is made when it is shown. load(i)
    // fills and prepares the template for page i, whose first prepared page is then drawn; only
    // the page shown is ever drawn. The window gains the page commands (first, previous, next,
    // last; PgUp and PgDn), the page number with caption(i), and warning(i) beside the page when it
    // is not empty. The print button goes: it would print the page shown alone.
    struct PageSource {
        int count = 0;
        std::function<void(int)> load;
        std::function<QString(int)> caption = {};
        std::function<QString(int)> warning = {};
    };
    void setPageSource(PageSource source);
    // The pages of the window: the source's, or the prepared ones.
    int pageCount() const;
    // The page shown (from 0), and showing another.
    int currentPage() const { return m_current; }
    void showPage(int index);

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
    PageSource m_source;
    int m_current = 0;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_warning = nullptr;
    std::vector<QPushButton*> m_pageButtons; // first, previous, next, last
};

} // namespace Report
