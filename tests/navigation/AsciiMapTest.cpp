// The map around the player as text: rooms, links, doors, corridors, the
// levels above and below, and a view that runs past the zone's edge.
#include "navigation/AsciiMap.h"
#include "navigation/NavigationFixture.h"

namespace trellan::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(AsciiMapTest, RoomsLinksAndThePlayerAroundTheCentre) {
    NavigationRig rig;
    // A square with the player, a room north of it and one east behind a
    // closed door; a room up the stairs from the east room.
    MudRoom* square = rig.Put(0, 0);
    MudRoom* north = rig.Put(-1, 0);
    MudRoom* east = rig.Put(0, 1);
    NavigationRig::Link(square, Direction::North, north);
    NavigationRig::Link(square, Direction::East, east);
    east->SetExits(" (W) U ", ExitWords::Defaults());
    east->Link(Direction::Up) = true;
    MudRoom* attic = rig.Put(0, 1, 1);
    attic->Link(Direction::Down) = true;

    Lines lines = RenderAsciiMap(rig.world, *square, square, {3, 3});
    // The first column and line hold the links west and north of the view.
    EXPECT_EQ(lines, (Lines{
                         "",
                         "     [ ]",
                         "      |",
                         "     [@]#[^]",
                         "",
                         "",
                         "",
                     }));

    // Up the stairs the grid is the attic's level, the rooms below it dots.
    lines = RenderAsciiMap(rig.world, *attic, nullptr, {3, 3});
    EXPECT_EQ(lines, (Lines{"", "  .", "", "  .  [v]", "", "", ""}));
}

TEST(AsciiMapTest, CorridorCellsAreDrawnAsTheirPassage) {
    NavigationRig rig;
    // West room - two corridor cells - east room; a vertical corridor south
    // of the west room, and a crossing corridor cell.
    MudRoom* west = rig.Put(0, 0);
    MudRoom* pipe1 = rig.Pipe(0, 1);
    MudRoom* pipe2 = rig.Pipe(0, 2);
    MudRoom* east = rig.Put(0, 3);
    NavigationRig::Link(west, Direction::East, pipe1);
    NavigationRig::Link(pipe1, Direction::East, pipe2);
    NavigationRig::Link(pipe2, Direction::East, east);
    MudRoom* down = rig.Pipe(1, 0);
    MudRoom* south = rig.Put(2, 0);
    NavigationRig::Link(west, Direction::South, down);
    NavigationRig::Link(down, Direction::South, south);
    NavigationRig::Link(pipe2, Direction::South, rig.Pipe(1, 2));

    // Centred on the first corridor cell; the south room lies beyond the
    // view's last line, the corridor to it runs out at the edge.
    Lines lines = RenderAsciiMap(rig.world, *pipe1, west, {5, 3});
    EXPECT_EQ(lines, (Lines{
                         "",
                         "",
                         "",
                         "     [@]------+--[ ]",
                         "      |       |",
                         "      |       |",
                         "      |",
                     }));
    EXPECT_EQ(lines[3].substr(13, 3), "-+-") << "a corridor cell with links across and along";
    EXPECT_EQ(lines[5].substr(13, 3), " |") << "a corridor cell with a link along only";
    lines = RenderAsciiMap(rig.world, *down, west, {3, 3});
    EXPECT_EQ(lines[5], "     [ ]") << "the south room, one row below the centre";
}

TEST(AsciiMapTest, LinksLeavingTheViewAreDrawnAtItsEdge) {
    NavigationRig rig;
    // The player at the zone's north-west corner: the view runs past it.
    MudRoom* corner = rig.Put(0, 0);
    MudRoom* far = rig.Put(-3, -2);
    far->Link(Direction::North) = true;
    far->Link(Direction::West) = true;
    MudRoom* east = rig.Put(0, 2);
    east->Link(Direction::East) = true;
    NavigationRig::Link(corner, Direction::East, rig.Pipe(0, 1));

    Lines lines = RenderAsciiMap(rig.world, *corner, corner, {5, 7});
    ASSERT_EQ(lines.size(), 15u);
    // The room three rows north and two columns west stands in the first
    // row and column; its links north and west reach the view's border.
    EXPECT_EQ(lines[0], "  |");
    EXPECT_EQ(lines[1], "-[ ]");
    // Corner, corridor cell (linked west only), a gap, and the east room
    // whose link east leaves the view.
    EXPECT_EQ(lines[7], "         [@]---- [ ]-");
    for (std::size_t i = 8; i < lines.size(); ++i) EXPECT_EQ(lines[i], "") << i;
    // The default view fits an 80-column terminal.
    for (const std::string& line : RenderAsciiMap(rig.world, *corner, corner)) EXPECT_LE(line.size(), 45u);
    EXPECT_EQ(RenderAsciiMap(rig.world, *corner, corner).size(), 15u);
}

}  // namespace
}  // namespace trellan::testing
