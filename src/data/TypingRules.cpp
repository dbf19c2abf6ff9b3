#include "data/TypingRules.h"

#include "data/CodePage.h"

#include <algorithm>

namespace Behaviour {

QString applyRule(unsigned rules, const QString& text, int* cursor)
{
    QString out = text;
    if (rules & TrimUpper) {
        qsizetype lead = 0;
        while (lead < out.size() && out.at(lead).unicode() <= 32)
            ++lead;
        out = CodePage::trimmed(out);
        if (cursor)
            *cursor = std::clamp<int>(*cursor - static_cast<int>(lead), 0, static_cast<int>(out.size()));
    }
    if (rules & (Upper | TrimUpper))
        out = CodePage::upperAscii(out);
    return out;
}

void typeKey(unsigned rules, QString& text, QChar key)
{
    if (const std::optional<QChar> typed = keyTyped(rules, key))
        text.append(*typed);
}

QString applyExit(Exit exit, const QString& text, const QStringList& list)
{
    switch (exit) {
    case Exit::None: return text;
    case Exit::TwoDigits: return text.size() == 1 ? QLatin1Char('0') + text : text;
    case Exit::Cents:
        if (CodePage::trimmed(text).isEmpty())
            return QStringLiteral("00");
        return text.size() == 1 ? text + QLatin1Char('0') : text;
    case Exit::Trim: return CodePage::trimmed(text);
    case Exit::TrimUpper: return CodePage::upperAscii(CodePage::trimmed(text));
    case Exit::InList: return list.contains(text) ? text : QString();
    }
    return text;
}

} // namespace Behaviour
