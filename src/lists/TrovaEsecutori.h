#pragma once
// The payer search: up to ten criteria over the payer archive, the hits as a list, and a double
// click that copies the chosen payer into the window named by the caller tag.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class TrovaEsecutori;
}
class CriteriaPanel;
class ListPanel;
class QLabel;

class TfrmTrovaEsecutori : public Dialog {
    Q_OBJECT
public:
    explicit TfrmTrovaEsecutori(QWidget* parent = nullptr);
    ~TfrmTrovaEsecutori() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void search();
    void takeOver(const QString& line);

    std::unique_ptr<Ui::TrovaEsecutori> m_ui;
    CriteriaPanel* m_criteria;
    ListPanel* m_list;
    QLabel* m_found;
    bool m_shown = false;
};
