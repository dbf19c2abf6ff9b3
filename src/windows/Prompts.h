#pragma once
// The platform interfaces that show something to the user: message boxes, the open-file dialog
// and the print dialog. Each has a hook that tests use instead of the real thing.

#include "data/Message.h"
#include "data/Platform.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
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
    QPointer<QWidget> parent = {}; // the window the box was shown over
    Button defaultButton = Button::Ok;
};

// Shows a modal box over parent with the program's caption and returns the button pressed.
// Warning, error and information boxes offer OK and Cancel, confirmation Yes and No, question Yes,
// No and Cancel (Escape answers Cancel), plain OK.
//
// Every box and dialog here keeps the window it is shown over alive while it is open: closing the
// window then closes the box too (answered as Escape answers it: Cancel, or No for a confirmation)
// and the window is destroyed only after the box has returned, so the command that asked can go on
// safely in it. A command that must not go on once its window is closed asks isVisible().
Button show(QWidget* parent, Kind kind, const QString& text);
// As above; a message marked noByDefault has No as its default button.
Button show(QWidget* parent, const Message& message);

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

// A box of the message's kind with the message's own buttons (Message::buttons); returns the
// index of the button pressed (Escape answers the last one).
int choose(QWidget* parent, const Message& message);

// The box that show() runs, not yet shown: the program's caption, the kind's icon and buttons, no
// pictures on the buttons, and the text as far from the left edge as the buttons end from the right.
// Its colours come from the program's style sheet. noByDefault: No is the default button.
std::unique_ptr<QMessageBox> makeBox(QWidget* parent, Kind kind, const QString& text, bool noByDefault = false);

// Test hooks. While test mode is on no box is shown: each call records what it would show and
// answers with the next queued button, or with the box's default (OK, or Yes for a confirmation or
// question, No where the message asks for it).
void setTestMode(bool on);
void setNextAnswer(Button button);
// For choose(): the index of the button the next box answers with (else the first).
void setNextChoice(int index);
// Answers queued but not yet used by any box.
int pendingAnswers();
QList<Shown> shown();
void clearShown();

} // namespace MessageBox

namespace FileDialog {
// An open-file dialog, in Italian; returns the chosen path or an empty text when cancelled. Without
// a folder it opens where the user last chose a file, else in the user's documents folder.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder = {},
                        const QString& filter = {});
// A save-file dialog, in Italian, opening where getOpenFileName opens with the name proposed; returns
// the chosen path (with the filter's extension when the user typed none) or an empty text when
// cancelled. Replacing an existing file is asked about in the dialog.
QString getSaveFileName(QWidget* parent, const QString& caption, const QString& name, const QString& filter);
// A folder dialog (folders only, local and mounted shared drives); returns the chosen folder or an
// empty text when cancelled.
QString getExistingFolder(QWidget* parent, const QString& caption, const QString& folder = {});
// Test hooks: the next dialog answers this name without showing (an empty name is a cancel);
// names queued one after the other answer the dialogs in that order.
void setNextFileName(const QString& name);
// True while a queued name waits for a dialog; reset() forgets it and the last folder.
bool hasPending();
void reset();
// The folder the last dialog opened in (or would have, when the hook answered).
QString openedIn();
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
