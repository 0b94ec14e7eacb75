#include <optional>
#include <string>
#include <vector>

#include "MappingFixture.h"

namespace trellan {
namespace {

using PlacementTest = MappingFixture;

std::vector<int> Xyl(std::int32_t x, std::int32_t y, std::int32_t l) {
    return {x, y, l};
}

TEST_F(PlacementTest, DirectionTexts) {
    EXPECT_EQ(place.Opposite(Cp("на запад")), Cp("на восток"));
    EXPECT_EQ(place.Opposite(Cp("вниз")), Cp("вверх"));
    EXPECT_EQ(place.Opposite(config.Portal), config.Portal);

    std::int32_t x = 5, y = 2, l = 0;
    place.ReposXYL(Cp("на север"), x, y, l);  // a phrase is no move
    for (const char* d : {"n", "e", "d"}) place.ReposXYL(d, x, y, l);
    EXPECT_EQ(Xyl(x, y, l), Xyl(4, 3, -1));
    // The end of the integer range wraps instead of overflowing.
    x = INT32_MIN;
    place.ReposXYL("n", x, y, l);
    EXPECT_EQ(x, INT32_MAX);

    MudRoom room;
    for (const std::string& d : {Cp("на восток"), std::string("u"), config.Portal}) place.SetCheck(&room, d, true);
    EXPECT_TRUE(room.ChE && room.ChU);
    EXPECT_FALSE(room.ChN || room.ChS || room.ChW || room.ChD);
    EXPECT_TRUE(place.WasStep(&room, "e") && place.WasStep(&room, config.Portal));
    EXPECT_FALSE(place.WasStep(&room, "w"));
}

TEST_F(PlacementTest, MenuTagsRunNorthSouthEastWestUpDown) {
    const std::string commands[] = {"n", "s", "e", "w", "u", "d"};
    for (int tag = 1; tag <= kDirectionCount; ++tag) {
        const std::optional<Direction> direction = Placement::MenuDirection(tag);
        ASSERT_TRUE(direction) << tag;
        EXPECT_EQ(Placement::MenuTag(*direction), tag);
        EXPECT_EQ(place.MenuCommand(tag), commands[tag - 1]);
        EXPECT_EQ(CommandDirection(commands[tag - 1], config), direction) << tag;
    }
    for (int tag : {0, 7, -1}) {
        EXPECT_FALSE(Placement::MenuDirection(tag)) << tag;
        EXPECT_EQ(place.MenuCommand(tag), "") << tag;
    }
}

TEST_F(PlacementTest, NewRoomTakesTheNextNumberTheViewAndTheBounds) {
    MudRoom* start = Room(5, 2);
    world.SetRoomTag(start, 41);
    world.LastRoomNumber = 41;
    world.MapSaved = true;
    view.DX = 7;
    view.DY = 8;
    view.DL = 1;
    config.SkinRoomColor = 0x123456;

    MudRoom* room = place.NewRoomAt(4, 2, 0, "Hall", "A hall.", "N (S)", RoomKind::Room);
    EXPECT_EQ(At(4, 2), room);
    EXPECT_EQ(room->Tag, 42);
    EXPECT_EQ(world.LastRoomNumber, 42);
    EXPECT_EQ(room->ExitState(Direction::South), ExitStatus::ClosedDoor);
    EXPECT_EQ(room->BColor, 0x123456u);
    EXPECT_EQ(Xyl(room->DX, room->DY, room->DL), Xyl(7, 8, 1));
    EXPECT_FALSE(world.MapSaved);
    EXPECT_EQ(world.ZoneOf(room), "zone");
    // Widened from the initial box.
    EXPECT_EQ(Xyl(view.Bounds.MinX, view.Bounds.MaxX, view.Bounds.MaxY), Xyl(0, 5, 2));

    // Corridor cells have no name and no number.
    MudRoom* pipe = place.NewRoomAt(3, 2, 0, "ignored", "", "NS", RoomKind::Corridor);
    EXPECT_EQ(pipe->Tag, 0);
    EXPECT_TRUE(pipe->Hint.empty());
    EXPECT_EQ(world.LastRoomNumber, 42);
}

TEST_F(PlacementTest, RefreshPropKeepsDoorsAndSpacingAndDarkness) {
    MudRoom* room = place.NewRoomAt(0, 0, 0, "Old", "Old desc", "NS", RoomKind::Room);
    world.MapSaved = true;

    place.RefreshProp(room, config.Dark, "x", "E");
    EXPECT_EQ(room->Hint, "Old");
    place.RefreshProp(room, "Old", "", "N (S)");
    EXPECT_EQ(room->Exits(), "NS");
    EXPECT_EQ(room->Description, "Old desc");
    EXPECT_TRUE(world.MapSaved) << "nothing changed, so nothing to save";

    place.RefreshProp(room, "New", "Editing", "N S");
    EXPECT_EQ(room->Hint, "New");
    EXPECT_EQ(room->Description, "Old desc");
    EXPECT_EQ(room->Exits(), "NS");
    EXPECT_FALSE(world.MapSaved);
    EXPECT_EQ(world.FindRoomByName("New", "Old desc", "NS"), room) << "the name index follows";

    place.RefreshProp(room, "New", "Fresh", "None!");
    EXPECT_EQ(room->Exits(), "");
    EXPECT_EQ(room->Description, "Fresh");
    place.RefreshProp(room, "New", "", "N E");
    EXPECT_EQ(room->Exits(), "N E");
    EXPECT_EQ(room->ExitState(Direction::East), ExitStatus::Present);
}

// Pushing north: what stands in front goes along, linked or not; what is
// behind stays; what is linked sideways or across levels comes along.
TEST_F(PlacementTest, ListAtCollectsTheBlockOfAPush) {
    MudRoom* r = Room(0, 0);
    MudRoom* front = Room(-1, 0);      // unlinked, in front
    MudRoom* behind = Room(1, 0);      // linked to r, but behind it
    MudRoom* east = Room(0, 1);        // linked west to r
    Room(0, -1);                       // not linked
    MudRoom* above = Room(0, 0, 1);    // linked down
    MudRoom* eastFront = Room(-1, 1);  // in front of `east`
    east->ChW = above->ChD = behind->ChN = true;

    std::vector<MudRoom*> block;
    place.ListAt("n", r, block);
    // Depth first: r, north of r, ... then east of r and its front, then up.
    EXPECT_EQ(block, (std::vector<MudRoom*>{r, front, east, eastFront, above}));

    // Rooms already listed are not listed again.
    std::vector<MudRoom*> more{east};
    place.ListAt("n", r, more);
    EXPECT_EQ(more, (std::vector<MudRoom*>{east, r, front, above}));
}

TEST_F(PlacementTest, PushStretchesLinksBehindWithOneCorridorCell) {
    MudRoom* r = Room(0, 0);
    MudRoom* behind = Room(1, 0);
    MudRoom* loose = Room(0, -1);  // unlinked west neighbour stays
    Join(r, behind, Direction::South);
    world.TargetRoom = r;
    place.MoveRoomTo("n");
    EXPECT_EQ(At(-1, 0), r);
    EXPECT_EQ(At(1, 0), behind);
    EXPECT_EQ(At(0, -1), loose);
    ASSERT_TRUE(IsCorridor(At(0, 0), "NS"));
    EXPECT_EQ(At(0, 0)->Tag, 0);
    EXPECT_EQ(At(0, 0)->Description, "");

    // A west-east stretch writes its exit words east first.
    MudRoom* a = Room(10, 0);
    MudRoom* b = Room(10, 1);
    Join(a, b, Direction::East);
    world.TargetRoom = b;
    place.MoveRoomTo("e");
    EXPECT_TRUE(IsCorridor(At(10, 1), "EW"));

    // A vertical link behind the push is stretched the same way.
    MudRoom* low = Room(5, 5, 0);
    MudRoom* high = Room(5, 5, 1);
    Join(low, high, Direction::Up);
    world.TargetRoom = high;
    place.MoveRoomTo("u");
    EXPECT_EQ(At(5, 5, 2), high);
    EXPECT_TRUE(IsCorridor(At(5, 5, 1), "UD"));
    EXPECT_EQ(DoubleCells(), 0);
}

TEST_F(PlacementTest, PushIntoACorridorShortensItAndBackStretchesIt) {
    MudRoom* a = Room(3, 0);
    MudRoom* b = Room(0, 0);
    ASSERT_TRUE(linker.SetLink(a, b, "n"));
    ASSERT_EQ(ZoneSize(), 4u);
    world.TargetRoom = a;
    place.MoveRoomTo("n");
    EXPECT_EQ(At(2, 0), a);
    EXPECT_EQ(At(0, 0), b) << "the room at the far end stays";
    EXPECT_EQ(ZoneSize(), 3u);
    EXPECT_TRUE(At(1, 0)->Pipe);
    EXPECT_EQ(DoubleCells(), 0);

    world.TargetRoom = a;
    place.MoveRoomTo("s");
    EXPECT_EQ(At(3, 0), a);
    EXPECT_EQ(ZoneSize(), 4u);
    EXPECT_TRUE(At(2, 0)->Pipe);
}

TEST_F(PlacementTest, ExpandRoomsMovesTheSmallerSide) {
    // Equal blocks: B's side moves.
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(-1, 0);
    place.ExpandRooms(a, b, "n");
    EXPECT_EQ(At(-2, 0), b);
    EXPECT_EQ(At(0, 0), a);
    EXPECT_EQ(world.TargetRoom, b);

    // B's side is larger: A moves back.
    MudRoom* c = Room(10, 0);
    MudRoom* d = Room(9, 0);
    Room(8, 0);
    Room(7, 0);
    place.ExpandRooms(c, d, "n");
    EXPECT_EQ(At(11, 0), c);
    EXPECT_EQ(At(9, 0), d);
    EXPECT_EQ(world.TargetRoom, c);
    EXPECT_EQ(DoubleCells(), 0);
}

// A push up or down takes the room in front like a push on the level does,
// so that two rooms never share a cell.
TEST_F(PlacementTest, VerticalPushTakesTheRoomInFront) {
    MudRoom* current = Room(0, 0, 0);
    MudRoom* b = Room(0, 0, 1);
    MudRoom* c = Room(0, 0, 2);  // not linked to b
    Room(0, 0, -1)->ChU = true;  // linked up, but behind the push
    current->ChD = true;

    place.ExpandRooms(current, b, "u");
    EXPECT_EQ(At(0, 0, 2), b);
    EXPECT_EQ(At(0, 0, 3), c);
    EXPECT_EQ(At(0, 0, 0), current);
    EXPECT_EQ(At(0, 0, 1), nullptr) << "space for the new room";
    EXPECT_EQ(DoubleCells(), 0);
}

TEST_F(PlacementTest, StepToLinksOrCreates) {
    MudRoom* t = Room(0, 0);
    MudRoom* east = Room(0, 1);
    world.TargetRoom = t;
    EXPECT_EQ(place.StepTo(3), east);  // menu tag 3: east
    EXPECT_TRUE(t->ChE && east->ChW);
    EXPECT_EQ(ZoneSize(), 2u);

    MudRoom* up = place.StepTo(5);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->L, 1);
    EXPECT_EQ(up->Hint, config.Dark);
    EXPECT_TRUE(t->ChU && up->ChD);
    EXPECT_EQ(place.StepTo(7), nullptr);
    world.TargetRoom = nullptr;
    EXPECT_EQ(place.StepTo(1), nullptr);
    place.MoveRoomTo("n");  // no target: nothing
    EXPECT_EQ(ZoneSize(), 3u);
}

TEST_F(PlacementTest, SelectRoomMovesThePositionAndStopsTracing) {
    MudRoom* a = Room(0, 0);
    MudRoom* b = Room(3, 4, 1);
    world.CurrentRoom = a;
    a->Selected = true;
    world.TargetRoom = b;
    int stopped = 0;
    place.SelectRoom([&] { ++stopped; });
    EXPECT_EQ(stopped, 1);
    EXPECT_FALSE(a->Selected);
    EXPECT_TRUE(b->Selected);
    EXPECT_EQ(world.CurrentRoom, b);
    EXPECT_EQ(view.Origin(), (ViewOrigin{3, 4, 1}));
}

// A block as long as the map is collected and moved without recursion.
TEST_F(PlacementTest, DeepBlockDoesNotExhaustTheStack) {
    constexpr int kRooms = 100000;
    std::vector<MudRoom*> chain;
    view.RefreshLock = RefreshLockState::Held;
    for (int i = 0; i < kRooms; ++i) {
        auto room = std::make_unique<MudRoom>();
        room->Y = i;
        room->ChE = i + 1 < kRooms;
        room->ChW = i > 0;
        chain.push_back(world.AddRoom(std::move(room)));
    }
    // Pushing north: every room is linked sideways to the next.
    std::vector<MudRoom*> block;
    place.ListAt("n", chain.front(), block);
    EXPECT_EQ(block.size(), static_cast<std::size_t>(kRooms));

    world.TargetRoom = chain.front();
    place.MoveRoomTo("n");
    EXPECT_EQ(chain.back()->X, -1);
    EXPECT_EQ(At(-1, kRooms / 2), chain[kRooms / 2]);
    EXPECT_EQ(At(0, 0), nullptr);
}

}  // namespace
}  // namespace trellan
