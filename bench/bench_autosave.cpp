// How long an autosave holds the event loop (and so the relay) up in a
// world of 20 000 rooms: the change journal's flush after a step, then the
// save of the changed zones (one zone of 200 rooms, as when mapping), against
// saving the whole world; and the same in a world whose 20 000 rooms are one
// zone, the worst case for both. Saves end with one sync of the file system,
// as the storage does; the figure is wall time.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "BenchRooms.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "settings/HomeDirectory.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "storage/MapsDirectory.h"
#include "storage/WorldJournal.h"
#include "storage/WorldStorage.h"

namespace {

using namespace trellan;
namespace fs = std::filesystem;

constexpr int kRooms = 20000;

// A home with one world of kRooms rooms in `zones` zone files, loaded, with
// its journal open.
struct Program {
    explicit Program(int zones) {
        std::string pattern = (fs::temp_directory_path() / "trellan-bench-autosave-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        home = std::make_unique<HomeDirectory>(root);
        const std::string directory = home->WorldDirectory("bench");
        fs::create_directories(directory);
        const int perZone = kRooms / zones;
        for (int z = 0; z < zones; ++z) {
            std::vector<std::unique_ptr<MudRoom>> rooms;
            while (static_cast<int>(rooms.size()) < perZone) {
                for (auto& room : bench::MakeZone(static_cast<int>(rooms.size()) / bench::kRoomsPerZone)) {
                    if (static_cast<int>(rooms.size()) == perZone) break;
                    room->Tag = static_cast<std::int32_t>(rooms.size()) + 1;
                    rooms.push_back(std::move(room));
                }
            }
            WriteZoneFile(JoinPath(directory, "zone" + std::to_string(z) + ".tr2"), rooms, false);
        }
        WorldStorageHooks hooks;
        hooks.WorldSaved = [this] { journal.Saved(storage->WorldDirectory()); };
        storage = std::make_unique<WorldStorage>(*home, world, settings, profile, nullptr, SettingsWriteOptions{},
                                                 hooks);
        world.CurrentWorld = "bench";
        storage->LoadWorld();
        journal.Open(storage->WorldDirectory(), storage->Words());
        world.ClearZone();
        world.CurrentZone = "zone0";
        world.LoadZone();
    }
    ~Program() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    // A step of the tracker: a room of the zone on show gets a new name.
    void Step(int i) {
        MudRoom* room = world.GlobalFindRoomByTag(1 + i % 100, "zone0");
        world.SetRoomText(room, "Renamed " + std::to_string(i), room->Description, room->Exits(), storage->Words());
    }

    std::string root;
    std::unique_ptr<HomeDirectory> home;
    World world;
    MainSettings settings;
    WorldProfile profile;
    WorldJournal journal{world};
    std::unique_ptr<WorldStorage> storage;
};

void Autosave(benchmark::State& state, int zones, bool wholeWorld) {
    Program program(zones);
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        program.Step(i++);
        state.ResumeTiming();
        program.journal.Flush();
        StorageResult saved = wholeWorld ? program.storage->SaveWorld()
                                         : program.storage->SaveChangedZones(program.journal.ChangedZones());
        if (!saved.Succeeded() || !program.world.MapSaved) state.SkipWithError("save failed");
    }
}

void BM_AutosaveChangedZoneOf100(benchmark::State& state) { Autosave(state, 100, false); }
BENCHMARK(BM_AutosaveChangedZoneOf100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_SaveWholeWorldOf100Zones(benchmark::State& state) { Autosave(state, 100, true); }
BENCHMARK(BM_SaveWholeWorldOf100Zones)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_AutosaveOneZoneOf20000(benchmark::State& state) { Autosave(state, 1, false); }
BENCHMARK(BM_AutosaveOneZoneOf20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The journal's share alone: one flush after a step, in the zone of 20 000.
void BM_JournalFlushAfterAStep(benchmark::State& state) {
    Program program(1);
    program.journal.Flush();  // the zone's first snapshot
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        program.Step(i++);
        state.ResumeTiming();
        program.journal.Flush();
    }
}
BENCHMARK(BM_JournalFlushAfterAStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

}  // namespace

BENCHMARK_MAIN();
