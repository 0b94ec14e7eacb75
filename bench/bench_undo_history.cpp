// What the undo history costs on a zone of 20 000 rooms, the largest we plan
// for: filling its records at the first step, the end of a step that changed
// one room (each move of the tracker), and undoing and redoing the removal
// of one room, which puts the whole zone back from its records.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchRooms.h"
#include "model/World.h"
#include "storage/UndoHistory.h"

namespace {

using namespace trellan;

constexpr int kRooms = 20000;

void FillZone(World& world) {
    world.CurrentZone = "big";
    world.AddZoneNode("big");
    for (int z = 0; z < kRooms / bench::kRoomsPerZone; ++z) {
        for (auto& room : bench::MakeZone(z)) {
            room->Tag = static_cast<std::int32_t>(world.RoomCount()) + 1;
            world.AddLoadedRoom("big", std::move(room));
        }
    }
    world.LoadZone();
}

void BM_FirstStep(benchmark::State& state) {
    World world;
    FillZone(world);
    for (auto _ : state) {
        UndoHistory history(world);
        history.Begin("first");
        history.End();
    }
}
BENCHMARK(BM_FirstStep)->Unit(benchmark::kMillisecond);

void BM_StepOfOneRoom(benchmark::State& state) {
    World world;
    FillZone(world);
    UndoHistory history(world);
    history.Begin("warm-up");
    history.End();
    MudRoom* room = world.FindRoomByTag(kRooms / 2);
    int i = 0;
    for (auto _ : state) {
        UndoHistory::Step step(history, "note");
        room->Note = std::to_string(++i);
        world.NoteRoomChanged(room);
    }
}
BENCHMARK(BM_StepOfOneRoom)->Unit(benchmark::kMicrosecond);

void BM_UndoAndRedoARemovedRoom(benchmark::State& state) {
    World world;
    FillZone(world);
    UndoHistory history(world);
    {
        UndoHistory::Step step(history, "remove");
        world.RemoveRoom(world.FindRoomByTag(kRooms / 2));
    }
    const ExitWords words = ExitWords::Defaults();
    for (auto _ : state) {
        history.Undo(words);
        history.Redo(words);
    }
    state.counters["step_MiB"] = static_cast<double>(history.Bytes()) / (1 << 20);
}
BENCHMARK(BM_UndoAndRedoARemovedRoom)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
