#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "model/World.h"

namespace trellan {
namespace {

std::unique_ptr<MudRoom> Room(int x, int y, int l, int tag = 0, std::string hint = {}) {
    auto room = std::make_unique<MudRoom>();
    room->X = x;
    room->Y = y;
    room->L = l;
    room->Tag = tag;
    room->Hint = std::move(hint);
    return room;
}

void Show(World& world, const std::string& zone) {
    world.ClearZone();
    world.CurrentZone = zone;
    world.LoadZone();
}

std::vector<MudRoom*> ZoneOrder(const World& world) {
    std::vector<MudRoom*> rooms;
    for (const RoomSlot& slot : world.ZoneRooms()) rooms.push_back(slot.Room());
    return rooms;
}

TEST(World, SameCellInTwoZones) {
    World world;
    MudRoom* a = world.AddLoadedRoom("A", Room(1, 2, 0, 1));
    MudRoom* b = world.AddLoadedRoom("B", Room(1, 2, 0, 1));
    Show(world, "A");
    EXPECT_EQ(world.FindRoom(1, 2, 0), a);
    EXPECT_EQ(world.FindRoomByTag(1), a);
    EXPECT_EQ(world.GlobalFindRoom(1, 2, 0, "B"), b);
    EXPECT_EQ(world.GlobalFindRoomByTag(1, "B"), b);
    EXPECT_EQ(world.GlobalFindRoom(1, 2, 0, "b"), nullptr);  // zone names are case-sensitive
    EXPECT_EQ(world.FindRoom(1, 2, 1), nullptr);
}

TEST(World, FarCellsAndLevelsAreFoundAndKeptApartFromNearOnes) {
    World world;
    const std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    MudRoom* near = world.AddLoadedRoom("Z", Room(4, -3, 0, 1));
    // Each differs from `near` only above the low 16 bits of a coordinate or
    // the low 12 bits of the level.
    MudRoom* farRow = world.AddLoadedRoom("Z", Room(4 + 65536, -3, 0, 2));
    MudRoom* farColumn = world.AddLoadedRoom("Z", Room(4, -3 - 65536, 0, 3));
    MudRoom* deep = world.AddLoadedRoom("Z", Room(4, -3, -4096, 4));
    MudRoom* corner = world.AddLoadedRoom("Z", Room(kMax, kMin, kMin, 5));
    MudRoom* second = world.AddLoadedRoom("Z", Room(kMax, kMin, kMin, 6));
    Show(world, "Z");
    EXPECT_EQ(world.FindRoom(4, -3, 0), near);
    EXPECT_EQ(world.FindRoom(4 + 65536, -3, 0), farRow);
    EXPECT_EQ(world.FindRoom(4, -3 - 65536, 0), farColumn);
    EXPECT_EQ(world.FindRoom(4, -3, -4096), deep);
    EXPECT_EQ(world.FindRoom(kMax, kMin, kMin), corner);
    EXPECT_EQ(world.FindRoom(4, -3, 4096), nullptr);

    // Moving between near and far cells keeps every cell's first room.
    world.MoveRoom(corner, 4, -3, 0);
    EXPECT_EQ(world.FindRoom(4, -3, 0), near);
    EXPECT_EQ(world.FindRoom(kMax, kMin, kMin), second);
    world.RemoveRoom(near);
    EXPECT_EQ(world.FindRoom(4, -3, 0), corner);
    // farRow comes before second in the list.
    world.MoveRoom(farRow, kMax, kMin, kMin);
    EXPECT_EQ(world.FindRoom(kMax, kMin, kMin), farRow);
    EXPECT_EQ(world.FindRoom(4 + 65536, -3, 0), nullptr);
    world.RemoveRoom(farRow);
    EXPECT_EQ(world.FindRoom(kMax, kMin, kMin), second);
}

TEST(World, CurrentZoneLookUpsFollowKeyOrderGlobalOnesListOrder) {
    World world;
    // List order: x=9 first, x=10 second; key order is "1000|10|0" before "1000|9|0".
    MudRoom* nine = world.AddLoadedRoom("Z", Room(9, 0, 0, 7, "Hall"));
    MudRoom* ten = world.AddLoadedRoom("Z", Room(10, 0, 0, 7, "Hall"));
    MudRoom* dupFirst = world.AddLoadedRoom("Z", Room(3, 3, 0, 8));
    MudRoom* dupSecond = world.AddLoadedRoom("Z", Room(3, 3, 0, 9));
    Show(world, "Z");
    EXPECT_EQ(world.FindRoomByTag(7), ten);
    EXPECT_EQ(world.GlobalFindRoomByTag(7, "Z"), nine);
    EXPECT_EQ(world.FindRoomByName("Hall", "", ""), ten);
    EXPECT_EQ(world.GlobalFindRoomByName("Hall", "", ""), nine);
    EXPECT_EQ(world.FindRoom(3, 3, 0), dupFirst);
    EXPECT_EQ(world.GlobalFindRoom(3, 3, 0, "Z"), dupFirst);
    EXPECT_EQ(ZoneOrder(world), (std::vector<MudRoom*>{ten, dupFirst, dupSecond, nine}));
}

TEST(World, LevelsBelowMinus999SortFirst) {
    World world;
    MudRoom* ground = world.AddLoadedRoom("Z", Room(0, 0, 0));
    MudRoom* deep = world.AddLoadedRoom("Z", Room(0, 0, -1000));
    MudRoom* deeper = world.AddLoadedRoom("Z", Room(0, 0, -1500));
    MudRoom* low = world.AddLoadedRoom("Z", Room(0, 0, -999));
    Show(world, "Z");
    EXPECT_EQ(ZoneOrder(world), (std::vector<MudRoom*>{deeper, deep, low, ground}));
}

TEST(World, TagZeroFindsTheFirstCorridorCell) {
    World world;
    world.AddLoadedRoom("Z", Room(5, 0, 0, 1));
    MudRoom* late = world.AddLoadedRoom("Z", Room(2, 0, 0, 0));
    MudRoom* early = world.AddLoadedRoom("Z", Room(1, 0, 0, 0));
    late->Pipe = early->Pipe = true;
    Show(world, "Z");
    EXPECT_EQ(world.FindRoomByTag(0), early);
    EXPECT_EQ(world.GlobalFindRoomByTag(0, "Z"), late);
}

TEST(World, AliasIgnoresCyrillicCaseAndEmptyNeverMatches) {
    World world;
    MudRoom* plain = world.AddLoadedRoom("Z", Room(0, 0, 0, 1));
    auto room = Room(1, 0, 0, 2);
    room->QuickList = "\xe1\xe0\xed\xea";  // "банк"
    MudRoom* bank = world.AddLoadedRoom("Y", std::move(room));
    EXPECT_EQ(world.FindRoomByAlias("\xc1\xc0\xcd\xca"), bank);  // "БАНК"
    EXPECT_EQ(world.FindRoomByAlias(""), nullptr);
    EXPECT_EQ(world.FindRoomByAlias("\xe1\xe0\xed"), nullptr);
    world.SetRoomAlias(bank, "");
    EXPECT_EQ(world.FindRoomByAlias("\xe1\xe0\xed\xea"), nullptr);
    world.SetRoomAlias(plain, "Gate");
    EXPECT_EQ(world.FindRoomByAlias("GATE"), plain);
}

TEST(World, NameRuleIgnoresBlanksAndDoorsButNotLineBreaks) {
    World world;
    ExitWords words = ExitWords::Defaults();
    MudRoom* room = world.AddLoadedRoom("Z", Room(0, 0, 0, 1));
    world.SetRoomText(room, "Hall", "A big\r\nhall.", "(N) S", words);
    Show(world, "Z");
    EXPECT_EQ(world.FindRoomByName("Hall", " A  big\r\n hall. ", "N S"), room);
    EXPECT_EQ(world.FindRoomByName("Hall", "A big hall.", "N S"), nullptr);  // a line break is not a blank
    EXPECT_EQ(world.FindRoomByName("hall", "A big\r\nhall.", "N S"), nullptr);
    EXPECT_EQ(world.FindRoomByName("Hall", "A big\r\nhall.", "N S E"), nullptr);
    EXPECT_EQ(world.GlobalFindRoomByName("Hall", "Abig\r\nhall.", "(N)(S)"), room);
}

TEST(World, ShortModeIgnoresDescriptionsAndRebuildsTheIndex) {
    World world;
    MudRoom* first = world.AddLoadedRoom("Z", Room(0, 0, 0, 1, "Road"));
    MudRoom* second = world.AddLoadedRoom("Z", Room(0, 1, 0, 2, "Road"));
    world.SetRoomText(first, "Road", "muddy", "", ExitWords::Defaults());
    world.SetRoomText(second, "Road", "dusty", "", ExitWords::Defaults());
    Show(world, "Z");
    EXPECT_EQ(world.FindRoomByName("Road", "dusty", ""), second);
    world.SetShortMode(true);
    EXPECT_EQ(world.FindRoomByName("Road", "dusty", ""), first);
    EXPECT_EQ(world.GlobalFindRoomByName("Road", "anything", ""), first);
    world.SetShortMode(false);
    EXPECT_EQ(world.FindRoomByName("Road", "anything", ""), nullptr);
}

TEST(World, RemovalClearsReferencesAndAliasNode) {
    World world;
    auto made = Room(0, 0, 0, 1);
    made->QuickList = "home";
    MudRoom* room = world.AddLoadedRoom("Z", std::move(made));
    MudRoom* other = world.AddLoadedRoom("Z", Room(0, 1, 0, 2));
    world.CurrentRoom = world.TargetRoom = world.ReturnRoom = room;
    std::vector<MudRoom*> told;
    world.OnRoomRemoved = [&](MudRoom* r) { told.push_back(r); };
    ASSERT_EQ(world.Tree().FindZone("Z")->Aliases.size(), 1u);
    world.MapSaved = true;

    world.RemoveRoom(room);
    EXPECT_EQ(world.CurrentRoom, nullptr);
    EXPECT_EQ(world.TargetRoom, nullptr);
    EXPECT_EQ(world.ReturnRoom, nullptr);
    EXPECT_EQ(told, std::vector<MudRoom*>{room});
    EXPECT_FALSE(world.MapSaved);
    EXPECT_TRUE(world.Tree().FindZone("Z")->Aliases.empty());
    EXPECT_EQ(world.RoomCount(), 1u);
    EXPECT_EQ(world.FindRoomByAlias("home"), nullptr);

    world.TargetRoom = other;
    world.ClearWorld();
    EXPECT_EQ(world.TargetRoom, nullptr);
    EXPECT_EQ(world.RoomCount(), 0u);
}

TEST(World, LoadZoneBuildsTreeNodesAndLastRoomNumber) {
    World world;
    world.LockedZones = {"B"};
    world.AddZoneNode("A");
    world.AddZoneNode("B");
    world.AddLoadedRoom("B", Room(0, 0, 0, 12));
    auto aliased = Room(0, 1, 0, 40);
    aliased->QuickList = "x";
    aliased->ImageIndex = 3;
    aliased->Selected = true;
    MudRoom* x = world.AddLoadedRoom("B", std::move(aliased));
    auto second = Room(0, 2, 0, 5);
    second->QuickList = "y";
    MudRoom* y = world.AddLoadedRoom("B", std::move(second));

    world.CurrentZone = "B";
    world.LoadZone();
    EXPECT_EQ(world.LastRoomNumber, 40);
    EXPECT_TRUE(world.CurrentZoneLocked);
    EXPECT_FALSE(x->Selected);
    EXPECT_EQ(world.Tree().SelectedZone(), "B");
    const ZoneNode* a = world.Tree().FindZone("A");
    const ZoneNode* b = world.Tree().FindZone("B");
    EXPECT_EQ(a->ImageIndex, kZoneImage);
    EXPECT_EQ(a->StateIndex, kNoStateImage);
    EXPECT_EQ(b->ImageIndex, kCurrentZoneImage);
    EXPECT_EQ(b->StateIndex, kLockedZoneStateImage);
    EXPECT_TRUE(b->Expanded);
    ASSERT_EQ(b->Aliases.size(), 2u);
    EXPECT_EQ(b->Aliases[0].Room, x);
    EXPECT_EQ(b->Aliases[0].ImageIndex(), 9);
    EXPECT_EQ(b->Aliases[1].Room, y);
    EXPECT_EQ(b->Aliases[1].ImageIndex(), kAliasImage);

    // A zone without rooms or node gets a node, no rooms, number 0.
    world.ClearZone();
    world.CurrentZone = "New";
    world.LoadZone();
    EXPECT_EQ(world.LastRoomNumber, 0);
    EXPECT_TRUE(world.ZoneRooms().empty());
    EXPECT_FALSE(world.CurrentZoneLocked);
    ASSERT_NE(world.Tree().FindZone("New"), nullptr);
    EXPECT_EQ(world.Tree().FindZone("New")->ImageIndex, kCurrentZoneImage);
    EXPECT_EQ(world.Tree().FindZone("B")->ImageIndex, kZoneImage);
    EXPECT_EQ(world.Tree().Zones().size(), 3u);
}

TEST(World, ClearZoneResetsMarksAndEmptiesTheZoneView) {
    World world;
    MudRoom* room = world.AddLoadedRoom("Z", Room(0, 0, 0, 1));
    Show(world, "Z");
    room->Selected = room->Checked = true;
    world.ClearZone();
    EXPECT_FALSE(room->Selected || room->Checked);
    EXPECT_TRUE(world.ZoneRooms().empty());
    EXPECT_EQ(world.FindRoom(0, 0, 0), nullptr);
    EXPECT_EQ(world.GlobalFindRoom(0, 0, 0, "Z"), room);
}

TEST(World, AddedRoomJoinsTheShownZoneInKeyOrder) {
    World world;
    Show(world, "Z");
    world.MapSaved = true;
    MudRoom* b = world.AddRoom(Room(2, 0, 0, 1));
    MudRoom* a = world.AddRoom(Room(1, 0, 0, 2));
    EXPECT_FALSE(world.MapSaved);
    EXPECT_EQ(ZoneOrder(world), (std::vector<MudRoom*>{a, b}));
    EXPECT_EQ(world.ZoneOf(a), "Z");
    EXPECT_EQ(world.AllRooms().begin()->Room(), b);
}

TEST(World, RenameZoneCarriesRoomsLocksAndCurrentZone) {
    World world;
    world.AddZoneNode("A");
    MudRoom* room = world.AddLoadedRoom("A", Room(0, 0, 0, 3));
    world.SetZoneLocked("A", true);
    Show(world, "A");
    world.RenameZone("A", "B");
    EXPECT_EQ(world.CurrentZone, "B");
    EXPECT_EQ(world.ShownZone(), "B");
    EXPECT_EQ(world.ZoneOf(room), "B");
    EXPECT_EQ(world.LockedZones, std::vector<std::string>{"B"});
    EXPECT_TRUE(world.CurrentZoneLocked);
    EXPECT_EQ(world.FindRoomByTag(3), room);
    EXPECT_EQ(world.GlobalFindRoomByTag(3, "A"), nullptr);
    EXPECT_EQ(world.Tree().FindZone("A"), nullptr);
    EXPECT_NE(world.Tree().FindZone("B"), nullptr);

    // Into a zone that already has rooms: both sets are found there.
    MudRoom* other = world.AddLoadedRoom("C", Room(0, 0, 0, 3));
    world.RenameZone("B", "C");
    EXPECT_EQ(world.FindRoom(0, 0, 0), room);  // list order breaks the tie
    EXPECT_EQ(world.RoomsOfZone("C").size(), 2u);
    (void)other;
}

TEST(World, SetZoneLockedTellsAboutTheCurrentZoneOnly) {
    World world;
    Show(world, "A");
    world.SetZoneLocked("B", true);
    EXPECT_FALSE(world.CurrentZoneLocked);
    world.SetZoneLocked("A", true);
    EXPECT_TRUE(world.CurrentZoneLocked);
    world.SetZoneLocked("A", false);
    EXPECT_FALSE(world.CurrentZoneLocked);
    EXPECT_EQ(world.LockedZones, std::vector<std::string>{"B"});
}

TEST(World, RemoveZoneDestroysItsRoomsAndNode) {
    World world;
    world.AddZoneNode("A");
    MudRoom* a = world.AddLoadedRoom("A", Room(0, 0, 0, 1));
    MudRoom* b = world.AddLoadedRoom("B", Room(0, 0, 0, 1));
    Show(world, "A");
    world.CurrentRoom = a;
    world.RemoveZone("A");
    EXPECT_EQ(world.CurrentRoom, nullptr);
    EXPECT_TRUE(world.CurrentZone.empty());
    EXPECT_TRUE(world.ZoneRooms().empty());
    EXPECT_EQ(world.Tree().FindZone("A"), nullptr);
    EXPECT_EQ(world.RoomCount(), 1u);
    EXPECT_EQ(world.AllRooms().begin()->Room(), b);
}

TEST(World, ChangingAStrangerRoomIsRefused) {
    World world;
    MudRoom stranger;
    EXPECT_THROW(world.MoveRoom(&stranger, 1, 1, 1), std::invalid_argument);
    world.RemoveRoom(&stranger);  // nothing to do
    EXPECT_EQ(world.RoomCount(), 0u);
}

}  // namespace
}  // namespace trellan
