#pragma once
// The payer editor: shows one payer of the payer archive at a time, saves it, browses the
// archive and opens the windows that serve the registry (search, recontact list, export,
// attachments, checks, tariff codes, information sheet). The payer shown is a PayerFile's
// position, which lblPosizione only shows; the dialogs it opens hand their results back through
// the interfaces it implements.

#include "data/RecordEditor.h"
#include "payers/InfoSheet.h"
#include "payers/PayerFile.h"
#include "windows/RecordForm.h"
#include "windows/Targets.h"
#include "windows/Windows.h"

#include <QSharedPointer>
#include <memory>

namespace Ui {
class Esecutori;
}

class TfrmEsecutori : public Workspace, public PayerTarget, public TariffTarget, public AttachmentTarget {
    Q_OBJECT
public:
    explicit TfrmEsecutori(QWidget* parent = nullptr);
    ~TfrmEsecutori() override;

    // The payer archive and the payer shown.
    const QSharedPointer<PayerFile>& payerFile() const { return m_file; }

    // A payer chosen in the search or the recontact list (after asking about a change to the payer shown).
    bool takePayer(const Record& payer, qint64 position) override;
    void takeTariffCode(const QString& code) override;
    AttachmentSlots attachments() const override;
    void setAttachments(const AttachmentSlots& attached) override;
    // Where each field of the record is shown (empty until the window is first shown).
    const RecordForm::Fields& fields() const { return m_fields; }
    // The texts of the payer on screen, as the information sheet prints them.
    InfoSheet::Values sheetValues() const;

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving with a changed payer asks first.
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp() override;
    void bindFields();
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
    QSharedPointer<PayerFile> m_file;
    // The record's attachments, which no control shows: the attachment window reads and changes them.
    AttachmentSlots m_attached;
    RecordForm::Fields m_fields;
    RecordForm::Changes m_changes;
    bool m_styled = false;
};
