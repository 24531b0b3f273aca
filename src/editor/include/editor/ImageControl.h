#pragma once
// An image control with its own drawing canvas: the editor's map, palette
// and current-tile pictures. What is drawn on the canvas stays until drawn
// over; mouse presses, moves (while a button is held) and releases go to the
// window's handlers in the control's own pixel coordinates. A disabled
// control takes no mouse input but still shows its picture.

#include <QImage>
#include <QWidget>
#include <functional>

namespace gravlin {

class ImageControl : public QWidget {
  public:
    ImageControl(int width, int height, QWidget* parent);

    QImage Canvas;

    std::function<void(Qt::MouseButton, int, int)> OnMouseDown;
    std::function<void(int, int)> OnMouseMove;
    std::function<void(Qt::MouseButton, int, int)> OnMouseUp;

    // Resizes the control and its canvas (cleared to black).
    void SetImageSize(int width, int height);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace gravlin
