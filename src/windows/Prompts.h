#pragma once
// The platform interfaces that show something to the user: message boxes, the open-file dialog
// and the print dialog. Each has a hook that tests use instead of the real thing.

#include "data/Message.h"
#include "data/Platform.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QMessageBox;
class QWidget;
class QPrinter;

namespace MessageBox {

using Kind = MessageKind;
enum class Button { Ok, Cancel, Yes, No };

struct Shown {
    Kind kind;
    QString text;
};

// Shows a modal box over parent with the program's caption and returns the button pressed.
// Warning, error and information boxes offer OK and Cancel, confirmation Yes and No, question Yes,
// No and Cancel (Escape answers Cancel), plain OK.
Button show(QWidget* parent, Kind kind, const QString& text);
inline Button show(QWidget* parent, const Message& message)
{
    return show(parent, message.kind, message.text);
}

inline Button warning(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Warning, text);
}
inline Button error(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Error, text);
}
inline Button information(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Information, text);
}
inline bool confirm(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Confirmation, text) == Button::Yes;
}
inline Button plain(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Plain, text);
}

// The box that show() runs, not yet shown: the program's caption, the kind's icon and buttons, no
// pictures on the buttons, and the text as far from the left edge as the buttons end from the right.
// Its colours come from the program's style sheet.
std::unique_ptr<QMessageBox> makeBox(QWidget* parent, Kind kind, const QString& text);

// Test hooks. While test mode is on no box is shown: each call records what it would show and
// answers with the next queued button, or with the box's default (OK, or Yes for a confirmation or
// question).
void setTestMode(bool on);
void setNextAnswer(Button button);
// Answers queued but not yet used by any box.
int pendingAnswers();
QList<Shown> shown();
void clearShown();

} // namespace MessageBox

namespace FileDialog {
// An open-file dialog; returns the chosen path or an empty text when cancelled.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder = {},
                        const QString& filter = {});
// Test hooks: the next dialog answers this name without showing (an empty name is a cancel).
void setNextFileName(const QString& name);
// True while a queued name waits for a dialog; reset() forgets it.
bool hasPending();
void reset();
// The caption and filter of the last dialog asked for, shown or answered by the hook.
QString lastCaption();
QString lastFilter();
} // namespace FileDialog

namespace PrintDialog {
// Shows the system's print dialog for printer; true when the user confirmed.
bool exec(QPrinter* printer, QWidget* parent);
// Test hooks: the next dialog is not shown; it confirms with the printer writing a PDF to
// pdfPath, or keeps the printer as it is when pdfPath is empty (the default printer), or cancels.
void setNextAccept(const QString& pdfPath);
void setNextCancel();
// True while a queued answer waits for a dialog; reset() forgets it.
bool hasPending();
void reset();
} // namespace PrintDialog
