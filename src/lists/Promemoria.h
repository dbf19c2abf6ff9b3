#pragma once
// The slips that fall due and the reminder letters: the list of the unpaid slips due within the
// period and of those already expired (find, print, a double click loads one into the slip editor),
// and beside it the payers they belong to, each with a tick, for whom the letters are printed in one
// job, saved as one PDF each or as one PDF for all, or composed as e-mails in the desktop's mail
// program with the letter attached.

#include "lists/DueDates.h"
#include "windows/Windows.h"

#include <memory>
#include <vector>

namespace Ui {
class Promemoria;
}
class ListPanel;
class QLabel;
class QListWidget;
class Record;

// The slip editor as the reminder list sees it: it shows itself in place of from, opens the year's
// archive and loads the slip chosen there.
class DueSlipTarget {
public:
    virtual void openSlip(QWidget* from, const QString& year, const Record& slip, qint64 position) = 0;

protected:
    ~DueSlipTarget() = default;
};

class TfrmPromemoria : public Dialog {
    Q_OBJECT
public:
    explicit TfrmPromemoria(QWidget* parent = nullptr);
    ~TfrmPromemoria() override;

    // Opens a fresh window owned by owner over the slips due today within the period set; with
    // payerKey (DueDates::payerKey) only that payer's. A double click hands the slip to target.
    static TfrmPromemoria* open(QWidget* owner, DueSlipTarget* target, const QString& payerKey = {});
    // Opens one over a selection already made (the start-up notice's).
    static TfrmPromemoria* open(QWidget* owner, DueSlipTarget* target, DueDates::Selection selection);

    // After the login, on the first start of a day unless switched off: tells over menu how many
    // unpaid slips fall due within the period and how many are expired, and offers their list.
    // Nothing is said when none is.
    static void offerNotice(QWidget* menu, DueSlipTarget* target);
    // The slip editor, for the windows below it that open the list (the start menu's links).
    static DueSlipTarget* slipEditor();

    // Lists a selection; with payerKey only that payer's slips.
    void setSelection(DueDates::Selection selection, const QString& payerKey = {});
    const DueDates::Selection& selection() const { return m_selection; }
    const std::vector<DueDates::Payer>& payers() const { return m_payers; }
    ListPanel* list() const { return m_list; }

private:
    void setUp() override;
    void showCount();
    std::vector<const DueDates::Payer*> chosen() const;
    // The chosen payers, or a message and nothing when none is chosen.
    std::vector<const DueDates::Payer*> chosenOrSay();
    void openSlip(const QString& line);
    void print();
    void savePdfs();
    void saveOnePdf();
    void sendEmails();

    std::unique_ptr<Ui::Promemoria> m_ui;
    ListPanel* m_list = nullptr;
    QLabel* m_note = nullptr;
    DueDates::Selection m_selection;
    DueDates::Office m_office;
    std::vector<DueDates::Payer> m_payers;
    DueSlipTarget* m_target = nullptr;
    QString m_payerKey; // the one payer listed, from the slip editor; empty: all
};
