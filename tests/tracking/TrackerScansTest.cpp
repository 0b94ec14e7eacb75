// The pre-scans of a pass: fleeing, following a leader, waiting triggers,
// shared-object lines, and the bounds of the output buffer.
#include <gtest/gtest.h>

#include "TrackerFixture.h"

namespace trellan::testing {
namespace {

class TrackerScansTest : public TrackerTest {
protected:
    std::string Retreat() const { return W1251("Вы быстро убежали"); }
    std::string Follow() const { return W1251("Вы последовали за"); }
};

TEST_F(TrackerScansTest, AFleeFindsTheNeighbourThatFits) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    Put("North", -1, 0, 0, 2);
    MudRoom* west = Put("West", 0, -1, 0, 3);
    StandIn(start);
    Server(Retreat() + W1251(" на запад.") + "\r\n" + Room("West"));
    EXPECT_TRUE(Logged("Паника."));
    EXPECT_EQ(world().CurrentRoom, west);
    EXPECT_TRUE(west->Selected && !start->Selected);
    EXPECT_TRUE(tracker().CommandQueue().empty());
    EXPECT_EQ(tracker().OutputBuffer().find(Retreat()), std::string::npos);

    // A panic line waits for its line break.
    Server(Retreat());
    EXPECT_TRUE(tracker().CommandQueue().empty());
    Server(W1251(" на восток.") + "\r\n" + Room("Start"));
    EXPECT_EQ(world().CurrentRoom, start);
}

TEST_F(TrackerScansTest, AFleeThroughAJumpEntryReachesTheOtherZone) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* away = Put("Away", 0, 0, 0, 4, "Other");
    world().ClearZone();
    world().CurrentZone = "Zone";
    world().LoadZone();
    start->AutoMaps.push_back("Other|" + W1251("НА ЮГ") + "|4");
    StandIn(start);
    Server(Retreat() + ".\r\n" + Room("Away"));
    EXPECT_EQ(world().CurrentRoom, away);
    EXPECT_EQ(world().CurrentZone, "Other");
    EXPECT_EQ(output().zoneSaves, 1);
}

TEST_F(TrackerScansTest, AFleeWithoutAFittingNeighbourKeepsThePosition) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type("n");
    Server(Retreat() + ".\r\n" + Room("Somewhere") + Room("North room"));
    // The earlier move came first and took the first room; the flight then
    // found no neighbour for the second.
    EXPECT_EQ(CurrentName(), "Somewhere");
    EXPECT_TRUE(tracker().CommandQueue().empty());
}

TEST_F(TrackerScansTest, FollowingWithTheDirectionOnTheFollowLine) {
    TrackerConfig config;
    config.FollowLine = true;
    tracker().SetConfig(config);
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Server(Follow() + W1251(" Васей на восток.") + "\r\n" + Room("Behind the leader"));
    EXPECT_TRUE(Logged("Cледование есть."));
    EXPECT_EQ(CurrentName(), "Behind the leader");
    EXPECT_EQ(world().CurrentRoom->Y, 1);
    EXPECT_TRUE(start->ChE);
}

TEST_F(TrackerScansTest, FollowingByTheLeadersMovementMessage) {
    TrackerConfig config;
    config.LeaderMoves = {W1251("ушел"), W1251("исчез в портале")};
    tracker().SetConfig(config);
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    // The last leader message before the follow line wins.
    Server(W1251("Вася ушел на запад.\r\nВася ушел на север.\r\n") + Follow() + W1251(" Васей.") + "\r\n" +
           Room("North"));
    EXPECT_TRUE(Logged("Лидер :ушел"));
    EXPECT_TRUE(Logged("Направление :на север."));
    EXPECT_EQ(CurrentName(), "North");
    EXPECT_EQ(world().CurrentRoom->X, -1);

    // A pattern with a blank stands for the portal command.
    MudRoom* north = world().CurrentRoom;
    MudRoom* beyond = Put("Beyond", 7, 7, 0, 9);
    north->AutoMaps.push_back("Zone|" + W1251("войти") + "|9");
    Server(W1251("Вася исчез в портале.\r\n") + Follow() + W1251(" Васей.") + "\r\n" + Room("Beyond"));
    EXPECT_EQ(world().CurrentRoom, beyond);
}

