#include "editor/ImageControl.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <QToolTip>
#include <QWheelEvent>

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

void ImageControl::SetHighlight(const QRect& frame) {
    if (frame == Highlight) return;
    Highlight = frame;
    update();
}

bool ImageControl::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString text = ToolTipAt ? ToolTipAt(help->pos().x(), help->pos().y()) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}

void ImageControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Canvas);
    if (Highlight.isEmpty()) return;
    // A white frame inside a black one: seen on every tile.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(Highlight.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(Highlight.adjusted(2, 2, -2, -2));
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

void ImageControl::leaveEvent(QEvent* event) {
    if (OnLeave) OnLeave();
    QWidget::leaveEvent(event);
}

void ImageControl::wheelEvent(QWheelEvent* event) {
    if (!OnWheel) return QWidget::wheelEvent(event);
    // One notch is 120; a fine-grained wheel or touchpad sends less at a time.
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / 120;
    wheelAngle_ -= notches * 120;
    if (notches != 0) OnWheel(notches);
    event->accept();
}

} // namespace gravlin
