#pragma once
// The slip editor: opens a yearly archive, fills in one TD 451 slip on a form that imitates
// the paper one, saves it, browses and duplicates slips and opens the windows that work on them.
// Its state lives in its controls: lblFile names the open archive, lblPosizione the slip shown.

#include "data/RecordEditor.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Bollettino;
}

class TfrmBollettino : public Workspace {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);
    ~TfrmBollettino() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openYear();
    void clearSlip();
    void save();
    void duplicate();
    void navigate(RecordEditor::Move move);
    void checkTaxCode();
    void openAttachments();
    void showHelp();
    void showAccessMessage(bool asError);

    void applyLook();

    std::unique_ptr<Ui::Bollettino> m_ui;
    bool m_styled = false;
};
