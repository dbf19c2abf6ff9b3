#pragma once
// The backup window: the folder the backups go to (remembered), how many to keep, and the command
// that writes and verifies one.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class BackupArchivi;
}

class TfrmBackupArchivi : public Dialog {
    Q_OBJECT
public:
    explicit TfrmBackupArchivi(QWidget* parent = nullptr);
    ~TfrmBackupArchivi() override;

    // "Sfoglia...": the folder dialog; the folder chosen is remembered at once. False on cancel.
    bool chooseFolder();
    // "Esegui backup": asks for a folder first when none is set.
    void runBackup();
    // A folder typed into the field is remembered; false (with a warning) when it does not exist.
    bool rememberTyped();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::BackupArchivi> m_ui;
};
