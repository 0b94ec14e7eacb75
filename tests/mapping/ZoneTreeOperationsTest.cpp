#include "ZoneFixture.h"

namespace trellan {
namespace {

using ZoneTreeOperationsTest = ZoneFixture;

TEST_F(ZoneTreeOperationsTest, RenameFollowsTheFileRoomsEntriesAndLock) {
    MudRoom* room = Room(0, 0);
    world.SetZoneLocked("a", true);
    MudRoom* other = Elsewhere("c", 1);
    other->AutoMaps = {"a|" + Phrase(Direction::North) + "|5", "ab|" + Phrase(Direction::South) + "|2", "a"};
    files.SaveWorld();

    ZoneResult result = tree.RenameZone("a", "b");
    ASSERT_TRUE(result.Succeeded()) << result.Message;
    EXPECT_FALSE(files.ZoneFileExists("a"));
    ASSERT_TRUE(files.ZoneFileExists("b"));
    EXPECT_EQ(files.Read("b").size(), 1u);
    EXPECT_EQ(world.ZoneOf(room), "b");
    EXPECT_EQ(world.CurrentZone, "b");
    EXPECT_EQ(world.LockedZones, std::vector<std::string>{"b"});
    EXPECT_TRUE(world.CurrentZoneLocked);
    EXPECT_NE(world.Tree().FindZone("b"), nullptr);
    EXPECT_EQ(world.Tree().FindZone("a"), nullptr);
    EXPECT_EQ(other->AutoMaps, (std::vector<std::string>{"b|" + Phrase(Direction::North) + "|5",
                                                         "ab|" + Phrase(Direction::South) + "|2", "b"}));
    EXPECT_FALSE(world.MapSaved);
}

TEST_F(ZoneTreeOperationsTest, RenameRefusedByTheFileOrTheNameChangesNothing) {
    MudRoom* room = Room(0, 0);
    MudRoom* other = Elsewhere("c", 1);
    other->AutoMaps = {"a|" + Phrase(Direction::North) + "|1"};
    files.SaveWorld();
    files.Write("taken");  // a file without a zone in memory

    ZoneResult taken = tree.RenameZone("a", "taken");
    EXPECT_EQ(taken.Outcome, ZoneOutcome::Refused);
    EXPECT_NE(taken.Message.find("taken"), std::string::npos) << "says why";
    EXPECT_EQ(tree.RenameZone("a", "c").Outcome, ZoneOutcome::Refused) << "would mix two zones";
    EXPECT_EQ(tree.RenameZone("a", "x|y").Outcome, ZoneOutcome::Refused);
    EXPECT_EQ(tree.RenameZone("a", "").Outcome, ZoneOutcome::Refused);
    files.refuse = true;
    EXPECT_EQ(tree.RenameZone("a", "fresh").Outcome, ZoneOutcome::Refused);

    EXPECT_EQ(world.CurrentZone, "a");
    EXPECT_EQ(world.ZoneOf(room), "a");
    EXPECT_EQ(other->AutoMaps[0], "a|" + Phrase(Direction::North) + "|1");
    EXPECT_TRUE(files.ZoneFileExists("a"));
    EXPECT_TRUE(world.MapSaved);
}

TEST_F(ZoneTreeOperationsTest, DeletingTheCurrentZoneLeavesNoZoneAndNoLinksIntoIt) {
    MudRoom* here = Room(0, 0);
    Room(0, 1);
    world.CurrentRoom = here;
    world.SetZoneLocked("a", true);
    MudRoom* other = Elsewhere("b", 1);
    other->ChE = true;
    other->ChN = true;
    other->AutoMaps = {"a|" + Phrase(Direction::East) + "|1", "ab|" + Phrase(Direction::North) + "|1"};
    files.SaveWorld();

    files.refuse = true;
    ZoneResult refused = tree.DeleteZone("a");
    EXPECT_EQ(refused.Outcome, ZoneOutcome::Refused);
    EXPECT_NE(refused.Message.find("refused"), std::string::npos);
    EXPECT_EQ(world.CurrentZone, "a");
    EXPECT_EQ(world.CurrentRoom, here);
    EXPECT_EQ(other->AutoMaps.size(), 2u);

    files.refuse = false;
    EXPECT_TRUE(tree.DeleteZone("a").Succeeded());
    EXPECT_EQ(tracingOff, 1);
    EXPECT_EQ(world.CurrentZone, "");
    EXPECT_EQ(world.CurrentRoom, nullptr);
    EXPECT_TRUE(world.ZoneRooms().empty());
    EXPECT_EQ(world.RoomCount(), 1u);
    EXPECT_EQ(world.Tree().FindZone("a"), nullptr);
    EXPECT_TRUE(world.LockedZones.empty());
    EXPECT_FALSE(files.ZoneFileExists("a"));
    EXPECT_EQ(other->AutoMaps, std::vector<std::string>{"ab|" + Phrase(Direction::North) + "|1"});
    EXPECT_FALSE(other->ChE);
    EXPECT_TRUE(other->ChN);
}

// The toggle and its state image are checked through the zone tree window.
TEST_F(ZoneTreeOperationsTest, TheLockFlagFollowsTheCurrentZoneNotTheLastClick) {
    Elsewhere("b", 1);
    EXPECT_TRUE(tree.ToggleZoneLock("a"));
    EXPECT_TRUE(tree.ToggleZoneLock("b"));
    EXPECT_TRUE(world.CurrentZoneLocked);
    EXPECT_FALSE(tree.ToggleZoneLock("a"));
    EXPECT_FALSE(world.CurrentZoneLocked);
    EXPECT_EQ(world.LockedZones, std::vector<std::string>{"b"});
}

TEST_F(ZoneTreeOperationsTest, BookmarksAreAddedRenamedShownAndRemoved) {
    Room(0, 0);
    MudRoom* inn = Room(3, 4, 2, "Inn");
    world.TargetRoom = inn;
    ASSERT_EQ(tree.BookmarkTargetRoom(), inn);
    EXPECT_EQ(inn->QuickList, "Inn");
    tree.RenameBookmark(inn, "rest");
    EXPECT_EQ(world.FindRoomByAlias("REST"), inn);
    ASSERT_EQ(world.Tree().FindZone("a")->Aliases.size(), 1u);
    EXPECT_EQ(world.Tree().FindZone("a")->Aliases[0].Text(), "rest");

    // Shown from another zone: the bookmark's zone comes back and the view
    // centres on the room, marked until the next refresh.
    Elsewhere("b", 1);
    world.ClearZone();
    world.CurrentZone = "b";
    world.LoadZone();
    EXPECT_TRUE(tree.ShowBookmarkedRoom(inn).Succeeded());
    EXPECT_EQ(world.CurrentZone, "a");
    EXPECT_EQ(view.Origin(), (ViewOrigin{3, 4, 2}));
    EXPECT_TRUE(inn->Checked);
    EXPECT_TRUE(files.ZoneFileExists("b")) << "the zone left was saved";

    tree.UnbookmarkTargetRoom();
    EXPECT_EQ(inn->QuickList, "");
    EXPECT_TRUE(world.Tree().FindZone("a")->Aliases.empty());

    // A corridor cell has no name to show.
    world.TargetRoom = Pipe(9, 9);
    EXPECT_EQ(tree.BookmarkTargetRoom(), nullptr);
}

TEST_F(ZoneTreeOperationsTest, FollowingACrossLinkShowsThePartnerRoom) {
    MudRoom* gate = Room(0, 0);
    MudRoom* far = Elsewhere("b", 7, -5, 8, 1);
    gate->AutoMaps = {"b|" + Phrase(Direction::North) + "|x", "gone|" + Phrase(Direction::East) + "|1",
                      "b|" + Phrase(Direction::North) + "|7"};
    world.TargetRoom = gate;

    ZoneResult bad = tree.ShowCrossLinkZone(0);
    EXPECT_EQ(bad.Outcome, ZoneOutcome::Refused);
    EXPECT_EQ(world.CurrentZone, "a");
    EXPECT_EQ(tree.ShowCrossLinkZone(1).Outcome, ZoneOutcome::Nothing);
    EXPECT_EQ(world.Tree().FindZone("gone"), nullptr) << "no empty zone conjured up";
    EXPECT_EQ(tree.ShowCrossLinkZone(5).Outcome, ZoneOutcome::Nothing);

    EXPECT_TRUE(tree.ShowCrossLinkZone(2).Succeeded());
    EXPECT_EQ(world.CurrentZone, "b");
    EXPECT_EQ(world.ShownZone(), "b");
    EXPECT_EQ(view.Origin(), (ViewOrigin{-5, 8, 1}));
    EXPECT_TRUE(far->Checked);
    EXPECT_EQ(files.Read("a").size(), 1u) << "the zone left was saved";

    // Loading a zone from the tree menu stops tracing; a double click not.
    EXPECT_TRUE(tree.OpenZone("a", false).Succeeded());
    EXPECT_EQ(tracingOff, 0);
    EXPECT_TRUE(tree.OpenZone("b", true).Succeeded());
    EXPECT_EQ(tracingOff, 1);
    EXPECT_EQ(world.CurrentZone, "b");
}

}  // namespace
}  // namespace trellan
