// Doors on the map: the MUD shows a closed door in parentheses, and the same
// room with the door open or closed is still one room.
#include <gtest/gtest.h>

#include "TrackerFixture.h"

namespace trellan::testing {
namespace {

class TrackerDoorsTest : public TrackerTest {};

TEST_F(TrackerDoorsTest, ADoorSeenClosedStaysOnTheMapWhenSeenOpen) {
    tracker().ModeClick(MovementTracker::ModeSender::Tracing);
    Type("look");
    Server(Room("Tavern", "Warm.", " (E) S "));
    MudRoom* tavern = world().CurrentRoom;
    ASSERT_NE(tavern, nullptr);
    EXPECT_EQ(tavern->ExitState(kDirEast), 2);

    // Through the door, now open, and back: the known room is refreshed,
    // but an exits line that differs only in the door's parentheses keeps
    // the door the map knows of.
    Type("e");
    Server(Room("Store", "Shelves.", " W "));
    Type("w");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(tavern->Exits(), " (E) S ");
    EXPECT_EQ(tavern->ExitState(kDirEast), 2);
    Type("look");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(tavern->ExitState(kDirEast), 2);

    // Found again by a look after the position was lost, door open.
    tracker().ModeClick(MovementTracker::ModeSender::Walking);
    input().SSClientRead("look\r\n");
    Server(Room("Tavern", "Warm.", " E S "));
    EXPECT_EQ(world().CurrentRoom, tavern);
    EXPECT_EQ(world().RoomCount(), 2u);

    // A real change of the exits is taken as the MUD shows it.
    Type("look");
    Server(Room("Tavern", "Warm.", " E S U "));
    EXPECT_EQ(tavern->Exits(), " E S U ");
    EXPECT_EQ(tavern->ExitState(kDirEast), 1);
}

TEST_F(TrackerDoorsTest, ARoomReachedByANewWayWithItsDoorClosedIsLinkedNotDuplicated) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* hall = Put("Hall", -3, 0, 0, 2);
    world().SetRoomText(hall, "Hall", "Desc.", " E S ", ExitWords::Defaults());
    StandIn(start);
    Type("n");
    Server(Room("Hall", "Desc.", " (E) S "));
    EXPECT_EQ(world().CurrentRoom, hall);
    EXPECT_TRUE(start->ChN && hall->ChS);
    EXPECT_EQ(hall->Exits(), " E S ");
    // Two corridor cells between them, no second hall.
    EXPECT_EQ(world().RoomCount(), 4u);
}

}  // namespace
}  // namespace trellan::testing
