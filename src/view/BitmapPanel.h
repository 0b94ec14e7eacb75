#pragma once
// The surface the map is drawn on: a plain widget that paints only through
// its paint hook (copying a ready off-screen image), never erases its
// background, and passes every mouse event, the pointer leaving included,
// to a handler, and the wheel to a hook.
#include <QWidget>
#include <functional>

#include "view/MapMouseHandler.h"

namespace trellan {

class BitmapPanel : public QWidget {
    Q_OBJECT

public:
    explicit BitmapPanel(QWidget* parent = nullptr);

    // Background texture number (-1 the plain panel colour).
    int ImageIndex = 0;

    std::function<void(QPainter&)> OnPaint;
    std::function<void()> OnResize;
    // The wheel; the event is accepted when the hook returns true.
    std::function<bool(QWheelEvent*)> OnWheel;
    // Not owned; may be null.
    MapMouseHandler* MouseHandler = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

}  // namespace trellan
