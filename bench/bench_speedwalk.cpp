// Speedwalks corner to far corner, so that the search lists nearly every
// room on the way:
// - a world of 1 024 zones of 200 rooms (204 800 rooms), the zones laid out
//   in a 32 x 32 square and joined to their east and south neighbours by
//   cross links both ways;
// - one zone of 300 x 300 rooms (90 000);
// each with corridors of three cells every tenth row. The searches alone run
// on a graph prepared by the first; "AfterLoad" times the first search after
// the world changed wholesale (a load), graph building included.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "mapping/MappingConfig.h"
#include "model/World.h"
#include "navigation/SpeedwalkSearch.h"

namespace trellan {
namespace {

struct Shape {
    int zoneRows, zoneColumns;  // zones in the square
    int rows, columns;          // rooms in a zone
};

constexpr Shape kZoneSquare{32, 32, 10, 20};
constexpr Shape kOneBigZone{1, 1, 300, 300};

bool IsPipe(int row, int column) {
    return row % 10 == 5 && column % 20 >= 8 && column % 20 <= 10;
}

struct Fixture {
    World world;
    MappingConfig config;
    MudRoom* start = nullptr;
    MudRoom* target = nullptr;
};

std::string ZoneName(int zoneRow, int zoneColumn) {
    return "Zone" + std::to_string(zoneRow) + "_" + std::to_string(zoneColumn);
}

Fixture& Get(const Shape& shape) {
    static std::map<int, std::unique_ptr<Fixture>> cache;
    std::unique_ptr<Fixture>& fixture = cache[shape.zoneRows * 100000 + shape.rows];
    if (fixture) return *fixture;
    fixture = std::make_unique<Fixture>();
    World& world = fixture->world;
    const auto& phrases = fixture->config.DirectionPhrases;
    auto tagAt = [&](int row, int column) { return row * shape.columns + column + 1; };
    for (int zr = 0; zr < shape.zoneRows; ++zr) {
        for (int zc = 0; zc < shape.zoneColumns; ++zc) {
            const std::string zone = ZoneName(zr, zc);
            for (int row = 0; row < shape.rows; ++row) {
                for (int column = 0; column < shape.columns; ++column) {
                    auto room = std::make_unique<MudRoom>();
                    room->X = row;
                    room->Y = column;
                    const bool pipe = IsPipe(row, column);
                    room->Pipe = pipe;
                    room->Tag = pipe ? 0 : tagAt(row, column);
                    room->Hint = pipe ? std::string() : "Room";
                    // Links come in pairs, and a corridor has them only along its axis.
                    room->ChN = row > 0 && !pipe && !IsPipe(row - 1, column);
                    room->ChS = row + 1 < shape.rows && !pipe && !IsPipe(row + 1, column);
                    room->ChW = column > 0;
                    room->ChE = column + 1 < shape.columns;
                    auto link = [&](Direction direction, int toRow, int toColumn, int tagRow, int tagColumn) {
                        room->Link(direction) = true;
                        room->AutoMaps.push_back(ZoneName(toRow, toColumn) + "|" + phrases[Index(direction)] + "|" +
                                                 std::to_string(tagAt(tagRow, tagColumn)));
                    };
                    if (column + 1 == shape.columns && row == shape.rows / 2 && zc + 1 < shape.zoneColumns) {
                        link(Direction::East, zr, zc + 1, row, 0);
                    }
                    if (column == 0 && row == shape.rows / 2 && zc > 0) {
                        link(Direction::West, zr, zc - 1, row, shape.columns - 1);
                    }
                    if (row + 1 == shape.rows && column == shape.columns / 2 && zr + 1 < shape.zoneRows) {
                        link(Direction::South, zr + 1, zc, 0, column);
                    }
                    if (row == 0 && column == shape.columns / 2 && zr > 0) {
                        link(Direction::North, zr - 1, zc, shape.rows - 1, column);
                    }
                    MudRoom* added = world.AddLoadedRoom(zone, std::move(room));
                    if (zr == 0 && zc == 0 && row == 0 && column == 0) fixture->start = added;
                    if (zr + 1 == shape.zoneRows && zc + 1 == shape.zoneColumns && row + 1 == shape.rows &&
                        column + 1 == shape.columns) {
                        fixture->target = added;
                    }
                }
            }
        }
    }
    return *fixture;
}

void Report(benchmark::State& state, Fixture& fixture, const SpeedwalkSearch& search, std::size_t steps) {
    const double rooms = static_cast<double>(fixture.world.RoomCount());
    state.counters["rooms"] = rooms;
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["graph_bytes_per_room"] = static_cast<double>(search.Graph().MemoryBytes()) / rooms;
}

std::size_t Steps(const std::optional<std::string>& path) {
    return path ? static_cast<std::size_t>(std::count(path->begin(), path->end(), ';') + 1) : 0;
}

// Whether each walk finds the graph ready, or follows a wholesale change of
// the world (what a load tells) and so builds it first.
enum class Graph { Ready, AfterLoad };

void Search(benchmark::State& state, const Shape& shape, Graph graph) {
    Fixture& fixture = Get(shape);
    SpeedwalkSearch search(fixture.world, fixture.config);
    search.Prepare();
    std::size_t steps = 0;
    for (auto _ : state) {
        if (graph == Graph::AfterLoad) fixture.world.Changes().Everything();
        std::optional<std::string> path = search.FindPath(fixture.start, fixture.target, SpeedwalkSearch::kGenerationCap);
        if (!path) state.SkipWithError("no path");
        steps = Steps(path);
        benchmark::DoNotOptimize(steps);
    }
    Report(state, fixture, search, steps);
}

void BM_SpeedwalkZoneSquare(benchmark::State& state) {
    Search(state, kZoneSquare, Graph::Ready);
}
void BM_SpeedwalkOneBigZone(benchmark::State& state) {
    Search(state, kOneBigZone, Graph::Ready);
}
void BM_SpeedwalkZoneSquareAfterLoad(benchmark::State& state) {
    Search(state, kZoneSquare, Graph::AfterLoad);
}
void BM_SpeedwalkOneBigZoneAfterLoad(benchmark::State& state) {
    Search(state, kOneBigZone, Graph::AfterLoad);
}
BENCHMARK(BM_SpeedwalkZoneSquare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeedwalkOneBigZone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeedwalkZoneSquareAfterLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpeedwalkOneBigZoneAfterLoad)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
