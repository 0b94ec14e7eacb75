// A player mapping new ground and walking back over it, replayed through the
// tracker as the proxy drives it: each move is a command line from the
// client (client input stream, command queue) and then the server's room
// text (ProcessServerText: parsing, settling, placement and linking). The walk
// maps 10 000 new rooms into one zone in a snake of rows and walks the whole
// way back. Once in an otherwise empty world, once in a world that also holds
// 200 000 rooms in 1 000 other zones: a settled move should cost about the
// same in both, and well under 50 microseconds. The journal variants keep
// the change journal as a running Trellan does: flushed (and forced to disk)
// once a second and at the end of each walk, or, as a bound for a player
// far faster than any, after every 10 moves.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "storage/WorldJournal.h"
#include "tracking/ClientInputStream.h"
#include "tracking/MovementTracker.h"

namespace trellan {
namespace {

constexpr int kMoves = 10000;
constexpr int kRow = 100;
constexpr int kOtherZones = 1000;
constexpr int kRoomsPerOtherZone = 200;
constexpr int kMovesPerFlush = 10;
enum class Journal { None, EverySecond, Every10Moves };

// The server's text for a lit room under the default markers.
std::string RoomText(int number) {
    return "\x1B[1;36m\xC4\xEE\xF0\xEE\xE3\xE0 " + std::to_string(number) +
           "\r\n\xD8\xE8\xF0\xEE\xEA\xE0\xFF \xE4\xEE\xF0\xEE\xE3\xE0 \xE8\xE4\xE5\xF2 \xED\xE0 \xE2\xEE\xF1\xF2\xEE\xEA."
           "\r\nOld stones line the road here, worn by many feet.\r\n\x1B[36m[ Exits: " +
           "N S E W ]\r\n\x1B[0m\r\n> ";
}

std::string Opposite(const std::string& d) {
    if (d == "e") return "w";
    if (d == "w") return "e";
    if (d == "s") return "n";
    return "s";
}

struct Rig {
    World world;
    ViewState view{world};
    MappingConfig config;
    Placement placement{world, view, config};
    Linker linker{placement};
    DebugLog log;
    TrackerOutput output;  // nobody connected: messages are dropped
    MovementTracker tracker{world, placement, linker, log, output};
    ClientInputStream input{tracker, log};
    int walks = 0;

