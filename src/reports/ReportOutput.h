#pragma once
// Putting a prepared report on paper or on screen: the print dialog and the preview window.

#include "reports/Report.h"

#include <QDialog>

class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

namespace Report {

enum class PrintResult { Printed, Cancelled, Failed };

// Shows the print dialog (default printer, one copy) and prints the prepared pages; a cancelled
// dialog prints nothing. Prepares first when the template has never been prepared.
PrintResult print(Template& report, QWidget* parent);

// Shows the prepared pages in the modal preview window; returns when it is closed.
void preview(Template& report, QWidget* parent);

// The preview window: the pages, and the buttons the template's preview options name.
class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    PreviewWindow(Template& report, QWidget* parent);
    ~PreviewWindow() override;

    QPrintPreviewWidget* view() const { return m_view; }

private:
    void toggleFullScreen();

    Template& m_report;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view = nullptr;
    QPushButton* m_fullScreen = nullptr;
};

} // namespace Report
