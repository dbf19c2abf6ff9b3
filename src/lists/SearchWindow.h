#pragma once
// What the two search windows share: the criteria panel in panAvvio, the list in panContainer,
// "Cerca" counting the criteria and showing the hits (lblTrovate) in place of the criteria, and a
// double click handing the chosen line over. Each window gives only its table: the criteria, the
// print title, which archive it searches and what taking a line over does.

#include "lists/ListArchive.h"
#include "windows/ListPanel.h"
#include "windows/Windows.h"

#include <span>

class SearchWindow : public Dialog {
    Q_OBJECT
public:
    struct Kind {
        std::span<const CriterionField> criteria;
        const char* printTitle;
        ListArchive::Lines (*search)(const SearchWindow& window, const QList<RecordScan::Criterion>& criteria);
        void (*takeOver)(SearchWindow& window, const QString& line);
    };

protected:
    SearchWindow(QWidget* parent, const Kind& kind);
    // Builds the panels once the form is set up, and finishes the form.
    void build(QWidget* start, QWidget* container);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void search();

    const Kind& m_kind;
    QWidget* m_start = nullptr;
    QWidget* m_container = nullptr;
    CriteriaPanel* m_criteria = nullptr;
    ListPanel* m_list = nullptr;
    QLabel* m_found = nullptr;
    bool m_shown = false;
};