    explicit Rig(bool largeWorld) {
        world.CurrentWorld = "bench";
        if (!largeWorld) return;
        const ExitWords words = ExitWords::Defaults();
        world.ReserveRooms(kOtherZones * kRoomsPerOtherZone + 2 * kMoves);
        for (int z = 0; z < kOtherZones; ++z) {
            const std::string zone = "other" + std::to_string(z);
            world.AddZoneNode(zone);
            for (int i = 0; i < kRoomsPerOtherZone; ++i) {
                auto room = std::make_unique<MudRoom>();
                room->X = i / 20;
                room->Y = i % 20;
                room->Tag = i + 1;
                // Partly the very names the walk will meet, as in a real world.
                room->Hint = "\xC4\xEE\xF0\xEE\xE3\xE0 " + std::to_string(i);
                room->Description = "Another road.";
                room->SetExits("N S E W", words);
                world.AddLoadedRoom(zone, std::move(room));
            }
        }
    }
};

// The directions of the walk: a snake east and west along rows of kRow
// rooms, one step south between rows.
std::vector<std::string> Route() {
    std::vector<std::string> route;
    for (int step = 1; step < kMoves; ++step) {
        const bool east = (step / kRow) % 2 == 0;
        route.push_back(step % kRow == 0 ? "s" : (east ? "e" : "w"));
    }
    return route;
}

// A journal in a scratch directory, removed at the end of the run.
struct ScratchJournal {
    explicit ScratchJournal(World& world) : journal(world) {
        std::string pattern = (std::filesystem::temp_directory_path() / "trellan-bench-journal-XXXXXX").string();
        directory = ::mkdtemp(pattern.data());
        journal.Open(directory, ExitWords::Defaults());
    }
    ~ScratchJournal() {
        std::error_code error;
        std::filesystem::remove_all(directory, error);
    }
    std::string directory;
    WorldJournal journal;
};

void Replay(benchmark::State& state, bool largeWorld, Journal kept = Journal::None) {
    static Rig* rigs[4] = {nullptr, nullptr, nullptr, nullptr};
    Rig*& slot = rigs[kept != Journal::None ? 1 + static_cast<int>(kept) : (largeWorld ? 1 : 0)];
    if (slot == nullptr) slot = new Rig(largeWorld);  // kept to the end of the run
    Rig& rig = *slot;
    std::unique_ptr<ScratchJournal> journal;
    if (kept != Journal::None) journal = std::make_unique<ScratchJournal>(rig.world);
    int movesSinceFlush = 0;
    auto lastFlush = std::chrono::steady_clock::now();
    const auto flushNow = [&] {
        if (!journal) return;
        if (kept == Journal::Every10Moves) {
            if (++movesSinceFlush % kMovesPerFlush == 0) journal->journal.Flush();
            return;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now - lastFlush < std::chrono::seconds(1)) return;
        lastFlush = now;
        journal->journal.Flush();
    };
    const std::vector<std::string> route = Route();
    std::vector<std::string> texts;
    for (int i = 0; i < kMoves; ++i) texts.push_back(RoomText(i));

    for (auto _ : state) {
        state.PauseTiming();
        const std::string zone = "walk" + std::to_string(rig.walks++);
        rig.world.ClearZone();
        rig.world.CurrentZone = zone;
        rig.world.LoadZone();
        if (!rig.tracker.Tracing()) rig.tracker.SetTracing(MovementTracker::TracingSwitch::On);
        rig.input.Feed("look\r\n");
        rig.tracker.ProcessServerText(texts[0]);
        state.ResumeTiming();

        for (std::size_t i = 0; i < route.size(); ++i) {
            rig.input.Feed(route[i] + "\r\n");
            rig.tracker.ProcessServerText(texts[i + 1]);
            flushNow();
        }
        for (std::size_t i = route.size(); i-- > 0;) {
            rig.input.Feed(Opposite(route[i]) + "\r\n");
            rig.tracker.ProcessServerText(texts[i]);
            flushNow();
        }
        if (journal) journal->journal.Flush();

        state.PauseTiming();
        const World::ZoneFileOrderRange mapped = rig.world.RoomsOfZone(zone);
        if (mapped.size() != static_cast<std::size_t>(kMoves) || !rig.tracker.Tracing() ||
            rig.world.CurrentRoom != mapped.begin()->Room()) {
            state.SkipWithError("the walk did not map the rooms it should have");
        }
        if (rig.tracker.Tracing()) rig.tracker.SetTracing(MovementTracker::TracingSwitch::On);
        rig.world.ClearZone();
        rig.world.RemoveZone(zone);
        if (journal) journal->journal.Saved(journal->directory);
        state.ResumeTiming();
    }
    const double moves = 2.0 * (kMoves - 1);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * moves));
    // Seconds per settled move (CPU time), shown with an SI prefix ("u").
    state.counters["per_move"] =
        benchmark::Counter(moves, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_ReplayWalkEmptyWorld(benchmark::State& state) {
    Replay(state, false);
}
BENCHMARK(BM_ReplayWalkEmptyWorld)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayWalkLargeWorld(benchmark::State& state) {
    Replay(state, true);
}
BENCHMARK(BM_ReplayWalkLargeWorld)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayWalkEmptyWorldWithJournal(benchmark::State& state) {
    Replay(state, false, Journal::EverySecond);
}
BENCHMARK(BM_ReplayWalkEmptyWorldWithJournal)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReplayWalkEmptyWorldJournalEvery10Moves(benchmark::State& state) {
    Replay(state, false, Journal::Every10Moves);
}
BENCHMARK(BM_ReplayWalkEmptyWorldJournalEvery10Moves)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
