#pragma once
// The slip editor: opens a yearly archive, fills in one TD 451 slip on a form that imitates
// the paper one, saves it, browses and duplicates slips and opens the windows that work on them.
// The year open and the slip shown are a SlipYear, which the windows that read the same year are
// given; the labels lblFile and lblPosizione only show it. The dialogs it opens hand their results
// back through the interfaces it implements.

#include "data/RecordEditor.h"
#include "lists/Promemoria.h"
#include "slips/SlipYear.h"
#include "windows/RecordForm.h"
#include "windows/Targets.h"
#include "windows/Windows.h"

#include <QSharedPointer>
#include <memory>

namespace Ui {
class Bollettino;
}

class TfrmBollettino : public Workspace,
                       public SlipTarget,
                       public SlipSource,
                       public PayerTarget,
                       public TariffTarget,
                       public DateTarget,
                       public AttachmentTarget,
                       public DueSlipTarget {
    Q_OBJECT
public:
    explicit TfrmBollettino(QWidget* parent = nullptr);
    ~TfrmBollettino() override;

    // The year open and the slip shown.
    const QSharedPointer<SlipYear>& year() const { return m_year; }

    QSharedPointer<const SlipYear> slipYear() const override { return m_year; }
    // A slip chosen in a list or the search (after asking about a change to the slip shown).
    bool takeSlip(const Record& slip, qint64 position) override;
    SlipFill::SlipValues shownSlip() const override;
    // A payer chosen in the payer search: the fields a slip carries; the slip keeps its number.
    bool takePayer(const Record& payer, qint64 position) override;
    void takeTariffCode(const QString& code) override;
    // The due date.
    void takeDate(const QDate& date) override;
    AttachmentSlots attachments() const override;
    void setAttachments(const AttachmentSlots& attached) override;
    // A slip chosen in the reminder list: the editor shown in place of from, with the slip's year
    // open and the slip loaded (after asking about a change to the slip shown).
    void openSlip(QWidget* from, const QString& year, const Record& slip, qint64 position) override;
    // Where each field of the record is shown (empty until the window is first shown).
    const RecordForm::Fields& fields() const { return m_fields; }

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving with a changed slip asks first.
    void closeEvent(QCloseEvent* event) override;

private:
    void setUp() override;
    void bindFields();
    void openYear();
    void addReminderCommand();
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
    void showAccessError();

    void applyLook();

    std::unique_ptr<Ui::Bollettino> m_ui;
    QSharedPointer<SlipYear> m_year;
    // The record's attachments, which no control shows: the attachment window reads and changes them.
    AttachmentSlots m_attached;
    RecordForm::Fields m_fields;
    RecordForm::Changes m_changes;
    bool m_styled = false;
};
