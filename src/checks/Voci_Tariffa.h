#pragma once
// The fixed list of the 23 tariff codes; a double click writes the chosen code into the tariff
// code field of the window named by the caller tag.

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUp() override;
    void choose(const QString& entry);

    std::unique_ptr<Ui::Voci_Tariffa> m_ui;
    ListPanel* m_list;
    bool m_filled = false;
};
