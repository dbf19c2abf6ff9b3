#pragma once
// What most window tests share: a temporary program folder, message boxes and shell open in test
// mode, and the 25 start-up windows created as the program creates them.

#include "CoreSupport.h"
#include "windows/Prompts.h"
#include "app/Startup.h"
#include "data/ArchivePlace.h"
#include "windows/Targets.h"
#include "windows/Windows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <initializer_list>
#include <memory>
#include <utility>

namespace TestSupport {

// A fresh program folder and fresh windows for one test; undone on destruction.
class Session {
public:
    explicit Session(bool createWindows = true)
    {
        ProgramFolder::setOverride(m_folder.path());
        MessageBox::setTestMode(true);
        Shell::setRecording(true);
        if (createWindows)
            Startup::createWindows();
    }
    ~Session()
    {
        for (QWidget* window : Windows::all())
            delete window;
        Windows::clear();
        // A queued answer that nothing used means the box or dialog the test expected never came.
        const bool unused = MessageBox::pendingAnswers() > 0 || FileDialog::hasPending() || PrintDialog::hasPending();
        FileDialog::reset();
        PrintDialog::reset();
        Windows::setEndProgramHook({});
        if (unused && !QTest::currentTestFailed())
            QTest::qFail("a queued message box, file dialog or print dialog answer was never used", __FILE__, __LINE__);
        MessageBox::setTestMode(false);
        Shell::setRecording(false);
        ProgramFolder::setOverride({});
        Clock::setFixed({});
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    QString folder() const { return m_folder.path(); }
    QString file(const QString& name) const { return ProgramFolder::file(name); }

    template <class T> static T* window() { return Windows::get<T>(); }

private:
    QTemporaryDir m_folder;
};

// The top-level dialog of class T that is open now (the newest one), or nullptr.
template <class T> T* openDialog()
{
    T* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible())
            found = dialog;
    return found;
}

// Runs the application's event loop until the program asks to end; a guard stops a loop that
// would otherwise never end, and reports it as a failure.
inline bool runsToEnd()
{
    bool guarded = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&guarded] {
        guarded = true;
        QCoreApplication::exit(1);
    });
    guard.start(20000);
    const int code = QCoreApplication::exec();
    return code == 0 && !guarded;
}

// Types text as key presses, letters outside ASCII included ("è", "ì"), which QTest::keyClicks refuses.
inline void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

