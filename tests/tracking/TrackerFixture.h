#pragma once
// A small world, the mapping parts and a tracker over them, with helpers to
// script the server's output and to check positions and log lines.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/W1251.h"
#include "tracking/ClientInputStream.h"
#include "tracking/MovementTracker.h"

namespace trellan::testing {

class RecordingOutput : public TrackerOutput {
public:
    void SendToClient(std::string_view text) override { client += text; }
    void SendToServer(std::string_view text) override { server += text; }
    bool ClientAndServerConnected() const override { return connected; }
    void SaveZone() override { ++zoneSaves; }
    void StartNewZone() override { ++newZones; }
    void TracingChanged(bool tracing) override { tracingChanges.push_back(tracing); }
    void WalkingModeChanged(bool on) override { walkingChanges.push_back(on); }
    void ShortModeChanged(bool on) override { shortChanges.push_back(on); }
    void MapStepBegins() override {
        ++stepsBegun;
        stepOpen = true;
        if (onStepBegins) onStepBegins();
    }
    void MapStepEnds() override {
        ++stepsEnded;
        stepOpen = false;
    }

    std::string client;
    std::string server;
    bool connected = true;
    int zoneSaves = 0;
    int newZones = 0;
    std::vector<bool> tracingChanges;
    std::vector<bool> walkingChanges;
    std::vector<bool> shortChanges;
    int stepsBegun = 0;
    int stepsEnded = 0;
    bool stepOpen = false;
    std::function<void()> onStepBegins;
};

class RecordingSpeedwalk : public SpeedwalkHooks {
public:
    void EmptySpeedwalkQueue() override { ++emptied; }
    void SendNextBatch() override { ++batchRequests; }
    void SpeedwalkCommand(const std::string& argument) override { walks.push_back(argument); }
    void ReturnCommand() override { ++returns; }

    int emptied = 0;
    int batchRequests = 0;
    int returns = 0;
    std::vector<std::string> walks;
};

class RecordingObjects : public ObjectsHooks {
public:
    void SearchObjects(const std::string& query) override { queries.push_back(query); }
    void TellObject(const std::string& query, LoreChat chat) override {
        tells.push_back((chat == LoreChat::Group ? "group:" : "clan:") + query);
    }
    std::vector<std::string> queries;
    std::vector<std::string> tells;
};

class RecordingMapCommands : public MapCommandHooks {
public:
    void MapCommand(const std::string& argument) override { commands.push_back(argument); }
    void SetAliasCommand(const std::string& alias) override { aliases.push_back(alias); }
    std::vector<std::string> commands;
    std::vector<std::string> aliases;
};

// The parts, built in order and torn down in reverse.
struct TrackerRig {
    TrackerRig() {
        log.SetActive(true);
        world.CurrentWorld = "World";
        world.CurrentZone = "Zone";
        world.LoadZone();
        tracker.SetSpeedwalkHooks(speedwalk);
        tracker.SetObjectsHooks(objects);
        tracker.SetMapCommandHooks(mapCommands);
    }

    World world;
    ViewState view{world};
    MappingConfig mappingConfig;
    Placement placement{world, view, mappingConfig};
    Linker linker{placement};
    DebugLog log;
    RecordingOutput output;
    RecordingSpeedwalk speedwalk;
    RecordingObjects objects;
    RecordingMapCommands mapCommands;
    MovementTracker tracker{world, placement, linker, log, output};
    ClientInputStream input{tracker, log};
};

class TrackerTest : public ::testing::Test {
protected:
    World& world() { return rig_.world; }
    MovementTracker& tracker() { return rig_.tracker; }
    RecordingOutput& output() { return rig_.output; }
    RecordingSpeedwalk& speedwalk() { return rig_.speedwalk; }
    RecordingObjects& objects() { return rig_.objects; }
    RecordingMapCommands& mapCommands() { return rig_.mapCommands; }
    ClientInputStream& input() { return rig_.input; }
    DebugLog& log() { return rig_.log; }

    // The server's text for a lit room under the default markers.
    static std::string Room(std::string_view name, std::string_view description = "Desc.",
                            std::string_view exits = " N S ") {
        return "\x1B[1;36m" + std::string(name) + "\r\n" + std::string(description) +
               "\r\n\x1B[36m[ Exits:" + std::string(exits) + "]\r\n";
    }

    // A room of the map; in the shown zone unless `zone` names another.
    MudRoom* Put(std::string_view name, std::int32_t x, std::int32_t y, std::int32_t l, std::int32_t tag,
                 std::string_view zone = "Zone") {
        auto room = std::make_unique<MudRoom>();
        room->Hint = std::string(name);
        room->Description = "Desc.";
        // What Room() prints by default, so look-ups by name find it.
        room->SetExits(" N S ", ExitWords::Defaults());
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = tag;
        MudRoom* added = world().AddLoadedRoom(std::string(zone), std::move(room));
        // The numbering and the shown zone follow the rooms added.
        world().LoadZone();
        return added;
    }

    // Both link flags: `from` walked `direction`, `to` the way back.
    static void Join(MudRoom* from, Direction direction, MudRoom* to) {
        from->Link(direction) = true;
        to->Link(OppositeDirection(direction)) = true;
    }

    // Tracing on with the player standing in `room`.
    void StandIn(MudRoom* room) {
        tracker().SetTracing(MovementTracker::TracingSwitch::On);
        world().CurrentRoom = room;
    }

    void Type(const std::string& command) { tracker().QueueCommand(command); }
    void Server(const std::string& text) { tracker().ProcessServerText(text); }

    bool Logged(std::string_view utf8) const {
        std::string line = W1251(utf8);
        for (const std::string& entry : rig_.log.Lines()) {
            if (entry.find(line) != std::string::npos) return true;
        }
        return false;
    }

    std::string CurrentName() const {
        return rig_.world.CurrentRoom != nullptr ? rig_.world.CurrentRoom->Hint : std::string("<none>");
    }

    TrackerRig rig_;
};

}  // namespace trellan::testing
