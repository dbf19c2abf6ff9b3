#pragma once
// The list part that the list windows share: the find field and button, the list box lstRecords
// (a model/view list of texts in "Courier New" 11, scrollable sideways), the instructions, the
// "Stampa" and "Chiudi" buttons and the list print template. The panel builds these controls in
// the window's panContainer, so every window has the same names and the same look; the window
// fills the lines and says what a double click does.
//
// Closing the window empties the list.

#include "windows/LineModel.h"
#include "data/RecordScan.h"
#include "reports/Report.h"
#include "windows/Targets.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <span>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QWidget;

class ListPanel : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QString rigo01;       // the first instruction line
        QString printTitle;   // the title "Stampa" prints above the lines
        bool listFont = true; // false: plain items in the list's default style (the tariff list)
    };

    ListPanel(QWidget* container, const Setup& setup);
    ~ListPanel() override;

    // The instruction texts of the slip and payer lists.
    static QString rigo01Schede();
    // The look of the list windows, in the slip editor's palette.
    static void applyLook(QWidget* window);
    // A label under the list (a count, a notice), in the panel's place for it.
    QLabel* addNote(const char* name, const QString& text);

    QListView* view() const { return m_view; }
    LineModel* model() const { return m_model; }
    QLineEdit* findField() const { return m_find; }
    // The list's print template, made when first printed.
    Report::Template& report();

    // What showing a list window does first: the last find key emptied, item 0 selected (nothing
    // on an empty list), the find field emptied.
    void reset();
    void setLines(LineList lines);
    const LineList& lines() const { return m_model->lines(); }
    int selectedRow() const;
    void select(int row);
    // The selected line, or nothing when no line is selected.
    QString selectedLine() const;

    // "Trova": selects the next line holding the find text (a message on an empty list).
    void find();
    // "Stampa": the lines under the title, through the print dialog.
    void print(const QString& title);

signals:
    // A line was double-clicked, or Enter was pressed on it (it is selected).
    void chosen(const QString& line);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_container;
    LineModel* m_model;
    QListView* m_view = nullptr;
    QLineEdit* m_find = nullptr;
    std::unique_ptr<Report::Template> m_report;
    QString m_lastKey;
};

// The criteria panel of the two search windows: three instruction lines, one edit field per
// criterion (with its label, focus highlight and Enter order), lblAttendere shown from the moment
// the mouse presses "Cerca", the hidden lblConta, and the buttons "Chiudi" and "Cerca".
struct CriterionField {
    const char* edit; // "txt" + the record field it is compared with
    const char* label;
    const char* next; // where Enter moves the focus
};

class CriteriaPanel : public QObject {
    Q_OBJECT
public:
    CriteriaPanel(QWidget* container, std::span<const CriterionField> fields);

    // The criteria as typed, by record field.
    QList<RecordScan::Criterion> criteria() const;
    QLineEdit* first() const { return m_edits.first(); }
    QLabel* waiting() const { return m_waiting; }
    QLabel* count() const { return m_count; }

signals:
    void searchRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::span<const CriterionField> m_fields;
    QList<QLineEdit*> m_edits;
    QLabel* m_waiting = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_search = nullptr;
};
