// Room look-ups and room edits of the world at the scale of a small world
// (2 000 rooms) and of the largest we plan for (200 000 rooms in 1 000 zones,
// or 20 000 rooms per zone). The indexed look-ups should cost about the same
// at both sizes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/World.h"

namespace trellan {
namespace {

// What a look-up is asked, copied out of a room so that the benchmark
// measures the look-up rather than reaching the room it asks about.
struct Query {
    std::int32_t x, y, l, tag;
    std::string zone, hint, description, exits, alias;
};

struct Fixture {
    World world;
    std::vector<MudRoom*> sample;     // rooms of the shown zone, for edits
    std::vector<Query> zoneQueries;   // about rooms of the shown zone
    std::vector<Query> worldQueries;  // about rooms anywhere
    ExitWords words = ExitWords::Defaults();
};

Query QueryFor(const World& world, const MudRoom& r) {
    return {r.X,
            r.Y,
            r.L,
            r.Tag,
            world.ZoneOf(&r),
            r.Hint,
            r.Description,
            r.Exits(),
            r.QuickList.empty() ? "нет такой" : r.QuickList};
}

std::string Description(std::mt19937& rng) {
    static const char* kWords[] = {"Вы стоите", "на широкой", "дороге,", "ведущей",  "к городу.", "Вокруг",
                                   "растет",    "густой",     "лес,",    "и слышно", "пение",     "птиц."};
    std::string text;
    for (int i = 0; i < 24; ++i) {
        if (i && i % 8 == 0) text += "\r\n";
        text += kWords[rng() % 12];
        text += ' ';
    }
    return text;
}

constexpr std::size_t kQueries = 2000;
constexpr std::size_t kZoneQueries = 200;

Fixture& Get(int rooms, int zones) {
    static std::map<std::pair<int, int>, std::unique_ptr<Fixture>> cache;
    auto& slot = cache[{rooms, zones}];
    if (slot) return *slot;
    slot = std::make_unique<Fixture>();
    Fixture& f = *slot;
    std::mt19937 rng(7);
    const int perZone = rooms / zones;
    for (int z = 0; z < zones; ++z) {
        std::string zone = "Зона " + std::to_string(z);
        f.world.AddZoneNode(zone);
        for (int i = 0; i < perZone; ++i) {
            auto room = std::make_unique<MudRoom>();
            room->X = i % 50 - 25;
            room->Y = (i / 50) % 20 - 10;
            room->L = i / 1000;
            room->Tag = i % 17 == 0 ? 0 : i + 1;  // a few corridor cells
            room->Pipe = room->Tag == 0;
            room->Hint = room->Pipe ? "" : "Дорога " + std::to_string(rng() % 500);
            room->Description = room->Pipe ? "" : Description(rng);
            room->SetExits(room->Pipe ? "N S" : "(N) S E", f.words);
            if (i % 100 == 5) room->QuickList = "метка" + std::to_string(z) + "_" + std::to_string(i);
            f.world.AddLoadedRoom(zone, std::move(room));
        }
    }
    f.world.CurrentZone = "Зона " + std::to_string(zones / 2);
    f.world.LoadZone();
    for (const RoomSlot& s : f.world.ZoneRooms()) f.sample.push_back(s.Room());
    std::shuffle(f.sample.begin(), f.sample.end(), rng);
    // The same number of different rooms asked about and edited at every
    // size: as many as the smallest world's zone has (and as many as the
    // smallest world has for the world-wide questions). Otherwise the small
    // world would answer from a handful of questions held in the cache and
    // the large one from thousands that are not, and the comparison would
    // measure the questions rather than the world.
    f.sample.resize(std::min(f.sample.size(), kZoneQueries));
    for (MudRoom* room : f.sample) f.zoneQueries.push_back(QueryFor(f.world, *room));
    const std::size_t step = std::max<std::size_t>(1, f.world.RoomCount() / kQueries);
    std::size_t at = 0;
    for (const RoomSlot& s : f.world.AllRooms()) {
        if (at++ % step == 0) f.worldQueries.push_back(QueryFor(f.world, *s.Room()));
    }
    std::shuffle(f.worldQueries.begin(), f.worldQueries.end(), rng);
    return f;
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({2000, 10})->Args({200000, 1000})->Args({200000, 10});
    b->ArgNames({"rooms", "zones"});
}

#define FIXTURE                                                                           \
    Fixture& f = Get(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))); \
    std::size_t i = 0

