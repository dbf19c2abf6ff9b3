#pragma once
// Draws a window's form at a scale: the forms are laid out in fixed pixels for a screen of about
// 1024 × 768, and are drawn larger on large screens (as the user chooses, InterfaceSize) and smaller
// where they would not fit on the screen's free area. Every control's place and size, its font,
// the window's part of the style sheet and its pictures (rendered again at their new size, so they
// stay sharp) follow the scale.
//
// The window bases fit every window as it is shown; nothing else needs to call this.

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace Scaling {

// The scale the window is drawn at; 1 for a window never scaled.
double scaleOf(const QWidget* window);

// Draws window at scale, from the form as it was made (scaling back and forth loses nothing).
// Controls a window adds later are taken as drawn at the window's scale of that moment.
void apply(QWidget* window, double scale);

// Draws window at the scale the user's choice and its screen's free area give. form is the widget
// that holds the form at a fixed size (the window itself, or the panel centred in it).
void fitToScreen(QWidget* window, QWidget* form);

// The free area of the screen window appears on.
QRect availableArea(const QWidget* window);

} // namespace Scaling
