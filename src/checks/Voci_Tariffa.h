#pragma once
// The fixed list of the 23 tariff codes; a double click hands the chosen code to the window that
// opened the list.

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <QStringList>
#include <memory>

namespace Ui {
class Voci_Tariffa;
}
class ListPanel;

class TfrmVoci_Tariffa : public Dialog {
    Q_OBJECT
public:
    explicit TfrmVoci_Tariffa(QWidget* parent = nullptr);
    ~TfrmVoci_Tariffa() override;

    // The entries in their fixed order: the code, "  -  " and the description.
    static QStringList entries();

    // Where a chosen code goes; without one a choice only closes the list.
    void setTarget(TariffTarget* target) { m_target = target; }
    TariffTarget* target() const { return m_target; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    void choose(const QString& entry);

    std::unique_ptr<Ui::Voci_Tariffa> m_ui;
    ListPanel* m_list;
    TariffTarget* m_target = nullptr;
    bool m_filled = false;
};
