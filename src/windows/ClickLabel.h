#pragma once
// A picture or text that acts as a command: clickable images, caption strips and links.
// It signals pressed and released (links change colour while held) and clicked on release inside.

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
