#pragma once

#include "windows/Targets.h"
#include "windows/Windows.h"

#include <memory>

namespace Ui {
class AllegaCartella;
}
class QLineEdit;
class QPushButton;

// The attachments of the payer or slip in the caller: three slots of a file name, kept in the
// shared folder Documenti_Allegati, and a description. The slots go back to the target only with
// "Applica e chiudi"; files chosen are copied into the folder at once.
class TfrmAllegaCartella : public Dialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);
    ~TfrmAllegaCartella() override;

    // Opens over owner with the target's slots, trimmed, handing them back to it.
    static TfrmAllegaCartella* openFor(QWidget* owner, AttachmentTarget& target);

    // The slots shown, and where "Applica e chiudi" hands them; without a target it does nothing.
    void setTarget(AttachmentTarget* target);
    AttachmentTarget* target() const { return m_target; }

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
    AttachmentTarget* m_target = nullptr;
};
