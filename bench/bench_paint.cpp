// Repainting the map: a full 1920 x 1080 view. The cost must follow the
// rooms on screen, not the rooms in the zone: the same 200 rooms in view
// cost about the same in a 200-room zone and in a 20 000-room zone, and a
// view filled with rooms of a 20 000-room zone stays well under 10 ms. Zoomed
// out, a whole 20 000-room zone is in view; at 10 % it repaints in under
// 16 ms (one frame).
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>
#include <random>

#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "view/MapCanvas.h"
#include "view/MapPainter.h"
#include "view/MapZoom.h"
#include "view/SkinSet.h"
#include "view/ZoomedSkin.h"

namespace {

using namespace trellan;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Scene {
    World world;
    ViewState view{world};
    MappingConfig config;
    SkinSet skins;
    std::mt19937 random{42};

    Scene() {
        world.CurrentZone = "bench";
        world.LoadZone();
    }

    void Add(int x, int y, int l) {
        static const char* exits[] = {"N S E W", "N S", "E W", "N (E) S", "U D N", ""};
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->BColor = random() % 4 == 0 ? 0x80FFFF : 0xC0C0C0;
        room->Hint = "Room";
        room->SetExits(exits[random() % 6], config.Words);
        room->ChN = room->ExitState(Direction::North) != ExitStatus::Absent;
        room->ChE = room->ExitState(Direction::East) != ExitStatus::Absent;
        room->Pipe = random() % 6 == 0;
        room->ImageIndex = static_cast<int>(random() % 10);
        world.AddRoom(std::move(room));
    }

    // 200 rooms around the view centre on the viewed level and the one below.
    void AddCluster() {
        for (int x = -5; x < 5; ++x) {
            for (int y = -5; y < 5; ++y) {
                Add(x, y, 0);
                Add(x, y, -1);
            }
        }
    }

    // At `percent` of the skin's size, the skin scaled as the map panel does.
    void Paint(benchmark::State& state, int percent = 100) {
        view.RecomputeBounds();
        view.Refresh();
        QImage buffer(kWidth, kHeight, QImage::Format_RGB32);
        MapPaintOptions options;
        ZoomedSkin zoomedSkin;
        const SkinAtSize skin =
            zoomedSkin.For(skins.Active(), skins.IconPoint, skins.FillPoint, ZoomedCellSize(skins.CellSize(), percent));
        const RoomPaintContext context{skin.Slot,   skin.IconPoint,          skin.FillPoint,
                                       config.Dark, config.DirectionPhrases, view.RoomOrigin()};
        for (auto _ : state) {
            MapCanvas canvas(buffer);
            PaintMap(canvas, world, view.Bounds, options, context);
            benchmark::DoNotOptimize(buffer.constBits());
        }
        state.counters["zone_rooms"] = static_cast<double>(world.ZoneRooms().size());
    }
};

void BM_PaintClusterOf200(benchmark::State& state) {
    Scene scene;
    scene.AddCluster();
    // The rest of the zone lies outside the view: far east, and far above.
    const int outside = static_cast<int>(state.range(0)) - 200;
    for (int i = 0; i < outside; ++i) {
        if (i % 2 == 0) {
            scene.Add(i / 2 / 100, 1000 + (i / 2) % 100, 0);
        } else {
            scene.Add(i / 2 / 100, (i / 2) % 100, 5);
        }
    }
    scene.Paint(state);
}
BENCHMARK(BM_PaintClusterOf200)->Arg(200)->Arg(20000)->Unit(benchmark::kMicrosecond);

// Every cell of the view holds a room: about 2 000 rooms on screen.
void BM_PaintFullView(benchmark::State& state) {
    Scene scene;
    for (int x = -70; x < 71; ++x) {
        for (int y = -70; y < 72; ++y) scene.Add(x, y, 0);
    }
    scene.Paint(state);
}
BENCHMARK(BM_PaintFullView)->Unit(benchmark::kMicrosecond);

// The same 20 022-room zone zoomed out to the percent given: at 10 % and
// 15 % all of it is in view as plain cells, at 25 % and 50 % as scaled
// tiles (at 25 % most of it, at 50 % a quarter).
void BM_PaintZoneZoomedOut(benchmark::State& state) {
    Scene scene;
    for (int x = -70; x < 71; ++x) {
        for (int y = -70; y < 72; ++y) scene.Add(x, y, 0);
    }
    scene.Paint(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_PaintZoneZoomedOut)->Arg(10)->Arg(15)->Arg(25)->Arg(50)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
