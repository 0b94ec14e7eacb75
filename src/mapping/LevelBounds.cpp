#include "mapping/LevelBounds.h"

namespace trellan {

namespace {

template <typename Keep>
std::optional<MapBounds> BoundsOf(const World& world, Keep keep) {
    std::optional<MapBounds> bounds;
    for (const RoomSlot& slot : world.ZoneRooms()) {
        const MudRoom& room = *slot.Room();
        if (!keep(room)) continue;
        if (bounds) {
            bounds->Widen(room.X, room.Y, room.L);
        } else {
            bounds.emplace();
            bounds->Reset(room.X, room.Y, room.L);
        }
    }
    return bounds;
}

}  // namespace

std::optional<MapBounds> ZoneBounds(const World& world) {
    return BoundsOf(world, [](const MudRoom&) { return true; });
}

std::optional<MapBounds> LevelBounds(const World& world, std::int32_t level) {
    return BoundsOf(world, [level](const MudRoom& room) { return room.L == level; });
}

}  // namespace trellan
