// The path finder: which steps a walk takes, and which it may not.
#include "navigation/NavigationFixture.h"

namespace trellan::testing {
namespace {

class SpeedwalkSearchTest : public ::testing::Test {
protected:
    NavigationRig rig;
    std::string Gate() const { return W1251("открыть ворота"); }
};

TEST_F(SpeedwalkSearchTest, CorridorIsOneStepAndEveryPieceIsReachedByIt) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* pipe1 = rig.Pipe(-1, 0);
    rig.Pipe(-2, 0);
    MudRoom* pipe3 = rig.Pipe(-3, 0);
    MudRoom* b = rig.Put(-4, 0);
    MudRoom* c = rig.Put(-4, 1);
    a->ChN = true;
    b->ChS = true;
    NavigationRig::Link(b, Direction::East, c);

    EXPECT_EQ(rig.Find(a, b), "n");
    EXPECT_EQ(rig.Find(a, pipe1), "n");
    EXPECT_EQ(rig.Find(a, pipe3), "n");
    EXPECT_EQ(rig.Find(a, c), "n;e");
    // And back: the corridor runs south just the same.
    EXPECT_EQ(rig.Find(c, a), "w;s");
}

TEST_F(SpeedwalkSearchTest, CorridorEndsAtAnEmptyCellAndStepsOverBlockedPieces) {
    MudRoom* a = rig.Put(0, 0);
    rig.Pipe(0, 1);
    MudRoom* agro = rig.Pipe(0, 2);
    agro->Agro = true;
    MudRoom* fly = rig.Pipe(0, 3);
    fly->FlyDT = true;
    MudRoom* b = rig.Put(0, 4);
    MudRoom* beyond = rig.Put(0, 6);  // after a gap
    a->ChE = true;

    EXPECT_EQ(rig.Find(a, b), "e");
    // A pit to fly over does not block inside a corridor, a monster does,
    // unless it is where the walk goes.
    EXPECT_EQ(rig.Find(a, fly), "e");
    EXPECT_EQ(rig.Find(a, agro), "e");
    b->ChE = true;
    EXPECT_EQ(rig.Find(a, beyond), std::nullopt);
}

TEST_F(SpeedwalkSearchTest, OnlyLinkedDirectionsAreWalked) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* b = rig.Put(-1, 0);
    a->SetExits("N", rig.mapping.Words);  // the exit is known, never walked
    b->ChS = true;
    EXPECT_EQ(rig.Find(a, b), std::nullopt);
    EXPECT_EQ(rig.Find(b, a), "s");
}

TEST_F(SpeedwalkSearchTest, DangerousRoomsBlockTheWayButCanBeTheTarget) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* middle = rig.Put(-1, 0);
    MudRoom* b = rig.Put(-2, 0);
    NavigationRig::Link(a, Direction::North, middle);
    NavigationRig::Link(middle, Direction::North, b);
    ASSERT_EQ(rig.Find(a, b), "n;n");

    for (bool MudRoom::*flag : {&MudRoom::Agro, &MudRoom::FlyDT, &MudRoom::NoStep}) {
        middle->*flag = true;
        EXPECT_EQ(rig.Find(a, b), std::nullopt);
        EXPECT_EQ(rig.Find(a, middle), "n");
        middle->*flag = false;
    }
    middle->DT = true;
    EXPECT_EQ(rig.Find(a, b), std::nullopt);
    EXPECT_EQ(rig.Find(a, middle), std::nullopt);
    // No start, or already there: no walk at all.
    EXPECT_EQ(rig.Find(nullptr, b), std::nullopt);
    EXPECT_EQ(rig.Find(a, a), std::nullopt);
}

TEST_F(SpeedwalkSearchTest, EqualPathsPreferFrontierOrderThenNorthSouthWestEast) {
    // a -> n -> e and a -> e -> n both reach the far corner.
    MudRoom* a = rig.Put(0, 0);
    MudRoom* north = rig.Put(-1, 0);
    MudRoom* east = rig.Put(0, 1);
    MudRoom* corner = rig.Put(-1, 1);
    NavigationRig::Link(a, Direction::North, north);
    NavigationRig::Link(a, Direction::East, east);
    NavigationRig::Link(north, Direction::East, corner);
    NavigationRig::Link(east, Direction::North, corner);
    EXPECT_EQ(rig.Find(a, corner), "n;e");
    EXPECT_EQ(rig.Find(corner, a), "s;w");
}

