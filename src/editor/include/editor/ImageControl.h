#pragma once
// An image control with its own drawing canvas: the editor's map, palette
// and current-tile pictures. What is drawn on the canvas stays until drawn
// over; mouse presses, moves and releases go to the window's handlers in the
// control's own pixel coordinates (moves without a button only when mouse
// tracking is on). A disabled control takes no mouse input but still shows
// its picture.

#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

namespace gravlin {

class ImageControl : public QWidget {
  public:
    ImageControl(int width, int height, QWidget* parent);

    QImage Canvas;
    // A frame drawn over the canvas (not into it), such as the chosen
    // palette slot; none when empty.
    QRect Highlight;

    std::function<void(Qt::MouseButton, int, int)> OnMouseDown;
    std::function<void(int, int)> OnMouseMove;
    std::function<void(Qt::MouseButton, int, int)> OnMouseUp;
    // The pointer left the control.
    std::function<void()> OnLeave;
    // The mouse wheel turned by whole notches: positive away from the user.
    std::function<void(int)> OnWheel;
    // The tooltip for a point, or an empty text for none.
    std::function<QString(int, int)> ToolTipAt;

    // Resizes the control and its canvas (cleared to black).
    void SetImageSize(int width, int height);
    void SetHighlight(const QRect& frame);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    int wheelAngle_ = 0; // turned since the last whole notch
};

} // namespace gravlin