template <class T = QWidget> T* child(QWidget* window, const char* name)
{
    return window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// What the window's control of that name shows: a line's or a combo box's text, a label's or a
// button's caption.
// An attachment slot of a record editor, named as its record field ("File01" .. "Desc03").
inline QString AttachmentSlot::*attachmentPart(const char* field)
{
    return field[0] == 'F' ? &AttachmentSlot::file : &AttachmentSlot::description;
}
inline size_t attachmentIndex(const char* field)
{
    const QByteArray name(field);
    Q_ASSERT(name.size() == 6 && (name.startsWith("File") || name.startsWith("Desc")));
    return size_t(name.at(5) - '1');
}
inline QString attachment(const AttachmentTarget* editor, const char* field)
{
    return editor->attachments()[attachmentIndex(field)].*attachmentPart(field);
}
inline void setAttachment(AttachmentTarget* editor, const char* field, const QString& text)
{
    AttachmentSlots attached = editor->attachments();
    attached[attachmentIndex(field)].*attachmentPart(field) = text;
    editor->setAttachments(attached);
}

inline QString textOf(QWidget* window, const char* name)
{
    QWidget* control = child(window, name);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    return QStringLiteral("<no control %1>").arg(QLatin1String(name));
}

// Clicks the middle of the window's control of that name; a missing control fails the test.
inline void click(QWidget* window, const char* name)
{
    QWidget* widget = child(window, name);
    QVERIFY2(widget, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// Gives the focus to the window's control of that name (an editable combo box keeps it in its own
// line) and waits until it has it, activating the window first where it is not active.
inline void focus(QWidget* window, const char* name)
{
    QWidget* widget = child(window, name);
    QVERIFY2(widget, name);
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    widget->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(widget->hasFocus() || widget->isAncestorOf(QApplication::focusWidget()));
}

// The name of the control that has the focus: the nearest named one, as an editable combo box
// keeps the focus in its own unnamed line.
inline QString focused()
{
    QWidget* widget = QApplication::focusWidget();
    while (widget && widget->objectName().isEmpty())
        widget = widget->parentWidget();
    return widget ? widget->objectName() : QString();
}

// Opens dialog D over owner as the owner's command does: the owner is given as the dialog's
// target, source or year wherever the dialog takes one.
template <class D, class Owner> D* openFrom(Owner* owner)
{
    return Windows::openDialog<D>(owner, [owner](D* dialog) {
        if constexpr (requires { dialog->setTarget(owner); })
            dialog->setTarget(owner);
        if constexpr (requires { dialog->setSource(owner); })
            dialog->setSource(owner);
        if constexpr (requires { dialog->setYear(owner->year()); })
            dialog->setYear(owner->year());
    });
}

// Closes every dialog a command left open.
inline void closeDialogs()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(widget) && widget->isVisible())
            widget->close();
}

// The lines a list window shows in its "lstRecords" view, top to bottom; none without the view.
inline QStringList shownLines(QWidget* window)
{
    auto* view = child<QListView>(window, "lstRecords");
    QStringList lines;
    for (int row = 0; view && row < view->model()->rowCount(); ++row)
        lines << view->model()->index(row, 0).data().toString();
    return lines;
}

// The row selected in a list window's "lstRecords" view, or -1.
inline int selectedRow(QWidget* window)
{
    const QModelIndexList rows = child<QListView>(window, "lstRecords")->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// Double-clicks a row of a list window's "lstRecords" view as the user does: a click, then a double click.
inline void doubleClick(QWidget* window, int row)
{
    auto* view = child<QListView>(window, "lstRecords");
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// The one dialog open now, or nullptr when there is none or more than one.
inline QDialog* openedDialog()
{
    QList<QDialog*> opened;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && qobject_cast<QDialog*>(widget))
            opened << qobject_cast<QDialog*>(widget);
    return opened.size() == 1 ? opened.first() : nullptr;
}

// Clicks a command of the window and checks that it opened one modal dialog of that class over the
// window; *opened is that dialog, or nullptr when a check failed.
inline void commandOpens(QWidget* window, const char* command, const QString& dialogClass, QDialog** opened)
{
    *opened = nullptr;
    click(window, command);
    QDialog* dialog = openedDialog();
    QVERIFY2(dialog, command);
    QCOMPARE(QString::fromLatin1(dialog->metaObject()->className()), dialogClass);
    QCOMPARE(dialog->parentWidget(), window);
    QVERIFY(dialog->isModal());
    *opened = dialog;
}

// Exactly one message box was shown since the last clear, of this kind and text.
inline void shownOnce(MessageBox::Kind kind, const QString& text)
{
    const QList<MessageBox::Shown> shown = MessageBox::shown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, kind);
    QCOMPARE(shown.first().text, text);
}

// The browse commands of a record editor over an archive of count records (3 or more): from a new
// record, from the middle, and at both ends.
inline void browseRows(int count)
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("loaded"); // 0: nothing happens
    const QString last = QString::number(count);
    const QString middle = QString::number(count / 2 + 1);
    const struct {
        const char* row;
        QString from;
        const char* command;
        int loaded;
    } rows[] = {
        {"new record, first", {}, "cmdPrimo", 1},
        {"new record, last", {}, "cmdUltimo", count},
        {"new record, next", {}, "cmdAvanti", 1},
        {"new record, previous", {}, "cmdIndietro", 1},
        {"middle, next", middle, "cmdAvanti", count / 2 + 2},
        {"middle, previous", middle, "cmdIndietro", count / 2},
        {"last, next", last, "cmdAvanti", 0},
        {"first, previous", QStringLiteral("1"), "cmdIndietro", 0},
        {"last, first", last, "cmdPrimo", 1},
        {"first, last", QStringLiteral("1"), "cmdUltimo", count},
    };
    for (const auto& row : rows)
        QTest::newRow(row.row) << row.from << QString::fromLatin1(row.command) << row.loaded;
}

