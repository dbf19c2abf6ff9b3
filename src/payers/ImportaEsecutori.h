#pragma once
// "Importa esecutori": a spreadsheet chosen, its columns matched to the payer fields, its rows shown
// as they will be stored, the chosen ones appended to the payer archive (or their registry records
// updated).

#include "payers/PayerImport.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class ImportaEsecutori;
}
class PayerImportModel;
class QComboBox;

class TfrmImportaEsecutori : public Dialog {
    Q_OBJECT
public:
    explicit TfrmImportaEsecutori(QWidget* parent = nullptr);
    ~TfrmImportaEsecutori() override;

    // "Scegli file...": the open-file dialog, then the file read. False on cancel or an unreadable file.
    bool chooseFile();
    // Reads the file and shows its columns and rows.
    bool load(const QString& path);
    // "Importa".
    void importRows();

    PayerImportModel* model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The sheet split on the separator chosen, the header guessed and the columns matched again.
    void splitSheet(QChar separator);
    void showSheet(CsvFile::Table table);
    void buildColumns();
    void showAllColumns();
    void columnChosen(int column, int target);
    // The rows again, after the mapping, the header choice or the registry changed.
    void refresh();
    void showSummary();

    std::unique_ptr<Ui::ImportaEsecutori> m_ui;
    PayerImportModel* m_model;
    QString m_path;
    QByteArray m_csv; // the file's text, split again when the user chooses another separator
    std::shared_ptr<const CsvFile::Records> m_sheet;
    QList<int> m_mapping;
    QList<QComboBox*> m_columns;
};
