#pragma once
// The payer editor: shows one payer of the payer archive at a time, saves it, browses the
// archive and opens the windows that serve the registry (search, recontact list, export,
// attachments, checks, tariff codes, information sheet). Its state lives in its controls:
// lblPosizione holds the number of the payer shown, empty for a new payer.

#include "data/RecordEditor.h"
#include "windows/RecordForm.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Esecutori;
}

class TfrmEsecutori : public Workspace, public RecordForm::RecordTaker {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);
    ~TfrmEsecutori() override;

    // A payer chosen in the search or the recontact list (after asking about a change to the payer shown).
    bool takeRecord(const Record& record, qint64 position) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving with a changed payer asks first.
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp() override;
    void clearPayer();
    void newPayer();
    void showPayer(const Record& record, qint64 position);
    void save();
    void clearForOverwrite();
    // asked: the question about a change to the record shown has been answered.
    void navigate(RecordEditor::Move move, bool asked = false);
    void writeEmail();
    void checkTaxCode();
    void openAttachments();
    void showHelp();

    void applyLook();

    std::unique_ptr<Ui::Esecutori> m_ui;
    RecordForm::Changes m_changes;
    bool m_styled = false;
};