TEST_F(TrackerScansTest, FollowingWhereTheTrackerCannotGoStopsTracing) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Server(Follow() + W1251(" Васей.") + "\r\n" + Room("Unknown"));
    EXPECT_FALSE(tracker().Tracing());
    EXPECT_EQ(world().CurrentRoom, nullptr);
    EXPECT_TRUE(tracker().OutputBuffer().empty());
}

TEST_F(TrackerScansTest, AWaitingTriggerMovesThePlayerToItsRoom) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* shore = Put("Shore", 6, 0, 0, 8);
    start->AutoMaps.push_back("Zone|=" + W1251("Течение уносит вас") + "|8");
    StandIn(start);
    // The trigger text only counts with a room after it.
    Server(W1251("Течение уносит вас прочь.") + "\r\n");
    EXPECT_TRUE(tracker().CommandQueue().empty());
    EXPECT_EQ(world().CurrentRoom, start);
    Server(Room("Shore"));
    EXPECT_TRUE(Logged("Ждущий триггер сработал: Течение уносит вас"));
    EXPECT_EQ(world().CurrentRoom, shore);
    EXPECT_TRUE(tracker().CommandQueue().empty());
}

TEST_F(TrackerScansTest, AWaitingTriggerIsQueuedOnceWhileItsRoomIsIncomplete) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    start->AutoMaps.push_back("Zone|=Swept|8");
    StandIn(start);
    std::string room = Room("Shore");
    Server("Swept away\r\n" + room.substr(0, room.size() - 3));
    Server("more text\r\n");
    Server("and more\r\n");
    EXPECT_EQ(tracker().CommandQueue().size(), 1u);
}

TEST_F(TrackerScansTest, SharedObjectLinesLoseTheirTextButKeepTheLineBreak) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type("say x");
    Server("Bob: ->>a sword\r\nBob: ->>half a line");
    EXPECT_EQ(tracker().OutputBuffer(), "Bob: \r\nBob: ->>half a line");
    Server(" ends\r\n");
    EXPECT_EQ(tracker().OutputBuffer(), "Bob: \r\nBob: \r\n");
}

TEST_F(TrackerScansTest, TheOutputBufferStaysBoundedWithoutRooms) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    StandIn(start);
    Type("n");
    std::string line(1000, 'x');
    line += "\r\n";
    for (int i = 0; i < 300; ++i) Server(line);
    EXPECT_LE(tracker().OutputBuffer().size(), MovementTracker::MaxOutputBuffer);
    // The move still waits for its room and takes it when it comes.
    Server(Room("North"));
    EXPECT_EQ(CurrentName(), "North");

    // One huge event is cut down too, at a line start.
    Type("s");
    Server(std::string(200000, 'y') + "\r\nnext line");
    EXPECT_EQ(tracker().OutputBuffer(), "next line");
}

TEST_F(TrackerScansTest, TracingOffEmptiesEverythingButStillReadsSharedObjects) {
    Put("Start", 0, 0, 0, 1);
    Type("n");
    Server("Bob: ->>ring\r\n" + Room("Start"));
    EXPECT_TRUE(tracker().OutputBuffer().empty());
    EXPECT_TRUE(tracker().CommandQueue().empty());
    EXPECT_EQ(world().CurrentRoom, nullptr);
}

TEST_F(TrackerScansTest, AnAimedFlightIsSettledAsItsMove) {
    MudRoom* start = Put("Start", 0, 0, 0, 1);
    MudRoom* north = Put("North", -1, 0, 0, 2);
    MudRoom* east = Put("East", -1, 1, 0, 3);
    StandIn(start);
    Type(W1251("убежать n"));
    Server(W1251("Вы быстро убежали.") + "\r\n" + Room("North"));
    EXPECT_EQ(world().CurrentRoom, north);
    EXPECT_TRUE(tracker().CommandQueue().empty());
    // The next move gets its own room.
    Type("e");
    Server(Room("East"));
    EXPECT_EQ(world().CurrentRoom, east);
    EXPECT_TRUE(tracker().CommandQueue().empty());

    // Without a position a flight is settled at once, and the next look
    // positions the player with its own room.
    world().CurrentRoom = nullptr;
    Server(W1251("Вы быстро убежали.") + "\r\n" + Room("Start"));
    EXPECT_TRUE(tracker().CommandQueue().empty());
    Type("look");
    Server(Room("Start"));
    EXPECT_EQ(CurrentName(), "Start");
}

}  // namespace
}  // namespace trellan::testing
