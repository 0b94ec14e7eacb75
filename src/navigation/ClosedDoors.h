#pragma once
// Closed doors on a walk's way. A room whose exit shows as a closed door
// ("(E)") and that stores no door command for it would stop a speedwalk at
// "Закрыто."; the player is better told before the walk goes out.
#include <optional>
#include <string>
#include <string_view>

#include "tracking/RoomParserConfig.h"

namespace trellan {

class MudRoom;
class World;

struct ClosedDoor {
    const MudRoom* Room = nullptr;
    std::string Phrase;  // the direction's phrase, "на восток"
};

// Follows `path` (steps joined by ";") from `from` across the shown zone's
// grid, corridor cells included, and returns the first closed door without
// a door command (a cross-link entry of that direction with commands). The
// way is followed only as far as it runs along the grid of the shown zone.
std::optional<ClosedDoor> FirstDoorWithoutCommand(const World& world, const MudRoom* from, std::string_view path,
                                                  const RoomParserConfig& config);

}  // namespace trellan
