// The Mudlet map commands of the File menu: the export writes the world in
// memory, the import asks for a new world's name and opens it, and a damaged
// file is refused before anything is asked or written.
#include <gtest/gtest.h>

#include <QAction>
#include <deque>
#include <filesystem>
#include <optional>

#include "app/GuiTestSupport.h"
#include "app/window/TrellanForm.h"
#include "app/world/MudletCommands.h"
#include "app/world/WorldCommands.h"
#include "model/World.h"
#include "storage/MudletMapReader.h"
#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan {
namespace {

namespace fs = std::filesystem;

class MudletCommandsTest : public ::testing::Test {
protected:
    MudletCommandsTest() {
        fixture.Start();
        runner().Worlds().RunDialog = [this](SaveLoadMode mode, const std::string& proposed) {
            asked.push_back(Cp1251ToUtf8(proposed));
            std::optional<std::string> answer;
            if (!typed.empty()) {
                answer = W1251(typed.front());
                typed.pop_front();
            }
            return answer;
        };
        mudlet().ChooseExportFile = [this] { return std::optional<std::string>(fixture.Home / "out.json"); };
        mudlet().ChooseImportFile = [this] { return importFile; };
    }

    GuiRunner& runner() { return *fixture.Runner; }
    MudletCommands& mudlet() { return runner().Mudlet(); }
    World& world() { return runner().Runtime().TheWorld(); }

    void AddLinkedRooms() {
        for (int i = 1; i <= 2; ++i) {
            auto room = std::make_unique<MudRoom>();
            room->Tag = ++world().LastRoomNumber;
            room->Y = i;
            room->Hint = W1251(i == 1 ? "Вход" : "Зал");
            (i == 1 ? room->ChE : room->ChW) = true;
            if (i == 2) room->QuickList = W1251("зал");
            world().AddRoom(std::move(room));
        }
    }

    testing::GuiFixture fixture;
    testing::RecordingDialogs& boxes = fixture.Boxes;
    std::deque<std::string> typed;
    std::vector<std::string> asked;
    std::optional<std::string> importFile;
};

TEST_F(MudletCommandsTest, MenuItemsAreNamedAndCaptioned) {
    EXPECT_EQ(runner().Form().Menu.nExportMudlet->objectName(), "nExportMudlet");
    EXPECT_EQ(runner().Form().Menu.nExportMudlet->text(), testing::Q("Экспорт карты для Mudlet…"));
    EXPECT_EQ(runner().Form().Menu.nImportMudlet->objectName(), "nImportMudlet");
    EXPECT_EQ(runner().Form().Menu.nImportMudlet->text(), testing::Q("Импорт карты Mudlet…"));
}

TEST_F(MudletCommandsTest, ExportedWorldComesBackAsANewWorld) {
    const std::string before = world().CurrentWorld;
    AddLinkedRooms();
    runner().Form().Menu.nExportMudlet->trigger();
    ASSERT_EQ(boxes.Errors.size(), 0u);
    ASSERT_EQ(boxes.Informations.size(), 1u);
    MudletMap map = ReadMudletMap(testing::ReadFile(fixture.Home / "out.json"));
    ASSERT_GE(map.Areas.size(), 1u);
    ASSERT_EQ(map.Areas[0].Rooms.size(), 2u);
    EXPECT_EQ(map.Areas[0].Rooms[0].Exits.size(), 1u);

    // The name offered is the file's; an existing world's name is refused
    // and asked again.
    importFile = fixture.Home / "out.json";
    typed = {Cp1251ToUtf8(before), "Обратно"};
    runner().Form().Menu.nImportMudlet->trigger();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "out");
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_NE(Cp1251ToUtf8(boxes.Errors[0]).find("уже существует"), std::string::npos);
    EXPECT_EQ(Cp1251ToUtf8(world().CurrentWorld), "Обратно");
    EXPECT_EQ(world().RoomCount(), 2u);
    EXPECT_NE(world().FindRoomByAlias(W1251("зал")), nullptr);
    ASSERT_EQ(boxes.Informations.size(), 2u);
    EXPECT_NE(Cp1251ToUtf8(boxes.Informations[1]).find("Комнат: 2."), std::string::npos);
}

TEST_F(MudletCommandsTest, DamagedFileIsRefusedBeforeAnythingIsAsked) {
    const std::string before = world().CurrentWorld;
    testing::WriteFile(fixture.Home / "bad.json", R"({"formatVersion": 2, "areas": []})");
    importFile = fixture.Home / "bad.json";
    typed = {"Новый"};
    runner().Form().Menu.nImportMudlet->trigger();
    EXPECT_TRUE(asked.empty());
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_NE(boxes.Errors[0].find("unknown Mudlet map version"), std::string::npos);
    EXPECT_EQ(world().CurrentWorld, before);
    EXPECT_FALSE(fs::exists(fixture.Home / "Maps/Новый"));

    // Cancel in the file dialog does nothing at all.
    importFile.reset();
    runner().Form().Menu.nImportMudlet->trigger();
    EXPECT_EQ(boxes.Errors.size(), 1u);
}

}  // namespace
}  // namespace trellan
