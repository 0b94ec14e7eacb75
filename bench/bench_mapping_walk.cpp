// The mapping work the tracker asks for on each step of a player who maps new
// ground: look at the next cell, create the room, set both link flags and
// centre the view. A walk of 10 000 steps maps 10 000 new rooms into one
// zone, in a world that already holds 200 000 rooms in other zones. The time
// per step should stay flat as the zone grows.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"

namespace trellan {
namespace {

constexpr int kOtherZones = 10;
constexpr int kRoomsPerOtherZone = 20000;
constexpr int kSteps = 10000;
constexpr int kRow = 100;

struct Map {
    World world;
    ViewState view{world};
    MappingConfig config;
    Placement place{world, view, config};
    Linker linker{place};
    int walks = 0;

    Map() {
        for (int z = 0; z < kOtherZones; ++z) {
            const std::string zone = "other" + std::to_string(z);
            for (int i = 0; i < kRoomsPerOtherZone; ++i) {
                auto room = std::make_unique<MudRoom>();
                room->X = i / 150;
                room->Y = i % 150;
                room->Tag = i + 1;
                room->Hint = "Room " + std::to_string(i);
                world.AddLoadedRoom(zone, std::move(room));
            }
        }
    }
};

// One step the way the tracker takes it into an unknown cell.
void StepInto(Map& map, const std::string& d) {
    World& world = map.world;
    MudRoom* from = world.CurrentRoom;
    std::int32_t x = from->X, y = from->Y, l = from->L;
    map.place.ReposXYL(d, x, y, l);
    if (MudRoom* taken = world.FindRoom(x, y, l)) {
        map.place.ExpandRooms(from, taken, d);
        x = from->X, y = from->Y, l = from->L;
        map.place.ReposXYL(d, x, y, l);
    }
    map.place.SetCheck(from, d, true);
    MudRoom* room = map.place.NewRoomAt(x, y, l, "Hall", "A long hall.", "N S E W", RoomKind::Room);
    map.place.SetCheck(room, map.place.Opposite(d), true);
    from->Selected = false;
    world.CurrentRoom = room;
    map.view.CenterOnCurrentRoom();
}

void BM_MapNewRooms(benchmark::State& state) {
    static Map map;
    for (auto _ : state) {
        state.PauseTiming();
        map.world.ClearZone();
        map.world.CurrentZone = "walk" + std::to_string(map.walks++);
        map.world.LoadZone();
        map.world.CurrentRoom = map.place.NewRoomAt(0, 0, 0, "Start", "", "", RoomKind::Room);
        map.view.CenterOnCurrentRoom();
        state.ResumeTiming();
        // A snake over rows of kRow rooms: east, one south, west, one south ...
        for (int step = 1; step < kSteps; ++step) {
            const int inRow = step % kRow;
            const bool east = (step / kRow) % 2 == 0;
            StepInto(map, inRow == 0 ? std::string("s") : std::string(east ? "e" : "w"));
        }
    }
    state.SetItemsProcessed(state.iterations() * (kSteps - 1));
    state.counters["rooms"] = static_cast<double>(map.world.RoomCount());
}
BENCHMARK(BM_MapNewRooms)->Unit(benchmark::kMillisecond)->Iterations(3);

// Walking back and forth over rooms already mapped: only look-ups, flags and
// centring.
void BM_WalkKnownRooms(benchmark::State& state) {
    static Map map;
    if (map.walks == 0) {
        map.world.CurrentZone = "known";
        map.world.LoadZone();
        map.world.CurrentRoom = map.place.NewRoomAt(0, 0, 0, "Start", "", "", RoomKind::Room);
        for (int step = 1; step < kSteps; ++step) StepInto(map, "e");
        map.walks = 1;
    }
    bool east = false;
    for (auto _ : state) {
        MudRoom* from = map.world.CurrentRoom;
        std::int32_t x = from->X, y = from->Y, l = from->L;
        const std::string d = east ? "e" : "w";
        map.place.ReposXYL(d, x, y, l);
        MudRoom* next = map.world.FindRoom(x, y, l);
        if (next == nullptr) {
            east = !east;
            continue;
        }
        map.place.RefreshProp(next, "Hall", "A long hall.", "N S E W");
        from->Selected = false;
        map.world.CurrentRoom = next;
        map.view.CenterOnCurrentRoom();
    }
}
BENCHMARK(BM_WalkKnownRooms);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
