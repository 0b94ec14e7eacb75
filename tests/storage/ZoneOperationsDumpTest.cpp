// What splitting a zone downwards and deleting a cross-linked room leave in
// the zone files, as the player sees it through `trellan zone dump`, and
// that the dump writes back to the same bytes.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "common/FileIo.h"
#include "mapping/ZoneFixture.h"
#include "storage/JsonLine.h"
#include "storage/MapTools.h"

namespace trellan {
namespace {

// One dumped room: its members by key.
using DumpedRoom = std::map<std::string, JsonValue>;

class ZoneOperationsDump : public ZoneFixture {
protected:
    std::string Dump(const std::string& zone) {
        std::istringstream in;
        std::ostringstream out, err;
        EXPECT_EQ(RunMapTool({"zone", "dump", files.Path(zone)}, in, out, err), 0) << err.str();
        return out.str();
    }

    std::vector<DumpedRoom> Rooms(const std::string& zone) {
        std::vector<DumpedRoom> rooms;
        std::istringstream lines(Dump(zone));
        for (std::string line; std::getline(lines, line);) {
            DumpedRoom room;
            for (JsonMember& member : ParseJsonObject(line)) room[member.Key] = std::move(member.Value);
            rooms.push_back(std::move(room));
        }
        return rooms;
    }

    // The dumped room at a cell; fails the test when there is none.
    static DumpedRoom At(const std::vector<DumpedRoom>& rooms, int x, int y, int l) {
        for (const DumpedRoom& room : rooms) {
            if (room.at("X").Integer == x && room.at("Y").Integer == y && room.at("L").Integer == l) return room;
        }
        ADD_FAILURE() << "no room at " << x << "," << y << "," << l;
        return {{"Tag", {}}, {"AutoMaps", {}}};
    }

    // The dump written back by the tool gives the file's bytes again.
    ::testing::AssertionResult WritesBackTheSame(const std::string& zone) {
        std::istringstream in(Dump(zone));
        std::ostringstream out, err;
        const std::string copy = files.Path(zone) + ".copy";
        if (RunMapTool({"zone", "write", copy}, in, out, err) != 0) {
            return ::testing::AssertionFailure() << err.str();
        }
        if (ReadWholeFile(copy) != ReadWholeFile(files.Path(zone))) {
            return ::testing::AssertionFailure() << "the written copy of " << zone << " differs";
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(ZoneOperationsDump, ANewZoneDownPairsEveryLinkUpWithEntriesEndingInABar) {
    MudRoom* hall = Room(0, 0, 0, "Hall");       // 1
    MudRoom* well = Room(0, 1, 0, "Well");       // 2
    MudRoom* cellar = Room(0, 0, -1, "Cellar");  // 3
    MudRoom* vault = Room(0, 1, -1, "Vault");    // 4
    MudRoom* pit = Room(0, 1, -2, "Pit");        // 5
    Join(hall, well, Direction::East);
    Join(hall, cellar, Direction::Down);
    Join(cellar, vault, Direction::East);
    Join(well, vault, Direction::Down);
    Join(vault, pit, Direction::Down);

    world.TargetRoom = hall;
    ASSERT_TRUE(zones.StartNewZone(Direction::Down).Succeeded());
    const std::string newZone = Cyr("Новая зона");
    const std::string newZoneUtf8 = "Новая зона";

    // Positions kept, numbers from 1 in the order the part was collected.
    const std::vector<DumpedRoom> moved = Rooms(newZone);
    ASSERT_EQ(moved.size(), 3u);
    EXPECT_EQ(At(moved, 0, 0, -1).at("Tag").Integer, 1);
    EXPECT_EQ(At(moved, 0, 1, -1).at("Tag").Integer, 2);
    EXPECT_EQ(At(moved, 0, 1, -2).at("Tag").Integer, 3);
    using Entries = std::vector<std::string>;
    EXPECT_EQ(At(moved, 0, 0, -1).at("AutoMaps").List, Entries{"a|вверх|1|"});
    EXPECT_EQ(At(moved, 0, 1, -1).at("AutoMaps").List, Entries{"a|вверх|2|"});
    EXPECT_TRUE(At(moved, 0, 1, -2).at("AutoMaps").List.empty()) << "its link up stays inside the new zone";
    EXPECT_TRUE(At(moved, 0, 0, -1).at("ChU").Boolean && At(moved, 0, 1, -1).at("ChU").Boolean);

    const std::vector<DumpedRoom> old = Rooms("a");
    ASSERT_EQ(old.size(), 2u);
    EXPECT_EQ(At(old, 0, 0, 0).at("AutoMaps").List, Entries{newZoneUtf8 + "|вниз|1|"});
    EXPECT_EQ(At(old, 0, 1, 0).at("AutoMaps").List, Entries{newZoneUtf8 + "|вниз|2|"});
    EXPECT_TRUE(At(old, 0, 0, 0).at("ChD").Boolean && At(old, 0, 1, 0).at("ChD").Boolean);

    EXPECT_TRUE(WritesBackTheSame(newZone));
    EXPECT_TRUE(WritesBackTheSame("a"));
}

TEST_F(ZoneOperationsDump, DeletingACrossLinkedRoomLeavesNoEntryPointingAtIt) {
    MudRoom* gate = Room(0, 0, 0, "Gate");  // 1
    MudRoom* road = Room(0, 1, 0, "Road");  // 2
    Join(gate, road, Direction::East);
    // The gate leads north into zone b, whose room answers with an entry
    // carrying a command, and keeps a second entry elsewhere.
    gate->ChN = true;
    gate->AutoMaps = {"b|" + Phrase(Direction::North) + "|4"};
    MudRoom* yard = Elsewhere("b", 4, 3, 3);
    yard->ChS = yard->ChW = true;
    yard->AutoMaps = {"a|" + Phrase(Direction::South) + "|1|" + Cyr("открыть ворота"),
                      "c|" + Phrase(Direction::West) + "|2"};
    files.SaveWorld();

    world.TargetRoom = gate;
    ASSERT_TRUE(zones.DeleteRoom().Succeeded());
    files.SaveWorld();

    const std::vector<DumpedRoom> a = Rooms("a");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_FALSE(a[0].at("ChW").Boolean);
    const std::vector<DumpedRoom> b = Rooms("b");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].at("AutoMaps").List, std::vector<std::string>{"c|на запад|2"});
    EXPECT_FALSE(b[0].at("ChS").Boolean);
    EXPECT_TRUE(b[0].at("ChW").Boolean);
    EXPECT_TRUE(WritesBackTheSame("b"));
}

}  // namespace
}  // namespace trellan
