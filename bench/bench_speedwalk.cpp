// A speedwalk across a whole zone of 20 000 rooms and across a world of
// 200 000 rooms in ten such zones joined by cross links, corner to far
// corner, so that the search lists nearly every room on the way. The search
// should cost in proportion to the rooms it lists: the world about ten times
// the zone, and well under 100 ms.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "mapping/MappingConfig.h"
#include "model/World.h"
#include "navigation/SpeedwalkSearch.h"

namespace trellan {
namespace {

constexpr int kRows = 100;
constexpr int kColumns = 200;  // 20 000 rooms a zone

std::int32_t TagAt(int row, int column) {
    return row * kColumns + column + 1;
}

bool IsPipe(int row, int column) {
    return row % 10 == 5 && column % 20 >= 8 && column % 20 <= 10;
}

struct Fixture {
    World world;
    MappingConfig config;
    MudRoom* start = nullptr;
    MudRoom* target = nullptr;
};

// Every zone a grid of rooms linked to their neighbours, with corridors of
// three cells running east-west every tenth row; zone z's east edge leads into zone z + 1
// through a cross link in the middle row.
Fixture& Get(int zones) {
    static std::map<int, std::unique_ptr<Fixture>> cache;
    std::unique_ptr<Fixture>& fixture = cache[zones];
    if (fixture) return *fixture;
    fixture = std::make_unique<Fixture>();
    World& world = fixture->world;
    for (int z = 0; z < zones; ++z) {
        std::string zone = "Zone" + std::to_string(z);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                auto room = std::make_unique<MudRoom>();
                room->X = row;
                room->Y = column;
                room->Tag = TagAt(row, column);
                bool pipe = IsPipe(row, column);
                room->Pipe = pipe;
                if (pipe) room->Tag = 0;
                room->Hint = pipe ? std::string() : "Room";
                // Links come in pairs, and a corridor has them only along
                // its axis.
                room->ChN = row > 0 && !pipe && !IsPipe(row - 1, column);
                room->ChS = row + 1 < kRows && !pipe && !IsPipe(row + 1, column);
                room->ChW = column > 0;
                room->ChE = column + 1 < kColumns;
                if (column + 1 == kColumns && row == kRows / 2 && z + 1 < zones) {
                    room->ChE = true;
                    room->AutoMaps.push_back("Zone" + std::to_string(z + 1) + "|" +
                                             fixture->config.DirectionPhrases[3] + "|" + std::to_string(TagAt(row, 0)));
                }
                MudRoom* added = world.AddLoadedRoom(zone, std::move(room));
                if (z == 0 && row == 0 && column == 0) fixture->start = added;
                if (z + 1 == zones && row + 1 == kRows && column + 1 == kColumns) fixture->target = added;
            }
        }
    }
    return *fixture;
}

void BM_SpeedwalkAcross(benchmark::State& state) {
    Fixture& fixture = Get(static_cast<int>(state.range(0)));
    SpeedwalkSearch search(fixture.world, fixture.config);
    std::size_t length = 0;
    for (auto _ : state) {
        std::optional<std::string> path = search.FindPath(fixture.start, fixture.target, 100000);
        if (!path) state.SkipWithError("no path");
        length = path ? path->size() : 0;
        benchmark::DoNotOptimize(length);
    }
    state.counters["rooms"] = static_cast<double>(fixture.world.RoomCount());
    state.counters["path_bytes"] = static_cast<double>(length);
}
BENCHMARK(BM_SpeedwalkAcross)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
