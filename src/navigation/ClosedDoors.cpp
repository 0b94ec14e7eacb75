#include "navigation/ClosedDoors.h"

#include "mapping/Directions.h"
#include "model/MudRoom.h"
#include "model/World.h"
#include "text/TextUtils.h"
#include "tracking/RoomQueries.h"

namespace trellan {

std::optional<ClosedDoor> FirstDoorWithoutCommand(const World& world, const MudRoom* from, std::string_view path,
                                                  const RoomParserConfig& config) {
    const MudRoom* room = from;
    std::size_t start = 0;
    while (room != nullptr && start <= path.size()) {
        const std::size_t end = std::min(path.find(';', start), path.size());
        const std::string step = TrimCtl(path.substr(start, end - start));
        start = end + 1;
        if (step.empty()) continue;
        const std::optional<Direction> direction = MoveDirection(step, config);
        if (!direction) return std::nullopt;
        const std::string& phrase = config.DirectionPhrases[Index(*direction)];
        const bool closed = room->ExitState(*direction) == ExitStatus::ClosedDoor;
        if (closed && DoorCommandsFor(*room, *direction, config).empty()) return ClosedDoor{room, phrase};
        std::int32_t x = room->X, y = room->Y, l = room->L;
        const MudRoom* next = nullptr;
        for (std::size_t steps = 0; steps <= world.RoomCount(); ++steps) {
            StepCell(*direction, x, y, l);
            next = world.FindRoom(x, y, l);
            if (next == nullptr || !next->Pipe) break;
        }
        room = next;
    }
    return std::nullopt;
}

}  // namespace trellan
