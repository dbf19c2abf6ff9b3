#pragma once
// A picture or text that acts as a command: clickable images, caption strips and links.
// It signals pressed and released (links change colour while held) and clicked on release inside.
// Given a focus policy (Behaviour::installCommands does it from a window's table) it is reached by
// Tab, shows a frame in the program's focus colour while it has the focus, and Enter or Space
// clicks it. Screen readers see it as a push button (a link when it looks like one) that their
// Press action clicks.

#include <QLabel>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget* parent = nullptr);

    // Runs the command, as a click does; nothing while disabled.
    void click();
    // Whether it shows as a text link rather than as a picture or strip.
    bool isLink() const;

signals:
    void pressed();
    void released();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
