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

} // namespace Behaviour
