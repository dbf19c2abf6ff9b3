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

// Puts the icon drawing at path (an SVG file of the resources) into label at size, or at size times
// the scale the label's window is drawn at (windows/Scaling.h), rendered again when that changes.
void showIcon(QLabel* label, const QString& path, const QSize& size);

} // namespace Artwork

namespace Artwork {
// The windows' background: a soft gradient from white at the top to pale blue at the foot.
void paintBackground(QWidget* window);
} // namespace Artwork