// A record editor's browse command from a position, over a typed name: either the record loaded,
// after the question about the typed change answered No, shows its number and name, or, where
// nothing loads, nothing is said and position and typed name stay.
inline void browse(QWidget* editor, ArchivePlace& place, const QString& from, const QString& command, int loaded,
                   const QString& loadedName)
{
    place.setPositionText(from);
    child<QLineEdit>(editor, "txtEsecutore")->setText(QStringLiteral("TYPED"));
    if (loaded)
        MessageBox::setNextAnswer(MessageBox::Button::No);
    click(editor, command.toLatin1().constData());
    if (loaded)
        shownOnce(MessageBox::Kind::Question, Messages::kUnsaved);
    else
        QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(child<QLabel>(editor, "lblPosizione")->text(), loaded ? QString::number(loaded) : from);
    QCOMPARE(child<QLineEdit>(editor, "txtEsecutore")->text(), loaded ? loadedName : QStringLiteral("TYPED"));
}

// A record editor refuses to save at a position beyond the archive's end (another PC replaced the
// archive while a record was shown): the access message of that kind, the archive unchanged, the
// position kept.
inline void saveBeyondTheEndIsRefused(QWidget* editor, ArchivePlace& place, const QString& archive,
                                      MessageBox::Kind kind)
{
    const QByteArray before = readAll(archive);
    for (const char* position : {"3", "9"}) {
        MessageBox::clearShown();
        place.setPositionText(QString::fromLatin1(position));
        click(editor, "cmdSalva");
        shownOnce(kind, Messages::kAccess);
        QCOMPARE(readAll(archive), before);
        QCOMPARE(child<QLabel>(editor, "lblPosizione")->text(), QString::fromLatin1(position));
    }
}

// Chooses a period in the payment summary selection: each day and month from its combo box's list,
// an empty one cleared.
inline void choosePeriod(QWidget* selection, const QString& startDay, const QString& startMonth, const QString& endDay,
                         const QString& endMonth)
{
    const std::pair<const char*, QString> fields[] = {{"txtGiornoInizio", startDay},
                                                      {"txtMeseInizio", startMonth},
                                                      {"txtGiornoFine", endDay},
                                                      {"txtMeseFine", endMonth}};
    for (const auto& [name, value] : fields) {
        auto* field = child<QComboBox>(selection, name);
        QVERIFY2(field, name);
        const int index = value.isEmpty() ? -1 : field->findText(value);
        QVERIFY2(value.isEmpty() || index >= 0, qPrintable(value));
        field->setCurrentIndex(index);
        if (value.isEmpty())
            field->clearEditText();
    }
}

// Starts a fresh session for one test and finds its window of class T as start-up created it.
template <class T> bool start(std::unique_ptr<Session>& session, T*& window)
{
    session = std::make_unique<Session>();
    window = Session::window<T>();
    return window != nullptr;
}

// Closes the dialogs the test left open and ends its session.
template <class T> void stop(std::unique_ptr<Session>& session, T*& window)
{
    closeDialogs();
    session.reset();
    window = nullptr;
}

// A one-column table of the windows a row names: row name, tag.
inline void tagRows(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    QTest::addColumn<QString>("tag");
    for (const auto& [row, tag] : rows)
        QTest::newRow(row) << QString::fromLatin1(tag);
}

// The payer editor's 31 fields in Enter order; the two provinces are editable combo boxes.
inline const char* const kPayerFields[] = {
    "txtEsecutore",  "txtGG",           "txtMM",      "txtAA",        "txtComuneNasc", "txtProvNasc",  "txtSesso",
    "txtRecapito",   "txtIndirizzoRes", "txtProvRes", "txtComuneRes", "txtCapRes",     "txtCategoria", "txtTelCasa",
    "txtTelUff",     "txtTelCel",       "txtFax",     "txtEmail",     "txtCodFisc",    "txtCarta",     "txtScadeCarta",
    "txtPartitaIva", "txtIban",         "txtTipoDoc", "txtNumDoc",    "txtEnteRil",    "txtDataRil",   "txtDataSca",
    "txtCodTariffa", "txtQuestioni",    "txtNote",
};

} // namespace TestSupport
