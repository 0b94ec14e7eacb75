// Zone file reading and writing against plain file calls on the same bytes:
// one 200-room zone in memory, and a 200 000-room world of 1 000 zone files
// on disk (page cache), loaded and saved the way the world storage does it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchRooms.h"
#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"

namespace {

using namespace trellan;
using bench::kRoomsPerZone;
using bench::MakeZone;
namespace fs = std::filesystem;

constexpr int kZones = 1000;

void BM_ReadZone200(benchmark::State& state) {
    std::string bytes = ZoneFileBytes(MakeZone(0));
    for (auto _ : state) {
        ZoneReadResult zone = ReadZoneBytes(bytes, "zone.tr2", ExitWords::Defaults());
        benchmark::DoNotOptimize(zone.Rooms.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    state.SetItemsProcessed(state.iterations() * kRoomsPerZone);
}
BENCHMARK(BM_ReadZone200);

void BM_WriteZone200(benchmark::State& state) {
    auto rooms = MakeZone(0);
    std::size_t size = 0;
    for (auto _ : state) {
        std::string bytes = ZoneFileBytes(rooms);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
    state.SetItemsProcessed(state.iterations() * kRoomsPerZone);
}
BENCHMARK(BM_WriteZone200);

// The 1 000-zone world, kept for the whole run.
struct World {
    fs::path dir;
    std::vector<std::string> paths;
    std::vector<std::vector<std::unique_ptr<MudRoom>>> zones;
    std::vector<std::string> bytes;
    std::size_t totalBytes = 0;

    World() {
        dir = fs::temp_directory_path() / ("trellan-bench-zonefile-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        for (int z = 0; z < kZones; ++z) {
            zones.push_back(MakeZone(z));
            bytes.push_back(ZoneFileBytes(zones.back()));
            totalBytes += bytes.back().size();
            paths.push_back((dir / ("zone" + std::to_string(z) + ".tr2")).string());
            WriteFileAtomically(paths.back(), bytes.back(), false);
        }
    }
    ~World() { fs::remove_all(dir); }
};

World& TheWorld() {
    static World world;
    return world;
}

void BM_LoadWorld200k(benchmark::State& state) {
    World& w = TheWorld();
    for (auto _ : state) {
        std::size_t rooms = 0;
        for (const std::string& path : w.paths) rooms += ReadZoneFile(path, ExitWords::Defaults()).Rooms.size();
        if (rooms != static_cast<std::size_t>(kZones * kRoomsPerZone)) state.SkipWithError("rooms lost");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.totalBytes));
    state.SetItemsProcessed(state.iterations() * kZones * kRoomsPerZone);
}
BENCHMARK(BM_LoadWorld200k)->Unit(benchmark::kMillisecond);

void BM_PlainRead200k(benchmark::State& state) {
    World& w = TheWorld();
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::size_t total = 0;
        for (const std::string& path : w.paths) {
            std::FILE* f = std::fopen(path.c_str(), "rb");
            std::size_t n;
            while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) total += n;
            std::fclose(f);
        }
        if (total != w.totalBytes) state.SkipWithError("short read");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.totalBytes));
}
BENCHMARK(BM_PlainRead200k)->Unit(benchmark::kMillisecond);

void BM_SaveWorld200k(benchmark::State& state) {
    World& w = TheWorld();
    for (auto _ : state) {
        for (int z = 0; z < kZones; ++z) WriteZoneFile(w.paths[z], w.zones[z], false);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.totalBytes));
    state.SetItemsProcessed(state.iterations() * kZones * kRoomsPerZone);
}
BENCHMARK(BM_SaveWorld200k)->Unit(benchmark::kMillisecond);

void BM_PlainWrite200k(benchmark::State& state) {
    World& w = TheWorld();
    for (auto _ : state) {
        for (int z = 0; z < kZones; ++z) {
            std::FILE* f = std::fopen(w.paths[z].c_str(), "wb");
            std::fwrite(w.bytes[z].data(), 1, w.bytes[z].size(), f);
            std::fclose(f);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(w.totalBytes));
}
BENCHMARK(BM_PlainWrite200k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
