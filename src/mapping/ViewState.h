#pragma once
// The map view's position as the core keeps it: the view origin (the row and
// column at the centre of the map, which are also the scroll bar positions,
// and the level shown), the refresh lock, the map bounds, and the view
// refresh (Refresh) and centring (CenterOnCurrentRoom) that keep them. The GUI binds to
// it: it reads the origin and the bounds, sets the lock while a mouse
// button is held, and hooks the two notifications to update the status bar
// and repaint.
//
// The view origin copies. Every room carries DX, DY, DL, and a refresh is
// meant to give every room of the shown zone the current origin. Rewriting
// 20 000 rooms on each step of the player would cost far more than the step
// itself, so the refresh only records the origin (RoomOrigin) and the rooms
// of the shown zone are stamped with it when their values are needed:
//   - FlushOrigin() writes it into every room of the zone; call it before
//     the shown zone is written to its file (the file keeps DX, DY, DL);
//   - a refresh that finds another zone shown first flushes the zone that
//     was shown before, then stamps the new one.
// So a saved zone carries exactly the origin of its last refresh. A room
// created while the refresh is locked gets the live origin (DX, DY, DL)
// at once, as NewRoomAt always does; a later flush overwrites it with the
// refreshed origin like the next refresh would. Painting must place rooms
// by RoomOrigin(), not by the rooms' own DX/DY/DL fields.
//
// Checked marks last until the next refresh. The refresh clears the marks
// it knows of: rooms marked through MarkChecked, and -- after the shown zone
// changed or InvalidateRooms() was called -- every room of the zone. Code
// that sets Checked directly on rooms of the shown zone calls
// InvalidateRooms() (or uses MarkChecked).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mapping/MapBounds.h"
#include "model/World.h"

namespace trellan {

struct ViewOrigin {
    std::int32_t DX = 0;  // row at the centre (vertical scroll bar position)
    std::int32_t DY = 0;  // column at the centre (horizontal scroll bar position)
    std::int32_t DL = 0;  // the level shown (CurrentLevel)
    bool operator==(const ViewOrigin&) const = default;
};

// The refresh lock.
enum class RefreshLockState : std::uint8_t {
    Free,             // refreshes do everything
    Held,             // a mouse button is held on the map or the window closes:
                      // refreshes skip the rooms and the status bar
    SkipNextRefresh,  // the next refresh skips them, then the lock is Free
};

class ViewState {
public:
    // The world must outlive the view state.
    explicit ViewState(World& world);

    // The live origin: scroll bar positions and CurrentLevel. Assign freely,
    // then call Refresh.
    std::int32_t DX = 0;
    std::int32_t DY = 0;
    std::int32_t DL = 0;
    ViewOrigin Origin() const { return {DX, DY, DL}; }

    RefreshLockState RefreshLock = RefreshLockState::Free;

    // The bounding box of the shown zone: widened by NewRoomAt, recomputed
    // by CenterOnCurrentRoom (or RecomputeBounds).
    MapBounds Bounds;

    // Called by every refresh that is not locked, after the rooms: update the
    // status bar (level, current room number and name, note) and the level
    // buttons (LevelUpEnabled, LevelDownEnabled).
    std::function<void()> StatusRefreshRequested;
    // Called by every refresh, locked or not: repaint the map.
    std::function<void()> RepaintRequested;

    // The view refresh: unless locked, the rooms of the shown zone take the
    // live origin, the Checked marks are cleared and the status bar is asked
    // to update; then the map is repainted.
    void Refresh();
    // Centres the view on CurrentRoom (marking it Selected) when it is in the
    // shown zone, otherwise on the middle of the zone; recomputes the bounds,
    // keeps the level inside them and refreshes.
    void CenterOnCurrentRoom();

    // The origin the rooms of the shown zone carry since the last refresh.
    const ViewOrigin& RoomOrigin() const { return roomOrigin_; }
    // Writes RoomOrigin into DX, DY, DL of every room of the zone it belongs
    // to, when that has not been done since the last refresh.
    void FlushOrigin();

    // Sets the room's Checked mark until the next refresh.
    void MarkChecked(MudRoom* room);
    // The next refresh visits every room of the shown zone (after rooms were
    // marked Checked behind the view's back or the world was replaced).
    void InvalidateRooms();

    // Recomputes Bounds over the shown zone's rooms (an empty zone keeps
    // them). The result is remembered: it is scanned again only after the
    // zone changed, rooms were removed, moved by the mapping classes, or
    // InvalidateBounds was called.
    void RecomputeBounds();
    // For code that moves rooms of the shown zone around other than through
    // Placement and Linker.
    void InvalidateBounds() { boundsValid_ = false; }
    // Widens Bounds by a room just added to the shown zone.
    void RoomAdded(std::int32_t x, std::int32_t y, std::int32_t l);

    bool LevelUpEnabled() const { return DL < Bounds.MaxL; }
    bool LevelDownEnabled() const { return DL > Bounds.MinL; }

private:
    void StampShownZone();

    World& world_;
    ViewOrigin roomOrigin_;
    std::string originZone_;  // the zone roomOrigin_ belongs to
    bool originPending_ = false;
    bool fullPass_ = true;
    std::vector<MudRoom*> checked_;
    bool boundsValid_ = false;
    std::string boundsZone_;
    std::size_t boundsCount_ = 0;
};

}  // namespace trellan
