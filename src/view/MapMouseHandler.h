#pragma once
// What the map panel does with the pointer is decided elsewhere (selecting,
// dragging, the room menu, speedwalk by double-click): the panel forwards
// its mouse events to a handler. Coordinates are the panel's client ones.
#include <QMouseEvent>

namespace trellan {

class MapMouseHandler {
public:
    virtual ~MapMouseHandler() = default;
    virtual void OnMouseDown(QMouseEvent* event) {}
    virtual void OnMouseMove(QMouseEvent* event) {}
    virtual void OnMouseUp(QMouseEvent* event) {}
    virtual void OnDoubleClick(QMouseEvent* event) {}
    virtual void OnMouseLeave() {}
};

}  // namespace trellan
