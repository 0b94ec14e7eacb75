#include "ZoneFixture.h"

namespace trellan {
namespace {

using ZoneOperationsTest = ZoneFixture;

TEST_F(ZoneOperationsTest, NewZoneTakesTheFirstFreeNameAndWritesItsFile) {
    const std::string caption = Cyr("Новая зона");
    files.Write(caption);  // a file of that name, no zone in memory
    Elsewhere(caption + " 1", 1);

    EXPECT_EQ(zones.CreateZone(), caption + " 2");
    EXPECT_EQ(world.CurrentZone, caption + " 2");
    EXPECT_EQ(world.ShownZone(), caption + " 2");
    EXPECT_EQ(world.LastRoomNumber, 0);
    EXPECT_TRUE(files.ZoneFileExists(caption + " 2"));
    EXPECT_TRUE(files.Read(caption + " 2").empty());
    EXPECT_EQ(world.Tree().SelectedZone(), caption + " 2");

    // A zone whose file cannot be written never comes to be.
    files.failWrites = true;
    EXPECT_THROW(zones.CreateZone(), TrellanError);
    EXPECT_EQ(world.CurrentZone, caption + " 2");
    EXPECT_EQ(world.Tree().FindZone(caption + " 3"), nullptr);

    world.CurrentWorld.clear();
    EXPECT_EQ(zones.CreateZone(), "");
}

TEST_F(ZoneOperationsTest, StartNewZoneNorthMovesTheDeadEndAndRelinksEverything) {
    MudRoom* t = Room(0, 0, 0, "Start");  // 1
    MudRoom* pipe = Pipe(-1, 0);
    MudRoom* r1 = Room(-2, 0, 0, "First");    // 2
    MudRoom* r2 = Room(-3, 0, 0, "Second");   // 3
    MudRoom* south = Room(1, 0, 0, "South");  // 4 stays
    Join(t, pipe, Direction::North);
    Join(pipe, r1, Direction::North);
    Join(r1, r2, Direction::North);
    Join(t, south, Direction::South);
    // Second leads on into zone "b" by a cross link, which the walk must not
    // take for a way back; its partner's entry carries a command.
    r2->ChN = true;
    r2->AutoMaps = {"b|" + Phrase(Direction::North) + "|7"};
    MudRoom* far = Elsewhere("b", 7);
    far->ChS = true;
    far->AutoMaps = {"a|" + Phrase(Direction::South) + "|3|open gate"};
    r1->QuickList.clear();
    world.SetRoomAlias(r2, "deep");
    files.Write(Cyr("Новая зона"));

    world.TargetRoom = t;
    ZoneResult result = zones.StartNewZone(Direction::North);
    ASSERT_TRUE(result.Succeeded()) << result.Message;
    const std::string newZone = Cyr("Новая зона 1");
    EXPECT_EQ(world.CurrentZone, newZone);
    EXPECT_EQ(files.worldSaves, 1);

    auto moved = files.Read(newZone);
    ASSERT_EQ(moved.size(), 2u) << "the corridor cell is dropped";
    const MudRoom* first = FileRoomAt(moved, 0, 0);
    const MudRoom* second = FileRoomAt(moved, -1, 0);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Hint, "First");
    EXPECT_EQ(first->Tag, 1);
    EXPECT_TRUE(first->ChS);
    EXPECT_EQ(first->AutoMaps, std::vector<std::string>{"a|" + Phrase(Direction::South) + "|1"});
    EXPECT_FALSE(first->Checked);
    EXPECT_EQ(second->Tag, 2);
    EXPECT_EQ(second->QuickList, "deep");

    auto old = files.Read("a");
    ASSERT_EQ(old.size(), 2u);
    const MudRoom* start = FileRoomAt(old, 0, 0);
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->ChN) << "the passage stays a link on both sides";
    EXPECT_EQ(start->AutoMaps, std::vector<std::string>{newZone + "|" + Phrase(Direction::North) + "|1"});
    ASSERT_NE(FileRoomAt(old, 1, 0), nullptr);

    auto b = files.Read("b");
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0]->AutoMaps, std::vector<std::string>{newZone + "|" + Phrase(Direction::South) + "|2|open gate"});

    // The bookmark went along to the new zone's node.
    EXPECT_TRUE(world.Tree().FindZone("a")->Aliases.empty());
    ASSERT_EQ(world.Tree().FindZone(newZone)->Aliases.size(), 1u);
    EXPECT_EQ(world.Tree().FindZone(newZone)->Aliases[0].Room, r2);
    EXPECT_EQ(world.FindRoomByTag(1), r1);
}

