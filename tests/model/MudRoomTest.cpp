#include <gtest/gtest.h>

#include <vector>

#include "model/MudRoom.h"
#include "model/ZoneKey.h"

namespace trellan {
namespace {

ExitWords Words(std::string n, std::string s) {
    return ExitWords::FromProfileOrder(n, s, "E", "W", "U", "D");
}

TEST(MudRoom, FreshRoomIsAllZeroWithBlackColour) {
    MudRoom room;
    EXPECT_EQ(room.Tag, 0);
    EXPECT_EQ(room.BColor, 0u);  // not clSilver: the loader applies that default
    EXPECT_EQ(room.ImageIndex, 0);
    EXPECT_TRUE(room.Exits().empty());
    EXPECT_EQ(room.ExitState(), ExitStates{});
    EXPECT_TRUE(room.AutoMaps.empty());
    EXPECT_FALSE(room.ChN || room.Pipe || room.Selected);
}

TEST(MudRoom, ExitStateSeesParenthesesOnlyDirectlyAroundTheWord) {
    MudRoom room;
    room.SetExits("( N )", Words("N", "S"));
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::Present);

    room.SetExits("(N) S", Words("N", "S"));
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::ClosedDoor);
    EXPECT_EQ(room.ExitState(Direction::South), ExitStatus::Present);
    EXPECT_EQ(room.ExitState(Direction::East), ExitStatus::Absent);

    // The closed door may come after an open mention of the word.
    room.SetExits("Nord N (N", Words("N", "S"));
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::Present);
    room.SetExits("Nord (Nx) (N)", Words("N", "S"));
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::ClosedDoor);
}

TEST(MudRoom, ExitWordsMatchInsideLongerWordsAndCaseSensitively) {
    MudRoom room;
    room.SetExits("Nord", ExitWords::Defaults());
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::Present);  // "N" inside "Nord"
    EXPECT_EQ(room.ExitState(Direction::Down), ExitStatus::Absent);    // "d" is not "D"
}

TEST(MudRoom, EmptyExitWordIsNeverFound) {
    MudRoom room;
    room.SetExits("() N S", ExitWords::FromProfileOrder("N", "S", "", "", "U", "D"));
    EXPECT_EQ(room.ExitState(Direction::East), ExitStatus::Absent);
    EXPECT_EQ(room.ExitState(Direction::West), ExitStatus::Absent);
}

TEST(MudRoom, ProfileOrderPutsEastAndWestInRoomOrder) {
    ExitWords words = ExitWords::FromProfileOrder("n", "s", "e", "w", "u", "d");
    MudRoom room;
    room.SetExits("w (e)", words);
    EXPECT_EQ(room.ExitState(),
              (ExitStates{ExitStatus::Absent, ExitStatus::Absent, ExitStatus::Present, ExitStatus::ClosedDoor,
                          ExitStatus::Absent, ExitStatus::Absent}));  // north, south, west, east, up, down
}

TEST(MudRoom, SettingTheSameExitsAgainUsesTheWordsNowInForce) {
    MudRoom room;
    room.SetExits("север юг", ExitWords::Defaults());
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::Absent);
    room.SetExits(room.Exits(), ExitWords::FromProfileOrder("север", "юг", "восток", "запад", "вверх", "вниз"));
    EXPECT_EQ(room.ExitState(Direction::North), ExitStatus::Present);
    EXPECT_EQ(room.ExitState(Direction::South), ExitStatus::Present);
}

TEST(MudRoom, LinkFlagsFollowRoomOrder) {
    MudRoom room;
    room.Link(Direction::West) = true;
    room.Link(Direction::Down) = true;
    EXPECT_TRUE(room.ChW);
    EXPECT_TRUE(room.ChD);
    EXPECT_FALSE(room.ChE);
}

TEST(ZoneKey, TextOfLevelRowAndColumn) {
    EXPECT_EQ(ZoneKey(5, -3, 0), "1000|5|-3");
    EXPECT_EQ(ZoneKey(0, 0, -999), "0001|0|0");
    EXPECT_EQ(ZoneKey(0, 0, 8999), "9999|0|0");
    EXPECT_EQ(ZoneKey(0, 0, 9000), "10000|0|0");
    // Far levels cannot overflow the arithmetic.
    EXPECT_EQ(ZoneKey(0, 0, 2147483647), "2147484647|0|0");
}

TEST(ZoneKey, RowsAndColumnsCompareAsText) {
    EXPECT_LT(CompareZoneKeys(ZoneKey(10, 0, 0), ZoneKey(9, 0, 0)), 0);
    EXPECT_LT(CompareZoneKeys(ZoneKey(-1, 0, 0), ZoneKey(0, 0, 0)), 0);  // '-' before digits
    EXPECT_LT(CompareZoneKeys(ZoneKey(0, 0, -1), ZoneKey(0, 0, 0)), 0);
    EXPECT_LT(CompareZoneKeys(ZoneKey(0, 0, 5), ZoneKey(0, 0, 10)), 0);
    // Levels below -999 give a key starting with "-" (or "0000"), before every other level.
    EXPECT_LT(CompareZoneKeys(ZoneKey(0, 0, -1001), ZoneKey(0, 0, -999)), 0);
    EXPECT_LT(CompareZoneKeys(ZoneKey(0, 0, -1000), ZoneKey(0, 0, -999)), 0);
    EXPECT_EQ(CompareZoneKeys(ZoneKey(1, 2, 3), ZoneKey(1, 2, 3)), 0);
}

// The packed order key must order cells exactly as their key texts do,
// including keys longer than its 16 bytes that tie on them.
TEST(ZoneKey, OrderKeysCompareAsTheKeyTexts) {
    const std::int32_t kMax = 2147483647, kMin = -kMax - 1;
    const std::vector<std::int32_t> values = {0, 1, -1, 9, 10, -10, 99999, -99999, 123456, kMax, kMin};
    const std::vector<std::int32_t> levels = {0, -1, -999, -1000, -1001, 8999, 9000, kMax, kMin};
    struct Cell {
        std::int32_t x, y, l;
    };
    std::vector<Cell> cells;
    for (std::int32_t x : values) {
        for (std::int32_t y : values) {
            for (std::int32_t l : levels) cells.push_back({x, y, l});
        }
    }
    for (const Cell& a : cells) {
        const ZoneOrderKey ka = ZoneOrderKey::Of(a.x, a.y, a.l);
        for (const Cell& b : cells) {
            const ZoneOrderKey kb = ZoneOrderKey::Of(b.x, b.y, b.l);
            ASSERT_EQ(CompareZoneOrder(ka, a.x, a.y, a.l, kb, b.x, b.y, b.l),
                      CompareZoneKeys(ZoneKey(a.x, a.y, a.l), ZoneKey(b.x, b.y, b.l)))
                << ZoneKey(a.x, a.y, a.l) << " against " << ZoneKey(b.x, b.y, b.l);
        }
    }
}

}  // namespace
}  // namespace trellan
