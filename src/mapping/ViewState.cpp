#include "mapping/ViewState.h"

#include <algorithm>
#include <optional>

#include "mapping/LevelBounds.h"

namespace trellan {

ViewState::ViewState(World& world) : world_(world) {}

void ViewState::Refresh() {
    if (RefreshLock == RefreshLockState::Free) {
        if (world_.ShownZone() != originZone_) {
            // The zone shown before keeps the origin of its last refresh.
            FlushOrigin();
            originZone_ = world_.ShownZone();
            fullPass_ = true;
        }
        roomOrigin_ = Origin();
        originPending_ = true;
        if (fullPass_) {
            StampShownZone();
        } else {
            for (MudRoom* room : checked_) {
                // A marked room may have been removed since.
                if (world_.Contains(room)) room->Checked = false;
            }
        }
        checked_.clear();
        if (StatusRefreshRequested) StatusRefreshRequested();
    }
    if (RefreshLock == RefreshLockState::SkipNextRefresh) RefreshLock = RefreshLockState::Free;
    if (RepaintRequested) RepaintRequested();
}

void ViewState::StampShownZone() {
    for (const RoomSlot& slot : world_.ZoneRooms()) {
        MudRoom* room = slot.Room();
        room->DX = roomOrigin_.DX;
        room->DY = roomOrigin_.DY;
        room->DL = roomOrigin_.DL;
        room->Checked = false;
    }
    fullPass_ = false;
    originPending_ = false;
}

void ViewState::FlushOrigin() {
    if (!originPending_ || originZone_.empty()) return;
    for (const RoomSlot& slot : world_.RoomsOfZone(originZone_)) {
        MudRoom* room = slot.Room();
        room->DX = roomOrigin_.DX;
        room->DY = roomOrigin_.DY;
        room->DL = roomOrigin_.DL;
    }
    originPending_ = false;
}

void ViewState::MarkChecked(MudRoom* room) {
    if (room == nullptr) return;
    room->Checked = true;
    checked_.push_back(room);
}

void ViewState::InvalidateRooms() {
    fullPass_ = true;
    boundsValid_ = false;
}

void ViewState::CenterOnCurrentRoom() {
    MudRoom* current = world_.CurrentRoom;
    if (current != nullptr) {
        DL = current->L;
        current->Selected = true;
    }
    RecomputeBounds();
    DL = std::clamp(DL, Bounds.MinL, Bounds.MaxL);
    if (current != nullptr && world_.ZoneOf(current) == world_.CurrentZone) {
        DL = current->L;
        DY = current->Y;
        DX = current->X;
    } else {
        DY = Bounds.MiddleY();
        DX = Bounds.MiddleX();
    }
    Refresh();
}

void ViewState::RecomputeBounds() {
    auto rooms = world_.ZoneRooms();
    if (boundsValid_ && boundsZone_ == world_.ShownZone() && boundsCount_ == rooms.size()) return;
    const std::optional<MapBounds> zone = ZoneBounds(world_);
    if (!zone) {
        // An empty zone keeps the bounds it had; the first room widens them.
        boundsValid_ = false;
        return;
    }
    Bounds = *zone;
    boundsValid_ = true;
    boundsZone_ = world_.ShownZone();
    boundsCount_ = rooms.size();
}

void ViewState::RoomAdded(std::int32_t x, std::int32_t y, std::int32_t l) {
    Bounds.Widen(x, y, l);
    // Widening an exact box by one more room keeps it exact.
    if (boundsValid_ && boundsZone_ == world_.ShownZone() && boundsCount_ + 1 == world_.ZoneRooms().size()) {
        ++boundsCount_;
    } else {
        boundsValid_ = false;
    }
}

}  // namespace trellan
