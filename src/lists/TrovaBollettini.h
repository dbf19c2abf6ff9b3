#pragma once
// The slip search: up to ten criteria over the year open in the slip editor, the hits as a list,
// and a double click that loads the chosen slip into the slip editor.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class TrovaBollettini;
}
class CriteriaPanel;
class ListPanel;
class QLabel;

class TfrmTrovaBollettini : public Dialog {
    Q_OBJECT
public:
    explicit TfrmTrovaBollettini(QWidget* parent = nullptr);
    ~TfrmTrovaBollettini() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void search();
    void takeOver(const QString& line);

    std::unique_ptr<Ui::TrovaBollettini> m_ui;
    CriteriaPanel* m_criteria;
    ListPanel* m_list;
    QLabel* m_found;
    bool m_shown = false;
};
