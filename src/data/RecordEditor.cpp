#include "data/RecordEditor.h"

#include "data/CodePage.h"

namespace RecordEditor {

QString accessText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                          "possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

QString emptyArchiveText()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

Decision save(const QString& position, qint64 count)
{
    const QString p = CodePage::trimmed(position);
    if (p.isEmpty())
        return {.action = Action::Append};
    bool number = false;
    const qint64 n = p.toLongLong(&number);
    // Only plain digits name a record: "+3" or " 3" typed elsewhere would not be a number here.
    bool digits = number;
    for (QChar c : p)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digits || n < 1 || n > count)
        return {.message = {MessageKind::Warning, accessText()}};
    return {.action = Action::Overwrite, .record = n};
}

Decision saved(const Decision& save, qint64 written, const QString& insertedText, const QString& changedText)
{
    return {.action = Action::None,
            .record = written,
            .message = {MessageKind::Information, save.action == Action::Append ? insertedText : changedText},
            .position = QString::number(written)};
}

Decision move(Move move, const QString& position, qint64 count)
{
    const QString p = CodePage::trimmed(position);
    const qint64 current = p.toLongLong(); // a new record (empty) counts as 0
    qint64 target = 0;
    switch (move) {
    case Move::First: target = 1; break;
    case Move::Last: target = count; break;
    case Move::Next: target = current < count ? current + 1 : 0; break;
    case Move::Previous: target = p.isEmpty() ? 1 : (current >= 2 ? current - 1 : 0); break;
    }
    if (target < 1 || target > count)
        return {};
    return {.action = Action::Load, .record = target, .position = QString::number(target)};
}

namespace {
bool same(const Record& a, const Record& b)
{
    if (&a.layout() != &b.layout())
        return false;
    for (int i = 0; i < a.layout().fieldCount(); ++i)
        if (a.text(i) != b.text(i))
            return false;
    return true;
}
} // namespace

bool changed(const Record& shown, const Record& kept, const Record& cleared)
{
    return !same(shown, kept) && !same(shown, cleared);
}

Message unsavedQuestion()
{
    return {MessageKind::Question, QStringLiteral("Salvare le modifiche alla scheda corrente?")};
}

Leave leave(Answer answer)
{
    switch (answer) {
    case Answer::Yes: return Leave::SaveFirst;
    case Answer::No: return Leave::Go;
    case Answer::Cancel: break;
    }
    return Leave::Stay;
}

} // namespace RecordEditor