TEST_F(ZoneOperationsTest, StartNewZoneRefusesAPartReachedTwice) {
    MudRoom* t = Room(0, 0);
    MudRoom* n1 = Room(-1, 0);
    MudRoom* n2 = Room(-1, 1);
    MudRoom* e1 = Room(0, 1);
    Join(t, n1, Direction::North);
    Join(n1, n2, Direction::East);
    Join(e1, n2, Direction::North);
    Join(t, e1, Direction::East);  // the part north of t is reached from the east too
    world.MapSaved = true;

    world.TargetRoom = t;
    ZoneResult result = zones.StartNewZone(Direction::North);
    EXPECT_EQ(result.Outcome, ZoneOutcome::Refused);
    EXPECT_EQ(result.Message, Cyr("В указанном направлении новую карту начать нельзя."));
    EXPECT_EQ(world.CurrentZone, "a");
    EXPECT_EQ(world.ZoneRooms().size(), 4u);
    EXPECT_TRUE(t->AutoMaps.empty());
    EXPECT_TRUE(world.MapSaved);
    EXPECT_FALSE(files.ZoneFileExists(Cyr("Новая зона")));
    EXPECT_EQ(world.Tree().Zones().size(), 1u);

    // Nothing beyond T, and a part of corridor cells alone, are refused too.
    EXPECT_EQ(zones.StartNewZone(Direction::West).Outcome, ZoneOutcome::Refused);
    MudRoom* pipe = Pipe(1, 0);
    Join(t, pipe, Direction::South);
    EXPECT_EQ(zones.StartNewZone(Direction::South).Outcome, ZoneOutcome::Refused);
    EXPECT_TRUE(world.Contains(pipe));
}

TEST_F(ZoneOperationsTest, OutlineWalkEndsOnLinksThatGoRoundInCircles) {
    // Flags set on one side only: the walk would circle the ring for ever.
    MudRoom* t = Room(0, 0);
    MudRoom* n1 = Room(-1, 0);
    MudRoom* n2 = Room(-2, 0);
    MudRoom* n3 = Room(-2, 1);
    MudRoom* n4 = Room(-1, 1);
    t->ChN = n1->ChN = n2->ChE = n3->ChS = n4->ChW = true;
    std::vector<MudRoom*> list;
    EXPECT_FALSE(zones.ListAtHand(Direction::North, t, list));
    EXPECT_EQ(list.size(), 4u);
    EXPECT_TRUE(n1->Checked && n3->Checked);
}

TEST_F(ZoneOperationsTest, LongPartsAreWalkedWithoutRecursion) {
    // A winding dead end of 20 000 rooms: two rows joined at the far end.
    constexpr int kLength = 10000;
    MudRoom* t = Room(1, 0);
    std::vector<MudRoom*> west;
    std::vector<MudRoom*> east;
    for (int i = 0; i < kLength; ++i) {
        for (int y : {0, 1}) {
            auto room = std::make_unique<MudRoom>();
            room->X = -i;
            room->Y = y;
            room->Tag = 10 + 2 * i + y;
            (y == 0 ? west : east).push_back(world.AddRoom(std::move(room)));
        }
    }
    Join(t, west[0], Direction::North);
    for (int i = 0; i + 1 < kLength; ++i) {
        Join(west[i], west[i + 1], Direction::North);
        Join(east[i], east[i + 1], Direction::North);
    }
    Join(west[kLength - 1], east[kLength - 1], Direction::East);

    world.TargetRoom = t;
    ASSERT_TRUE(zones.StartNewZone(Direction::North).Succeeded());
    EXPECT_EQ(world.ZoneRooms().size(), 2u * kLength);
    EXPECT_EQ(world.LastRoomNumber, 2 * kLength);
    EXPECT_EQ(world.FindRoom(0, 0, 0), west[0]);
    EXPECT_EQ(west[0]->Tag, 1);
    EXPECT_EQ(files.Read(world.CurrentZone).size(), 2u * kLength);
}

TEST_F(ZoneOperationsTest, MergeZoneJoinsTheZoneBeyondTheCrossLink) {
    MudRoom* t = Room(0, 0, 0, "Gate");  // 1
    MudRoom* west = Room(0, -1);         // 2
    Join(west, t, Direction::East);
    t->ChE = true;
    t->AutoMaps = {"b|" + Phrase(Direction::East) + "|1"};
    MudRoom* p = Elsewhere("b", 1, 5, 5);
    MudRoom* q = Elsewhere("b", 2, 5, 6);
    p->ChW = true;
    p->AutoMaps = {"a|" + Phrase(Direction::West) + "|1"};
    Join(p, q, Direction::East);
    world.SetRoomAlias(q, "inn");
    // Q leads on into zone c; a room of zone d holds a stale entry into b.
    q->ChN = true;
    q->AutoMaps = {"c|" + Phrase(Direction::North) + "|4"};
    MudRoom* c = Elsewhere("c", 4);
    c->ChS = true;
    c->AutoMaps = {"b|" + Phrase(Direction::South) + "|2"};
    MudRoom* d = Elsewhere("d", 1);
    d->ChW = true;
    d->AutoMaps = {"b|" + Phrase(Direction::West) + "|9", "bb|" + Phrase(Direction::North) + "|1"};
    files.SaveWorld();
    world.LastRoomNumber = 2;

    world.TargetRoom = t;
    ZoneResult result = zones.MergeZone(Direction::East);
    ASSERT_TRUE(result.Succeeded()) << result.Message;
    EXPECT_TRUE(result.Errors.empty());

    EXPECT_FALSE(files.ZoneFileExists("b"));
    EXPECT_EQ(world.Tree().FindZone("b"), nullptr);
    auto joined = files.Read("a");
    ASSERT_EQ(joined.size(), 4u);
    const MudRoom* gate = FileRoomAt(joined, 0, 0);
    const MudRoom* partner = FileRoomAt(joined, 0, 1);
    const MudRoom* inn = FileRoomAt(joined, 0, 2);
    ASSERT_TRUE(gate && partner && inn);
    EXPECT_TRUE(gate->AutoMaps.empty());
    EXPECT_TRUE(gate->ChE && partner->ChW) << "the cross link became an ordinary link";
    EXPECT_TRUE(partner->AutoMaps.empty());
    EXPECT_EQ(partner->Tag, 3);
    EXPECT_EQ(inn->Tag, 4);
    EXPECT_EQ(inn->QuickList, "inn");
    EXPECT_EQ(files.Read("c")[0]->AutoMaps, std::vector<std::string>{"a|" + Phrase(Direction::South) + "|4"});

    // The stale entry into the deleted zone goes with its link flag.
    EXPECT_EQ(d->AutoMaps, std::vector<std::string>{"bb|" + Phrase(Direction::North) + "|1"});
    EXPECT_FALSE(d->ChW);
    ASSERT_EQ(world.Tree().FindZone("a")->Aliases.size(), 1u);
    EXPECT_EQ(world.FindRoom(0, 2, 0), q);
}

