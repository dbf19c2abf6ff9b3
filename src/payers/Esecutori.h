#pragma once
// The payer editor: shows one payer of the payer archive at a time, saves it, browses the
// archive and opens the windows that serve the registry (search, recontact list, export,
// attachments, checks, tariff codes, information sheet). Its state lives in its controls:
// lblPosizione holds the number of the payer shown, empty for a new payer.

#include "data/RecordEditor.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Esecutori;
}

class TfrmEsecutori : public Workspace {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);
    ~TfrmEsecutori() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void clearPayer();
    void newPayer();
    void save();
    void clearForOverwrite();
    void navigate(RecordEditor::Move move);
    void writeEmail();
    void checkTaxCode();
    void openAttachments();
    void showHelp();

    void applyLook();

    std::unique_ptr<Ui::Esecutori> m_ui;
    bool m_styled = false;
};
