#pragma once
// The program's pictures: SVG drawings in the resources, rendered at the size of the label that
// shows them (sharp on high-density screens too).

#include <QPixmap>
#include <QString>

class QLabel;
class QWidget;

namespace Artwork {

// The drawing ":/art/<name>.svg" at size (in device-independent pixels).
QPixmap pixmap(const QString& name, const QSize& size);

// Puts the drawing into label, filling the label's size; a hidden label gets it when first shown.
void show(QLabel* label, const QString& name);

} // namespace Artwork

namespace Artwork {
// The windows' background: a soft gradient from white at the top to pale blue at the foot.
void paintBackground(QWidget* window);
} // namespace Artwork
