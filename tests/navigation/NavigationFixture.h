#pragma once
// Small worlds for the speedwalk and the room search: rooms at grid cells,
// links between neighbours, corridors and cross links, and a tracker over
// them that records what goes to the client and to the server.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mapping/Directions.h"
#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "navigation/Speedwalk.h"
#include "proxy/DebugLog.h"
#include "text/W1251.h"
#include "tracking/MovementTracker.h"

namespace trellan::testing {

class RecordingOutput : public TrackerOutput {
public:
    void SendToClient(std::string_view text) override { client += text; }
    void SendToServer(std::string_view text) override { server += text; }
    void SaveZone() override { saves.push_back(savedZone ? savedZone() : std::string()); }

    std::string client;
    std::string server;
    std::vector<std::string> saves;
    std::function<std::string()> savedZone;
};

struct NavigationRig {
    NavigationRig() {
        world.CurrentWorld = "World";
        world.CurrentZone = "Zone";
        world.LoadZone();
        log.SetActive(true);
        tracker.SetSpeedwalkHooks(speedwalk);
        output.savedZone = [this] { return world.ShownZone(); };
    }

    // A room (number `tag`) of `zone`; the shown zone follows.
    MudRoom* Put(std::int32_t x, std::int32_t y, std::int32_t l = 0, std::int32_t tag = 0,
                 std::string_view zone = "Zone", std::string_view name = "") {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = tag == 0 ? ++lastTag : tag;
        room->Hint = name.empty() ? "Room " + std::to_string(room->Tag) : std::string(name);
        room->Description = "Desc.";
        MudRoom* added = world.AddLoadedRoom(std::string(zone), std::move(room));
        world.LoadZone();
        return added;
    }

    // A corridor cell: number 0, no name.
    MudRoom* Pipe(std::int32_t x, std::int32_t y, std::int32_t l = 0, std::string_view zone = "Zone") {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Pipe = true;
        MudRoom* added = world.AddLoadedRoom(std::string(zone), std::move(room));
        world.LoadZone();
        return added;
    }

    // Both link flags: `from` walked `direction`, its partner the way back.
    static void Link(MudRoom* from, Direction direction, MudRoom* to) {
        from->Link(direction) = true;
        to->Link(OppositeDirection(direction)) = true;
    }

    std::optional<std::string> Find(MudRoom* from, MudRoom* to, int generations = 100) {
        SpeedwalkSearch search(world, mapping);
        return search.FindPath(from, to, generations);
    }

    std::string Phrase(Direction direction) const { return mapping.DirectionPhrases[Index(direction)]; }

    std::int32_t lastTag = 0;
    World world;
    ViewState view{world};
    MappingConfig mapping;
    Placement placement{world, view, mapping};
    Linker linker{placement};
    DebugLog log;
    RecordingOutput output;
    MovementTracker tracker{world, placement, linker, log, output};
    Speedwalk speedwalk{tracker, mapping, log};
};

}  // namespace trellan::testing
