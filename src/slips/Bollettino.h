#pragma once
// The slip editor: opens a yearly archive, fills in one TD 451 slip on a form that imitates
// the paper one, saves it, browses and duplicates slips and opens the windows that work on them.
// Its state lives in its controls: lblFile names the open archive, lblPosizione the slip shown.

#include "data/RecordEditor.h"
#include "windows/RecordForm.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Bollettino;
}

class TfrmBollettino : public Workspace, public RecordForm::RecordTaker {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);
    ~TfrmBollettino() override;

    // A slip chosen in a list or the search (after asking about a change to the slip shown).
    bool takeRecord(const Record& record, qint64 position) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving with a changed slip asks first.
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp() override;
    void openYear();
    void newSlip();
    void clearSlip();
    void showSlip(const Record& record, qint64 position);
    void save();
    void duplicate();
    // asked: the question about a change to the record shown has been answered.
    void navigate(RecordEditor::Move move, bool asked = false);
    void checkTaxCode();
    void openAttachments();
    void showHelp();
    void showAccessMessage(bool asError);

    void applyLook();

    std::unique_ptr<Ui::Bollettino> m_ui;
    RecordForm::Changes m_changes;
    bool m_styled = false;
};
