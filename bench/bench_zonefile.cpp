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

#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"

namespace {

using namespace trellan;
namespace fs = std::filesystem;

constexpr int kRoomsPerZone = 200;
constexpr int kZones = 1000;

// Rooms that look like a mapped Russian MUD: a title, a three-line
// description, exits, a few cross-links and marks.
std::vector<std::unique_ptr<MudRoom>> MakeZone(int zone) {
    std::vector<std::unique_ptr<MudRoom>> rooms;
    const ExitWords words = ExitWords::Defaults();
    for (int i = 0; i < kRoomsPerZone; ++i) {
        auto room = std::make_unique<MudRoom>();
        room->Tag = i + 1;
        room->SetExits(i % 3 ? "N S E" : "(W) U D", words);
        room->Hint = "\xD2\xE5\xEC\xED\xE0\xFF \xF2\xF0\xEE\xEF\xE0 " + std::to_string(i);
        room->ChN = i % 2;
        room->ChS = i % 3;
        room->ChE = true;
        room->BColor = i % 5 ? kColorSilver : 0x00FF00;
        room->Description =
            "\xD3\xE7\xEA\xE0\xFF \xF2\xF0\xEE\xEF\xE0 \xE2\xFC\xB8\xF2\xF1\xFF \xEC\xE5\xE6\xE4\xF3 \xE4\xE5\xF0"
            "\xE5\xE2\xFC\xE5\xE2, \xF1\xEF\xF3\xF1\xEA\xE0\xFF\xF1\xFC \xEA \xF0\xE5\xEA\xE5.\r\n"
            "Old roots cross the path here and there, and the air smells of moss and rain.\r\n"
            "To the north you hear running water; the path goes on south and east.";
        room->X = i / 20 - zone;
        room->Y = i % 20 + zone * 3;
        room->L = zone % 4 - 2;
        room->DX = 0;
        room->DY = 300;
        room->DL = 0;
        room->DT = i % 50 == 0;
        if (i % 10 == 0) room->QuickList = "alias" + std::to_string(i);
        if (i % 25 == 0) room->AutoMaps = {"Zone" + std::to_string(zone + 1) + "|\xED\xE0 \xF1\xE5\xE2\xE5\xF0|1"};
        room->ImageIndex = i % 7;
        rooms.push_back(std::move(room));
    }
    return rooms;
}

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
