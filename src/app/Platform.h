#pragma once
// Every interface to the platform goes through here: message boxes, shell open, clock,
// program folder, file dialog and print dialog. Each has a hook that tests use instead of
// the real thing; in normal use the hooks are empty and the real platform answers.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;
class QPrinter;

namespace MessageBox {

enum class Kind { Warning, Error, Information, Confirmation, Plain };
enum class Button { Ok, Cancel, Yes, No };

struct Shown {
    Kind kind;
    QString text;
};

// Shows a modal box over parent with the program's caption and returns the button pressed.
// Warning, error and information boxes offer OK and Cancel, confirmation Yes and No, plain OK.
Button show(QWidget* parent, Kind kind, const QString& text);

inline Button warning(QWidget* parent, const QString& text) { return show(parent, Kind::Warning, text); }
inline Button error(QWidget* parent, const QString& text) { return show(parent, Kind::Error, text); }
inline Button information(QWidget* parent, const QString& text) { return show(parent, Kind::Information, text); }
inline bool confirm(QWidget* parent, const QString& text) { return show(parent, Kind::Confirmation, text) == Button::Yes; }
inline Button plain(QWidget* parent, const QString& text) { return show(parent, Kind::Plain, text); }

// Test hooks. While test mode is on no box is shown: each call records what it would show and
// answers with the next queued button, or with the box's default (OK, or Yes for a question).
void setTestMode(bool on);
void setNextAnswer(Button button);
QList<Shown> shown();
void clearShown();

} // namespace MessageBox

namespace Shell {
// Hands a local path, a web address or a mailto link to the desktop's "open" action.
// Reports nothing, whatever happens.
void open(const QString& target);

// Test hooks: while recording, targets are kept (as the URL that would be opened) instead of opened.
void setRecording(bool on);
QStringList opened();
void clearOpened();
} // namespace Shell

namespace Clock {
QDate today();
QDateTime now();
// Test hook: a fixed moment; an invalid one returns to the real clock.
void setFixed(const QDateTime& moment);
} // namespace Clock

namespace ProgramFolder {
// The folder that holds the executable, with a trailing separator; file names are appended to it.
QString path();
inline QString file(const QString& name) { return path() + name; }
// Test hook: use another folder (a temporary one); empty returns to the executable's folder.
void setOverride(const QString& folder);
} // namespace ProgramFolder

namespace FileDialog {
// An open-file dialog; returns the chosen path or an empty text when cancelled.
QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder = {},
                        const QString& filter = {});
// Test hook: the next dialog answers this name without showing (an empty name is a cancel).
void setNextFileName(const QString& name);
} // namespace FileDialog

namespace PrintDialog {
// Shows the system's print dialog for printer; true when the user confirmed.
bool exec(QPrinter* printer, QWidget* parent);
// Test hook: the next dialog is not shown; it confirms with the printer writing a PDF to
// pdfPath, or keeps the printer as it is when pdfPath is empty (the default printer), or cancels.
void setNextAccept(const QString& pdfPath);
void setNextCancel();
} // namespace PrintDialog
