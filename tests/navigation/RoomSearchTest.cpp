// Finding rooms anywhere in the world by a piece of their name or
// description.
#include "navigation/NavigationFixture.h"
#include "navigation/RoomSearch.h"

namespace trellan::testing {
namespace {

class RoomSearchTest : public ::testing::Test {
protected:
    RoomSearchTest() {
        tavern = rig.Put(1, 2, 0, 1, "Zone", W1251("Таверна Golden Goose"));
        road = rig.Put(3, 4, 1, 2, "Other", W1251("Дорога"));
        road->Description = W1251("Дорога ведет к таверне.");
        inn = rig.Put(5, 6, 2, 3, "Zone", W1251("Постоялый двор golden goose"));
        rig.view.RepaintRequested = [this] { ++repaints; };
    }

    RoomSearchResult Next(std::string_view utf8) { return search.FindNext(W1251(utf8)); }

    NavigationRig rig;
    RoomSearch search{rig.world, rig.view, rig.output};
    MudRoom* tavern = nullptr;
    MudRoom* road = nullptr;
    MudRoom* inn = nullptr;
    int repaints = 0;
};

TEST_F(RoomSearchTest, FindNextWalksTheWorldListThenReportsThenStartsOver) {
    search.StartNameSearch();
    EXPECT_EQ(Next("golden").Room, tavern);
    // The last room of the list is a plain match, and the search then
    // stands at the end, so the next one starts over at once.
    EXPECT_EQ(Next("golden").Room, inn);
    EXPECT_EQ(search.Index(), rig.world.RoomCount());
    EXPECT_EQ(Next("golden").Room, tavern);

    search.StartDescriptionSearch();
    EXPECT_EQ(Next("Дорога").Room, road);
    EXPECT_EQ(Next("Дорога").What, RoomSearchResult::Kind::NotFound);
    EXPECT_EQ(Next("Дорога").Room, road);
}

TEST_F(RoomSearchTest, MatchInAnotherZoneSavesTheShownZoneThenShowsAndMarksTheRoom) {
    ASSERT_EQ(rig.world.ShownZone(), "Zone");
    search.StartDescriptionSearch();
    RoomSearchResult found = Next("таверне");
    ASSERT_EQ(found.Room, road);
    EXPECT_EQ(rig.output.saves, std::vector<std::string>{"Zone"});
    EXPECT_EQ(rig.world.CurrentZone, "Other");
    EXPECT_EQ(rig.world.ShownZone(), "Other");
    EXPECT_EQ(rig.view.Origin(), (ViewOrigin{3, 4, 1}));
    EXPECT_TRUE(road->Checked);
    EXPECT_GT(repaints, 0);

    // The next refresh takes the mark away again.
    rig.view.Refresh();
    EXPECT_FALSE(road->Checked);

    // A match in the shown zone saves nothing.
    search.StartDescriptionSearch();
    ASSERT_EQ(Next("ведет").Room, road);
    EXPECT_EQ(rig.output.saves.size(), 1u);
}

TEST_F(RoomSearchTest, EmptyTextAndEmptyWorld) {
    search.StartNameSearch();
    EXPECT_EQ(Next("").What, RoomSearchResult::Kind::Nothing);
    EXPECT_EQ(search.Index(), 0u);

    NavigationRig empty;
    RoomSearch nothing(empty.world, empty.view, empty.output);
    EXPECT_EQ(nothing.FindNext("").What, RoomSearchResult::Kind::NotFound);
    EXPECT_EQ(nothing.FindNext("x").What, RoomSearchResult::Kind::NotFound);
}

TEST_F(RoomSearchTest, RoomsRemovedBetweenSearchesDoNotLoseTheWay) {
    search.StartNameSearch();
    ASSERT_EQ(Next("golden").Room, tavern);
    ASSERT_EQ(Next("golden").Room, inn);
    rig.world.RemoveRoom(road);
    rig.world.RemoveRoom(inn);
    // The index stands past the list now: the search starts over.
    EXPECT_EQ(Next("golden").Room, tavern);
}

}  // namespace
}  // namespace trellan::testing
