#include "view/BitmapPanel.h"

#include <QPainter>
#include <QWheelEvent>

namespace trellan {

BitmapPanel::BitmapPanel(QWidget* parent) : QWidget(parent) {
    // The whole surface is copied from the map buffer on every paint, so
    // erasing it first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void BitmapPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (OnPaint) OnPaint(painter);
}

void BitmapPanel::resizeEvent(QResizeEvent*) {
    if (OnResize) OnResize();
}

void BitmapPanel::mousePressEvent(QMouseEvent* event) {
    if (MouseHandler) MouseHandler->OnMouseDown(event);
}

void BitmapPanel::mouseMoveEvent(QMouseEvent* event) {
    if (MouseHandler) MouseHandler->OnMouseMove(event);
}

void BitmapPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (MouseHandler) MouseHandler->OnMouseUp(event);
}

void BitmapPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (MouseHandler) MouseHandler->OnDoubleClick(event);
}

void BitmapPanel::leaveEvent(QEvent*) {
    if (MouseHandler) MouseHandler->OnMouseLeave();
}

void BitmapPanel::wheelEvent(QWheelEvent* event) {
    if (OnWheel && OnWheel(event)) {
        event->accept();
        return;
    }
    QWidget::wheelEvent(event);
}

}  // namespace trellan
