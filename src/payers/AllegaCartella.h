#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class AllegaCartella;
}
class QLineEdit;
class QPushButton;

// The attachments of the payer or slip in the caller: three slots of a file name, kept in the
// shared folder Documenti_Allegati, and a description. The slots go back to the caller named by
// the tag only with "Applica e chiudi"; files chosen are copied into the folder at once.
class TfrmAllegaCartella : public Dialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
    ~TfrmAllegaCartella() override;

    // Opens the attachments of editor (its hidden labels lblFile01 to lblDesc03, trimmed, into the
    // slots), handing them back to the window the tag names.
    static TfrmAllegaCartella* openFor(QWidget* editor, const QString& tag);

private:
    void setUp() override;
    struct Slot {
        QLineEdit* file;
        QLineEdit* description;
        QPushButton* open;
    };

    void browse(const Slot& slot);
    void openFile(const Slot& slot);
    void apply();

    std::unique_ptr<Ui::AllegaCartella> m_ui;
};
