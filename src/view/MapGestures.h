#pragma once
// The pointer on the map: which room it is over (TargetRoom), its tooltip
// (name, zone and number), the room hint under Shift, dragging the map or a room, the right-click and the
// double-click. The editing itself is the mapping classes' work; this class
// decides which operation a gesture calls and when. It does not own the
// panel, the world, the view state, the settings or the mapping classes;
// all must outlive it.
#include <QPoint>
#include <functional>

#include "mapping/Linker.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "settings/MainSettings.h"
#include "view/MapMouseHandler.h"

class QLabel;

namespace trellan {

class MapPanel;

class MapGestures final : public MapMouseHandler {
public:
    MapGestures(MapPanel& panel, World& world, ViewState& view, const MainSettings& settings, Placement& placement,
                Linker& linker);
    ~MapGestures() override;
    MapGestures(const MapGestures&) = delete;
    MapGestures& operator=(const MapGestures&) = delete;

    void OnMouseDown(QMouseEvent* event) override;
    void OnMouseMove(QMouseEvent* event) override;
    void OnMouseUp(QMouseEvent* event) override;
    void OnDoubleClick(QMouseEvent* event) override;
    void OnMouseLeave() override;

    // The room whose number, name and note the status bar and the note box
    // show (nullptr: show nothing).
    std::function<void(const MudRoom* room)> ShowRoomInfo;
    // The room popup menu for TargetRoom at a screen point; runs to its end.
    std::function<void(const QPoint& globalPos)> OpenRoomMenu;
    // A double-click on a room: the speedwalk to TargetRoom.
    std::function<void()> SpeedwalkToTarget;
    // What a room drag changes, from its first change to the release of the
    // button, is one step for the undo history: Alt makes rooms, Ctrl links,
    // a plain drag moves the room's block.
    enum class RoomDragKind { Move, NewRoom, Link };
    std::function<void(RoomDragKind)> RoomDragBegins;
    std::function<void()> RoomDragEnds;

    bool MapDragging() const { return mapDrag_; }
    // The room hint while it is shown (for tests), else nullptr.
    QLabel* Hint() const { return hint_; }
    void HideHint();

private:
    MudRoom* RoomUnder(const QPoint& pos) const;
    void ShowHint(const QPoint& globalPos);
    // The surface's tooltip names the room (none for nullptr).
    void ShowToolTipOf(const MudRoom* room);
    void DragRoom(const QPoint& pos, Qt::KeyboardModifiers modifiers);
    void DragMap(const QPoint& pos);
    void EndRoomDrag();

    MapPanel& panel_;
    World& world_;
    ViewState& view_;
    const MainSettings& settings_;
    Placement& placement_;
    Linker& linker_;
    QLabel* hint_ = nullptr;
    // The map drag: its tag and anchor.
    bool mapDrag_ = false;
    bool roomDragStep_ = false;
    QPoint anchor_;
    std::int32_t anchorDY_ = 0;
    std::int32_t anchorDX_ = 0;
};

}  // namespace trellan
