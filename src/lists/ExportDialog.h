#pragma once
// What the two export windows share: the preview grid over the archive, filled when the window
// is shown, and the export of the grid as it stands to the spreadsheet file. Each window gives its
// form, its export and where its archive is.

#include "lists/ExportGrid.h"
#include "windows/Windows.h"

class QTableView;

class ExportDialog : public Dialog {
    Q_OBJECT
public:
    ExportGrid* grid() const { return m_grid; }

protected:
    ExportDialog(QWidget* owner, const ExportDef& def);

    // Wires the form's controls (found by name) once it is set up.
    void setUpForm(const QString& helpTitle, const QString& helpBody);
    // The archive the grid shows.
    virtual QString archivePath() const = 0;

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillGrid();
    void exportFile();

    ExportGrid* m_grid;
    QTableView* m_view = nullptr;
    QString m_helpTitle;
    QString m_helpBody;
    bool m_filled = false;
};
