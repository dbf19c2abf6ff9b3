#pragma once
// The restore window: choose a backup, see what it holds, confirm, restore.

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Ripristina;
}

class TfrmRipristina : public Dialog {
    Q_OBJECT
public:
    explicit TfrmRipristina(QWidget* parent = nullptr);
    ~TfrmRipristina() override;

    // "Sfoglia...": the file dialog, then the backup read through and its contents shown.
    void chooseBackup();
    // "Ripristina": the question, then the restore.
    void restore();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::Ripristina> m_ui;
    QString m_path;
    QString m_moment;
};