void BM_FindRoom(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.zoneQueries[i++ % f.zoneQueries.size()];
        benchmark::DoNotOptimize(f.world.FindRoom(q.x, q.y, q.l));
    }
}
BENCHMARK(BM_FindRoom)->Apply(Sizes);

void BM_FindRoomMiss(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.zoneQueries[i++ % f.zoneQueries.size()];
        benchmark::DoNotOptimize(f.world.FindRoom(q.x, q.y, q.l + 500));
    }
}
BENCHMARK(BM_FindRoomMiss)->Apply(Sizes);

void BM_GlobalFindRoom(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.worldQueries[i++ % f.worldQueries.size()];
        benchmark::DoNotOptimize(f.world.GlobalFindRoom(q.x, q.y, q.l, q.zone));
    }
}
BENCHMARK(BM_GlobalFindRoom)->Apply(Sizes);

void BM_FindRoomByTag(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.zoneQueries[i++ % f.zoneQueries.size()];
        benchmark::DoNotOptimize(f.world.FindRoomByTag(q.tag));
    }
}
BENCHMARK(BM_FindRoomByTag)->Apply(Sizes);

void BM_GlobalFindRoomByTag(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.worldQueries[i++ % f.worldQueries.size()];
        benchmark::DoNotOptimize(f.world.GlobalFindRoomByTag(q.tag, q.zone));
    }
}
BENCHMARK(BM_GlobalFindRoomByTag)->Apply(Sizes);

void BM_FindRoomByName(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.zoneQueries[i++ % f.zoneQueries.size()];
        benchmark::DoNotOptimize(f.world.FindRoomByName(q.hint, q.description, q.exits));
    }
}
BENCHMARK(BM_FindRoomByName)->Apply(Sizes);

void BM_GlobalFindRoomByName(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        const Query& q = f.worldQueries[i++ % f.worldQueries.size()];
        benchmark::DoNotOptimize(f.world.GlobalFindRoomByName(q.hint, q.description, q.exits));
    }
}
BENCHMARK(BM_GlobalFindRoomByName)->Apply(Sizes);

void BM_FindRoomByAlias(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.world.FindRoomByAlias(f.worldQueries[i++ % f.worldQueries.size()].alias));
    }
}
BENCHMARK(BM_FindRoomByAlias)->Apply(Sizes);

// Adding a room to the shown zone and removing it again keeps the size.
void BM_AddAndRemoveRoom(benchmark::State& state) {
    FIXTURE;
    for (auto _ : state) {
        MudRoom* like = f.sample[i++ % f.sample.size()];
        auto room = std::make_unique<MudRoom>();
        room->X = like->X + 1;
        room->Y = like->Y;
        room->L = like->L;
        room->Tag = f.world.LastRoomNumber + 1;
        room->Hint = like->Hint;
        room->Description = like->Description;
        room->SetExits(like->Exits(), f.words);
        MudRoom* added = f.world.AddRoom(std::move(room));
        f.world.RemoveRoom(added);
    }
}
BENCHMARK(BM_AddAndRemoveRoom)->Apply(Sizes);

void BM_MoveRoom(benchmark::State& state) {
    FIXTURE;
    int dir = 1;
    for (auto _ : state) {
        MudRoom* r = f.sample[i++ % f.sample.size()];
        f.world.MoveRoom(r, r->X + dir, r->Y, r->L);
        if (i % f.sample.size() == 0) dir = -dir;
    }
}
BENCHMARK(BM_MoveRoom)->Apply(Sizes);

}  // namespace
}  // namespace trellan

BENCHMARK_MAIN();
