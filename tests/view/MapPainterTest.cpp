// Painting the shown zone: the background, and that looking rooms up by the
// cells in view paints exactly the levels and rooms that walking the zone would.
#include <random>

#include "ViewFixture.h"
#include "view/BuiltinSkin.h"
#include "view/MapPainter.h"

namespace trellan {
namespace {

class MapPainterTest : public ViewFixture {
protected:
    MapPainterTest() { options.PanelBitmap = -1; }

    void PaintAll(int width, int height, ViewOrigin origin = {}) {
        NewCanvas(width, height);
        view.RecomputeBounds();
        PaintMap(*canvas, world, view.Bounds, options, Context(origin));
    }

    // The same picture by brute force: every room of the zone in its order.
    QImage Reference(int width, int height, ViewOrigin origin) {
        QImage out(width, height, QImage::Format_RGB32);
        MapCanvas reference(out);
        PaintBackground(reference, options);
        for (const RoomSlot& slot : world.ZoneRooms()) {
            const MudRoom& room = *slot.Room();
            const bool drawn = room.L == origin.DL || (options.ShowTopLevel && room.L == origin.DL + 1) ||
                               (options.ShowBottomLevel && room.L < origin.DL);
            if (drawn) PaintRoom(reference, room, Context(origin));
        }
        return out;
    }

    MapPaintOptions options;
};

TEST_F(MapPainterTest, BackgroundIsThePanelColourOrATexture) {
    options.PanelColor = 0x0000FF;
    PaintAll(100, 70);
    EXPECT_EQ(Px(0, 0), 0xFFFF0000u);
    EXPECT_EQ(Px(99, 69), 0xFFFF0000u);

    for (int texture = 0; texture < kBuiltinTextureCount; ++texture) {
        options.PanelBitmap = texture;
        PaintAll(150, 70);
        const QImage& tile = BuiltinTexture(texture);
        ASSERT_EQ(tile.size(), QSize(64, 64));
        for (auto [x, y] : {std::pair{0, 0}, std::pair{70, 5}, std::pair{149, 69}, std::pair{128, 64}}) {
            EXPECT_EQ(Px(x, y), tile.pixel(x % 64, y % 64) | 0xFF000000u) << texture << " at " << x << "," << y;
        }
    }
    // A texture number the program does not have falls back to the colour.
    options.PanelBitmap = 7;
    PaintAll(100, 70);
    EXPECT_EQ(Px(50, 50), 0xFFFF0000u);
}

TEST_F(MapPainterTest, CellLookUpPaintsWhatAWalkOverTheZonePaints) {
    // A zone far larger than the cells in view, over five levels, with
    // exits, colours, corridors and pictures; the fills and the shifted
    // levels overlap, so the order matters too.
    std::mt19937 random(7);
    const char* exits[] = {"", "N", "S E", "(N) W", "U D", "N S E W U D"};
    for (int l = -3; l <= 1; ++l) {
        for (int x = -25; x <= 25; ++x) {
            for (int y = -30; y <= 30; ++y) {
                if (random() % 3 == 0) continue;
                MudRoom* room = AddRoom(x, y, l, exits[random() % 6]);
                room->BColor = random() % 5 == 0 ? 0x00FFFF : 0xC0C0C0;
                room->Pipe = random() % 7 == 0;
                room->ImageIndex = static_cast<int>(random() % 8);
                room->ChN = random() % 2 == 0;
            }
        }
    }
    ASSERT_GT(world.ZoneRooms().size(), 5000u);
    for (ViewOrigin origin : {ViewOrigin{0, 0, 0}, ViewOrigin{20, -27, -1}, ViewOrigin{-3, 4, 1}}) {
        PaintAll(300, 200, origin);
        EXPECT_EQ(image, Reference(300, 200, origin)) << origin.DX << "," << origin.DY << "," << origin.DL;
    }
    for (auto [top, bottom] : {std::pair{true, false}, std::pair{false, true}, std::pair{false, false}}) {
        options.ShowTopLevel = top;
        options.ShowBottomLevel = bottom;
        PaintAll(300, 200, ViewOrigin{1, 1, 0});
        EXPECT_EQ(image, Reference(300, 200, ViewOrigin{1, 1, 0})) << top << bottom;
    }
}

}  // namespace
}  // namespace trellan
