// Loading and saving a whole world through the world storage against reading
// and writing the same bytes with plain file calls: 200 000 rooms in 1 000
// zone files on disk (page cache). Both saves end with one sync of the file
// system, as the storage does.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchRooms.h"
#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "settings/HomeDirectory.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "storage/MapsDirectory.h"
#include "storage/WorldStorage.h"

namespace {

using namespace trellan;
using bench::kRoomsPerZone;
using bench::MakeZone;
namespace fs = std::filesystem;

constexpr int kZones = 1000;

struct BenchWorld {
    BenchWorld() {
        std::string pattern = (fs::temp_directory_path() / "trellan-bench-world-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        home = std::make_unique<HomeDirectory>(root);
        directory = home->WorldDirectory("bench");
        fs::create_directories(directory);
        for (int z = 0; z < kZones; ++z) {
            std::string path = JoinPath(directory, "zone" + std::to_string(z) + ".tr2");
            WriteZoneFile(path, MakeZone(z), false);
            paths.push_back(path);
        }
        for (const std::string& path : paths) bytes.push_back(*ReadWholeFile(path));
    }
    ~BenchWorld() {
        std::error_code error;
        fs::remove_all(root, error);
    }

    std::string root;
    std::unique_ptr<HomeDirectory> home;
    std::string directory;
    std::vector<std::string> paths;
    std::vector<std::string> bytes;
};

BenchWorld& Shared() {
    static BenchWorld world;
    return world;
}

void SyncDirectory(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
}

struct Program {
    explicit Program(BenchWorld& bench)
        : storage(*bench.home, world, settings, profile, nullptr, SettingsWriteOptions{}) {}
    World world;
    MainSettings settings;
    WorldProfile profile;
    WorldStorage storage;
};

double CpuMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The first load in a process also pays for first touching the memory of a
// large world (on this machine mostly kernel time); it is reported apart, as
// `first_load_cpu_ms`. The timed loads come after it into the same world, as
// the program loads another world or reverts.
void BM_LoadWorld(benchmark::State& state) {
    BenchWorld& bench = Shared();
    Program program(bench);
    program.world.CurrentWorld = "bench";
    const double start = CpuMilliseconds();
    const bool firstLoaded = program.storage.LoadWorld().Succeeded();
    state.counters["first_load_cpu_ms"] = CpuMilliseconds() - start;
    if (!firstLoaded) state.SkipWithError("load failed");
    for (auto _ : state) {
        state.PauseTiming();  // the tear-down of 200 000 rooms is not loading
        program.world.ClearWorld();
        state.ResumeTiming();
        StorageResult result = program.storage.LoadWorld();
        if (!result.Succeeded() || program.world.RoomCount() != kRoomsPerZone * kZones)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(program.world.RoomCount());
    }
    state.SetItemsProcessed(state.iterations() * kRoomsPerZone * kZones);
}
BENCHMARK(BM_LoadWorld)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadPlainFiles(benchmark::State& state) {
    BenchWorld& bench = Shared();
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& path : bench.paths) {
            std::FILE* f = std::fopen(path.c_str(), "rb");
            std::string data(bench.bytes[0].size() * 2, '\0');
            total += std::fread(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadPlainFiles)->Unit(benchmark::kMillisecond);

void BM_SaveWorld(benchmark::State& state) {
    BenchWorld& bench = Shared();
    Program program(bench);
    program.world.CurrentWorld = "bench";
    program.storage.LoadWorld();
    for (auto _ : state) {
        StorageResult result = program.storage.SaveWorld();
        if (!result.Succeeded()) state.SkipWithError("save failed");
    }
    state.SetItemsProcessed(state.iterations() * kRoomsPerZone * kZones);
}
BENCHMARK(BM_SaveWorld)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WritePlainFiles(benchmark::State& state) {
    BenchWorld& bench = Shared();
    for (auto _ : state) {
        for (std::size_t i = 0; i < bench.paths.size(); ++i) {
            std::FILE* f = std::fopen(bench.paths[i].c_str(), "wb");
            std::fwrite(bench.bytes[i].data(), 1, bench.bytes[i].size(), f);
            std::fclose(f);
        }
        SyncDirectory(bench.directory);
    }
}
BENCHMARK(BM_WritePlainFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
