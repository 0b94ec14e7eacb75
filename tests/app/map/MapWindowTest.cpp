// The map in the main window: the real map panel on the map page, bound to
// the runtime's world and view, with its chooser on the tool bar, the level
// part of the status bar and F8.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <filesystem>
#include <optional>

#include "app/GuiTestSupport.h"
#include "app/map/MapPage.h"
#include "app/map/MapPictureCommand.h"
#include "app/map/MapWiring.h"
#include "app/window/MainToolBar.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "model/World.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "text/W1251.h"
#include "view/BitmapPanel.h"
#include "view/MapPanel.h"

namespace trellan {
namespace {

using testing::GuiFixture;

constexpr int kWidth = 461;
constexpr int kHeight = 240;

class MapWindowTest : public ::testing::Test {
protected:
    MapWindowTest() : runner(fixture.Start()), form(runner.Form()), world(runner.Runtime().TheWorld()) {
        if (world.ShownZone().empty()) {
            world.CurrentZone = "test";
            world.LoadZone();
        }
        form.Map->Panel->PanelMain()->resize(kWidth, kHeight);
    }

    MudRoom* AddRoom(std::int32_t x, std::int32_t y, std::int32_t l, std::uint32_t color = 0xC0C0C0) {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = ++world.LastRoomNumber;
        room->Hint = "Room " + std::to_string(room->Tag);
        room->Note = "note " + std::to_string(room->Tag);
        room->BColor = color;
        return world.AddRoom(std::move(room));
    }

    QRgb Px(int x, int y) {
        MapPanel& panel = *form.Map->Panel;
        panel.RenderMap();
        return panel.MapBuffer().pixel(x, y) | 0xFF000000u;
    }

    GuiFixture fixture;
    GuiRunner& runner;
    TrellanForm& form;
    World& world;
};

TEST_F(MapWindowTest, TheMapPageHoldsTheRealPanelAndTheToolBarItsChooser) {
    ASSERT_NE(form.Map->Panel, nullptr);
    MapPanel& panel = *form.Map->Panel;
    EXPECT_EQ(&panel, &runner.Map().Panel());
    // The placeholders are gone: one surface and one chooser, the panel's.
    EXPECT_EQ(form.findChildren<QWidget*>("PanelMain"), QList<QWidget*>{panel.PanelMain()});
    EXPECT_EQ(form.Map->PanelMain, panel.PanelMain());
    EXPECT_EQ(form.Map->ScrollBarH, panel.HorizontalBar());
    EXPECT_EQ(form.Map->ToolBar->ComboBoxSkins, panel.SkinChooser());
    EXPECT_EQ(form.findChildren<QComboBox*>("ComboBoxSkins"), QList<QComboBox*>{panel.SkinChooser()});
}

TEST_F(MapWindowTest, ARoomAddedToTheWorldIsPaintedAfterARefresh) {
    // The colour fill shows the room: COLORREF 0x0000FF is pure red.
    const int tileX = kWidth / 2 - 16;
    const int tileY = kHeight / 2 - 16;
    const QRgb before = Px(tileX + 12, tileY + 20);
    world.CurrentRoom = AddRoom(5, 7, 0, 0x0000FF);
    runner.Runtime().View().CenterOnCurrentRoom();
    EXPECT_NE(before, 0xFFFF0000u);
    EXPECT_EQ(Px(tileX + 12, tileY + 20), 0xFFFF0000u);

    // A second room one cell east and one north of it, after the next refresh.
    AddRoom(4, 8, 0, 0x00FF00);
    runner.Runtime().View().Refresh();
    EXPECT_EQ(Px(tileX + 32 + 12, tileY - 32 + 20), 0xFF00FF00u);

    // The status bar names the current room, the note box shows its note.
    EXPECT_EQ(form.Status->Text(4), "#1");
    EXPECT_EQ(form.Status->Text(5), "Room 1");
    EXPECT_EQ(form.Map->MemoNote->toPlainText(), "note 1");

    // The server's number for the room follows Trellan's, once it is known.
    world.SetRoomServerId(world.CurrentRoom, "1021");
    runner.Runtime().View().Refresh();
    EXPECT_EQ(form.Status->Text(4), "#1 (1021)");
}

TEST_F(MapWindowTest, F8ShowsTheCurrentRoomsZoneAndCentres) {
    world.CurrentRoom = AddRoom(2, 3, 0);
    ViewState& view = runner.Runtime().View();
    view.DX = 0;
    view.DY = 0;
    view.Refresh();
    const std::string zone = world.ShownZone();
    world.ClearZone();
    world.CurrentZone = "other";
    world.LoadZone();
    form.Menu.nCenter->trigger();
    EXPECT_EQ(world.ShownZone(), zone);
    EXPECT_EQ(view.RoomOrigin(), (ViewOrigin{2, 3, 0}));
    EXPECT_TRUE(world.CurrentRoom->Selected);
}

TEST_F(MapWindowTest, LevelIconAndLevelButtonsStayInsideTheMap) {
    world.CurrentRoom = AddRoom(0, 0, 0);
    AddRoom(0, 1, 1);
    AddRoom(0, 2, -1);
    ViewState& view = runner.Runtime().View();
    view.CenterOnCurrentRoom();
    MainToolBar& bar = *form.Map->ToolBar;
    EXPECT_TRUE(bar.tbLevelUp->isEnabled());
    EXPECT_TRUE(bar.tbLevelDown->isEnabled());

    emit form.Status->LevelIconClicked(true);
    EXPECT_EQ(view.RoomOrigin().DL, 1);
    EXPECT_FALSE(bar.tbLevelUp->isEnabled());
    emit form.Status->LevelIconClicked(true);
    EXPECT_EQ(view.RoomOrigin().DL, 1);
    emit form.Status->LevelIconClicked(false);
    emit form.Status->LevelIconClicked(false);
    emit form.Status->LevelIconClicked(false);
    EXPECT_EQ(view.RoomOrigin().DL, -1);
    EXPECT_FALSE(bar.tbLevelDown->isEnabled());

    bar.tbLevelUp->trigger();
    EXPECT_EQ(view.RoomOrigin().DL, 0);
}

TEST_F(MapWindowTest, ZoomItemsAndTheNamesButtonFollowAndFillTheWorldProfile) {
    for (int y = -20; y <= 20; ++y) AddRoom(0, y, 0);
    MapPanel& panel = *form.Map->Panel;
    WorldProfile& profile = runner.Runtime().Profile();
    EXPECT_EQ(form.Menu.nZoomIn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Plus));
    EXPECT_EQ(form.Menu.nZoomFit->text(), testing::Q("Вся зона в окне"));
    EXPECT_TRUE(form.Map->ToolBar->btnZoomFit->toolTip().startsWith(testing::Q("Вся зона в окне")));
    EXPECT_TRUE(form.Map->ToolBar->btnZoomFit->toolTip().contains("Ctrl+9"));

