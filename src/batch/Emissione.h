#pragma once
// The batch window: chooses payers from the payer archive, takes one slip's data, saves one slip
// per ticked payer into the year's archive in one write, and prints them all in one job or one PDF.

#include "batch/BatchIssue.h"
#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>
#include <vector>

namespace Ui {
class Emissione;
}
class PayerChoiceModel;

class TfrmEmissione : public Dialog, public DateTarget {
    Q_OBJECT
public:
    explicit TfrmEmissione(QWidget* parent = nullptr);
    ~TfrmEmissione() override;

    // The due date, from the date picker.
    void takeDate(const QDate& date) override;

    // Opens a fresh batch window owned by owner; year (four digits) fills the year field when given.
    static TfrmEmissione* open(QWidget* owner, const QString& year = {});

    PayerChoiceModel* payers() const { return m_model; }
    // The slips of the last save, in record order.
    const BatchIssue::Slips& savedSlips() const { return m_saved; }

private:
    void listPayers();
    void choiceChanged();
    void showCount();
    BatchIssue::SlipData slipData() const;
    QString archivePath() const;
    void save();
    void print();
    void savePdf();
    void preview();
    // The ticked payers, in list order.
    std::vector<BatchIssue::Payer> chosenPayers() const;

    std::unique_ptr<Ui::Emissione> m_ui;
    PayerChoiceModel* m_model;
    BatchIssue::Slips m_saved;
    qint64 m_firstSaved = 0;
};
