#include "editor/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

namespace gravlin {

ImageControl::ImageControl(int width, int height, QWidget* parent) : QWidget(parent) {
    SetImageSize(width, height);
}

void ImageControl::SetImageSize(int width, int height) {
    Canvas = QImage(width, height, QImage::Format_RGB32);
    Canvas.fill(Qt::black);
    setFixedSize(width, height);
    update();
}

void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Canvas);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (OnMouseDown) OnMouseDown(event->button(), p.x(), p.y());
    event->accept();
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (OnMouseMove) OnMouseMove(p.x(), p.y());
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    if (OnMouseUp) OnMouseUp(event->button(), p.x(), p.y());
    event->accept();
}

} // namespace gravlin
