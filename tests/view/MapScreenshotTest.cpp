// A small village drawn by the whole panel: every kind of mark at once, on
// the default texture. Set TRELLAN_MAP_PNG (the map alone) or
// TRELLAN_MAP_WIDGET_PNG (the whole panel) to a file name to keep a picture.
#include <QApplication>
#include <cstdlib>

#include "ViewFixture.h"
#include "view/MapPanel.h"

namespace trellan {
namespace {

class MapScreenshotTest : public ViewFixture {
protected:
    MudRoom* Room(int x, int y, int l, const char* exits, std::uint32_t color = 0xC0C0C0) {
        MudRoom* room = AddRoom(x, y, l, exits);
        room->BColor = color;
        for (int d = 0; d < 4; ++d) room->Link(d) = room->ExitState(d) != 0;
        return room;
    }
    MudRoom* Pipe(int x, int y, int l, const char* exits) {
        MudRoom* room = Room(x, y, l, exits);
        room->Pipe = true;
        room->Hint.clear();
        return room;
    }
};

TEST_F(MapScreenshotTest, DrawsAVillage) {
    EnsureApp();

    // The main street, west to east, with corridors between the houses.
    MudRoom* square = Room(0, 0, 0, "N S E W U D");
    Room(0, -2, 0, "E W", 0x80FFFF)->ImageIndex = 5;  // the market, yellow
    Pipe(0, -1, 0, "E W");
    Room(0, -4, 0, "E (N)");
    Pipe(0, 1, 0, "E W");
    Room(0, 2, 0, "W E S");
    Room(0, 3, 0, "W", 0xFFC080)->ImageIndex = 7;  // the well, blue
    Pipe(1, 2, 0, "N S");
    Room(2, 2, 0, "N")->ImageIndex = 13;  // the healer
    Room(-1, 0, 0, "S N");
    Room(-2, 0, 0, "S W", 0x80C080)->ImageIndex = 8;  // the grove, green
    Room(-2, -1, 0, "E")->Hint = config.Dark;
    Room(1, 0, 0, "N (S)");
    Room(2, 0, 0, "N");
    MudRoom* gate = Room(-1, -4, 0, "S N");
    gate->AutoMaps = {"Forest|" + config.DirectionPhrases[kDirNorth] + "|12"};
    gate->ImageIndex = 11;
    Room(1, -4, 0, "N", 0x8080FF)->ImageIndex = 3;  // the guard post, red
    MudRoom* trap = Room(2, -2, 0, "");
    trap->ImageIndex = 1;
    trap->BColor = 0x404040;
    trap->ChE = true;
    // A tower above the square and a cellar below.
    Room(0, 0, 1, "D E");
    Room(0, 1, 1, "W");
    Room(0, 0, -1, "U S");
    Room(1, 0, -1, "N E")->ImageIndex = 19;
    Room(1, 1, -1, "W");
    square->ChU = true;
    square->ChD = true;
    world.CurrentRoom = square;

    MainSettings settings;
    MapPanel panel(world, view, skins, settings, config);
    panel.PanelMain()->resize(352, 224);
    panel.CenterBox();
    view.MarkChecked(world.FindRoom(0, 3, 0));
    panel.PanelMainPaint();
    const QImage& map = panel.MapBuffer();
    ASSERT_EQ(map.size(), QSize(352, 224));
    EXPECT_EQ(map.pixel(352 / 2 - 16, 224 / 2 - 16), 0xFF00FF00u) << "the player's room is selected";
    if (const char* path = std::getenv("TRELLAN_MAP_PNG")) {
        EXPECT_TRUE(map.save(path));
    }
    // The whole widget as the window shows it, scroll bars and chooser included.
    if (const char* path = std::getenv("TRELLAN_MAP_WIDGET_PNG")) {
        panel.resize(560, 380);
        panel.show();
        QApplication::processEvents();
        panel.CenterBox();
        QApplication::processEvents();
        EXPECT_TRUE(panel.grab().save(path));
    }
}

}  // namespace
}  // namespace trellan
