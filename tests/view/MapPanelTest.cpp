// The map panel widget: the view state binding, scroll bars, level buttons,
// centring, the cell under the pointer, and the off-screen buffer.
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <array>
#include <fstream>

#include "ViewFixture.h"
#include "view/MapPanel.h"

namespace trellan {
namespace {

class MapPanelTest : public ViewFixture {
protected:
    MapPanelTest() {
        EnsureApp();
        panel = std::make_unique<MapPanel>(world, view, skins, settings, config);
    }

    MainSettings settings;
    std::unique_ptr<MapPanel> panel;
};

TEST_F(MapPanelTest, CentringScrollingAndLevelsDriveTheViewState) {
    world.CurrentRoom = AddRoom(1, 2, 0);
    AddRoom(3, 5, 0);
    AddRoom(-2, -4, 1);
    panel->CenterOnCurrentRoom();
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{1, 2, 0}));
    EXPECT_TRUE(world.CurrentRoom->Selected);
    const auto range = [](const QScrollBar* bar) { return std::array{bar->minimum(), bar->value(), bar->maximum()}; };
    EXPECT_EQ(range(panel->HorizontalBar()), (std::array{-4, 2, 5}));
    EXPECT_EQ(range(panel->VerticalBar()), (std::array{-2, 1, 3}));
    EXPECT_TRUE(panel->LevelUpButton()->isEnabled());
    EXPECT_FALSE(panel->LevelDownButton()->isEnabled());

    panel->HorizontalBar()->setValue(4);
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{1, 4, 0}));
    panel->VerticalBar()->setValue(-1);
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{-1, 4, 0}));

    panel->ChangeLevel(+1);
    EXPECT_EQ(view.RoomOrigin().DL, 1);
    EXPECT_FALSE(panel->LevelUpButton()->isEnabled());
    EXPECT_TRUE(panel->LevelDownButton()->isEnabled());

    // A refresh that moved the view outside the bounds keeps the bar on it.
    view.DY = 40;
    view.Refresh();
    EXPECT_EQ(panel->HorizontalBar()->value(), 40);
    EXPECT_EQ(view.RoomOrigin().DY, 40);
}

TEST_F(MapPanelTest, CellUnderThePointerHalvesTheWidthExactly) {
    panel->PanelMain()->resize(461, 256);
    EXPECT_EQ(panel->CellAt(230, 128), (GridCell{0, 0, 0}));
    EXPECT_EQ(panel->CellAt(215, 113), (GridCell{0, 0, 0}));
    EXPECT_EQ(panel->CellAt(214, 128), (GridCell{0, -1, 0}));
    view.DL = 3;
    EXPECT_EQ(panel->CellAt(230 + 64, 128 - 32).L, 3);
    EXPECT_EQ(panel->CellAt(230 + 64, 128 - 32).Y, 2);
    EXPECT_EQ(panel->CellAt(230 + 64, 128 - 32).X, -1);
}

TEST_F(MapPanelTest, PaintsIntoABufferOfThePanelsSize) {
    world.CurrentRoom = AddRoom(0, 0, 0);
    panel->PanelMain()->resize(461, 240);
    panel->CenterOnCurrentRoom();
    panel->RenderMap();
    ASSERT_EQ(panel->MapBuffer().size(), QSize(461, 240));
    EXPECT_EQ(panel->MapBuffer().pixel(214, 104), 0xFF00FF00u) << "the selected current room at the centre";
    EXPECT_EQ(panel->MapBuffer().pixel(214 + 16, 104 + 16), kSilverPx);

    settings.PanelBitmap = -1;
    settings.PanelColor = 0x0000FF;
    panel->PanelMain()->resize(100, 90);
    panel->RenderMap();
    ASSERT_EQ(panel->MapBuffer().size(), QSize(100, 90));
    EXPECT_EQ(panel->MapBuffer().pixel(0, 0), 0xFFFF0000u);
}

TEST_F(MapPanelTest, CenterClickShowsTheCurrentRoomsZoneFirst) {
    auto far = std::make_unique<MudRoom>();
    far->X = 7;
    far->Y = -9;
    far->L = 2;
    far->Tag = 1;
    world.CurrentRoom = world.AddLoadedRoom("elsewhere", std::move(far));
    AddRoom(0, 0, 0);
    panel->ShowCurrentRoom();
    EXPECT_EQ(world.ShownZone(), "elsewhere");
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{7, -9, 2}));

    std::string asked;
    panel->ShowZone = [&](const std::string& zone) { asked = zone; };
    world.CurrentRoom = AddRoom(1, 1, 1);  // joins the shown zone
    panel->ShowCurrentRoom();
    EXPECT_EQ(asked, "");
}

TEST_F(MapPanelTest, SkinChooserFollowsTheSkinsAndReportsErrors) {
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString();
    std::ofstream(path + "/s.ini", std::ios::binary)
        << "[Skin0]\r\nDescription=" << Cp("Обычная") << "\r\n[Skin1]\r\nDescription=B\r\nPicture=bad.bmp\r\n";
    std::ofstream(path + "/bad.bmp", std::ios::binary) << "not a picture";
    skins.LoadSkin(path, "s.ini", 0);
    ASSERT_EQ(panel->SkinChooser()->count(), 2);
    EXPECT_EQ(panel->SkinChooser()->itemText(0), QString::fromUtf8("Обычная"));

    std::string reported;
    panel->ErrorReported = [&](const std::string& message) { reported = message; };
    panel->SelectSkin(1);
    EXPECT_NE(reported.find("bad.bmp"), std::string::npos) << reported;
    EXPECT_EQ(panel->SkinChooser()->currentIndex(), 1);
    panel->SelectSkin(0);
    EXPECT_EQ(skins.ChooserIndex(), 0);
    EXPECT_EQ(panel->SkinChooser()->currentIndex(), 0);
}

}  // namespace
}  // namespace trellan
