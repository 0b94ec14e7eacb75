#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "storage/MapToolRun.h"
#include "storage/ZoneBuilder.h"
#include "support/TempDirectory.h"

namespace trellan {
namespace {

using Json = nlohmann::json;
namespace fs = std::filesystem;

using testing::RunTool;
using testing::ToolRun;

// The dump of a zone, room by room keyed by cell "x,y,l".
std::map<std::string, Json> Dump(const std::string& file) {
    ToolRun r = RunTool({"zone", "dump", file});
    EXPECT_EQ(r.status, 0) << file << r.err;
    std::map<std::string, Json> rooms;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) {
        Json room = Json::parse(line);
        rooms[std::to_string(room["X"].get<int>()) + "," + std::to_string(room["Y"].get<int>()) + "," +
              std::to_string(room["L"].get<int>())] = room;
    }
    return rooms;
}

std::map<std::string, std::string> Files(const std::string& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir))
        files[entry.path().filename()] = testing::ReadFile(entry.path());
    return files;
}

class WorldMergeTest : public ::testing::Test {
protected:
    WorldMergeTest() {
        fs::create_directories(mine);
        fs::create_directories(theirs);
        // Mine: a hall of two linked rooms and a store; a zone only I have,
        // with a cross link into the hall.
        testing::ZoneBuilder a;
        MudRoom& entry = a.Room(1, 0, 0, 0, "Вход", "E");
        entry.ChE = true;
        entry.QuickList = W1251("вход");
        a.Room(2, 0, 1, 0, "Зал", "W").ChW = true;
        a.Room(3, 5, 5, 0, "Склад", "").QuickList = W1251("склад");
        a.Write(mine + "/A.tr2");
        testing::ZoneBuilder m;
        m.Room(1, 0, 0, 0, "Мой", "").AutoMaps = {W1251("A|на север|1")};
        m.Write(mine + "/M.tr2");

        // Theirs: the same entrance, now also linked south to a kitchen
        // (number 3, mine's store's; its alias is mine's store's too), the
        // hall under another name, a zone only they have with a cross link
        // to the kitchen, and a zone whose name no zone of mine could have.
        testing::ZoneBuilder ta;
        MudRoom& theirEntry = ta.Room(1, 0, 0, 0, "Вход", "E");
        theirEntry.ChE = theirEntry.ChS = true;
        ta.Room(2, 0, 1, 0, "Зала", "W").ChW = true;
        MudRoom& kitchen = ta.Room(3, 1, 0, 0, "Кухня", "N");
        kitchen.ChN = true;
        kitchen.QuickList = W1251("Склад");
        kitchen.AutoMaps = {W1251("T|выйти|1")};
        ta.Write(theirs + "/A.tr2");
        testing::ZoneBuilder t;
        t.Room(1, 0, 0, 0, "Чужой", "").AutoMaps = {W1251("A|на восток|3|открыть дверь")};
        t.Write(theirs + "/T.tr2");
        testing::ZoneBuilder bad;
        bad.Room(1, 0, 0, 0, "Плохо", "");
        bad.Write(theirs + "/bad\nname.tr2");
    }

    testing::TempDirectory tmp_;
    const std::string mine = tmp_ / "mine";
    const std::string theirs = tmp_ / "theirs";
};

TEST_F(WorldMergeTest, PreferMineAddsNewRoomsAndZonesAndKeepsConflictsMine) {
    const std::string untouched = testing::ReadFile(mine + "/M.tr2");
    ToolRun r = RunTool({"world", "merge", mine, theirs});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("zones copied: 1\nzones merged: 1\nrooms added: 2\nrooms matched: 1\n"
                         "conflicts (kept mine): 1\nrooms renumbered: 1\naliases renamed: 1\nzones left out: 1\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("zone <A> (0, 1, 0): mine \"Зал\", theirs \"Зала\": name differ; kept mine"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("zone <A> room 3 of theirs is room 4"), std::string::npos);

    std::map<std::string, Json> a = Dump(mine + "/A.tr2");
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a["0,0,0"]["ChS"], true);  // their link, added to my room
    EXPECT_EQ(a["0,0,0"]["QuickList"], "вход");
    EXPECT_EQ(a["0,1,0"]["Hint"], "Зал");
    EXPECT_EQ(a["5,5,0"]["Tag"], 3);
    EXPECT_EQ(a["1,0,0"]["Hint"], "Кухня");
    EXPECT_EQ(a["1,0,0"]["Tag"], 4);
    EXPECT_EQ(a["1,0,0"]["QuickList"], "Склад_2");  // aliases clash whatever the letter case
    EXPECT_EQ(a["1,0,0"]["AutoMaps"], Json::array({"T|выйти|1"}));

    // Their zone comes with its cross link following the renumbering.
    std::map<std::string, Json> t = Dump(mine + "/T.tr2");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t["0,0,0"]["AutoMaps"], Json::array({"A|на восток|4|открыть дверь"}));
    EXPECT_EQ(testing::ReadFile(mine + "/M.tr2"), untouched);
    EXPECT_EQ(Files(mine).size(), 3u);  // the refused zone stays out
    ToolRun check = RunTool({"world", "check", mine});
    EXPECT_EQ(check.status, 0) << check.out;
}

TEST_F(WorldMergeTest, PreferTheirsTakesTheirRoomUnderMyNumber) {
    ToolRun r = RunTool({"world", "merge", mine, theirs, "--prefer", "theirs"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("conflicts (took theirs): 1\n"), std::string::npos) << r.out;
    std::map<std::string, Json> a = Dump(mine + "/A.tr2");
    EXPECT_EQ(a["0,1,0"]["Hint"], "Зала");
    EXPECT_EQ(a["0,1,0"]["Tag"], 2);
}

TEST_F(WorldMergeTest, MergingAWorldIntoItselfChangesNothing) {
    const auto before = Files(mine);
    ToolRun r = RunTool({"world", "merge", mine, mine});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("zones copied: 0\nzones merged: 0\nrooms added: 0\nrooms matched: 4\nconflicts (kept mine): 0"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(Files(mine), before);
}

TEST_F(WorldMergeTest, DryRunAndBadArgumentsLeaveMineByteIdentical) {
    const auto before = Files(mine);
    ToolRun dry = RunTool({"world", "merge", mine, theirs, "--dry-run", "--prefer", "theirs"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    EXPECT_NE(dry.out.find("dry run: nothing written"), std::string::npos);
    EXPECT_EQ(RunTool({"world", "merge", mine, theirs, "--prefer", "both"}).status, 2);
    EXPECT_EQ(RunTool({"world", "merge", mine, tmp_ / "missing"}).status, 1);
    // A damaged zone of mine would lose what lies behind the damage.
    testing::WriteFile(mine + "/D.tr2", "TPF0 not a record at all");
    ToolRun damaged = RunTool({"world", "merge", mine, theirs});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("nothing merged"), std::string::npos) << damaged.err;
    fs::remove(mine + "/D.tr2");
    EXPECT_EQ(Files(mine), before);
}

}  // namespace
}  // namespace trellan
