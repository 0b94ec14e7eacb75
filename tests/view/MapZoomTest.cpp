// The map at other zooms than 100 %: the picture at 100 % stays what it was
// (compared with a picture taken before the map could zoom), the ladder of
// zooms, the wheel and the fit, rooms painted at other sizes and the names
// under them.
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QWheelEvent>
#include <cstdlib>

#include "GoldenZone.h"
#include "ViewFixture.h"
#include "view/MapPanel.h"
#include "view/MapZoom.h"
#include "view/SkinStrips.h"

namespace trellan {
namespace {

const QString kGoldenDir = QStringLiteral(TRELLAN_SOURCE_DIR "/tests/view/golden");

class MapZoomTest : public ViewFixture {
protected:
    MapZoomTest() {
        EnsureApp();
        panel = std::make_unique<MapPanel>(world, view, skins, settings, config);
    }

    QImage Render(int width, int height) {
        panel->PanelMain()->resize(width, height);
        panel->RenderMap();
        return panel->MapBuffer().copy();
    }

    MainSettings settings;
    std::unique_ptr<MapPanel> panel;
};

// The golden pictures were painted by the painter as it was before the map
// could zoom; TRELLAN_WRITE_GOLDEN=1 writes them again from today's (only
// ever on purpose, after looking at the difference).
TEST_F(MapZoomTest, PictureAtOneHundredPercentIsThePictureOfOld) {
    BuildGoldenZone(world, view, config);
    ASSERT_NE(world.CurrentRoom, nullptr);
    struct Case {
        const char* file;
        int panelBitmap;
        bool bottomLevels;
    };
    for (const Case& c : {Case{"zone-100-texture.png", 0, true}, Case{"zone-100-plain.png", -1, false}}) {
        settings.PanelBitmap = c.panelBitmap;
        settings.ShowBottomLevel = c.bottomLevels;
        const QImage picture = Render(kGoldenWidth, kGoldenHeight);
        const QString path = kGoldenDir + "/" + c.file;
        if (std::getenv("TRELLAN_WRITE_GOLDEN") != nullptr) {
            QDir().mkpath(kGoldenDir);
            ASSERT_TRUE(picture.save(path));
            continue;
        }
        const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(golden.isNull()) << path.toStdString();
        ASSERT_EQ(golden.size(), picture.size());
        int differing = 0;
        for (int y = 0; y < golden.height(); ++y) {
            for (int x = 0; x < golden.width(); ++x) {
                if ((golden.pixel(x, y) | 0xFF000000u) != (picture.pixel(x, y) | 0xFF000000u)) ++differing;
            }
        }
        EXPECT_EQ(differing, 0) << c.file;
    }
}

TEST(MapZoomLadder, StepsFitsAndCellSizes) {
    EXPECT_EQ(StepZoom(100, +1), 125);
    EXPECT_EQ(StepZoom(100, -1), 90);
    EXPECT_EQ(StepZoom(110, +1), 125) << "between steps, up goes to the next one";
    EXPECT_EQ(StepZoom(110, -1), 100) << "and down to the one below";
    EXPECT_EQ(StepZoom(10, -1), 10);
    EXPECT_EQ(StepZoom(400, +3), 400);
    EXPECT_EQ(StepZoom(100, -20), kMinZoom);
    EXPECT_EQ(ZoomedCellSize(32, 10), 3);
    EXPECT_EQ(ZoomedCellSize(32, 33), 11);
    EXPECT_EQ(ZoomedCellSize(32, 1), 1);
    // 141 x 141 cells into 1000 x 700 pixels: 4 pixels a cell, not 5.
    const int fit = FitZoom(141, 141, 1000, 700, 32);
    EXPECT_LE(ZoomedCellSize(32, fit) * 141, 700);
    EXPECT_GT(ZoomedCellSize(32, fit + 2) * 141, 700);
    EXPECT_EQ(FitZoom(2, 2, 1000, 700, 32), kMaxZoom);
    EXPECT_EQ(FitZoom(100000, 3, 1000, 700, 32), kMinZoom);
}

TEST_F(MapZoomTest, CtrlWheelZoomsAroundThePointerAndPlainWheelDoesNot) {
    for (int x = -20; x <= 20; ++x) AddRoom(x, x, 0);
    world.CurrentRoom = world.FindRoom(0, 0, 0);
    panel->PanelMain()->resize(461, 256);
    panel->CenterOnCurrentRoom();
    int changes = 0;
    panel->ZoomChanged = [&] { ++changes; };
    const QPoint pointer(230 + 5 * 32, 128 + 2 * 32);
    ASSERT_EQ(panel->CellAt(pointer.x(), pointer.y()), (GridCell{2, 5, 0}));
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods) {
        QWheelEvent event(QPointF(pointer), QPointF(panel->PanelMain()->mapToGlobal(pointer)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(panel->PanelMain(), &event);
    };
    wheel(120, Qt::NoModifier);
    EXPECT_EQ(panel->Zoom(), 100);
    for (int expected : {125, 150, 200, 300}) {
        wheel(120, Qt::ControlModifier);
        EXPECT_EQ(panel->Zoom(), expected);
        EXPECT_EQ(panel->CellAt(pointer.x(), pointer.y()), (GridCell{2, 5, 0})) << expected;
    }
    wheel(-240, Qt::ControlModifier);
    EXPECT_EQ(panel->Zoom(), 150);
    EXPECT_EQ(panel->CellAt(pointer.x(), pointer.y()), (GridCell{2, 5, 0}));
    EXPECT_EQ(changes, 5);
}

TEST_F(MapZoomTest, FitShowsEveryRoomOfTheViewedLevel) {
    for (int x = -30; x <= 40; x += 7) {
        for (int y = -50; y <= 60; y += 11) AddRoom(x, y, 0);
    }
    AddRoom(500, 500, 1);  // another level: not part of the fit
    world.CurrentRoom = world.FindRoom(-30, -50, 0);
    panel->PanelMain()->resize(700, 500);
    panel->CenterOnCurrentRoom();
    panel->FitLevel();
    EXPECT_LT(panel->Zoom(), 50);
    const int s = panel->CellSize();
    EXPECT_GT((s + 1) * 111, 700) << "the zoom is no smaller than it needs to be";
    for (const RoomSlot& slot : world.ZoneRooms()) {
        const MudRoom& room = *slot.Room();
        if (room.L != 0) continue;
        const TilePosition at = RoomTilePosition(room, view.RoomOrigin(), s, 700, 500);
        EXPECT_TRUE(at.X >= 0 && at.Y >= 0 && at.X + s <= 700 && at.Y + s <= 500) << room.X << "," << room.Y;
    }
}

TEST_F(MapZoomTest, ZoomedRoomsKeepTheirColourAndTheSmallestAreCells) {
    MudRoom* yellow = AddRoom(0, 0, 0, "N S E W");
    yellow->BColor = 0x00FFFF;
    MudRoom* other = AddRoom(0, 1, 0);
    other->BColor = 0xFF0000;
    world.CurrentRoom = other;
    settings.PanelBitmap = -1;
    panel->PanelMain()->resize(461, 256);
    panel->CenterOnCurrentRoom();
    view.DY = 0;
    view.Refresh();
    const QRgb yellowPx = 0xFFFFFF00u;
    // How many pixels of the room's tile take its colour.
    auto coloured = [&](const QImage& picture, int s) {
        const TilePosition at = RoomTilePosition(*yellow, view.RoomOrigin(), s, 461, 256);
        int count = 0;
        for (int y = 0; y < s; ++y) {
            for (int x = 0; x < s; ++x)
                count += (picture.pixel(int(at.X) + x, int(at.Y) + y) | 0xFF000000u) == yellowPx;
        }
        return count;
    };
    const int atOwnSize = coloured(Render(461, 256), 32);
    ASSERT_GT(atOwnSize, 200);
    for (int zoom : {50, 75, 150, 200, 400}) {
        panel->SetZoom(zoom);
        const QImage picture = Render(461, 256);
        const int s = panel->CellSize();
        const TilePosition at = RoomTilePosition(*yellow, view.RoomOrigin(), s, 461, 256);
        // The skin's fill point, scaled.
        const int fx = static_cast<int>(at.X) + (skins.FillPoint.A * s + 16) / 32;
        const int fy = static_cast<int>(at.Y) + (skins.FillPoint.B * s + 16) / 32;
        EXPECT_EQ(picture.pixel(fx, fy) | 0xFF000000u, yellowPx) << zoom;
        // Growing by whole pixels colours exactly what 100 % colours.
        if (zoom == 200 || zoom == 400) EXPECT_EQ(coloured(picture, s), atOwnSize * s * s / (32 * 32)) << zoom;
        // The fill stays inside the tile.
        EXPECT_NE(picture.pixel(static_cast<int>(at.X) - 1, fy) | 0xFF000000u, yellowPx) << zoom;
    }
    panel->SetZoom(10);
    const QImage cells = Render(461, 256);
    EXPECT_EQ(cells.pixel(230 - 1, 128) | 0xFF000000u, yellowPx) << "the room as a cell of its colour";
    EXPECT_EQ(cells.pixel(230 + 2, 128) | 0xFF000000u, 0xFFFF0000u) << "the current room is red";
    EXPECT_EQ(cells.pixel(230 + 30, 128 + 30) | 0xFF000000u, 0xFF808080u) << "the panel colour";
}

TEST_F(MapZoomTest, NamesShowUnderTheRoomsFromOneHundredAndFiftyPercentOnly) {
    MudRoom* room = AddRoom(0, 0, 0);
    room->Hint = Cp("Очень длинное название комнаты у реки");
    world.CurrentRoom = room;
    // Shown, so that the surface has the size its layout gives it.
    panel->resize(480, 300);
    panel->show();
    panel->CenterOnCurrentRoom();
    const int width = panel->PanelMain()->width();
    const int height = panel->PanelMain()->height();
    ASSERT_GT(width, 300);
    auto surface = [&] { return panel->PanelMain()->grab().toImage(); };
    for (int zoom : {125, 150, 300}) {
        panel->SetZoom(zoom);
        panel->SetShowRoomNames(false);
        const QImage without = surface();
        panel->SetShowRoomNames(true);
        const QImage with = surface();
        EXPECT_EQ(panel->RoomNamesShown(), zoom >= kNamesZoom);
        const int s = panel->CellSize();
        const TilePosition at = RoomTilePosition(*room, view.RoomOrigin(), s, width, height);
        ASSERT_EQ(with.size(), QSize(width, height));
        // Only the bottom strip of the room's own cell may change.
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (with.pixel(x, y) == without.pixel(x, y)) continue;
                const bool inCell = x >= at.X && x < at.X + s && y >= at.Y + s / 2 && y < at.Y + s;
                ++(inCell ? inside : outside);
            }
        }
        EXPECT_EQ(inside > 0, zoom >= kNamesZoom) << zoom;
        EXPECT_EQ(outside, 0) << zoom << ": the name is elided to its cell";
    }
}

}  // namespace
}  // namespace trellan
