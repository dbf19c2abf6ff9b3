#pragma once

#include "windows/Windows.h"

#include <memory>

namespace Ui {
class Guida;
}

// The help window: one help page (a title and a scrolling body) and the user guide as a PDF file.
class TfrmGuida : public Dialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    ~TfrmGuida() override;

    // The page shown: a one-line title and a body of paragraphs joined by CR LF CR LF.
    void setPage(const QString& title, const QString& body);

    // Opens a fresh help window owned by owner with the page in it.
    static TfrmGuida* showPage(QWidget* owner, const QString& title, const QString& body);

    // F1 in a window without a "Guida" command of its own shows the page HelpPages gives for its
    // class, or else for the window that opened it (a print preview). Installed once for the whole
    // program; a window's own F1 key comes first.
    static void installHelpKey();

private:
    void setUp() override;
    void openGuide();

    std::unique_ptr<Ui::Guida> m_ui;
};