TEST_F(ZoneOperationsTest, MergeZoneRefusesACollisionAndChangesNothing) {
    MudRoom* t = Room(0, 0);
    Room(0, 3);  // in the way of the joined zone's second room
    t->ChE = true;
    t->AutoMaps = {"b|" + Phrase(Direction::East) + "|1"};
    MudRoom* p = Elsewhere("b", 1, 10, 10);
    Elsewhere("b", 2, 10, 12);
    p->AutoMaps = {"a|" + Phrase(Direction::West) + "|1"};
    files.SaveWorld();

    world.TargetRoom = t;
    ZoneResult result = zones.MergeZone(Direction::East);
    EXPECT_EQ(result.Outcome, ZoneOutcome::Refused);
    EXPECT_EQ(result.Message, Cyr("В указанном направлении карту присоединить нельзя."));
    EXPECT_TRUE(world.MapSaved);
    EXPECT_EQ(t->AutoMaps.size(), 1u);
    EXPECT_EQ(world.ZoneOf(p), "b");
    EXPECT_EQ(p->X, 10);
    EXPECT_EQ(files.Read("b").size(), 2u);

    // No entry that way, a partner that is not there, a number that is none.
    EXPECT_EQ(zones.MergeZone(Direction::West).Outcome, ZoneOutcome::Refused);
    t->AutoMaps = {"b|" + Phrase(Direction::East) + "|5"};
    EXPECT_EQ(zones.MergeZone(Direction::East).Outcome, ZoneOutcome::Refused);
    t->AutoMaps = {"b|" + Phrase(Direction::East) + "|x1"};
    EXPECT_EQ(zones.MergeZone(Direction::East).Outcome, ZoneOutcome::Refused);
    t->AutoMaps = {"a|" + Phrase(Direction::East) + "|1"};
    EXPECT_EQ(zones.MergeZone(Direction::East).Outcome, ZoneOutcome::Refused);
}

TEST_F(ZoneOperationsTest, DeletingACorridorCellRemovesTheWholeCorridor) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(4, 0);
    ASSERT_TRUE(linker.SetLink(a, b, "s"));
    ASSERT_EQ(world.ZoneRooms().size(), 5u);
    world.TargetRoom = world.FindRoom(2, 0, 0);
    ASSERT_TRUE(world.TargetRoom->Pipe);

    EXPECT_TRUE(zones.DeleteRoom().Succeeded());
    EXPECT_EQ(world.TargetRoom, nullptr);
    files.SaveZone();
    auto rooms = files.Read("a");
    ASSERT_EQ(rooms.size(), 2u);
    EXPECT_FALSE(FileRoomAt(rooms, 0, 0)->ChS);
    EXPECT_FALSE(FileRoomAt(rooms, 4, 0)->ChN);
    EXPECT_EQ(tracingOff, 0);
}

// What the partner and the files keep is checked through the zone dump; here
// the position, the tracing and the bookmark.
TEST_F(ZoneOperationsTest, DeletingTheCurrentRoomStopsTracingAndDropsItsBookmark) {
    MudRoom* x = Room(0, 0);
    world.SetRoomAlias(x, "home");
    world.CurrentRoom = x;
    world.TargetRoom = x;
    world.MapSaved = true;

    EXPECT_TRUE(zones.DeleteRoom().Succeeded());
    EXPECT_EQ(tracingOff, 1);
    EXPECT_EQ(world.CurrentRoom, nullptr);
    EXPECT_TRUE(world.Tree().FindZone("a")->Aliases.empty());
    EXPECT_FALSE(world.MapSaved);
}

}  // namespace
}  // namespace trellan
