#pragma once
// The look of a text link: dark blue and underlined, orange while the mouse button is held down
// on the link or on the icon beside it, dark blue again on release. The colours are the style
// sheet's (ClickLabel[link=...] in windows/resources/tassella.qss).

#include "windows/ClickLabel.h"

#include <QStyle>
#include <initializer_list>

namespace LinkLook {

inline void setColour(ClickLabel* link, bool held)
{
    link->setProperty("link", held ? QStringLiteral("held") : QStringLiteral("rest"));
    // A rule that depends on a property is matched again only when the control is polished again.
    link->style()->unpolish(link);
    link->style()->polish(link);
}

// Makes link look like a link that turns orange while link or any of pressers is held.
inline void install(ClickLabel* link, std::initializer_list<ClickLabel*> pressers)
{
    setColour(link, false);
    for (ClickLabel* presser : pressers) {
        QObject::connect(presser, &ClickLabel::pressed, link, [link] { setColour(link, true); });
        QObject::connect(presser, &ClickLabel::released, link, [link] { setColour(link, false); });
    }
}

} // namespace LinkLook
