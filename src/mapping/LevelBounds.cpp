#include "mapping/LevelBounds.h"

namespace trellan {

std::optional<MapBounds> LevelBounds(const World& world, std::int32_t level) {
    std::optional<MapBounds> bounds;
    for (const RoomSlot& slot : world.ZoneRooms()) {
        const MudRoom& room = *slot.Room();
        if (room.L != level) continue;
        if (bounds) {
            bounds->Widen(room.X, room.Y, room.L);
        } else {
            bounds.emplace();
            bounds->Reset(room.X, room.Y, room.L);
        }
    }
    return bounds;
}

}  // namespace trellan
