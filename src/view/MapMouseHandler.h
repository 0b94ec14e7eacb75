#pragma once
// What the map panel does with the pointer is decided elsewhere (selecting,
// dragging, the room menu, speedwalk by double-click): the panel forwards
// its mouse events to a handler. Coordinates are the panel's client ones.
#include <QMouseEvent>

namespace trellan {

class MapMouseHandler {
public:
    virtual ~MapMouseHandler() = default;
    virtual void PanelMainMouseDown(QMouseEvent* event) {}
    virtual void PanelMainMouseMove(QMouseEvent* event) {}
    virtual void PanelMainMouseUp(QMouseEvent* event) {}
    virtual void PanelMainDblClick(QMouseEvent* event) {}
    virtual void PanelMainMouseLeave() {}
};

}  // namespace trellan
