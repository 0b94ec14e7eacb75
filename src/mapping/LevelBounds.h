#pragma once
// The bounding box of the shown zone's rooms, of all of them or of one
// level: what "the whole level" means to fitting the view and to a picture
// of the level.
#include <cstdint>
#include <optional>

#include "mapping/MapBounds.h"
#include "model/World.h"

namespace trellan {

// The box of the shown zone's rooms (corridor cells included); nothing
// when the zone has none. Walks the zone once.
std::optional<MapBounds> ZoneBounds(const World& world);

// The box of the shown zone's rooms on `level`; nothing when the level has
// none. Walks the zone once.
std::optional<MapBounds> LevelBounds(const World& world, std::int32_t level);

}  // namespace trellan
