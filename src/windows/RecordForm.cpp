#include "windows/RecordForm.h"

#include "data/CodePage.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace RecordForm {
namespace {

template <class T> T* control(const QWidget* form, const char* prefix, const char* field)
{
    return form->findChild<T*>(QLatin1String(prefix) + QLatin1String(field));
}

} // namespace

void load(QWidget* form, const Record& record)
{
    const RecordLayout& layout = record.layout();
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const char* name = layout.name(i);
        if (auto* box = control<QCheckBox>(form, "chk", name)) {
            const Record::Flag flag = record.flag(name);
            if (flag != Record::Flag::Unknown)
                box->setChecked(flag == Record::Flag::Yes);
        } else if (auto* edit = control<QLineEdit>(form, "txt", name)) {
            edit->setText(record.text(i));
            edit->setCursorPosition(0); // a loaded text shows its beginning
        } else if (auto* combo = control<QComboBox>(form, "txt", name)) {
            combo->setEditText(record.text(i));
            if (combo->lineEdit())
                combo->lineEdit()->setCursorPosition(0);
        } else if (auto* memo = control<QPlainTextEdit>(form, "txt", name)) {
            memo->setPlainText(record.text(i));
        } else if (auto* label = control<QLabel>(form, "lbl", name)) {
            label->setText(record.text(i));
        }
    }
}

void store(const QWidget* form, Record& record)
{
    const RecordLayout& layout = record.layout();
    for (int i = 0; i < layout.fieldCount(); ++i) {
        const char* name = layout.name(i);
        if (const auto* box = control<QCheckBox>(form, "chk", name))
            record.setFlag(name, box->isChecked());
        else if (const auto* edit = control<QLineEdit>(form, "txt", name))
            record.setText(i, CodePage::trimmed(edit->text()));
        else if (const auto* memo = control<QPlainTextEdit>(form, "txt", name))
            record.setText(i, CodePage::trimmed(memo->toPlainText()));
        else if (const auto* combo = control<QComboBox>(form, "txt", name))
            record.setText(i, CodePage::trimmed(combo->currentText()));
        else if (const auto* label = control<QLabel>(form, "lbl", name))
            record.setText(i, CodePage::trimmed(label->text()));
    }
}

void connectArrows(QWidget* form, const std::function<void(RecordEditor::Move)>& move)
{
    static constexpr struct {
        const char* name;
        RecordEditor::Move move;
    } kArrows[] = {
        {"cmdPrimo", RecordEditor::Move::First},
        {"cmdIndietro", RecordEditor::Move::Previous},
        {"cmdAvanti", RecordEditor::Move::Next},
        {"cmdUltimo", RecordEditor::Move::Last},
    };
    for (const auto& arrow : kArrows) {
        auto* button = form->findChild<QAbstractButton*>(QString::fromLatin1(arrow.name));
        Q_ASSERT(button);
        QObject::connect(button, &QAbstractButton::clicked, form, [move, to = arrow.move] { move(to); });
    }
}

} // namespace RecordForm