    form.Menu.nZoomIn->trigger();
    EXPECT_EQ(panel.Zoom(), 125);
    form.Menu.nZoomOut->trigger();
    form.Menu.nZoomOut->trigger();
    EXPECT_EQ(panel.Zoom(), 90);
    EXPECT_EQ(profile.MapZoom, 90);
    form.Map->ToolBar->btnZoomFit->trigger();
    EXPECT_LT(panel.Zoom(), 40) << "41 columns into 461 pixels";
    EXPECT_EQ(profile.MapZoom, panel.Zoom());
    form.Menu.nZoom100->trigger();
    EXPECT_EQ(profile.MapZoom, 100);

    form.Map->ToolBar->btnRoomNames->trigger();
    EXPECT_TRUE(panel.ShowRoomNames());
    EXPECT_TRUE(form.Menu.nRoomNames->isChecked());
    EXPECT_TRUE(profile.MapRoomNames);
    EXPECT_FALSE(panel.RoomNamesShown()) << "not at 100 %";

    // Another world's profile brings its own zoom and names option.
    profile.MapZoom = 300;
    profile.MapRoomNames = false;
    runner.Map().ApplyProfileView();
    EXPECT_EQ(panel.Zoom(), 300);
    EXPECT_FALSE(form.Map->ToolBar->btnRoomNames->isChecked());
    EXPECT_FALSE(form.Menu.nRoomNames->isChecked());
}

TEST_F(MapWindowTest, TheZoneIsSavedAsAPictureWholeOrAsFarAsTheWindowShowsIt) {
    for (int y = 0; y < 10; ++y) AddRoom(0, y, 0)->Hint = "Room";
    MapPictureCommand& command = runner.Picture();
    std::optional<MapPictureCommand::Area> area = MapPictureCommand::Area::WholeLevel;
    std::optional<std::string> file = fixture.Home / "zone.png";
    std::string proposed;
    command.ChooseArea = [&] { return area; };
    command.ChooseFile = [&](const std::string& zone) {
        proposed = zone;
        return file;
    };
    form.Menu.nExportPicture->trigger();
    EXPECT_EQ(proposed, Cp1251ToUtf8(world.ShownZone())) << "the zone's name in the file system's spelling";
    ASSERT_EQ(fixture.Boxes.Errors.size(), 0u);
    EXPECT_EQ(QImage(QString::fromStdString(fixture.Home / "zone.png")).size(), QSize(12 * 32, 3 * 32));

    area = MapPictureCommand::Area::Visible;
    file = fixture.Home / "view";  // no extension: a PNG
    form.Menu.nExportPicture->trigger();
    EXPECT_EQ(QImage(QString::fromStdString(fixture.Home / "view.png")).size(), QSize(kWidth, kHeight));

    file = fixture.Home / "view.svg";
    form.Menu.nExportPicture->trigger();
    EXPECT_NE(testing::ReadFile(fixture.Home / "view.svg").find("<svg"), std::string::npos);
    EXPECT_EQ(fixture.Boxes.Informations.size(), 3u);

    // Cancel in either question writes nothing; a level without rooms and
    // a place that cannot be written are told.
    area.reset();
    file = fixture.Home / "never.png";
    form.Menu.nExportPicture->trigger();
    area = MapPictureCommand::Area::WholeLevel;
    file.reset();
    form.Menu.nExportPicture->trigger();
    EXPECT_FALSE(std::filesystem::exists(fixture.Home / "never.png"));
    file = fixture.Home / "no-such-dir/zone.png";
    form.Menu.nExportPicture->trigger();
    ASSERT_EQ(fixture.Boxes.Errors.size(), 1u);
    EXPECT_NE(fixture.Boxes.Errors[0].find("Unable to write to"), std::string::npos);
    runner.Runtime().View().DL = 3;
    runner.Runtime().View().Refresh();
    form.Menu.nExportPicture->trigger();
    ASSERT_EQ(fixture.Boxes.Errors.size(), 2u);
    EXPECT_EQ(fixture.Boxes.Errors[1], W1251("На этом уровне зоны нет комнат."));
}

}  // namespace
}  // namespace trellan