TEST_F(SpeedwalkSearchTest, ZoneLinkWithACommandLeadsIntoTheOtherZone) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* gateRoom = rig.Put(5, 5, 0, 12, "Other");
    MudRoom* grid = rig.Put(-1, 0);  // the grid neighbour the link replaces
    grid->ChS = true;
    a->ChN = true;
    a->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|12|" + Gate()};
    EXPECT_EQ(rig.Find(a, gateRoom), Gate() + ";n");
    EXPECT_EQ(rig.Find(a, grid), std::nullopt);

    // Without a command the step is the movement alone.
    a->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|12"};
    EXPECT_EQ(rig.Find(a, gateRoom), "n");

    // A waiting trigger ("=" exit) is no way to walk: the grid step is used.
    a->AutoMaps = {"Other|=" + rig.Phrase(Direction::North) + "|12|" + Gate()};
    EXPECT_EQ(rig.Find(a, gateRoom), std::nullopt);
    EXPECT_EQ(rig.Find(a, grid), "n");

    // Without the link flag the direction is not walked at all, and a
    // direction phrase is never sent as a command of its own.
    a->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|12"};
    a->ChN = false;
    EXPECT_EQ(rig.Find(a, gateRoom), std::nullopt);
}

TEST_F(SpeedwalkSearchTest, DirectionLinkIsNotTakenAsAPortalWhereItMayNotBeWalked) {
    // South from `a` to `b`, whose north cross link leads elsewhere: stepping
    // north from b would be straight back, and "на север" is no command.
    MudRoom* a = rig.Put(0, 0);
    MudRoom* b = rig.Put(1, 0);
    MudRoom* elsewhere = rig.Put(0, 0, 0, 12, "Other");
    NavigationRig::Link(a, Direction::South, b);
    b->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|12"};
    EXPECT_EQ(rig.Find(b, elsewhere), "n");
    EXPECT_EQ(rig.Find(a, elsewhere), std::nullopt);
}

TEST_F(SpeedwalkSearchTest, CommandOnlyEntryPutsItsDoorCommandAheadOfTheStep) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* b = rig.Put(0, 1);
    MudRoom* c = rig.Put(0, 2);
    NavigationRig::Link(a, Direction::East, b);
    NavigationRig::Link(b, Direction::East, c);
    std::string door = W1251("открыть дверь");
    a->AutoMaps = {"|" + rig.Phrase(Direction::East) + "||" + door, "|" + rig.Phrase(Direction::North) + "||knock"};
    EXPECT_EQ(rig.Find(a, b), door + ";e");
    EXPECT_EQ(rig.Find(a, c), door + ";e;e");
}

TEST_F(SpeedwalkSearchTest, PortalExitsAreWalkedByTheirOwnText) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* hall = rig.Put(3, 3, 0, 7, "Other");
    MudRoom* beyond = rig.Put(2, 3, 0, 8, "Other");
    NavigationRig::Link(hall, Direction::North, beyond);
    std::string portal = W1251("войти портал");
    a->AutoMaps = {"Other|" + portal + "|7"};
    // No link flag needed, and the exit text is the command.
    EXPECT_EQ(rig.Find(a, hall), portal);
    EXPECT_EQ(rig.Find(a, beyond), portal + ";n");
    // A portal that needs a command first.
    a->AutoMaps = {"Other|" + portal + "|7|" + Gate()};
    EXPECT_EQ(rig.Find(a, hall), Gate() + ";" + portal);
}

TEST_F(SpeedwalkSearchTest, NeverStepsStraightBackEvenIntoAnotherRoom) {
    // North out of `a` through a cross link lands in `hall`; south of hall
    // lies `cellar`, which a walk cannot reach through hall by stepping south.
    MudRoom* a = rig.Put(0, 0);
    MudRoom* hall = rig.Put(3, 3, 0, 7, "Other");
    MudRoom* cellar = rig.Put(4, 3, 0, 8, "Other");
    NavigationRig::Link(hall, Direction::South, cellar);
    a->ChN = true;
    a->AutoMaps = {"Other|" + rig.Phrase(Direction::North) + "|7"};
    EXPECT_EQ(rig.Find(a, hall), "n");
    EXPECT_EQ(rig.Find(a, cellar), std::nullopt);
    EXPECT_EQ(rig.Find(hall, cellar), "s");
}

TEST_F(SpeedwalkSearchTest, GenerationLimitCapsTheWalk) {
    std::vector<MudRoom*> line;
    for (int i = 0; i < 5; ++i) line.push_back(rig.Put(-i, 0));
    for (int i = 0; i + 1 < 5; ++i) NavigationRig::Link(line[i], Direction::North, line[i + 1]);
    EXPECT_EQ(rig.Find(line[0], line[4], 3), std::nullopt);
    EXPECT_EQ(rig.Find(line[0], line[4], 4), "n;n;n;n");
    EXPECT_EQ(rig.Find(line[0], line[4], 0), std::nullopt);
}

TEST_F(SpeedwalkSearchTest, CrossLinkWithoutARoomNumberIsSkippedAndNamed) {
    MudRoom* a = rig.Put(0, 0);
    MudRoom* b = rig.Put(-1, 0);
    NavigationRig::Link(a, Direction::North, b);
    std::string bad = "Other|" + rig.Phrase(Direction::North) + "|twelve";
    a->AutoMaps = {bad, bad};
    SpeedwalkSearch search(rig.world, rig.mapping);
    EXPECT_EQ(search.FindPath(a, b, 10), "n");
    EXPECT_EQ(search.SkippedEntries(), std::vector<std::string>{bad});
}

}  // namespace
}  // namespace trellan::testing
