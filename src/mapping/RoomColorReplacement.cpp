#include "mapping/RoomColorReplacement.h"

#include "model/World.h"

namespace trellan {

int ReplaceRoomColor(World& world, std::uint32_t from, std::uint32_t to) {
    if (from == to) return 0;
    int changed = 0;
    // BColor is not indexed, so the rooms can be changed in place.
    for (const RoomSlot& slot : world.AllRooms()) {
        MudRoom* room = slot.Room();
        if (room->BColor != from) continue;
        room->BColor = to;
        world.NoteRoomChanged(room);
        ++changed;
    }
    if (changed > 0) world.MapSaved = false;
    return changed;
}

}  // namespace trellan
